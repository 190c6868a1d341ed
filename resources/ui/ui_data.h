// The two menu bars and every dialog template of the game, as data every backend reads.
#pragma once

#include "platform/ui_types.h"

// Menu command ids: the French menu uses the 8000s, the English one the 9000s.
namespace menu_id {
constexpr int FrenchAbout = 8069;
constexpr int FrenchAbandonGame = 8071;
constexpr int FrenchNewGame = 8072;
constexpr int FrenchHelp = 8073;
constexpr int FrenchExit = 8074;
constexpr int FrenchOptions = 8075;
constexpr int FrenchHighScores = 8076;
constexpr int FrenchPause = 8077;
constexpr int EnglishOffset = 1000; // English id = French id + 1000
} // namespace menu_id

// Dialog template ids (French; the English template is the next id).
namespace dialog_id {
constexpr int PlayerName = 1100;
constexpr int Options = 1150;
constexpr int Abandon = 1600;
constexpr int WrongColourNotice = 1460;
constexpr int OccupiedNotice = 1462;
} // namespace dialog_id

// "MAINMENUFR" and "MAINMENUENG".
const MenuBar& MenuFrench();
const MenuBar& MenuEnglish();

// The template with this resource id, or nullptr when there is none.
const DialogTemplate* FindDialog(int resourceId);
