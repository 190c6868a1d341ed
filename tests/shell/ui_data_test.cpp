// The menu and dialog data agree with what the shell's commands and dialog procedures use.
#include <set>
#include <string_view>

#include <gtest/gtest.h>

#include "resources/ui/ui_data.h"

namespace {

const DialogControl* FirstControl(const DialogTemplate& dialog, int id) {
    for (const DialogControl& control : dialog.controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

std::set<int> MenuIds(const MenuBar& bar) {
    std::set<int> ids;
    for (const MenuPopup& popup : bar.popups) {
        for (const MenuItem& item : popup.items) {
            if (item.id != 0) ids.insert(item.id);
        }
    }
    return ids;
}

} // namespace

TEST(UiData, BothMenusCarryEveryCommandTheShellHandles) {
    EXPECT_EQ(MenuFrench().name, "MAINMENUFR");
    EXPECT_EQ(MenuEnglish().name, "MAINMENUENG");
    const std::set<int> french{8069, 8071, 8072, 8073, 8074, 8075, 8076, 8077};
    std::set<int> english;
    for (int id : french)
        english.insert(id + 1000);
    EXPECT_EQ(MenuIds(MenuFrench()), french);
    EXPECT_EQ(MenuIds(MenuEnglish()), english);
}

TEST(UiData, EveryDialogExistsInBothLanguagesWithTheControlsItsProcedureUses) {
    for (int language = 0; language <= 1; ++language) {
        const DialogTemplate* name = FindDialog(1100 + language);
        ASSERT_NE(name, nullptr);
        // The edit field is what a lookup of the procedure's id finds first.
        const DialogControl* edit = FirstControl(*name, 1001 + language);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->kind, ControlKind::Edit);
        EXPECT_NE(FirstControl(*name, 1), nullptr);

        const DialogTemplate* options = FindDialog(1150 + language);
        ASSERT_NE(options, nullptr);
        ASSERT_NE(FirstControl(*options, 2000 + language), nullptr);
        EXPECT_EQ(FirstControl(*options, 2000 + language)->kind, ControlKind::CheckBox);
        ASSERT_NE(FirstControl(*options, 2100 + language), nullptr);
        EXPECT_EQ(FirstControl(*options, 2100 + language)->kind, ControlKind::RadioButton);
        ASSERT_NE(FirstControl(*options, 2102 + language), nullptr);
        EXPECT_EQ(FirstControl(*options, 2102 + language)->text, "Fran\xE7"
                                                                 "ais");
        EXPECT_NE(FirstControl(*options, 2), nullptr);

        for (int base : {1600, 1460, 1462}) {
            const DialogTemplate* dialog = FindDialog(base + language);
            ASSERT_NE(dialog, nullptr) << base + language;
            EXPECT_EQ(dialog->resourceId, base + language);
            ASSERT_NE(FirstControl(*dialog, 1), nullptr);
            EXPECT_EQ(FirstControl(*dialog, 1)->kind, ControlKind::DefPushButton);
        }
        EXPECT_NE(FirstControl(*FindDialog(1600 + language), 2), nullptr);
    }
    EXPECT_EQ(FindDialog(1102), nullptr);
    EXPECT_EQ(FindDialog(0), nullptr);
}
