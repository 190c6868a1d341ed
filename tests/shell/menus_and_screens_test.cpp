// Menu commands and dialogs on every screen: confirmations, options and language, help, About.
#include <algorithm>

#include "presentation/graphics.h"
#include "tests/shell/scenario_session.h"

TEST_F(ShellScenario, NewGameAndAbandonDoNothingAwayFromTheGameScreen) {
    Start();
    ASSERT_EQ(P().Screen, HelpScreen);
    Command(CmdNewGame);
    Command(8071);
    EXPECT_EQ(P().Screen, HelpScreen);
    Click(HelpOkAt);
    Command(8072);
    Command(CmdAbandon);
    EXPECT_EQ(P().Screen, TitleScreen);
    Command(CmdHighScores);
    ASSERT_EQ(P().Screen, HighScoreScreen);
    EXPECT_NE(P().ReturnScreen, GameScreen) << "no Play again from the title";
    Command(CmdNewGame);
    Command(CmdAbandon);
    EXPECT_EQ(P().Screen, HighScoreScreen);
    EXPECT_TRUE(headless::Dialogs().empty());
    EXPECT_EQ(G().GameInProgress, 0);
}

TEST_F(ShellScenario, ConfirmationsAnsweredNoLeaveTheGamePausedUnderItsOverlay) {
    StartOnTitle();
    PlayFromTitle();
    for (int command : {CmdNewGame, CmdAbandon}) {
        const int32_t y = G().slots[0].y;
        ClickInDialog(1601, 2);
        Command(command);
        ASSERT_FALSE(headless::Dialogs().empty());
        EXPECT_EQ(headless::Dialogs().back().resourceId, 1601);
        EXPECT_EQ(headless::Dialogs().back().result, 1);
        EXPECT_EQ(P().Screen, GameScreen);
        EXPECT_EQ(G().Paused, 1);
        EXPECT_EQ(P().PauseOverlayPending, 0) << "the overlay was drawn";
        RunFor(500);
        EXPECT_EQ(G().slots[0].y, y);
        Click(SquareCentre(0, 0));
        EXPECT_EQ(G().GameRunning, 1);
        EXPECT_EQ(FilledSquares(), 0);
    }
}

TEST_F(ShellScenario, ConfirmedNewGameRunsAtOnceAndConfirmedAbandonGoesToTheTitle) {
    StartOnTitle();
    PlayFromTitle();
    ASSERT_TRUE(PlaceActiveElement());
    ClickInDialog(1601, 1);
    Command(CmdNewGame);
    ASSERT_EQ(headless::Dialogs().size(), 1u);
    EXPECT_FALSE(headless::Dialogs()[0].forcedEnd) << "OK ended it";
    EXPECT_EQ(FilledSquares(), 0);
    EXPECT_EQ(G().Paused, 0);
    RunFor(200);
    EXPECT_EQ(G().GameRunning, 1);

    ClickInDialog(1601, 1);
    Command(CmdAbandon);
    EXPECT_EQ(P().Screen, TitleScreen);
    EXPECT_EQ(G().GameInProgress, 0);
}

