// Tests of set-up, the draw pile's timeline, resuming a saved pile and the end of a game.
#include <gtest/gtest.h>

#include "rules/runtime_random.h"
#include "rules/turn.h"
#include "tests/rules/rules_test_support.h"

namespace {

using namespace rulestest;
using Calls = std::vector<std::string>;

TEST(SetUp, NewGameStartsCleanAndBuildsTheBackBufferInOrder) {
    GameState game;
    game.score = game.unlistedPoints = 777;
    game.board.at(1, 1) = Cell{ElementKind::Star, Color::Red};
    game.drawWeights.fill(1);
    game.pileCount = 3;
    game.Paused = game.GameOverClickArmed = game.GameOverClicked = game.gameOverPending = 1;
    recorder::reset();
    setUpGame(seam, game, GameSnapshot{}, 4321);

    // The board picture, the 36 squares column by column, then the popup labels.
    Calls expected{"DrawBoardPicture"};
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            expected.push_back("DrawSquareToBackBuffer " + std::to_string(x) + " " +
                               std::to_string(y) + " 0 0");
    expected.push_back("RenderPopupLabels 20 100");
    EXPECT_EQ(recorder::calls, expected);

    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.unlistedPoints, 0);
    EXPECT_EQ(game.board.at(1, 1).color, Color::Plain);
    EXPECT_EQ(game.pileCount, 0);
    EXPECT_EQ(game.Paused, 0);
    EXPECT_EQ(game.GameOverClickArmed, 0);
    EXPECT_EQ(game.GameOverClicked, 0);
    EXPECT_EQ(game.gameOverPending, 0);
    EXPECT_EQ(game.GameInProgress, 1);
    EXPECT_EQ(game.lastPileStep, 4321u);
    // Even weights, first levels, speed 6 and no multiplier: a playable start.
    EXPECT_TRUE(snapshotIsPlayable(takeSnapshot(game)));
    EXPECT_EQ(game.drawWeights[0], 22);
    EXPECT_EQ(game.riseSpeed, 6);
    EXPECT_EQ(game.multiplier, 1);
}

// Drives the game like the main loop: one pass every 101 ms, no clicks.
struct Timeline {
    GameState game = newGame(1000);
    uint32_t now = 1000;
    void pass() {
        gameStep(seam, game, now);
        now += 101;
    }
};

TEST(PileTimeline, FirstElementEntersAtTheBottomAndTheNextOnceItIsHighEnough) {
    crtSrand(7);
    Timeline t;
    t.game.GameRunning = 1;
    t.pass();
    ASSERT_EQ(t.game.pileCount, 1);
    EXPECT_EQ(t.game.slots[0].y, 402) << "no move before 100 ms";
    EXPECT_EQ(t.game.activeIndex, 0);
    EXPECT_TRUE(recorder::callsStartingWith("DrawPileSlot").empty());

    int passes = 0;
    while (t.game.pileCount == 1) {
        t.pass();
        ++passes;
    }
    // 402 - 14 * 6 = 318 is reached on the 14th move; the entry follows on the next pass.
    EXPECT_EQ(passes, 15);
    EXPECT_EQ(t.game.slots[1].y, 404 - 6) << "entered at 404 and moved in the same pass";
    EXPECT_EQ(t.game.slots[0].y, 318 - 6);
}

