// Headless dialogs: scripted answers, edit limits, non-automatic buttons, records.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace {

// A name dialog whose edit field and label share an id, the edit field first.
const std::array<DialogControl, 3> nameControls{{
    {ControlKind::Edit, 1001, "", 36, 7, 103, 12},
    {ControlKind::DefPushButton, 1, "OK", 22, 44, 40, 15},
    {ControlKind::Label, 1001, "Nom", 7, 8, 22, 8},
}};
const DialogTemplate nameDialog{1100, "Nom du Joueur", 40, 40, 150, 60, nameControls};

const std::array<DialogControl, 6> optionControls{{
    {ControlKind::DefPushButton, 1, "OK", 70, 140, 40, 15},
    {ControlKind::PushButton, 2, "Cancel", 120, 140, 70, 15},
    {ControlKind::CheckBox, 2001, "Help screen during game.", 9, 7, 100, 10},
    {ControlKind::GroupBox, NoControlId, "Langue:", 7, 21, 86, 39},
    {ControlKind::RadioButton, 2101, "English", 13, 32, 37, 10},
    {ControlKind::RadioButton, 2103,
     "Fran\xE7"
     "ais",
     13, 45, 39, 10},
}};
const DialogTemplate optionsDialog{1151, "Options", 0, 0, 250, 170, optionControls};

const std::array<DialogControl, 2> noticeControls{{
    {ControlKind::Label, 1461, "Color of the element is not the", 10, 15, 140, 8},
    {ControlKind::PushButton, 1, "OK", 32, 44, 40, 15},
}};
const DialogTemplate noticeDialog{1461, "Wrong Color", 40, 40, 150, 60, noticeControls};

std::string storedName;

// Like the game's name dialog: limit 9 on init, read with a count of 9 on OK.
void nameProcedure(platform::DialogHandle& d, platform::DialogMessage m, int id) {
    if (m == platform::DialogMessage::Init) platform::LimitText(d, 1001, 9);
    if (m == platform::DialogMessage::Command && id == 1) {
        storedName = platform::GetControlText(d, 1001, 9);
        platform::EndDialog(d, 0);
    }
}

bool helpChosen = false;
bool englishChosen = false;

void optionsProcedure(platform::DialogHandle& d, platform::DialogMessage m, int id) {
    if (m == platform::DialogMessage::Init) {
        platform::SetCheck(d, 2001, true);
        platform::SetCheck(d, 2101, true);
        return;
    }
    if (id == 2001) platform::SetCheck(d, 2001, !platform::GetCheck(d, 2001));
    if (id == 2103 && !platform::GetCheck(d, 2103)) {
        platform::SetCheck(d, 2103, true);
        platform::SetCheck(d, 2101, false);
    }
    if (id == 1) {
        helpChosen = platform::GetCheck(d, 2001);
        englishChosen = platform::GetCheck(d, 2101);
        platform::EndDialog(d, 0);
    }
    if (id == 2) platform::EndDialog(d, 1);
}

void noticeProcedure(platform::DialogHandle& d, platform::DialogMessage m, int id) {
    if (m == platform::DialogMessage::Command && id == 1) platform::EndDialog(d, 0);
}

class HeadlessDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        storedName = "unset";
        helpChosen = englishChosen = false;
    }
};

TEST_F(HeadlessDialogs, NameFieldKeepsItsLimitAndTheReadCount) {
    headless::ScriptDialog(headless::TypeThenClick(1001, "ABCDEFGHIJKL", 1));
    EXPECT_EQ(platform::RunDialog(nameDialog, nameProcedure), 0);
    // Nine characters were accepted; GetWindowTextA with 9 gives the first eight.
    EXPECT_EQ(storedName, "ABCDEFGH");

    headless::ScriptDialog([](platform::DialogHandle& d, const DialogTemplate& t) {
        EXPECT_EQ(t.resourceId, 1100);
        headless::TypeText(d, 1001, "Zo\xE9");
        EXPECT_EQ(headless::ControlText(d, 1001), "Zo\xE9");
        headless::ClearText(d, 1001);
        headless::PressEnter(d); // the default push button is OK
    });
    EXPECT_EQ(platform::RunDialog(nameDialog, nameProcedure), 0);
    EXPECT_EQ(storedName, "");

    ASSERT_EQ(headless::Dialogs().size(), 2u);
    EXPECT_EQ(headless::Dialogs()[0].resourceId, 1100);
    EXPECT_EQ(headless::Dialogs()[0].commands, std::vector<int>{1});
    EXPECT_FALSE(headless::Dialogs()[1].forcedEnd);
}

TEST_F(HeadlessDialogs, CheckBoxesAndRadioButtonsOnlyNotify) {
    headless::ScriptDialog([](platform::DialogHandle& d, const DialogTemplate&) {
        EXPECT_TRUE(headless::IsChecked(d, 2001));
        EXPECT_TRUE(headless::IsChecked(d, 2101));
        EXPECT_FALSE(headless::IsChecked(d, 2103));
        headless::ClickControl(d, 2001);
        EXPECT_FALSE(headless::IsChecked(d, 2001));
        headless::ClickControl(d, 2103);
        headless::ClickControl(d, 2103); // already checked: the procedure leaves it
        EXPECT_TRUE(headless::IsChecked(d, 2103));
        EXPECT_FALSE(headless::IsChecked(d, 2101));
        headless::ClickControl(d, NoControlId); // the group box sends nothing
        headless::ClickControl(d, 1);
    });
    EXPECT_EQ(platform::RunDialog(optionsDialog, optionsProcedure), 0);
    EXPECT_FALSE(helpChosen);
    EXPECT_FALSE(englishChosen);
    EXPECT_EQ(headless::Dialogs()[0].commands, (std::vector<int>{2001, 2103, 2103, 1}));
}

