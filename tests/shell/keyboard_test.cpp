// Playing without a pointer: a whole game by keys, the board cursor, the picture buttons'
// focus, the frame that shows them, held keys and a gamepad's buttons.
#include <filesystem>

#include "persistence/paths.h"
#include "platform/headless/headless.h"
#include "presentation/key_marks.h"
#include "shell/shell.h"
#include "tests/shell/scenario_session.h"

namespace {

using classicui::UiKey;

void Key(UiKey key, bool shift = false) {
    headless::QueueKey(key, 0, false, shift);
}

// A key held down: its press (unless only its repeats) and `repeats` repeats, no release;
// for the dialog that shows next when `forDialog`.
void HoldKey(UiKey key, int repeats, bool pressed = true, bool forDialog = false) {
    classicui::UiEvent e;
    e.kind = classicui::UiEvent::Kind::Key;
    e.key = key;
    e.repeat = !pressed;
    for (int i = 0; i <= repeats; ++i) {
        if (forDialog) headless::AwaitDialog();
        if (i > 0 || pressed) headless::QueueInput(e);
        e.repeat = true;
    }
}

void Release(UiKey key, bool forDialog = false) {
    classicui::UiEvent e;
    e.kind = classicui::UiEvent::Kind::KeyUp;
    e.key = key;
    if (forDialog) headless::AwaitDialog();
    headless::QueueInput(e);
}

// The window as the player sees it now, menu bar and all.
std::vector<uint32_t> Shown() {
    platform::WaitForEvent(0);
    const Surface& s = headless::Screen();
    std::vector<uint32_t> all;
    for (int y = 0; y < s.height; ++y)
        all.insert(all.end(), s.row(y), s.row(y) + s.width);
    return all;
}

uint32_t Client(const Point& p) {
    return headless::Pixel(p.x, p.y);
}

class KeyboardScenario : public ShellScenario {
  protected:
    // A new player's whole first game, from the help screen to Exit in the menu, by keys or
    // by clicks: the same inputs at the same moments. Each element goes to the first square
    // that takes it, row by row.
    void PlayWholeGame(bool byKeys) {
        Start();
        ASSERT_EQ(P().Screen, HelpScreen);
        byKeys ? Key(UiKey::Return) : headless::QueueClick(HelpOkAt.x, HelpOkAt.y);
        byKeys ? Key(UiKey::Space) : headless::QueueClick(PlayButtonAt.x, PlayButtonAt.y);
        Settle();
        ASSERT_EQ(P().Screen, GameScreen);
        int column = 0, row = 0; // where the cursor is
        for (int placed = 0; placed < 12 && G().GameOverClickArmed == 0;) {
            RunFor(200);
            const int target = FreeSquare();
            if (target < 0) continue;
            const int c = target % BoardSide, r = target / BoardSide;
            if (byKeys) {
                for (; column < c; ++column)
                    Key(UiKey::Right);
                for (; column > c; --column)
                    Key(UiKey::Left);
                for (; row < r; ++row)
                    Key(UiKey::Down);
                for (; row > r; --row)
                    Key(UiKey::Up);
                Key(placed % 2 == 0 ? UiKey::Return : UiKey::Space);
                Settle();
            } else {
                Click(SquareCentre(c, r));
            }
            ++placed;
        }
        for (int i = 0; i < 600 && G().GameOverClickArmed == 0; ++i)
            RunFor(100, 100);
        ASSERT_EQ(G().GameOverClickArmed, 1);
        byKeys ? Key(UiKey::Return) : headless::QueueClick(240, 240);
        TypeInDialog("Keys");
        byKeys ? KeyInDialog(UiKey::Return) : ClickInDialog(1101, 1);
        RunFor(2100);
        ASSERT_EQ(P().Screen, HighScoreScreen);
        // Play again first, then Exit: the second Tab reaches Exit.
        if (byKeys) {
            Key(UiKey::Tab);
            Key(UiKey::Tab);
            Key(UiKey::Return);
        } else {
            headless::QueueClick(HighScoreExitAt.x, HighScoreExitAt.y);
        }
        Settle();
        ASSERT_EQ(P().Screen, TitleScreen);
        if (byKeys) {
            headless::QueueKey(UiKey::Char, 'l', true);
            headless::QueueKey(UiKey::Char, 'x');
            for (int i = 0; i < 1000 && MainLoopPass(); ++i) {
            }
            EXPECT_EQ(P().exitCode, 0);
        } else {
            EXPECT_EQ(Exit(), 0);
        }
        EXPECT_TRUE(P().quitReached);
        EXPECT_STREQ(P().save.highScores[0].name.data(), "Keys");
        EXPECT_GT(P().save.highScores[0].score, 0);
    }

