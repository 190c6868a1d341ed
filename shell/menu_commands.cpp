// The menu commands: the same action for the French id and the English id 1000 above it.
#include "shell/menu_commands.h"

#include "platform/platform.h"
#include "resources/ui/ui_data.h"
#include "shell/dialog_procedures.h"
#include "shell/program_state.h"
#include "shell/screens.h"

const char* AboutText(uint8_t language) {
    return language == 0 ? "Glimora 1.00, un jeu de r\xE9"
                           "flexion de l'\xE9quipe Glimora."
                         : "Glimora 1.00, a puzzle game by the Glimora team.";
}

namespace {

// The French id of a command, whichever menu it came from.
int FrenchId(int id) {
    return id >= menu_id::FrenchAbout + menu_id::EnglishOffset ? id - menu_id::EnglishOffset : id;
}

} // namespace

void RunMenuCommand(int id) {
    ProgramState& p = Program();
    switch (FrenchId(id)) {
    case menu_id::FrenchNewGame:
        if (p.Screen == GameScreen) RunAbandonDialog(AbandonChoice::NewGame);
        break;
    case menu_id::FrenchAbandonGame:
        if (p.Screen == GameScreen) RunAbandonDialog(AbandonChoice::Abandon);
        break;
    case menu_id::FrenchHighScores:
        p.ReturnScreen = p.Screen;
        ShowHighScoreScreen();
        break;
    case menu_id::FrenchPause:
        // The pause prologue is the whole of it.
        break;
    case menu_id::FrenchOptions:
        RunOptionsDialog();
        break;
    case menu_id::FrenchHelp:
        ShowHelpScreen();
        break;
    case menu_id::FrenchExit:
        platform::DestroyMainWindow();
        break;
    case menu_id::FrenchAbout:
        platform::ShowMessage(AboutText(p.Language), "Glimora 1.00");
        break;
    default:
        break;
    }
}