TEST(PileTimeline, SixLandingsSlowTheRiseAndEndTheGame) {
    crtSrand(99);
    Timeline t;
    t.game.GameRunning = 1;
    t.pass();
    recorder::reset();
    int passes = 0;
    int landings = 0;
    const int32_t speedsAfter[] = {5, 4, 3, 2, 1, 1};
    while (t.game.GameInProgress && passes < 100000) {
        const int landedBefore = t.game.landedCount;
        const int32_t speedBefore = t.game.riseSpeed;
        const int32_t yBefore = t.game.slots[static_cast<size_t>(landedBefore)].y;
        const int countBefore = t.game.pileCount;
        const int32_t nextBefore = t.game.slots[static_cast<size_t>(landedBefore + 1)].y;
        recorder::calls.clear();
        t.pass();
        ++passes;
        if (t.game.landedCount != landedBefore) {
            ASSERT_EQ(t.game.landedCount, landedBefore + 1);
            const PileSlot& s = t.game.slots[static_cast<size_t>(landedBefore)];
            EXPECT_LE(s.y, LandingY(landedBefore));
            EXPECT_GT(s.y, LandingY(landedBefore) - speedBefore);
            EXPECT_EQ(t.game.riseSpeed, speedsAfter[landings]) << landings;
            if (landedBefore + 1 < countBefore && landings < 5) {
                EXPECT_EQ(t.game.slots[static_cast<size_t>(landedBefore + 1)].y,
                          nextBefore - t.game.riseSpeed)
                    << "the slots after a landing rise at the lower speed in the same pass";
            }
            EXPECT_EQ(recorder::callsStartingWith("PlayGameSound 5002").size(), 1u);
            const Calls drawn = recorder::callsStartingWith("DrawPileSlot");
            ASSERT_FALSE(drawn.empty());
            EXPECT_EQ(drawn.front(), "DrawPileSlot " + std::to_string(landedBefore) + " " +
                                         std::to_string(yBefore) + " 1");
            EXPECT_EQ(drawn.size(), static_cast<size_t>(t.game.pileCount - landedBefore))
                << "every slot rising at the start of the pass is drawn once";
            if (landings == 0) {
                EXPECT_EQ(passes, 52) << "402 - 51 * 6 = 96, then 90 on the 52nd move";
                EXPECT_EQ(s.y, 90);
            }
            ++landings;
        }
    }
    EXPECT_EQ(landings, 6);
    EXPECT_EQ(t.game.GameInProgress, 0);
    EXPECT_EQ(t.game.GameRunning, 0);
    EXPECT_EQ(t.game.GameOverClickArmed, 1);
    EXPECT_EQ(t.game.gameOverPending, 0);
    EXPECT_EQ(t.game.GameOverShownAt, t.now - 101);
    EXPECT_EQ(recorder::calls.back(), "DrawGameOverPanel");

    // Once over, the pile neither takes entries nor moves.
    const GameState frozen = t.game;
    recorder::reset();
    for (int i = 0; i < 50; ++i)
        pileStep(seam, t.game, t.now += 101);
    EXPECT_EQ(t.game.pileCount, frozen.pileCount);
    EXPECT_TRUE(recorder::calls.empty());

    // The sixth landing stops the pass: the element behind it neither rises nor lands.
    GameState close = newGame();
    for (int i = 0; i < 5; ++i)
        close.slots[static_cast<size_t>(i)] =
            PileSlot{LandingY(i), ElementKind::Star, Color::Red, 1};
    close.slots[5] = PileSlot{LandingY(5) + 1, ElementKind::Star, Color::Green, 0};
    close.slots[6] = PileSlot{LandingY(6) + 1, ElementKind::Diamond, Color::Green, 0};
    close.pileCount = 7;
    close.landedCount = close.activeIndex = 5;
    close.riseSpeed = 6;
    close.lastPileStep = 0;
    recorder::reset();
    pileStep(seam, close, 1000);
    EXPECT_EQ(close.landedCount, 6);
    EXPECT_EQ(close.slots[6].y, LandingY(6) + 1);
    EXPECT_EQ(close.slots[6].landed, 0);
    EXPECT_EQ(recorder::callsStartingWith("DrawPileSlot"),
              (Calls{"DrawPileSlot 5 " + std::to_string(LandingY(5) + 1) + " 1"}));
}

TEST(PileTimeline, ALandingSlowsTheRiseAbove2AndFromTheFifthOnAbove1) {
    struct Case {
        int32_t speed, landed, after;
    };
    const Case cases[] = {{7, 2, 6}, {3, 0, 2}, {2, 0, 2}, {2, 3, 2}, {2, 4, 1}, {1, 4, 1}};
    for (const Case& c : cases) {
        GameState game = newGame();
        for (int i = 0; i < c.landed; ++i)
            game.slots[static_cast<size_t>(i)] =
                PileSlot{LandingY(i), ElementKind::Star, Color::Red, 1};
        game.slots[static_cast<size_t>(c.landed)] =
            PileSlot{LandingY(c.landed) + 1, ElementKind::Star, Color::Green, 0};
        game.pileCount = c.landed + 1;
        game.landedCount = game.activeIndex = c.landed;
        game.riseSpeed = c.speed;
        game.lastPileStep = 0;
        pileStep(seam, game, 1000);
        EXPECT_EQ(game.landedCount, c.landed + 1) << c.speed << " " << c.landed;
        EXPECT_EQ(game.riseSpeed, c.after) << c.speed << " " << c.landed;
    }
}

TEST(PileTimeline, StepsAtMostEvery100MsAndNeverCatchesUp) {
    GameState game = newGame(1000);
    setActive(game, ElementKind::Star, Color::Red, 300);
    game.slots[0].y = 350;
    pileStep(seam, game, 1100);
    EXPECT_EQ(game.slots[0].y, 350);
    pileStep(seam, game, 1101);
    EXPECT_EQ(game.slots[0].y, 344);
    EXPECT_EQ(recorder::calls, (Calls{"DrawPileSlot 0 350 0"}));
    pileStep(seam, game, 1101 + 60000); // a long pause: one move only
    EXPECT_EQ(game.slots[0].y, 338);
    // Across the wrap of the tick count.
    game.lastPileStep = 0xFFFFFFF0u;
    pileStep(seam, game, 0x80u);
    EXPECT_EQ(game.slots[0].y, 332);
}