    // The first square the active element may go to, row by row; -1 when none.
    int FreeSquare() {
        const GameState& g = G();
        if (g.activeIndex < 0 || g.activeIndex >= g.pileCount) return -1;
        const PileSlot& active = g.slots[static_cast<size_t>(g.activeIndex)];
        if (active.landed) return -1;
        for (int i = 0; i < BoardCells; ++i) {
            const Cell& cell = g.board.at(i % BoardSide, i / BoardSide);
            if (cell.kind == ElementKind::None &&
                (cell.color == Color::Plain || cell.color == active.color))
                return i;
        }
        return -1;
    }

    // The cursor's square: the board cell whose frame is shown.
    bool CursorShownAt(int column, int row) {
        return KeyMarkShown() && KeyMarkPlace() == BoardSquareMark(column, row);
    }
};

} // namespace

TEST_F(KeyboardScenario, AWholeGameByKeysWritesTheSameFilesAsTheSameGameByClicks) {
    const std::filesystem::path folder = Folder();
    const auto files = [&folder] {
        return std::make_pair(FileBytes(folder / "Glimora" / "donnees0.icc"),
                              FileBytes(folder / SlotFileName));
    };
    PlayWholeGame(false);
    const auto byClicks = files();
    ASSERT_EQ(byClicks.first.size(), 1648u);
    std::filesystem::remove_all(folder / "Glimora");
    std::filesystem::remove(folder / SlotFileName);
    std::filesystem::create_directories(folder / "Glimora");
    PlayWholeGame(true);
    const auto byKeys = files();
    EXPECT_TRUE(byKeys.first == byClicks.first) << "the saved games differ";
    EXPECT_TRUE(byKeys.second == byClicks.second) << "the slot files differ";
}

TEST_F(KeyboardScenario, TheCursorStartsTopLeftStopsAtTheEdgesAndComesBackOnResume) {
    StartOnTitle();
    PlayFromTitle();
    EXPECT_FALSE(KeyMarkShown()) << "nothing shows before a key";
    Key(UiKey::Left);
    Key(UiKey::Up);
    Settle();
    EXPECT_TRUE(CursorShownAt(0, 0)) << "a press at an edge shows the cursor where it is";
    for (int i = 0; i < 8; ++i) {
        Key(UiKey::Right);
        Key(UiKey::Down);
    }
    Settle();
    EXPECT_TRUE(CursorShownAt(5, 5));
    Key(UiKey::Left);
    Key(UiKey::Tab); // Tab and letters do nothing on the board
    headless::QueueKey(UiKey::Char, 'x');
    Settle();
    EXPECT_TRUE(CursorShownAt(4, 5));
    EXPECT_EQ(FilledSquares(), 0);

    // A gamepad's Start pauses as the menu's Pause does: no cursor on the paused game; A
    // resumes it, places nothing, and the cursor is back at the top left.
    Key(UiKey::PadStart);
    Settle();
    EXPECT_EQ(G().Paused, 1);
    EXPECT_FALSE(KeyMarkShown());
    Key(UiKey::PadRight); // the paused board takes no cursor moves
    Key(UiKey::PadA);
    Settle();
    EXPECT_EQ(G().Paused, 0);
    EXPECT_EQ(FilledSquares(), 0);
    EXPECT_TRUE(CursorShownAt(0, 0));
    Key(UiKey::PadRight);
    Key(UiKey::PadDown);
    Key(UiKey::PadA);
    Settle();
    EXPECT_NE(G().board.at(1, 1).kind, ElementKind::None) << "A places at the cursor";

    // A held Enter places once; the cursor's frame goes at a click, and only a new key
    // press brings it back.
    RunFor(2600);
    Key(UiKey::Right);
    HoldKey(UiKey::Return, 3);
    Release(UiKey::Return);
    Settle();
    EXPECT_EQ(FilledSquares(), 2);
    EXPECT_TRUE(headless::Dialogs().empty()) << "its repeats are no clicks on the square";
    EXPECT_NE(G().board.at(2, 1).kind, ElementKind::None);
    EXPECT_TRUE(CursorShownAt(2, 1));
    Click({460, 20}); // beside the board: places nothing
    EXPECT_FALSE(KeyMarkShown());
}

