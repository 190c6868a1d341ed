// The end of a game: GAME OVER, its acknowledgement and delay, the name, the high-score screen.
#include <array>

#include "presentation/screens.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "tests/shell/scenario_session.h"

TEST_F(ShellScenario, APressAfterOneSecondReachesTheHighScoreStepAtTwoSeconds) {
    StartOnTitle();
    PlayFromTitle();
    PlayUntilGameOver();
    EXPECT_EQ(G().GameInProgress, 0);
    EXPECT_EQ(G().GameRunning, 0);
    const uint32_t shownAt = G().GameOverShownAt;

    RunFor(1000);
    TypeInDialog("ABCDEFGHIJK");
    CheckInDialog([](platform::DialogHandle& dialog) {
        EXPECT_EQ(platform::GetControlText(dialog, 1002, 64), "ABCDEFGHI") << "the field takes 9";
        // The window repainted under the dialog shows the game without its GAME OVER panel.
        EXPECT_FALSE(GameOverShown());
    });
    KeyInDialog(classicui::UiKey::Escape); // only OK ends it
    ClickInDialog(1101, 1);
    Click({240, 240});
    EXPECT_EQ(G().GameOverClicked, 1);
    while (platform::GetTicks() - shownAt <= 2000) {
        EXPECT_EQ(P().Screen, GameScreen);
        EXPECT_TRUE(headless::Dialogs().empty());
        // Nothing is due before the delay ends but the popups still rising: never a spin.
        const uint32_t now = platform::GetTicks();
        EXPECT_GT(TimeUntilDue(now), 0u);
        EXPECT_LE(TimeUntilDue(now), shownAt + 2001 - now);
        if (G().popupCount == 0) {
            EXPECT_EQ(TimeUntilDue(now), shownAt + 2001 - now);
        }
        RunFor(10, 10);
    }
    EXPECT_EQ(P().Screen, HighScoreScreen);
    ASSERT_EQ(headless::Dialogs().size(), 1u);
    EXPECT_EQ(headless::Dialogs()[0].resourceId, 1101);
    EXPECT_FALSE(headless::Dialogs()[0].forcedEnd) << "its OK ended it";
    EXPECT_EQ(headless::Dialogs()[0].commands, (std::vector<int>{2, 1}));
    EXPECT_STREQ(P().save.highScores[0].name.data(), "ABCDEFGH") << "8 of 9 typed characters";
    EXPECT_EQ(P().save.highScores[0].score, G().score);
    EXPECT_EQ(P().ReturnScreen, GameScreen) << "Play again is offered";
    // The whole table as drawn: its one row, with the name, and Play again.
    const std::vector<uint32_t> table = platform::WindowSurface().pixels;
    std::array<ScoreRow, 6> rows{};
    rows[0] = {"ABCDEFGH", G().score, true};
    DrawHighScoreScreen(1, true, rows);
    EXPECT_TRUE(platform::WindowSurface().pixels == table);
    EXPECT_EQ(G().FinishedGame, 1);

    Click(PlayAgainAt);
    EXPECT_EQ(P().Screen, GameScreen);
    EXPECT_FALSE(platform::WindowSurface().pixels == table) << "the new game is drawn";
    EXPECT_EQ(G().FinishedGame, 0);
    EXPECT_EQ(G().GameInProgress, 1);
    EXPECT_EQ(G().score, 0);
    RunFor(300);
    EXPECT_EQ(G().GameRunning, 1);
    EXPECT_EQ(G().pileCount, 1);
}

TEST_F(ShellScenario, ARepaintWhileGameOverIsShownKeepsThePanelUntilTheHighScoreStep) {
    StartOnTitle();
    PlayFromTitle();
    PlayUntilGameOver();
    RunFor(1000); // the last popups have gone
    // The panel covers (15, 150)-(464, 329) at 480 x 480.
    const auto panel = [] {
        std::vector<uint32_t> pixels;
        for (int y = 150; y < 330; ++y)
            for (int x = 15; x < 465; ++x)
                pixels.push_back(headless::Pixel(x, y));
        return pixels;
    };
    const std::vector<uint32_t> shown = panel();
    auto resizeThereAndBack = [this] {
        headless::QueueResize(600, 600);
        Settle();
        headless::QueueResize(480, 480);
        Settle();
    };
    resizeThereAndBack();
    EXPECT_TRUE(panel() == shown) << "a resize puts the GAME OVER panel back";

    // Paused, then resumed by the press that acknowledges GAME OVER: the panel stays until
    // the high-score step.
    Command(CmdPause);
    TypeInDialog("Al");
    ClickInDialog(1101, 1);
    Click({240, 240});
    ASSERT_EQ(G().GameOverClicked, 1);
    EXPECT_TRUE(panel() == shown);
    resizeThereAndBack();
    EXPECT_TRUE(panel() == shown);
    RunFor(2100);
    EXPECT_EQ(P().Screen, HighScoreScreen);
}

