// The drawn dialogs and message boxes driven as a player drives them, on the headless backend:
// clicks at the controls' places, typing, Tab, Enter, Escape and mnemonics.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/classic_ui/dialog_layout.h"
#include "platform/classic_ui/modal_dialog.h"
#include "platform/classic_ui/ui_event.h"
#include "platform/classic_ui/window_core.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "resources/bitmap_font.h"
#include "resources/resources.h"
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

// The window keeps its menu bar by reference: it must outlive the window.
const MenuBar noMenus{"MAINMENUENG", {}};

class HeadlessDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        storedName = "unset";
        helpChosen = englishChosen = true;
        ASSERT_TRUE(platform::OpenMainWindow(
            "Glimora", [](const platform::Event&) {}, noMenus));
    }
    void TearDown() override {
        EXPECT_EQ(headless::StaleScreen(), "");
        headless::Reset();
    }

    // Checks the open dialog when the script gets there.
    static void Check(std::function<void(DialogHandle&)> check) {
        headless::AwaitDialog();
        headless::QueueProbe([check = std::move(check)] {
            ASSERT_NE(headless::OpenDialog(), nullptr) << "a dialog is open";
            check(*headless::OpenDialog());
        });
    }
    // A pointer event `dx` pixels right of the middle of `r`, for the open dialog or box.
    static void Pointer(classicui::UiEvent::Kind kind, classicui::Rect r, int dx = 0) {
        classicui::UiEvent e;
        e.kind = kind;
        e.x = r.x + r.w / 2 + dx;
        e.y = r.y + r.h / 2;
        headless::AwaitDialog();
        headless::QueueInput(e);
    }
    static void Key(classicui::UiKey key, char ch = 0, bool alt = false, bool shift = false) {
        headless::AwaitDialog();
        headless::QueueKey(key, ch, alt, shift);
    }
    // Keeps the screen as the open dialog shows it, or checks that it shows `same` now.
    static void ScreenTo(Surface& kept) {
        headless::AwaitDialog();
        headless::QueueProbe([&kept] { kept = headless::Screen(); });
    }
    static void ScreenIs(const Surface& same, const char* what) {
        headless::AwaitDialog();
        headless::QueueProbe(
            [&same, what] { EXPECT_TRUE(headless::Screen().pixels == same.pixels) << what; });
    }
};