TEST_F(KeyboardScenario, ANoticeOpenedByAKeyWaitsForANewPress) {
    StartOnTitle();
    PlayFromTitle();
    Key(UiKey::Return); // the first element goes to (0, 0)
    Settle();
    RunFor(2600);
    ASSERT_EQ(FilledSquares(), 1);
    // Return on the same square: its notice opens while Return is still held; the repeats,
    // then the release, leave it open, and the next press answers it.
    HoldKey(UiKey::Return, 5);
    Release(UiKey::Return, true);
    CheckInDialog([](platform::DialogHandle&) {});
    KeyInDialog(UiKey::Return);
    Settle();
    ASSERT_EQ(headless::Dialogs().size(), 1u);
    EXPECT_EQ(headless::Dialogs()[0].resourceId, 1463);
    EXPECT_EQ(headless::Dialogs()[0].commands, (std::vector<int>{1}));
    EXPECT_FALSE(headless::Dialogs()[0].forcedEnd);

    // The name dialog, opened two seconds after the key that acknowledged GAME OVER, is not
    // answered by that key held down, nor typed into by its repeats.
    PlayUntilGameOver();
    HoldKey(UiKey::Space, 1);
    Settle();
    HoldKey(UiKey::Space, 3, false, true);
    TypeInDialog(" ");
    CheckInDialog([](platform::DialogHandle& d) {
        EXPECT_EQ(platform::GetControlText(d, 1002, 16), "") << "the held key types nothing";
    });
    Release(UiKey::Space, true);
    // A key pressed in the dialog repeats as usual: Backspace held takes two letters.
    TypeInDialog("Annie");
    HoldKey(UiKey::Backspace, 1, true, true);
    Release(UiKey::Backspace, true);
    KeyInDialog(UiKey::Return);
    RunFor(2100);
    EXPECT_EQ(P().Screen, HighScoreScreen);
    EXPECT_STREQ(P().save.highScores[0].name.data(), "Ann");
}

TEST_F(KeyboardScenario, TheFocusGoesThroughEachScreensButtonsAndPressesThem) {
    Start();
    ASSERT_EQ(P().Screen, HelpScreen);
    Key(UiKey::Tab); // the help screen's only button keeps the focus
    Settle();
    const std::vector<uint32_t> framed = Shown();
    headless::QueueClick(20, 20); // a click beside OK: the frame goes
    Settle();
    const std::vector<uint32_t> clicked = Shown();
    EXPECT_FALSE(framed == clicked);
    headless::QueueClick(HelpOkAt.x, HelpOkAt.y);
    headless::QueueClick(TitleHelpButtonAt.x, TitleHelpButtonAt.y);
    Settle();
    ASSERT_EQ(P().Screen, HelpScreen);
    EXPECT_TRUE(Shown() == clicked) << "a mouse player sees the help screen as before";

    Key(UiKey::Space);
    Settle();
    ASSERT_EQ(P().Screen, TitleScreen);
    // Title: the first Tab takes Play, then Options, Help, round again; Shift+Tab and the arrows
    // go both ways.
    const Point frameOf[3] = {{303, 133}, {303, 232}, {303, 325}}; // a light ring's pixel
    const struct {
        UiKey key;
        bool shift;
        int focus;
    } moves[] = {{UiKey::Tab, false, 0},  {UiKey::Down, false, 1}, {UiKey::Tab, false, 2},
                 {UiKey::Tab, false, 0},  {UiKey::Tab, true, 2},   {UiKey::Up, false, 1},
                 {UiKey::Left, false, 0}, {UiKey::Right, false, 1}};
    for (const auto& move : moves) {
        Key(move.key, move.shift);
        Settle();
        for (int b = 0; b < 3; ++b)
            EXPECT_EQ(Client(frameOf[b]) == KeyMarkLight, b == move.focus)
                << "button " << b << " after a move to " << move.focus;
    }
    Key(UiKey::Return); // Options
    KeyInDialog(UiKey::Escape);
    Settle();
    ASSERT_EQ(headless::Dialogs().size(), 1u);
    EXPECT_EQ(headless::Dialogs()[0].commands, (std::vector<int>{2}));
    EXPECT_EQ(Client(frameOf[1]), KeyMarkLight) << "the focus stays on Options";

    // The high-score screen from the title offers no Play again: Exit is its only button.
    Command(CmdHighScores);
    Key(UiKey::Right);
    Key(UiKey::Return);
    Settle();
    EXPECT_EQ(P().Screen, TitleScreen);

    // In a page, Tab past Help (Shift+Tab before Play) goes on to the page's own elements; the
    // Tab that brings the keyboard back takes Play (Shift+Tab Help), wherever the focus was.
    headless::PlaceInPage();
    const struct {
        bool shift;
        bool arriving;
        int focus; // -1: the keyboard is on the page
    } tabs[] = {{true, false, 2}, {false, false, -1}, {true, true, 2},  {true, false, 1},
                {false, true, 0}, {true, false, -1},  {false, false, 0}};
    for (const auto& tab : tabs) {
        classicui::UiEvent press;
        press.kind = classicui::UiEvent::Kind::Key;
        press.key = UiKey::Tab;
        press.shift = tab.shift;
        press.arriving = tab.arriving;
        headless::QueueInput(press);
        Settle();
        for (int b = 0; b < 3; ++b)
            EXPECT_EQ(Client(frameOf[b]) == KeyMarkLight, b == tab.focus)
                << "button " << b << " after a Tab to " << tab.focus;
    }
    EXPECT_EQ(headless::KeyboardPasses(), (std::vector<bool>{true, false}));
}