TEST_F(ShellScenario, ExitFromTheHighScoreScreenDuringAGameAsksBeforeDroppingIt) {
    WriteConfig(0);
    StartOnTitle();
    PlayFromTitle();
    ASSERT_TRUE(PlaceActiveElement());
    Command(8076); // the French High scores
    ASSERT_EQ(P().Screen, HighScoreScreen);
    const std::vector<uint32_t> table = platform::WindowSurface().pixels;
    ClickInDialog(1600, 2);
    Click(HighScoreExitAt);
    ASSERT_EQ(headless::Dialogs().size(), 1u);
    EXPECT_EQ(headless::Dialogs()[0].resourceId, 1600) << "the French question";
    EXPECT_EQ(P().Screen, HighScoreScreen);
    EXPECT_TRUE(platform::WindowSurface().pixels == table);
    EXPECT_EQ(G().GameInProgress, 1);
    EXPECT_EQ(Exit(), 0);

    Start(90000);
    EXPECT_EQ(P().Screen, GameScreen) << "No kept the game";
    EXPECT_EQ(FilledSquares(), 1);
    Command(8076);
    ClickInDialog(1600, 1);
    Click(HighScoreExitAt);
    EXPECT_EQ(P().Screen, TitleScreen);
    EXPECT_EQ(G().GameInProgress, 0);
    // Play on the title starts a new game, not the one this run resumed.
    Click(PlayButtonAt);
    EXPECT_EQ(FilledSquares(), 0);
    ClickInDialog(1600, 1);
    Command(8071);
    EXPECT_EQ(Exit(), 0);
    Start(95000);
    EXPECT_EQ(P().Screen, TitleScreen) << "Yes dropped it";
}

TEST_F(ShellScenario, OptionsSwitchesTheLanguageAndTheMenuBarAtOnce) {
    StartOnTitle();
    CheckInDialog([](platform::DialogHandle& dialog) {
        EXPECT_TRUE(platform::GetCheck(dialog, 2001));
        EXPECT_TRUE(platform::GetCheck(dialog, 2101));
        EXPECT_FALSE(platform::GetCheck(dialog, 2103));
    });
    ClickInDialog(1151, 2103); // Français
    CheckInDialog([](platform::DialogHandle& dialog) {
        EXPECT_FALSE(platform::GetCheck(dialog, 2101));
        EXPECT_TRUE(platform::GetCheck(dialog, 2103));
    });
    ClickInDialog(1151, 2001); // help off
    CheckInDialog(
        [](platform::DialogHandle& dialog) { EXPECT_FALSE(platform::GetCheck(dialog, 2001)); });
    ClickInDialog(1151, 1);
    Click(OptionsButtonAt);
    ASSERT_EQ(headless::Dialogs().size(), 1u);
    EXPECT_EQ(headless::Dialogs()[0].resourceId, 1151);
    EXPECT_EQ(headless::Dialogs()[0].commands, (std::vector<int>{2103, 2001, 1}));
    EXPECT_FALSE(headless::Dialogs()[0].forcedEnd) << "OK ended it";
    EXPECT_EQ(P().Language, 0);
    EXPECT_EQ(headless::MenuShown(), "MAINMENUFR");
    EXPECT_EQ(G().HelpDuringGame, 0);
    EXPECT_EQ(G().OccupiedNoticeArmed, 0);
    EXPECT_EQ(G().WrongColourNoticeArmed, 0);

    // From the game screen, with the French ids; Cancel changes nothing.
    PlayFromTitle();
    ClickInDialog(1150, 2);
    Command(8075);
    EXPECT_EQ(headless::Dialogs().back().resourceId, 1150);
    EXPECT_FALSE(headless::Dialogs().back().forcedEnd) << "Cancel ended it";
    EXPECT_EQ(P().Language, 0);
    CheckInDialog([](platform::DialogHandle& dialog) {
        EXPECT_TRUE(platform::GetCheck(dialog, 2102));
        EXPECT_FALSE(platform::GetCheck(dialog, 2000));
    });
    ClickInDialog(1150, 2000);
    ClickInDialog(1150, 2100);
    CheckInDialog([](platform::DialogHandle& dialog) {
        EXPECT_TRUE(platform::GetCheck(dialog, 2100));
        EXPECT_FALSE(platform::GetCheck(dialog, 2102));
    });
    KeyInDialog(classicui::UiKey::Return);
    Command(8075);
    EXPECT_EQ(P().Language, 1);
    EXPECT_EQ(headless::MenuShown(), "MAINMENUENG");
    EXPECT_EQ(G().HelpDuringGame, 1);
    EXPECT_EQ(G().OccupiedNoticeArmed, 1);
    EXPECT_EQ(G().Paused, 1);
    EXPECT_EQ(P().PauseOverlayPending, 0);
}

