// Playing on the game screen: rising elements, placement, pause and resume, window size, waiting.
#include <algorithm>
#include <cstdlib>

#include "persistence/save_record.h"
#include "platform/classic_ui/menu_layout.h"
#include "shell/shell.h"
#include "tests/shell/scenario_session.h"

TEST_F(ShellScenario, PlayStartsAGameWhoseElementsRiseAndAClickPlacesOne) {
    StartOnTitle();
    Click(PlayButtonAt);
    EXPECT_EQ(P().Screen, GameScreen);
    EXPECT_EQ(G().GameInProgress, 1);
    EXPECT_EQ(G().GameRunning, 1);
    RunFor(50);
    ASSERT_EQ(G().pileCount, 1);
    const int32_t entered = G().slots[0].y;
    RunFor(1000);
    EXPECT_LT(G().slots[0].y, entered);

    const ElementKind kind = G().slots[0].kind;
    Click(SquareCentre(2, 3));
    EXPECT_EQ(G().board.at(2, 3).kind, kind);
    EXPECT_EQ(FilledSquares(), 1);
    // A screen reader hears the score the placement left, its points credited.
    EXPECT_EQ(headless::Announcements(),
              std::vector<std::string>{"Score: " + std::to_string(G().score)});
}

TEST_F(ShellScenario, AMenuCommandPausesAndTheClickThatResumesPlacesNothing) {
    StartOnTitle();
    PlayFromTitle();
    Command(CmdPause);
    EXPECT_EQ(G().Paused, 1);
    EXPECT_EQ(G().GameRunning, 0);
    EXPECT_EQ(P().PauseOverlayPending, 0);
    const int32_t y = G().slots[0].y;
    RunFor(2000);
    EXPECT_EQ(G().slots[0].y, y) << "a paused pile does not move";

    // A popup still on its way: credited, then dropped on resuming.
    G().popups[0] =
        ScorePopup{200, 200, 20, static_cast<int32_t>(platform::GetTicks()), PopupStyle::Paint, 0};
    G().popupCount = 1;
    // A score past two thresholds of the points level: the resume refreshes the panel twice,
    // and each refresh raises the level once.
    G().score = 40001;
    Click(SquareCentre(0, 0));
    EXPECT_EQ(G().Paused, 0);
    EXPECT_EQ(G().GameRunning, 1);
    EXPECT_EQ(G().popupCount, 0);
    EXPECT_EQ(G().score, 40021);
    EXPECT_EQ(G().pointsLevel, 4);
    EXPECT_EQ(FilledSquares(), 0);
    RunFor(300);
    EXPECT_LT(G().slots[0].y, y);
    // Running again, a click places and leaves the rising popups alone.
    G().popups[0].tick = static_cast<int32_t>(platform::GetTicks());
    G().popupCount = 1;
    Click(SquareCentre(0, 0));
    EXPECT_EQ(FilledSquares(), 1);
    EXPECT_GE(G().popupCount, 1);
}

TEST_F(ShellScenario, ADoubleClickOnTheBoardPlacesOneElement) {
    StartOnTitle();
    PlayFromTitle();
    RunFor(2500); // a second element has entered behind the first
    ASSERT_GE(G().pileCount, 2);
    // Its two presses fall on the two sides of a square's edge: the second places nothing.
    headless::QueueLeftDown(SquareCentre(1, 1).x, SquareCentre(1, 1).y);
    headless::QueueLeftUp(SquareCentre(1, 1).x, SquareCentre(1, 1).y);
    headless::QueueLeftDoubleClick(SquareCentre(2, 1).x, SquareCentre(2, 1).y);
    headless::QueueLeftUp(SquareCentre(2, 1).x, SquareCentre(2, 1).y);
    Settle();
    EXPECT_EQ(FilledSquares(), 1);
    EXPECT_EQ(G().board.at(2, 1).kind, ElementKind::None);
}

