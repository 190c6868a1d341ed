// The menu and dialog data: every text, id and place, and what the shell's procedures use.
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "resources/ui/ui_data.h"

namespace {

// Windows-1252 text as UTF-8 (the game's texts use only the Latin-1 range), so that the
// expected tables below read as the game shows them.
std::string Utf8(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::string MenuTable(const MenuBar& bar) {
    std::string out = std::string(bar.name) + "\n";
    for (const MenuPopup& popup : bar.popups) {
        out += " " + Utf8(popup.title) + "\n";
        for (const MenuItem& item : popup.items)
            out += "  " + std::to_string(item.id) + " " + Utf8(item.text) + "\n";
    }
    return out;
}

std::string Place(int x, int y, int cx, int cy) {
    return " (" + std::to_string(x) + ", " + std::to_string(y) + ") " + std::to_string(cx) + "x" +
           std::to_string(cy);
}

std::string DialogTable(int resourceId) {
    static constexpr const char* Kinds[] = {"push",  "default", "check", "radio",
                                            "group", "edit",    "label"};
    const DialogTemplate* dialog = FindDialog(resourceId);
    if (dialog == nullptr) return "missing " + std::to_string(resourceId) + "\n";
    std::string out = std::to_string(dialog->resourceId) + " \"" + Utf8(dialog->caption) + "\"" +
                      Place(dialog->x, dialog->y, dialog->cx, dialog->cy) + "\n";
    for (const DialogControl& c : dialog->controls) {
        out += std::string(" ") + Kinds[static_cast<int>(c.kind)] + " " + std::to_string(c.id) +
               " \"" + Utf8(c.text) + "\"" + Place(c.x, c.y, c.cx, c.cy) + "\n";
    }
    return out;
}

} // namespace

TEST(UiData, EveryMenuAndDialogTextIdAndPlaceIsTheGames) {
    EXPECT_EQ(MenuTable(MenuFrench()) + MenuTable(MenuEnglish()), R"(MAINMENUFR
 G&limora
  8072 &Nouvelle Partie
  8071 &Abandonner la Partie
  8076 &Meilleurs scores
  8077 &Pause
  8075 &Options
  8073 A&ide
  0 
  8074 &Quitter
 A &Propos
  8069 &A Propos
MAINMENUENG
 G&limora
  9072 &New Game
  9071 &Abandon Game
  9076 HighScore
  9077 &Pause
  9075 &Options
  9073 &Help
  0 
  9074 E&xit
 A&bout
  9069 &About
)");
    std::string dialogs;
    for (int id : {1100, 1101, 1150, 1151, 1600, 1601, 1460, 1461, 1462, 1463})
        dialogs += DialogTable(id);
    EXPECT_EQ(dialogs, R"(1100 "Nom du Joueur" (40, 40) 150x60
 edit 1001 "" (36, 7) 103x12
 default 1 "OK" (22, 44) 40x15
 label 1001 "Nom" (7, 8) 22x8
1101 "Player Name" (40, 40) 150x60
 edit 1002 "" (36, 7) 103x12
 default 1 "OK" (22, 44) 40x15
 label 1001 "Name" (7, 8) 22x8
1150 "Options" (0, 0) 250x170
 default 1 "OK" (70, 140) 40x15
 push 2 "Annuler" (120, 140) 70x15
 check 2000 "Aide durant le jeu." (9, 7) 100x10
 group 65535 "Langue:" (7, 21) 86x39
 radio 2100 "English" (13, 32) 37x10
 radio 2102 "Français" (13, 45) 39x10
1151 "Options" (0, 0) 250x170
 default 1 "OK" (70, 140) 40x15
 push 2 "Cancel" (120, 140) 70x15
 check 2001 "Help screen during game." (9, 7) 100x10
 group 65535 "Langue:" (7, 21) 86x39
 radio 2101 "English" (13, 32) 37x10
 radio 2103 "Français" (13, 45) 39x10
1600 "Abandonner la Partie ?" (0, 0) 250x100
 label 1303 "Voulez vous abandonner la partie actuelle ?" (20, 10) 180x8
 default 1 "Oui" (30, 70) 40x15
 push 2 "Non" (130, 70) 70x15
1601 "Abandon Game ?" (0, 0) 250x100
 label 1302 "Do you want to abandon the current game ?" (20, 10) 180x8
 default 1 "Yes" (30, 70) 40x15
 push 2 "No" (130, 70) 70x15
1460 "Mauvaise Couleur" (40, 40) 150x60
 label 1460 "La couleur de l'élément est différente" (10, 15) 140x8
 label 1462 "de celle de la case." (10, 25) 140x8
 default 1 "OK" (32, 44) 40x15
1461 "Wrong Color" (40, 40) 150x60
 label 1461 "Color of the element is not the" (10, 15) 140x8
 label 1463 "same as the color of the box." (10, 25) 140x8
 default 1 "OK" (32, 44) 40x15
1462 "Un élément occupe déjà la case!" (40, 40) 150x60
 label 1470 "Vous ne pouvez mettre un élément" (10, 15) 140x8
 label 1472 "dans une case déjà occupée." (10, 25) 140x8
 default 1 "OK" (32, 44) 40x15
1463 "Element already in the square!" (40, 40) 150x60
 label 1471 "You cannot put an element" (10, 15) 140x8
 label 1473 "in an occuped square." (10, 25) 140x8
 default 1 "OK" (32, 44) 40x15
)");
    EXPECT_EQ(FindDialog(1102), nullptr);
    EXPECT_EQ(FindDialog(0), nullptr);
}

// Every button, check box and radio button of every dialog of both languages is found by a
// click at the place where it is drawn, and that click reaches that control alone.
TEST(UiData, EveryControlOfEveryDialogIsFoundByAClickAtItsPlace) {
    headless::Reset();
    ASSERT_TRUE(platform::OpenMainWindow(
        "Glimora", [](const platform::Event&) {}, MenuEnglish()));
    const platform::DialogProcedure endWithCommand = [](platform::DialogHandle& d,
                                                        platform::DialogMessage m, int id) {
        if (m == platform::DialogMessage::Command) platform::EndDialog(d, id);
    };
    int clicked = 0;
    for (int base : {1100, 1150, 1460, 1462, 1600}) {
        for (int language : {0, 1}) {
            const DialogTemplate* dialog = FindDialog(base + language);
            ASSERT_NE(dialog, nullptr);
            for (const DialogControl& c : dialog->controls) {
                if (c.kind == ControlKind::GroupBox || c.kind == ControlKind::Edit ||
                    c.kind == ControlKind::Label)
                    continue;
                headless::QueueControlClick(*dialog, c.id);
                EXPECT_EQ(platform::RunDialog(*dialog, endWithCommand), c.id)
                    << dialog->resourceId << ": " << c.text;
                ++clicked;
            }
        }
    }
    EXPECT_EQ(clicked, 2 * (1 + 5 + 1 + 1 + 2)) << "OK, Cancel, the check box and radio buttons";
    platform::DestroyMainWindow();
    headless::Reset();
}