TEST_F(HeadlessDialogs, NameFieldKeepsItsLimitAndTheReadCount) {
    headless::QueueText("ABCDEFGHIJKL");
    headless::QueueControlClick(nameDialog, 1);
    EXPECT_EQ(platform::RunDialog(nameDialog, nameProcedure), 0);
    // Nine characters were accepted; GetWindowTextA with 9 gives the first eight.
    EXPECT_EQ(storedName, "ABCDEFGH");

    headless::QueueText("Zo\u00E9"); // typed as UTF-8, kept as Windows-1252
    Check([](DialogHandle& d) { EXPECT_EQ(platform::GetControlText(d, 1001, 64), "Zo\xE9"); });
    headless::QueueText("0123456789"); // the limit holds nine characters
    Check([](DialogHandle& d) {
        EXPECT_EQ(platform::GetControlText(d, 1001, 64), "Zo\xE9"
                                                         "012345");
    });
    Key(classicui::UiKey::Home);
    Key(classicui::UiKey::Delete);
    Key(classicui::UiKey::End);
    Key(classicui::UiKey::Backspace);
    Check([](DialogHandle& d) {
        EXPECT_EQ(platform::GetControlText(d, 1001, 64), "o\xE9"
                                                         "01234");
    });
    // Right at the end of the text leaves the caret where it is drawn.
    Surface atEnd;
    ScreenTo(atEnd);
    Key(classicui::UiKey::Right);
    ScreenIs(atEnd, "the caret stays at the end");
    // Right moves the caret, Up and Down do not move it in an edit field.
    for (classicui::UiKey k :
         {classicui::UiKey::Home, classicui::UiKey::Left, classicui::UiKey::Right,
          classicui::UiKey::Left, classicui::UiKey::Right, classicui::UiKey::Right,
          classicui::UiKey::Down, classicui::UiKey::Up})
        Key(k);
    headless::QueueText("x");
    Key(classicui::UiKey::Return); // in the edit field: the default push button, OK
    EXPECT_EQ(platform::RunDialog(nameDialog, nameProcedure), 0);
    EXPECT_EQ(storedName, "o\xE9x"
                          "01234");
    ASSERT_EQ(headless::Dialogs().size(), 2u);
    EXPECT_EQ(headless::Dialogs()[0].resourceId, 1100);
    EXPECT_EQ(headless::Dialogs()[0].commands, std::vector<int>{1});
    EXPECT_FALSE(headless::Dialogs()[1].forcedEnd);

    // Left moves the caret back; Ctrl+V pastes the clipboard's first line; a press in the field
    // puts the caret at the nearest gap between letters; Tab and Shift+Tab go round the tab stops
    // (the field, OK), as Up and Down do outside an edit field; Space presses the focused OK.
    classicui::MainWindow().clipboardText = [] { return std::string("Zo\u00E9\nrest\r\n"); };
    Key(classicui::UiKey::Left); // at the start already: stays there
    headless::QueueText("abc");
    Key(classicui::UiKey::Left);
    Key(classicui::UiKey::Left);
    headless::QueueText("X");
    classicui::UiEvent paste;
    paste.kind = classicui::UiEvent::Kind::Key;
    paste.key = classicui::UiKey::Char;
    paste.ch = 'v';
    paste.ctrl = true;
    headless::AwaitDialog();
    headless::QueueInput(paste);
    const classicui::Rect field = headless::ControlRect(nameDialog, 1001);
    // From the middle of a letter on, a press puts the caret after it.
    const int afterA = EmbeddedFont(DialogFontId).advanceOf('a') / 2;
    using Kind = classicui::UiEvent::Kind;
    Pointer(Kind::MouseDown, field, afterA + 3 - field.w / 2);
    Pointer(Kind::MouseUp, field, afterA + 3 - field.w / 2);
    headless::QueueText("<");
    const auto focusIs = [](int index, std::string text = {}) {
        Check([index, text](DialogHandle& d) {
            EXPECT_EQ(d.focus, index);
            if (!text.empty()) {
                EXPECT_EQ(platform::GetControlText(d, 1001, 64), text);
            }
        });
    };
    focusIs(0, "a<XZo\xE9"
               "bc");
    Key(classicui::UiKey::Tab);
    headless::AwaitDialog();
    headless::QueueInput(paste); // on OK: nothing to paste into
    focusIs(1, "a<XZo\xE9"
               "bc");
    Key(classicui::UiKey::Up);
    focusIs(0);
    Key(classicui::UiKey::Tab);
    Key(classicui::UiKey::Down);
    headless::QueueText("!"); // a field reached from a button takes text at its end
    focusIs(0, "a<XZo\xE9"
               "bc!");
    Key(classicui::UiKey::Tab, 0, false, true);
    focusIs(1);
    Key(classicui::UiKey::Space);
    EXPECT_EQ(platform::RunDialog(nameDialog, nameProcedure), 0);
    EXPECT_EQ(storedName, "a<XZo\xE9"
                          "bc");
    classicui::MainWindow().clipboardText = nullptr;
}

// A click on a check box or radio button only notifies: were it to toggle by itself, the
// procedure's own toggling would undo it.
TEST_F(HeadlessDialogs, CheckBoxesAndRadioButtonsOnlyNotify) {
    Check([](DialogHandle& d) {
        EXPECT_TRUE(platform::GetCheck(d, 2001));
        EXPECT_TRUE(platform::GetCheck(d, 2101));
        EXPECT_FALSE(platform::GetCheck(d, 2103));
    });
    headless::QueueControlClick(optionsDialog, 2001);
    Check([](DialogHandle& d) { EXPECT_FALSE(platform::GetCheck(d, 2001)); });
    // A release over Cancel, or over the close box, without a press there presses nothing; nor
    // does the pointer moving with nothing held.
    const classicui::WindowCore& w = classicui::MainWindow();
    Pointer(classicui::UiEvent::Kind::MouseMove, headless::ControlRect(optionsDialog, 2));
    Pointer(classicui::UiEvent::Kind::MouseUp, headless::ControlRect(optionsDialog, 2));
    Pointer(classicui::UiEvent::Kind::MouseUp,
            classicui::LayoutDialog(optionsDialog, w.uiClientArea(), w.uiWindowArea()).closeBox);
    headless::QueueControlClick(optionsDialog, 2103);
    headless::QueueControlClick(optionsDialog, 2103); // already checked: the procedure leaves it
    Check([](DialogHandle& d) {
        EXPECT_TRUE(platform::GetCheck(d, 2103));
        EXPECT_FALSE(platform::GetCheck(d, 2101));
    });
    const classicui::Rect group = headless::ControlRect(optionsDialog, NoControlId);
    headless::AwaitDialog();
    headless::QueueWindowClick(group.x + 2, group.y + group.h - 2); // the group box sends nothing
    headless::QueueControlClick(optionsDialog, 1);
    EXPECT_EQ(platform::RunDialog(optionsDialog, optionsProcedure), 0);
    EXPECT_FALSE(helpChosen);
    EXPECT_FALSE(englishChosen);
    EXPECT_EQ(headless::Dialogs()[0].commands, (std::vector<int>{2001, 2103, 2103, 1}));
}