TEST(PileTimeline, EntriesNeverGoBeyondTheSeventhSlot) {
    GameState game = newGame(1000);
    for (int i = 0; i < PileSlotCount; ++i) {
        game.slots[static_cast<size_t>(i)] =
            PileSlot{200 + 20 * i, ElementKind::Diamond, Color::Green, 0};
    }
    game.pileCount = PileSlotCount - 1;
    // The next element enters once the last one is at 319 or higher.
    game.slots[5].y = 320;
    pileStep(seam, game, 1000);
    EXPECT_EQ(game.pileCount, PileSlotCount - 1);
    game.slots[5].y = 319;
    pileStep(seam, game, 1000);
    EXPECT_EQ(game.pileCount, PileSlotCount);
    EXPECT_EQ(game.slots[6].y, 404);
    pileStep(seam, game, 1000);
    pileStep(seam, game, 1101);
    EXPECT_EQ(game.pileCount, PileSlotCount);
    game.slots[6].y = 300; // the seventh high enough: still no eighth
    pileStep(seam, game, 1202);
    EXPECT_EQ(game.pileCount, PileSlotCount);
}

TEST(PileTimeline, GameOverWaitsForThePressAndTheDelay) {
    GameState game = newGame(1000);
    game.GameRunning = 1;
    game.gameOverPending = 1;
    gameStep(seam, game, 5000);
    EXPECT_EQ(game.GameOverShownAt, 5000u);
    EXPECT_EQ(game.GameOverClickArmed, 1);

    // A press after 1 s: the high-score step waits until more than 2 s have passed.
    game.GameOverClickArmed = 0;
    game.GameOverClicked = 1;
    gameStep(seam, game, 6000);
    gameStep(seam, game, 7000);
    EXPECT_EQ(recorder::highScoreOffers, 0);
    gameStep(seam, game, 7001);
    EXPECT_EQ(recorder::highScoreOffers, 1);
    EXPECT_EQ(game.GameOverClicked, 0);
    EXPECT_EQ(game.FinishedGame, 1);
    gameStep(seam, game, 9000);
    EXPECT_EQ(recorder::highScoreOffers, 1);

    // A press after 3 s: at once.
    GameState late = newGame(1000);
    late.gameOverPending = 1;
    gameStep(seam, late, 5000);
    late.GameOverClicked = 1;
    gameStep(seam, late, 8000);
    EXPECT_EQ(recorder::highScoreOffers, 1);
}

TEST(ResumedPile, RestoresTheSavedGameAndContinuesFromIt) {
    const GameSnapshot saved = playable();
    ASSERT_TRUE(snapshotIsPlayable(saved));
    GameState game;
    game.GameInProgress = 1;
    recorder::reset();
    setUpGame(seam, game, saved, 50000);
    EXPECT_EQ(recorder::calls[0], "DrawBoardPicture");
    EXPECT_EQ(recorder::calls[1 + 3 * 6 + 4], "DrawSquareToBackBuffer 3 4 2 5");
    EXPECT_EQ(recorder::calls[1 + 36], "RenderPopupLabels 40 300");
    EXPECT_EQ(recorder::calls[2 + 36], "RedrawRestingPile 2");
    EXPECT_EQ(recorder::calls.size(), 3u + 36u);
    EXPECT_EQ(game.score, 1234567);
    EXPECT_EQ(game.MultiplierLabelSize.width, 32);
    EXPECT_EQ(game.bonusChain, 4);
    EXPECT_EQ(game.GameInProgress, 1);
    EXPECT_EQ(takeSnapshot(game).slots[3].y, 404);

    // The restored popup is credited by the first score refresh a pass makes, then removed; the
    // pile goes on at speed 4.
    recorder::reset();
    game.scoreUpdatePending = 1;
    gameStep(seam, game, 50000);
    EXPECT_EQ(game.score, 1234567 + 300);
    EXPECT_EQ(game.popupCount, 1) << "the popup at its fourth step is gone";
    gameStep(seam, game, 50101);
    EXPECT_EQ(recorder::callsStartingWith("DrawPileSlot"),
              (Calls{"DrawPileSlot 2 200 0", "DrawPileSlot 3 404 0"}));
    EXPECT_EQ(game.slots[2].y, 196);
    EXPECT_EQ(game.slots[1].y, 143);
}

TEST(ResumedPile, AnUnplayableSnapshotStartsANewGameInstead) {
    GameSnapshot saved = playable();
    saved.pileCount = 9;
    GameState game;
    game.GameInProgress = 1;
    setUpGame(seam, game, saved, 0);
    EXPECT_EQ(game.pileCount, 0);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.board.at(3, 4).kind, ElementKind::None);
    EXPECT_EQ(game.GameInProgress, 1);
}

} // namespace