TEST_F(ShellScenario, TheFrenchNameDialogStoresTheTypedName) {
    WriteConfig(0);
    StartOnTitle();
    PlayFromTitle();
    PlayUntilGameOver();
    // The last placement's score, then the end, each said once, in the game's language.
    const std::vector<std::string>& said = headless::Announcements();
    ASSERT_GE(said.size(), 2u);
    EXPECT_EQ(said[said.size() - 2], "Score : " + std::to_string(G().score));
    EXPECT_EQ(said.back(), "GAME OVER");
    RunFor(500);
    EXPECT_EQ(said.back(), "GAME OVER") << "said once";
    TypeInDialog("Zo\u00E9");
    ClickInDialog(1100, 1);
    headless::QueueClick(240, 240);
    RunFor(2100);
    ASSERT_EQ(headless::Dialogs().size(), 1u);
    EXPECT_EQ(headless::Dialogs()[0].resourceId, 1100);
    EXPECT_STREQ(P().save.highScores[0].name.data(), "Zo\xE9");
}

TEST_F(ShellScenario, AResumeAfterGameOverNeitherRestartsThePileNorPlaces) {
    StartOnTitle();
    PlayFromTitle();
    PlayUntilGameOver();
    const int filled = FilledSquares();
    const GameState atGameOver = G();

    Command(CmdPause);
    EXPECT_EQ(G().Paused, 1);
    TypeInDialog("Bo");
    ClickInDialog(1101, 1);
    Click(SquareCentre(5, 5)); // resumes, and acknowledges GAME OVER
    EXPECT_EQ(G().Paused, 0);
    EXPECT_EQ(G().GameRunning, 0);
    EXPECT_EQ(G().GameOverClicked, 1);
    Click(SquareCentre(4, 5));
    EXPECT_EQ(FilledSquares(), filled);
    for (int i = 0; i < PileSlotCount; ++i)
        EXPECT_EQ(G().slots[i].y, atGameOver.slots[i].y);

    RunFor(2100);
    EXPECT_EQ(P().Screen, HighScoreScreen);
    EXPECT_STREQ(P().save.highScores[0].name.data(), "Bo");
}

TEST_F(ShellScenario, ExitFromTheHighScoreScreenDoesNotEndALaterGame) {
    StartOnTitle();
    // A table of six better scores: the game ends on the table without asking a name.
    for (HighScoreEntry& entry : P().save.highScores) {
        entry.name = {'B', 'e', 's', 't'};
        entry.score = 1000000;
        entry.used = 1;
    }
    PlayFromTitle();
    PlayUntilGameOver();
    headless::QueueClick(240, 240);
    RunFor(2100);
    ASSERT_EQ(P().Screen, HighScoreScreen);
    EXPECT_TRUE(headless::Dialogs().empty());
    Click(HighScoreExitAt);
    EXPECT_EQ(P().Screen, TitleScreen);
    EXPECT_EQ(G().FinishedGame, 0);

    PlayFromTitle();
    ASSERT_TRUE(PlaceActiveElement());
    Command(CmdHighScores);
    EXPECT_EQ(P().Screen, HighScoreScreen);
    EXPECT_EQ(G().GameInProgress, 1) << "looking at the table keeps the game";
    Click(PlayAgainAt);
    EXPECT_EQ(P().Screen, GameScreen);
    EXPECT_EQ(G().Paused, 1);
    EXPECT_EQ(FilledSquares(), 1) << "the same game, paused";
}

TEST_F(ShellScenario, ANewGameAfterAnUnacknowledgedGameOverIsNotEndedByItsFirstClick) {
    StartOnTitle();
    PlayFromTitle();
    PlayUntilGameOver();
    ClickInDialog(1601, 1);
    Command(CmdNewGame);
    EXPECT_EQ(G().GameInProgress, 1);
    RunFor(300);
    ASSERT_EQ(G().GameRunning, 1);
    ASSERT_TRUE(PlaceActiveElement());
    RunFor(2500);
    EXPECT_EQ(P().Screen, GameScreen);
    EXPECT_EQ(G().GameRunning, 1);
}