// The keyboard: Enter presses the focused push button (a press on a button focuses it), Space
// presses the focused control, Alt and a control's letter press it; a button pressed and let
// go beside it sends nothing.
TEST_F(HeadlessDialogs, TheKeyboardPressesTheFocusedButtonAndTheMnemonics) {
    const auto pressAndSlipOff = [](int controlId) {
        const classicui::Rect r = headless::ControlRect(optionsDialog, controlId);
        Pointer(classicui::UiEvent::Kind::MouseDown, r);
        Pointer(classicui::UiEvent::Kind::MouseUp, r, r.w / 2 + 5);
    };
    pressAndSlipOff(2);
    Key(classicui::UiKey::Return); // Cancel has the focus, not the default OK
    EXPECT_EQ(platform::RunDialog(optionsDialog, optionsProcedure), 1);
    EXPECT_EQ(headless::Dialogs()[0].commands, std::vector<int>{2});

    Key(classicui::UiKey::Char, 'h', true); // &Help screen
    Key(classicui::UiKey::Space);           // the check box has the focus now
    pressAndSlipOff(1);
    Key(classicui::UiKey::Space); // presses the focused OK, as it pressed the check box
    EXPECT_EQ(platform::RunDialog(optionsDialog, optionsProcedure), 0);
    EXPECT_EQ(headless::Dialogs()[1].commands, (std::vector<int>{2001, 2001, 1}));
    EXPECT_TRUE(helpChosen);

    // The close box held, the pointer taken off it and back, then let go: it cancels.
    const classicui::WindowCore& w = classicui::MainWindow();
    const classicui::Rect box =
        classicui::LayoutDialog(optionsDialog, w.uiClientArea(), w.uiWindowArea()).closeBox;
    using Kind = classicui::UiEvent::Kind;
    // On the screen it is pressed in while the pointer is on it, and out while it is not: on
    // it means on the 16 x 14 button drawn, to its last column and row.
    Surface plain, in;
    ScreenTo(plain);
    Pointer(Kind::MouseDown, box);
    ScreenTo(in);
    Pointer(Kind::MouseMove, box, 7);
    ScreenIs(in, "its last column");
    Pointer(Kind::MouseMove, box, 8);
    ScreenIs(plain, "right of it");
    Pointer(Kind::MouseMove, box.moved(0, 6));
    ScreenIs(in, "its last row");
    Pointer(Kind::MouseMove, box.moved(0, 7));
    ScreenIs(plain, "below it");
    Pointer(Kind::MouseMove, box);
    ScreenIs(in, "back on it");
    Pointer(Kind::MouseUp, box);
    EXPECT_EQ(platform::RunDialog(optionsDialog, optionsProcedure), 1);
    EXPECT_EQ(headless::Dialogs()[2].commands, std::vector<int>{2});
    EXPECT_FALSE(in.pixels == plain.pixels);

    // Tab goes forward round the tab stops (OK, Cancel, the check box, the radio buttons),
    // Shift+Tab back; outside an edit field Up and Left go back, Down and Right forward.
    const auto focusAfter = [](classicui::UiKey key, int index, bool shift = false) {
        Key(key, 0, false, shift);
        Check([index](DialogHandle& d) { EXPECT_EQ(d.focus, index); });
    };
    Key(classicui::UiKey::Char, '1'); // no control's letter
    focusAfter(classicui::UiKey::Tab, 1);
    focusAfter(classicui::UiKey::Tab, 0, true);
    focusAfter(classicui::UiKey::Up, 5);
    Key(classicui::UiKey::Space); // presses the focused radio button
    focusAfter(classicui::UiKey::Down, 0);
    focusAfter(classicui::UiKey::Left, 5);
    focusAfter(classicui::UiKey::Right, 0);
    focusAfter(classicui::UiKey::Down, 1);
    Key(classicui::UiKey::Space);
    EXPECT_EQ(platform::RunDialog(optionsDialog, optionsProcedure), 1);
    EXPECT_EQ(headless::Dialogs()[3].commands, (std::vector<int>{2103, 2}));
}