TEST_F(HeadlessDialogs, NoBareProcedureChangesAButton) {
    // Without a procedure that sets it, a click leaves the box as it was.
    headless::ScriptDialog([](platform::DialogHandle& d, const DialogTemplate&) {
        headless::ClickControl(d, 2001);
        EXPECT_FALSE(headless::IsChecked(d, 2001));
        headless::PressEscape(d);
    });
    int result = platform::RunDialog(
        optionsDialog, [](platform::DialogHandle& d, platform::DialogMessage m, int id) {
            if (m == platform::DialogMessage::Command && id == 2) platform::EndDialog(d, 1);
        });
    EXPECT_EQ(result, 1);
}

TEST_F(HeadlessDialogs, EscapeLeavesANoticeOpenAndUnclosedDialogsAreReported) {
    headless::ScriptDialog([](platform::DialogHandle& d, const DialogTemplate&) {
        headless::PressEscape(d);
        EXPECT_FALSE(headless::DialogEnded(d));
        headless::ClickControl(d, 1);
        EXPECT_TRUE(headless::DialogEnded(d));
        headless::ClickControl(d, 1); // gone: nothing more is delivered
    });
    EXPECT_EQ(platform::RunDialog(noticeDialog, noticeProcedure), 0);
    EXPECT_EQ(headless::Dialogs()[0].commands, (std::vector<int>{2, 1}));

    // Unscripted: Enter presses IDOK, which the notice handles.
    EXPECT_EQ(platform::RunDialog(noticeDialog, noticeProcedure), 0);
    EXPECT_EQ(headless::Dialogs()[1].commands, std::vector<int>{1});

    // A procedure that never ends is ended by force, and says so.
    headless::ScriptDialog(headless::Click(2));
    EXPECT_EQ(platform::RunDialog(noticeDialog, noticeProcedure), -1);
    EXPECT_TRUE(headless::Dialogs()[2].forcedEnd);
    EXPECT_EQ(headless::ScriptedDialogsLeft(), 0u);
}

TEST_F(HeadlessDialogs, EndingInInitSkipsTheAnswer) {
    headless::ScriptDialog(headless::Click(1));
    int result =
        platform::RunDialog(noticeDialog, [](platform::DialogHandle& d, platform::DialogMessage,
                                             int) { platform::EndDialog(d, 5); });
    EXPECT_EQ(result, 5);
    EXPECT_EQ(headless::ScriptedDialogsLeft(), 1u);
    EXPECT_TRUE(headless::Dialogs()[0].commands.empty());
}

TEST_F(HeadlessDialogs, ControlTextReadsLikeGetWindowText) {
    headless::ScriptDialog([](platform::DialogHandle& d, const DialogTemplate&) {
        EXPECT_EQ(platform::GetControlText(d, 1461, 6), "Color");
        EXPECT_EQ(platform::GetControlText(d, 1461, 0), "");
        EXPECT_EQ(platform::GetControlText(d, 9999, 10), "");
        // A label is no edit field: typing and limits leave it alone.
        platform::LimitText(d, 1461, 1);
        headless::TypeText(d, 1461, "x");
        EXPECT_EQ(platform::GetControlText(d, 1461, 100), "Color of the element is not the");
        headless::ClickControl(d, 1);
    });
    platform::RunDialog(noticeDialog, noticeProcedure);
}

int paints = 0;
void countPaints(const platform::Event& e) {
    if (e.type == platform::EventType::Paint) ++paints;
}

TEST_F(HeadlessDialogs, TheOwnerIsRepaintedWhileADialogIsOpen) {
    paints = 0;
    ASSERT_TRUE(platform::OpenMainWindow("Glimora", countPaints, MenuBar{"MAINMENUENG", {}}));
    platform::RequestRepaint();
    headless::QueueClick(3, 3);
    headless::ScriptDialog([](platform::DialogHandle& d, const DialogTemplate&) {
        EXPECT_EQ(paints, 1);
        headless::ClickControl(d, 1);
    });
    platform::RunDialog(noticeDialog, noticeProcedure);
    // The click waits for the loop, after the dialog.
    EXPECT_EQ(headless::PendingEvents(), 2u);
}

TEST_F(HeadlessDialogs, MessageBoxesAreRecorded) {
    platform::ShowMessage("Cannot write the save file.", "Error!");
    platform::ShowMessage("Too much users", "Glimora 1.00");
    ASSERT_EQ(headless::Messages().size(), 2u);
    EXPECT_EQ(headless::Messages()[0].text, "Cannot write the save file.");
    EXPECT_EQ(headless::Messages()[0].caption, "Error!");
    EXPECT_EQ(headless::Messages()[1].caption, "Glimora 1.00");
}

} // namespace