TEST_F(ShellScenario, AnOccupiedSquareShowsItsNoticeOnceAndTheGameGoesOn) {
    StartOnTitle();
    PlayFromTitle();
    ASSERT_TRUE(PlaceActiveElement());
    RunFor(2500);
    // Only its OK button closes it: Escape is a cancel it has no button for.
    KeyInDialog(classicui::UiKey::Escape);
    CheckInDialog([](platform::DialogHandle&) {}); // still open
    ClickInDialog(1463, 1);
    Click(SquareCentre(0, 0)); // PlaceActiveElement filled the first square
    ASSERT_EQ(headless::Dialogs().size(), 1u);
    EXPECT_FALSE(headless::Dialogs()[0].forcedEnd);
    EXPECT_EQ(headless::Dialogs()[0].commands, (std::vector<int>{2, 1}));
    EXPECT_EQ(headless::Dialogs()[0].resourceId, 1463);
    EXPECT_EQ(G().GameRunning, 1);
    Click(SquareCentre(0, 0));
    EXPECT_EQ(headless::Dialogs().size(), 1u);
    EXPECT_EQ(G().OccupiedNoticeArmed, 0);

    // A square of the other colour: its own notice, once as well.
    const PileSlot& active = G().slots[static_cast<size_t>(G().activeIndex)];
    G().board.at(5, 5).color = active.color == Color::Red ? Color::Green : Color::Red;
    ClickInDialog(1461, 1);
    Click(SquareCentre(5, 5));
    Click(SquareCentre(5, 5));
    ASSERT_EQ(headless::Dialogs().size(), 2u);
    EXPECT_EQ(headless::Dialogs()[1].resourceId, 1461);
    EXPECT_FALSE(headless::Dialogs()[1].forcedEnd);
    EXPECT_EQ(G().board.at(5, 5).kind, ElementKind::None);
}

TEST_F(ShellScenario, HelpReturnsToTheScreenItWasOpenedFrom) {
    StartOnTitle();
    PlayFromTitle();
    ASSERT_TRUE(PlaceActiveElement());
    Command(CmdHelp);
    EXPECT_EQ(P().Screen, HelpScreen);
    EXPECT_TRUE(platform::WindowSurface().pixels == LoadBitmapResource(2501).pixels);
    Click(HelpOkAt);
    EXPECT_EQ(P().Screen, GameScreen);
    // The paused game under its overlay, as a paint draws it.
    const std::vector<uint32_t> paused = platform::WindowSurface().pixels;
    classicui::UiEvent exposed;
    exposed.kind = classicui::UiEvent::Kind::Expose;
    headless::QueueInput(exposed);
    Settle();
    EXPECT_TRUE(platform::WindowSurface().pixels == paused);
    EXPECT_EQ(G().Paused, 1);
    EXPECT_EQ(P().PauseOverlayPending, 0);

    // Help over the high-score screen opened during the game, then back: Play again still
    // returns to the game.
    Command(CmdHighScores);
    Command(CmdHelp);
    Command(CmdHelp);
    Click(HelpOkAt);
    EXPECT_EQ(P().Screen, HighScoreScreen);
    EXPECT_EQ(P().ReturnScreen, GameScreen);
    Click(PlayAgainAt);
    EXPECT_EQ(P().Screen, GameScreen);
    EXPECT_EQ(FilledSquares(), 1);
    EXPECT_EQ(G().GameInProgress, 1);
}

TEST_F(ShellScenario, AboutShowsTheCreditInTheGamesLanguage) {
    StartOnTitle();
    Command(CmdAbout);
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].caption, "Glimora 1.00");
    EXPECT_EQ(headless::Messages()[0].text, "Glimora 1.00, a puzzle game by the Glimora team.");

    WriteConfig(0);
    StartOnTitle();
    Command(8069); // About, French id
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].caption, "Glimora 1.00");
    EXPECT_EQ(headless::Messages()[0].text, "Glimora 1.00, un jeu de r\xE9"
                                            "flexion de l'\xE9quipe Glimora.");
}