TEST_F(HeadlessDialogs, AGamepadMovesTheFocusPressesWithAAndCancelsWithB) {
    using classicui::UiKey;
    // Up and down go round the tab stops, A presses the control in focus, B cancels.
    Key(UiKey::PadUp);   // the last radio button
    Key(UiKey::PadA);    // pressed
    Key(UiKey::PadDown); // OK
    Key(UiKey::PadDown); // Cancel
    Key(UiKey::PadStart);
    Key(UiKey::PadA);
    EXPECT_EQ(platform::RunDialog(optionsDialog, optionsProcedure), 1);
    Key(UiKey::PadB);
    EXPECT_EQ(platform::RunDialog(optionsDialog, optionsProcedure), 1);
    EXPECT_EQ(headless::Dialogs()[0].commands, (std::vector<int>{2103, 2}));
    EXPECT_EQ(headless::Dialogs()[1].commands, (std::vector<int>{2}));
    // In the name field A is Enter (Space would type); down leaves the field for OK.
    headless::AwaitDialog();
    headless::QueueText("Zoe");
    Key(UiKey::PadA);
    EXPECT_EQ(platform::RunDialog(nameDialog, nameProcedure), 0);
    EXPECT_EQ(storedName, "Zoe");
    Key(UiKey::PadDown);
    Check([](DialogHandle& d) { EXPECT_EQ(d.control(d.focus).kind, ControlKind::DefPushButton); });
    Key(UiKey::PadA);
    EXPECT_EQ(platform::RunDialog(nameDialog, nameProcedure), 0);
    EXPECT_EQ(headless::Dialogs()[3].commands, std::vector<int>{1});
    // A message box closes at A or B.
    Key(UiKey::PadA);
    platform::ShowMessage("Error 4.", "Error!");
    Key(UiKey::PadB);
    platform::ShowMessage("Error 4.", "Error!");
    EXPECT_EQ(headless::PendingInputs(), 0u);
    EXPECT_TRUE(headless::UnseenMessages().empty());
}

TEST_F(HeadlessDialogs, EscapeLeavesANoticeOpenAndUnclosedDialogsAreReported) {
    Key(classicui::UiKey::Escape);
    Check([](DialogHandle&) {}); // still open
    headless::QueueControlClick(noticeDialog, 1);
    EXPECT_EQ(platform::RunDialog(noticeDialog, noticeProcedure), 0);
    EXPECT_EQ(headless::Dialogs()[0].commands, (std::vector<int>{2, 1}));

    // Without a default button Enter presses the focused one, the notice's OK.
    Key(classicui::UiKey::Return);
    EXPECT_EQ(platform::RunDialog(noticeDialog, noticeProcedure), 0);
    EXPECT_EQ(headless::Dialogs()[1].commands, std::vector<int>{1});

    // A dialog nobody closes ends by force when the script runs out, and says so.
    Key(classicui::UiKey::Escape);
    EXPECT_EQ(platform::RunDialog(noticeDialog, noticeProcedure), -1);
    EXPECT_TRUE(headless::Dialogs()[2].forcedEnd);
    EXPECT_EQ(headless::Dialogs()[2].commands, std::vector<int>{2});

    // Ending in Init takes no input: it is left for the next dialog.
    headless::QueueControlClick(noticeDialog, 1);
    EXPECT_EQ(platform::RunDialog(noticeDialog, [](DialogHandle& d, DialogMessage,
                                                   int) { platform::EndDialog(d, 5); }),
              5);
    EXPECT_TRUE(headless::Dialogs()[3].commands.empty());
    EXPECT_EQ(headless::Dialogs()[3].result, 5);
    EXPECT_EQ(platform::RunDialog(noticeDialog, noticeProcedure), 0);
    EXPECT_EQ(headless::Dialogs()[4].commands, std::vector<int>{1});

    // The window resized while a dialog is up takes its new size at once.
    classicui::UiEvent resize;
    resize.kind = classicui::UiEvent::Kind::Resize;
    resize.x = 520;
    resize.y = 500;
    headless::AwaitDialog();
    headless::QueueInput(resize);
    Key(classicui::UiKey::Return);
    EXPECT_EQ(platform::RunDialog(noticeDialog, noticeProcedure), 0);
    int w = 0, h = 0;
    platform::GetClientSize(w, h);
    EXPECT_EQ(w, 520);
    EXPECT_EQ(h, 500);
}