TEST_F(ShellScenario, TheClientAreaIsKeptSquare) {
    StartOnTitle();
    headless::QueueResize(600, 500);
    Settle();
    ASSERT_FALSE(headless::SquareRequests().empty());
    EXPECT_EQ(headless::SquareRequests().back(), 500);

    headless::QueueResize(300, 200);
    Settle();
    EXPECT_EQ(headless::SquareRequests().back(), 480);

    // Within 10 pixels the window is left as it is, but still repainted.
    const size_t requests = headless::SquareRequests().size();
    const int repaints = headless::RepaintRequests();
    headless::QueueResize(490, 480);
    Settle();
    EXPECT_EQ(headless::SquareRequests().size(), requests);
    EXPECT_EQ(headless::RepaintRequests(), repaints + 1);
    headless::QueueResize(480, 490);
    Settle();
    EXPECT_EQ(headless::SquareRequests().size(), requests);
    headless::QueueResize(480, 491);
    Settle();
    ASSERT_EQ(headless::SquareRequests().size(), requests + 1);
    EXPECT_EQ(headless::SquareRequests().back(), 480);
}

TEST_F(ShellScenario, ClicksFollowTheWindowSize) {
    StartOnTitle();
    headless::QueueResize(960, 960);
    Settle();
    // The Play button's canvas region doubled; its canvas position alone misses it.
    Click(PlayButtonAt);
    EXPECT_EQ(P().Screen, TitleScreen);
    Click({PlayButtonAt.x * 2, PlayButtonAt.y * 2});
    EXPECT_EQ(P().Screen, GameScreen);
}

TEST_F(ShellScenario, TheLoopWaitsForInputWhenNothingIsDue) {
    StartOnTitle();
    EXPECT_EQ(TimeUntilDue(platform::GetTicks()), UINT32_MAX);
    PlayFromTitle();
    MainLoopPass();
    MainLoopPass();
    EXPECT_EQ(TimeUntilDue(platform::GetTicks()), G().lastPileStep + 101 - platform::GetTicks())
        << "the next pile step";
    EXPECT_EQ(TimeUntilDue(G().lastPileStep + 150), 0u) << "a step overdue is due at once";
    // The pass at that moment moves the pile, and the next one follows without a wait: the
    // next element may enter then.
    headless::SetTicks(G().lastPileStep + 101);
    MainLoopPass();
    EXPECT_EQ(TimeUntilDue(platform::GetTicks()), 0u);
    MainLoopPass();
    const uint32_t now = platform::GetTicks();
    ASSERT_EQ(G().lastPileStep, now);
    ASSERT_EQ(TimeUntilDue(now), 101u);
    G().popups[0].tick = static_cast<int32_t>(now - 50);
    G().popupCount = 1;
    EXPECT_EQ(TimeUntilDue(now), 51u) << "or the next popup step";
    P().pileMovedLastPass = true; // the next element may enter on the next pass: no wait
    EXPECT_EQ(TimeUntilDue(now), 0u);
    P().pileMovedLastPass = false;
    Command(CmdPause);
    EXPECT_EQ(TimeUntilDue(platform::GetTicks()), UINT32_MAX);
}

TEST_F(ShellScenario, TheWholeRunWaitsUntilTheNextStepAndEndsAtTheCloseBox) {
    headless::Reset();
    ResetProgramState();
    headless::SetTicks(1000);
    // A new player: OK on the help screen, then Play on the title screen.
    const auto input = [](classicui::UiEvent::Kind kind, Point at) {
        classicui::UiEvent e;
        e.kind = kind;
        e.x = at.x;
        e.y = at.y + classicui::MenuBarHeight;
        return e;
    };
    headless::QueueInputAt(1100, input(classicui::UiEvent::Kind::MouseUp, HelpOkAt));
    headless::QueueInputAt(1200, input(classicui::UiEvent::Kind::MouseUp, PlayButtonAt));
    headless::QueueInputAt(4000, input(classicui::UiEvent::Kind::Close, {}));
    const int exitCode = RunGlimora();
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(headless::WindowOpen());
    EXPECT_GE(G().pileCount, 1);
    EXPECT_LT(G().slots[0].y, 402 - 6 * 20) << "the pile kept its pace while the loop waited";
    // The help and title screens wait for input alone; the running game until its next step.
    const std::vector<uint32_t>& waits = headless::WaitTimeouts();
    ASSERT_GT(waits.size(), 2u);
    EXPECT_EQ(waits[0], UINT32_MAX);
    EXPECT_EQ(waits[1], UINT32_MAX);
    for (size_t i = 2; i < waits.size(); ++i) {
        EXPECT_GT(waits[i], 0u);
        EXPECT_LE(waits[i], 101u);
    }
    EXPECT_EQ(SavedGameBytes().size(), SaveRecordSize);
}