TEST_F(ShellScenario, TheScreensButtonsActStrictlyInsideTheirRegionsOnly) {
    struct Button {
        int x0, y0, x1, y1;
        ScreenState from; // the high-score screen is the one opened during a game
        bool (*acted)();
    };
    const Button buttons[] = {
        {303, 133, 425, 187, TitleScreen, [] { return Program().Screen == GameScreen; }}, // Play
        {303, 231, 425, 287, TitleScreen, [] { return !headless::Dialogs().empty(); }},   // Options
        {303, 323, 425, 380, TitleScreen, [] { return Program().Screen == HelpScreen; }}, // Help
        {165, 387, 310, 450, HelpScreen, [] { return Program().Screen == TitleScreen; }}, // OK
        // Play again, and Exit, which asks first since a game is in progress.
        {21, 387, 249, 483, HighScoreScreen, [] { return Program().Screen == GameScreen; }},
        {282, 387, 462, 483, HighScoreScreen, [] { return !headless::Dialogs().empty(); }},
    };
    for (const Button& b : buttons) {
        const int cx = (b.x0 + b.x1) / 2;
        const int cy = (b.y0 + b.y1) / 2;
        const Point edges[] = {{b.x0, cy}, {b.x1, cy}, {cx, b.y0}, {cx, b.y1}};
        // The bottom buttons reach below the 480-pixel client: their last row inside it.
        const Point inside[] = {{b.x0 + 1, b.y0 + 1}, {b.x1 - 1, std::min(b.y1 - 1, 479)}};
        for (const Point& at : inside) {
            Start();
            if (b.from != HelpScreen) Click(HelpOkAt);
            if (b.from == HighScoreScreen) {
                Click(PlayButtonAt);
                Command(CmdHighScores);
            }
            ASSERT_EQ(P().Screen, b.from);
            for (const Point& edge : edges) {
                Click(edge);
                EXPECT_EQ(P().Screen, b.from)
                    << b.x0 << "," << b.y0 << " at " << edge.x << "," << edge.y;
                EXPECT_TRUE(headless::Dialogs().empty());
            }
            Click(at);
            EXPECT_TRUE(b.acted()) << b.x0 << "," << b.y0 << " at " << at.x << "," << at.y;
        }
    }
}

TEST_F(ShellScenario, APaintPutsBackTheWholeScreenThatWasShown) {
    auto coverAndPaint = [this] {
        std::vector<uint32_t>& pixels = platform::WindowSurface().pixels;
        const std::vector<uint32_t> shown = pixels;
        std::fill(pixels.begin(), pixels.end(), 0x123456u); // another window covered it
        classicui::UiEvent exposed;
        exposed.kind = classicui::UiEvent::Kind::Expose;
        headless::QueueInput(exposed);
        Settle();
        EXPECT_TRUE(pixels == shown) << P().Screen;
    };
    Start();
    coverAndPaint(); // help
    Click(HelpOkAt);
    coverAndPaint(); // title
    Command(CmdHighScores);
    // A new player's table has no rows: the bare picture, without Play again from the title.
    EXPECT_TRUE(platform::WindowSurface().pixels == LoadBitmapResource(1501).pixels);
    coverAndPaint();
    // The new game, drawn at once, then paused with its overlay.
    Click(HighScoreExitAt);
    Click(PlayButtonAt);
    coverAndPaint();
    RunFor(300);
    const std::vector<uint32_t> running = platform::WindowSurface().pixels;
    Command(CmdPause);
    EXPECT_FALSE(platform::WindowSurface().pixels == running) << "the overlay is drawn";
    coverAndPaint();
    // The click that resumes takes the overlay away.
    Click(SquareCentre(0, 0));
    coverAndPaint();
}