TEST_F(HeadlessDialogs, ControlTextReadsLikeGetWindowText) {
    Check([](DialogHandle& d) {
        EXPECT_EQ(platform::GetControlText(d, 1461, 6), "Color");
        EXPECT_EQ(platform::GetControlText(d, 1461, 0), "");
        EXPECT_EQ(platform::GetControlText(d, 9999, 10), "");
        // A label is no edit field: limits leave it alone.
        platform::LimitText(d, 1461, 1);
        platform::LimitText(d, 9999, 1); // no such control
        EXPECT_EQ(platform::GetControlText(d, 1461, 100), "Color of the element is not the");
    });
    headless::QueueText("x"); // the focused button takes no text
    Check([](DialogHandle& d) {
        EXPECT_EQ(platform::GetControlText(d, 1, 10), "OK");
        EXPECT_EQ(platform::GetControlText(d, 1461, 100), "Color of the element is not the");
    });
    headless::QueueControlClick(noticeDialog, 1);
    EXPECT_EQ(platform::RunDialog(noticeDialog, noticeProcedure), 0);
}

int paints = 0;
int paintsAtOk = -1;

TEST_F(HeadlessDialogs, TheOwnerIsRepaintedWhileADialogIsOpen) {
    platform::DestroyMainWindow();
    headless::Reset();
    paints = 0;
    ASSERT_TRUE(platform::OpenMainWindow(
        "Glimora", [](const platform::Event& e) { paints += e.type == platform::EventType::Paint; },
        noMenus));
    platform::RequestRepaint();
    // The player clicks OK a moment later: meanwhile the loop paints the owner.
    const classicui::Rect ok = headless::ControlRect(noticeDialog, 1);
    classicui::UiEvent e;
    e.kind = classicui::UiEvent::Kind::MouseDown;
    e.x = ok.x + ok.w / 2;
    e.y = ok.y + ok.h / 2;
    headless::QueueInputAt(platform::GetTicks() + 50, e);
    e.kind = classicui::UiEvent::Kind::MouseUp;
    headless::QueueInputAt(platform::GetTicks() + 60, e);
    // Uncovered again meanwhile: painted once more.
    classicui::UiEvent expose;
    expose.kind = classicui::UiEvent::Kind::Expose;
    headless::QueueInputAt(platform::GetTicks() + 20, expose);
    EXPECT_EQ(platform::RunDialog(noticeDialog,
                                  [](DialogHandle& d, DialogMessage m, int id) {
                                      if (m == DialogMessage::Command && id == 1) {
                                          paintsAtOk = paints;
                                          platform::EndDialog(d, 0);
                                      }
                                  }),
              0);
    EXPECT_EQ(paintsAtOk, 2);
}

