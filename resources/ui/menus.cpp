// The French and English menu bars: two pop-ups each, the same command ids 1000 apart.
#include "resources/ui/ui_data.h"

#include <array>

namespace {

constexpr std::array<MenuItem, 8> FrenchGameItems{{
    {8072, "&Nouvelle Partie"},
    {8071, "&Abandonner la Partie"},
    {8076, "&Meilleurs scores"},
    {8077, "&Pause"},
    {8075, "&Options"},
    {8073, "A&ide"},
    {0, ""},
    {8074, "&Quitter"},
}};
constexpr std::array<MenuItem, 1> FrenchAboutItems{{{8069, "&A Propos"}}};
constexpr std::array<MenuPopup, 2> FrenchPopups{{
    {"G&limora", FrenchGameItems},
    {"A &Propos", FrenchAboutItems},
}};

constexpr std::array<MenuItem, 8> EnglishGameItems{{
    {9072, "&New Game"},
    {9071, "&Abandon Game"},
    {9076, "HighScore"},
    {9077, "&Pause"},
    {9075, "&Options"},
    {9073, "&Help"},
    {0, ""},
    {9074, "E&xit"},
}};
constexpr std::array<MenuItem, 1> EnglishAboutItems{{{9069, "&About"}}};
constexpr std::array<MenuPopup, 2> EnglishPopups{{
    {"G&limora", EnglishGameItems},
    {"A&bout", EnglishAboutItems},
}};

constexpr MenuBar French{"MAINMENUFR", FrenchPopups};
constexpr MenuBar English{"MAINMENUENG", EnglishPopups};

} // namespace

const MenuBar& MenuFrench() {
    return French;
}
const MenuBar& MenuEnglish() {
    return English;
}
