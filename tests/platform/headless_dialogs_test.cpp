// Headless dialogs: scripted answers, edit limits, non-automatic buttons, records.
#include <gtest/gtest.h>

#include <string>

#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "tests/platform/test_dialogs.h"

namespace {

using namespace testdlg;
using platform::DialogHandle;
using platform::DialogMessage;

std::string storedName;
bool helpChosen = false, englishChosen = false;

// Like the game's name dialog: limit 9 on init, read with a count of 9 on OK.
void nameProcedure(DialogHandle& d, DialogMessage m, int id) {
    if (m == DialogMessage::Init) platform::LimitText(d, 1001, 9);
    if (m == DialogMessage::Command && id == 1) {
        storedName = platform::GetControlText(d, 1001, 9);
        platform::EndDialog(d, 0);
    }
}

// Like the game's options: the procedure checks the boxes itself.
void optionsProcedure(DialogHandle& d, DialogMessage m, int id) {
    if (m == DialogMessage::Init) {
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

void noticeProcedure(DialogHandle& d, DialogMessage m, int id) {
    if (m == DialogMessage::Command && id == 1) platform::EndDialog(d, 0);
}

class HeadlessDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        storedName = "unset";
        helpChosen = englishChosen = true;
    }
};

TEST_F(HeadlessDialogs, NameFieldKeepsItsLimitAndTheReadCount) {
    headless::ScriptDialog(headless::TypeThenClick(1001, "ABCDEFGHIJKL", 1));
    EXPECT_EQ(platform::RunDialog(nameDialog, nameProcedure), 0);
    // Nine characters were accepted; GetWindowTextA with 9 gives the first eight.
    EXPECT_EQ(storedName, "ABCDEFGH");

    headless::ScriptDialog([](DialogHandle& d, const DialogTemplate& t) {
        EXPECT_EQ(t.resourceId, 1100);
        headless::TypeText(d, 1001, "Zo\xE9");
        EXPECT_EQ(headless::ControlText(d, 1001), "Zo\xE9");
        headless::TypeText(d, 1001, "0123456789"); // the limit holds nine characters
        EXPECT_EQ(headless::ControlText(d, 1001), "Zo\xE9"
                                                  "012345");
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

// A click on a check box or radio button only notifies: were it to toggle by itself, the
// procedure's own toggling would undo it.
TEST_F(HeadlessDialogs, CheckBoxesAndRadioButtonsOnlyNotify) {
    headless::ScriptDialog([](DialogHandle& d, const DialogTemplate&) {
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

TEST_F(HeadlessDialogs, EscapeLeavesANoticeOpenAndUnclosedDialogsAreReported) {
    headless::ScriptDialog([](DialogHandle& d, const DialogTemplate&) {
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

    // Ending in Init skips the scripted answer and leaves it for the next dialog.
    headless::ScriptDialog(headless::Click(1));
    EXPECT_EQ(platform::RunDialog(noticeDialog, [](DialogHandle& d, DialogMessage,
                                                   int) { platform::EndDialog(d, 5); }),
              5);
    EXPECT_EQ(headless::ScriptedDialogsLeft(), 1u);
    EXPECT_TRUE(headless::Dialogs()[3].commands.empty());
}

TEST_F(HeadlessDialogs, ControlTextReadsLikeGetWindowText) {
    headless::ScriptDialog([](DialogHandle& d, const DialogTemplate&) {
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

TEST_F(HeadlessDialogs, TheOwnerIsRepaintedWhileADialogIsOpen) {
    paints = 0;
    ASSERT_TRUE(platform::OpenMainWindow(
        "Glimora", [](const platform::Event& e) { paints += e.type == platform::EventType::Paint; },
        MenuBar{"MAINMENUENG", {}}));
    platform::RequestRepaint();
    headless::QueueClick(3, 3);
    headless::ScriptDialog([](DialogHandle& d, const DialogTemplate&) {
        EXPECT_EQ(paints, 1);
        headless::ClickControl(d, 1);
    });
    platform::RunDialog(noticeDialog, noticeProcedure);
    EXPECT_EQ(headless::PendingEvents(), 2u); // the click waits for the loop, after the dialog
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