TEST_F(HeadlessDialogs, MessageBoxesAreRecordedAndClosedByOkOrTheKeyboard) {
    Key(classicui::UiKey::Return);
    platform::ShowMessage("Cannot write the save file.", "Error!");
    Key(classicui::UiKey::Escape);
    platform::ShowMessage("Too much users", "Glimora 1.00");
    EXPECT_EQ(headless::PendingInputs(), 0u);
    ASSERT_EQ(headless::Messages().size(), 2u);
    EXPECT_EQ(headless::Messages()[0].text, "Cannot write the save file.");
    EXPECT_EQ(headless::Messages()[0].caption, "Error!");
    EXPECT_EQ(headless::Messages()[1].caption, "Glimora 1.00");

    // The mouse: a press on OK let go beside it, and a release over the close box that was not
    // pressed there, leave the box open; a click on its close box closes it.
    const classicui::WindowCore& w = classicui::MainWindow();
    const classicui::MessageBoxLayout m = classicui::LayoutMessageBox(
        EmbeddedFont(DialogFontId), "Error 4.", "Error!", w.uiClientArea(), w.uiWindowArea());
    // A text too long for a line is wrapped to lines that fit a box inside the window.
    const std::string longText(70, 'W');
    const classicui::MessageBoxLayout wrapped = classicui::LayoutMessageBox(
        EmbeddedFont(DialogFontId), longText, "Error!", w.uiClientArea(), w.uiWindowArea());
    EXPECT_GT(wrapped.lines.size(), 1u);
    EXPECT_GE(wrapped.frame.outer.x, 0);
    EXPECT_LE(wrapped.frame.outer.x + wrapped.frame.outer.w, w.uiWindowArea().w);
    using Kind = classicui::UiEvent::Kind;
    Pointer(Kind::MouseDown, m.okButton);
    Pointer(Kind::MouseMove, m.okButton, m.okButton.w);
    Pointer(Kind::MouseUp, m.okButton, m.okButton.w);
    Pointer(Kind::MouseUp, m.frame.closeBox);
    Pointer(Kind::MouseDown, m.frame.closeBox);
    Pointer(Kind::MouseUp, m.frame.closeBox);
    headless::QueueKey(classicui::UiKey::Return); // for what follows the box
    const size_t forLater = headless::PendingInputs();
    platform::ShowMessage("Error 4.", "Error!");
    EXPECT_EQ(headless::PendingInputs(), forLater);
    headless::QueueKey(classicui::UiKey::Escape);
    const size_t queued = headless::PendingInputs();
    platform::ShowMessage("Error 4.", "Error!");
    EXPECT_EQ(headless::PendingInputs(), queued - 1); // the Return's press closed it

    int code = 0;
    while (platform::PumpOne(code) == platform::PumpResult::Dispatched) {
    } // the keys left over go to the window
    ASSERT_EQ(headless::PendingInputs(), 0u);

    // What the player sees of a held button: OK pressed in while the pointer is on it, out
    // again when it leaves, in again when it comes back; the close box the same. A click on
    // OK closes the box.
    Surface plain, okIn, closeIn;
    ScreenTo(plain);
    Pointer(Kind::MouseDown, m.okButton);
    ScreenTo(okIn);
    Pointer(Kind::MouseMove, m.okButton, m.okButton.w);
    ScreenIs(plain, "OK out again");
    Pointer(Kind::MouseMove, m.okButton);
    ScreenIs(okIn, "OK in again");
    Pointer(Kind::MouseMove, m.okButton, m.okButton.w);
    Pointer(Kind::MouseUp, m.okButton, m.okButton.w);
    Pointer(Kind::MouseDown, m.frame.closeBox);
    ScreenTo(closeIn);
    Pointer(Kind::MouseMove, m.frame.closeBox, m.okButton.w);
    ScreenIs(plain, "the close box out again");
    Pointer(Kind::MouseUp, m.frame.closeBox, m.okButton.w);
    Pointer(Kind::MouseDown, m.okButton);
    Pointer(Kind::MouseUp, m.okButton);
    platform::ShowMessage("Error 4.", "Error!");
    EXPECT_EQ(headless::PendingInputs(), 0u);
    EXPECT_FALSE(okIn.pixels == plain.pixels) << "OK is drawn pressed in";
    EXPECT_FALSE(closeIn.pixels == plain.pixels) << "the close box is drawn pressed in";
    EXPECT_FALSE(closeIn.pixels == okIn.pixels);
    EXPECT_FALSE(plain.pixels.empty());

    // A request to end the program closes a box at once: its message is said where it is not
    // lost. The boxes the player closed were not.
    EXPECT_TRUE(headless::UnseenMessages().empty());
    classicui::UiEvent quit;
    quit.kind = Kind::Quit;
    headless::AwaitDialog();
    headless::QueueInput(quit);
    platform::ShowMessage("Error 5.", "Error!");
    ASSERT_EQ(headless::UnseenMessages().size(), 1u);
    EXPECT_EQ(headless::UnseenMessages()[0].text, "Error 5.");
    EXPECT_EQ(platform::PumpOne(code), platform::PumpResult::Dispatched) << "the request goes on";
    EXPECT_EQ(platform::PumpOne(code), platform::PumpResult::Idle) << "once";
    // Without a window no box can show: the message is said elsewhere at once.
    platform::DestroyMainWindow();
    platform::ShowMessage("Error 6.", "Error!");
    ASSERT_EQ(headless::UnseenMessages().size(), 2u);
    EXPECT_EQ(headless::UnseenMessages()[1].text, "Error 6.");
}

} // namespace
