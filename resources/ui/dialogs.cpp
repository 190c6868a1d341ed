// Every dialog template in both languages: controls, ids, positions and sizes in dialog units.
#include "resources/ui/ui_data.h"

#include <array>

namespace {

using K = ControlKind;

// Player name. In the French template the edit field and its label share the id 1001; the
// edit field comes first, so a lookup of 1001 finds it.
constexpr std::array<DialogControl, 3> PlayerNameFrench{{
    {K::Edit, 1001, "", 36, 7, 103, 12},
    {K::DefPushButton, 1, "OK", 22, 44, 40, 15},
    {K::Label, 1001, "Nom", 7, 8, 22, 8},
}};
constexpr std::array<DialogControl, 3> PlayerNameEnglish{{
    {K::Edit, 1002, "", 36, 7, 103, 12},
    {K::DefPushButton, 1, "OK", 22, 44, 40, 15},
    {K::Label, 1001, "Name", 7, 8, 22, 8},
}};

constexpr std::array<DialogControl, 6> OptionsFrench{{
    {K::DefPushButton, 1, "OK", 70, 140, 40, 15},
    {K::PushButton, 2, "Annuler", 120, 140, 70, 15},
    {K::CheckBox, 2000, "Aide durant le jeu.", 9, 7, 100, 10},
    {K::GroupBox, NoControlId, "Langue:", 7, 21, 86, 39},
    {K::RadioButton, 2100, "English", 13, 32, 37, 10},
    {K::RadioButton, 2102,
     "Fran\xE7"
     "ais",
     13, 45, 39, 10},
}};
constexpr std::array<DialogControl, 6> OptionsEnglish{{
    {K::DefPushButton, 1, "OK", 70, 140, 40, 15},
    {K::PushButton, 2, "Cancel", 120, 140, 70, 15},
    {K::CheckBox, 2001, "Help screen during game.", 9, 7, 100, 10},
    {K::GroupBox, NoControlId, "Langue:", 7, 21, 86, 39},
    {K::RadioButton, 2101, "English", 13, 32, 37, 10},
    {K::RadioButton, 2103,
     "Fran\xE7"
     "ais",
     13, 45, 39, 10},
}};

constexpr std::array<DialogControl, 3> AbandonFrench{{
    {K::Label, 1303, "Voulez vous abandonner la partie actuelle ?", 20, 10, 180, 8},
    {K::DefPushButton, 1, "Oui", 30, 70, 40, 15},
    {K::PushButton, 2, "Non", 130, 70, 70, 15},
}};
constexpr std::array<DialogControl, 3> AbandonEnglish{{
    {K::Label, 1302, "Do you want to abandon the current game ?", 20, 10, 180, 8},
    {K::DefPushButton, 1, "Yes", 30, 70, 40, 15},
    {K::PushButton, 2, "No", 130, 70, 70, 15},
}};

constexpr std::array<DialogControl, 3> WrongColourFrench{{
    {K::Label, 1460,
     "La couleur de l'\xE9"
     "l\xE9"
     "ment est diff\xE9"
     "rente",
     10, 15, 140, 8},
    {K::Label, 1462, "de celle de la case.", 10, 25, 140, 8},
    {K::DefPushButton, 1, "OK", 32, 44, 40, 15},
}};
constexpr std::array<DialogControl, 3> WrongColourEnglish{{
    {K::Label, 1461, "Color of the element is not the", 10, 15, 140, 8},
    {K::Label, 1463, "same as the color of the box.", 10, 25, 140, 8},
    {K::DefPushButton, 1, "OK", 32, 44, 40, 15},
}};
constexpr std::array<DialogControl, 3> OccupiedFrench{{
    {K::Label, 1470,
     "Vous ne pouvez mettre un \xE9"
     "l\xE9"
     "ment",
     10, 15, 140, 8},
    {K::Label, 1472,
     "dans une case d\xE9"
     "j\xE0"
     " occup\xE9"
     "e.",
     10, 25, 140, 8},
    {K::DefPushButton, 1, "OK", 32, 44, 40, 15},
}};
constexpr std::array<DialogControl, 3> OccupiedEnglish{{
    {K::Label, 1471, "You cannot put an element", 10, 15, 140, 8},
    {K::Label, 1473, "in an occuped square.", 10, 25, 140, 8},
    {K::DefPushButton, 1, "OK", 32, 44, 40, 15},
}};

constexpr std::array<DialogTemplate, 10> Templates{{
    {1100, "Nom du Joueur", 40, 40, 150, 60, PlayerNameFrench},
    {1101, "Player Name", 40, 40, 150, 60, PlayerNameEnglish},
    {1150, "Options", 0, 0, 250, 170, OptionsFrench},
    {1151, "Options", 0, 0, 250, 170, OptionsEnglish},
    {1600, "Abandonner la Partie ?", 0, 0, 250, 100, AbandonFrench},
    {1601, "Abandon Game ?", 0, 0, 250, 100, AbandonEnglish},
    {1460, "Mauvaise Couleur", 40, 40, 150, 60, WrongColourFrench},
    {1461, "Wrong Color", 40, 40, 150, 60, WrongColourEnglish},
    {1462,
     "Un \xE9"
     "l\xE9"
     "ment occupe d\xE9"
     "j\xE0"
     " la case!",
     40, 40, 150, 60, OccupiedFrench},
    {1463, "Element already in the square!", 40, 40, 150, 60, OccupiedEnglish},
}};

} // namespace

const DialogTemplate* FindDialog(int resourceId) {
    for (const DialogTemplate& dialog : Templates) {
        if (dialog.resourceId == resourceId) return &dialog;
    }
    return nullptr;
}
