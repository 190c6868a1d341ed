// Tests of a click on the board: hit test, refusals, placement, walks, painting and groups.
#include <gtest/gtest.h>

#include "rules/placement.h"
#include "tests/rules/rules_test_support.h"

namespace {

using namespace rulestest;
using K = ElementKind;
using C = Color;
using Calls = std::vector<std::string>;

class Placement : public ::testing::Test {
  protected:
    GameState game = newGame();
};

TEST(PlacementHit, HitTestIsStrictAndScalesWithTheClientArea) {
    struct Hit {
        int mx, my, width, height, x, y; // x -1: the click is outside the board
    };
    // clang-format off
    const Hit hits[] = {
        // 480 x 480: the area is 121 < m < 439; the gap after column 0 still selects it.
        {121, 200, 480, 480, -1, 0}, {439, 200, 480, 480, -1, 0}, {200, 121, 480, 480, -1, 0},
        {200, 439, 480, 480, -1, 0}, {121 + 54, 121 + 108, 480, 480, 1, 2},
        {122, 122, 480, 480, 0, 0}, {121 + 53, 121 + 60, 480, 480, 0, 1}, {438, 438, 480, 480, 5, 5},
        // 960 x 720: canvas cell (2, 3) at client (2 * (121 + 108 + 10), ...).
        {2 * (121 + 108 + 10), (121 + 162 + 10) * 3 / 2, 960, 720, 2, 3},
        // Degenerate and huge sizes neither crash nor overflow.
        {0, 0, 0, 0, -1, 0}, {5, 5, -480, -480, -1, 0},
        {1000000000, 1000000000, 2147483647, 2147483647, 1, 1},
    };
    // clang-format on
    for (const Hit& h : hits) {
        GameState game = newGame();
        setActive(game, K::Diamond, C::Green);
        placeAt(seam, game, h.mx, h.my, h.width, h.height, 0);
        if (h.x < 0) {
            EXPECT_TRUE(recorder::calls.empty()) << h.mx << "," << h.my;
            EXPECT_EQ(game.pileCount, 1) << h.mx << "," << h.my;
        } else {
            EXPECT_EQ(game.board.at(h.x, h.y).kind, K::Diamond) << h.mx << "," << h.my;
        }
    }
}

TEST_F(Placement, PlacesTheActiveElementAndTakesItOutOfThePile) {
    game.slots[0] = PileSlot{95, K::Star, C::Red, 1};
    game.slots[1] = PileSlot{250, K::Diamond, C::Green, 0};
    game.slots[2] = PileSlot{340, K::ArrowUp, C::Red, 0};
    game.pileCount = 3;
    game.activeIndex = game.landedCount = 1;
    clickCell(game, 4, 2);
    EXPECT_EQ(game.board.at(4, 2).kind, K::Diamond);
    EXPECT_EQ(game.board.at(4, 2).color, C::Green);
    EXPECT_EQ(recorder::calls, (Calls{"DrawCell 4 2 1 5", "PlayGameSound 5005",
                                      "RestoreFromBackBuffer 21 226 120"}));
    EXPECT_EQ(game.pileCount, 2);
    EXPECT_EQ(game.activeIndex, 1);
    EXPECT_EQ(game.slots[0].kind, K::Star);
    EXPECT_EQ(game.slots[1].y, 340);
    EXPECT_EQ(game.slots[1].kind, K::ArrowUp);
    EXPECT_EQ(game.slots[1].landed, 0);
    EXPECT_EQ(game.slots[2].y, 340) << "the slot left free keeps what it held, as files show";

    // The last rising element placed: no active element until the next pile step.
    clickCell(game, 0, 0);
    EXPECT_EQ(game.pileCount, 1);
    EXPECT_EQ(game.activeIndex, 1);
    recorder::reset();
    clickCell(game, 1, 1);
    EXPECT_TRUE(recorder::calls.empty()) << "a click without an active element does nothing";
    EXPECT_EQ(game.board.at(1, 1).kind, K::None);
    EXPECT_EQ(game.pileCount, 1);

    // From a full pile the seventh element moves down too.
    for (int i = 0; i < PileSlotCount; ++i)
        game.slots[static_cast<size_t>(i)] = PileSlot{100 + 40 * i, K::Star, C::Green, 0};
    game.pileCount = PileSlotCount;
    game.activeIndex = game.landedCount = 0;
    clickCell(game, 5, 5);
    EXPECT_EQ(game.pileCount, PileSlotCount - 1);
    for (int i = 0; i + 1 < PileSlotCount; ++i)
        EXPECT_EQ(game.slots[static_cast<size_t>(i)].y, 140 + 40 * i) << i;
}

TEST_F(Placement, RefusalsPlayTheirSoundAndShowEachNoticeOnce) {
    put(game, 1, 1, K::Star, C::Green);
    put(game, 2, 2, K::None, C::Red);
    setActive(game, K::Diamond, C::Green);
    clickCell(game, 1, 1);
    clickCell(game, 1, 1);
    clickCell(game, 2, 2);
    clickCell(game, 2, 2);
    EXPECT_EQ(recorder::calls,
              (Calls{"PlayGameSound 5001", "ShowOccupiedNotice", "PlayGameSound 5001",
                     "PlayGameSound 5004", "ShowWrongColourNotice", "PlayGameSound 5004"}));
    EXPECT_EQ(game.OccupiedNoticeArmed, 0);
    EXPECT_EQ(game.WrongColourNoticeArmed, 0);
    EXPECT_EQ(game.pileCount, 1);
    EXPECT_EQ(game.board.at(2, 2).kind, K::None);

    // Without help during the game the notices stay armed and silent.
    GameState quiet = newGame();
    quiet.HelpDuringGame = 0;
    put(quiet, 1, 1, K::Star, C::Green);
    setActive(quiet, K::Diamond, C::Red);
    clickCell(quiet, 1, 1);
    EXPECT_EQ(recorder::calls, (Calls{"PlayGameSound 5001"}));
    EXPECT_EQ(quiet.OccupiedNoticeArmed, 1);

    // A square of the element's own colour accepts it.
    setActive(game, K::Diamond, C::Red);
    clickCell(game, 2, 2);
    EXPECT_EQ(game.board.at(2, 2).kind, K::Diamond);
}

TEST_F(Placement, ArrowPaintsThePlainSquaresAheadOfItsRun) {
    put(game, 2, 3, K::ArrowUp, C::Green);
    place(game, 2, 4, K::ArrowUp, C::Green, 5000);
    for (int y = 0; y <= 2; ++y) {
        EXPECT_EQ(game.board.at(2, y).color, C::Green) << y;
        EXPECT_EQ(game.board.at(2, y).kind, K::None) << y;
    }
    EXPECT_EQ(game.board.at(2, 5).color, C::Plain) << "only ahead of the arrow";
    ASSERT_EQ(game.popupCount, 3);
    EXPECT_EQ(game.popups[0].x, 229);
    EXPECT_EQ(game.popups[0].y, 229);
    EXPECT_EQ(game.popups[2].y, 121);
    EXPECT_EQ(game.popups[0].points, 20);
    EXPECT_EQ(game.popups[0].style, PopupStyle::Paint);
    EXPECT_EQ(game.popups[0].tick, 5000);
    EXPECT_EQ(game.scoreUpdatePending, 1);
    EXPECT_EQ(
        recorder::callsStartingWith("DrawCell"),
        (Calls{"DrawCell 2 4 1 1", "DrawCell 2 2 1 0", "DrawCell 2 1 1 0", "DrawCell 2 0 1 0"}));
    EXPECT_EQ(game.board.at(2, 3).kind, K::ArrowUp) << "two in a line form no group";
}

TEST_F(Placement, PaintingStopsAtTheFirstSquareThatIsNotPlain) {
    put(game, 2, 3, K::ArrowUp, C::Green);
    put(game, 2, 1, K::None, C::Red);
    place(game, 2, 4, K::ArrowUp, C::Green);
    EXPECT_EQ(game.board.at(2, 2).color, C::Green);
    EXPECT_EQ(game.board.at(2, 1).color, C::Red);
    EXPECT_EQ(game.board.at(2, 0).color, C::Plain);
    EXPECT_EQ(game.popupCount, 1);

    // A square of the arrow's own colour right above it stops the walk at once.
    GameState g2 = newGame();
    put(g2, 3, 3, K::None, C::Green);
    place(g2, 3, 4, K::ArrowUp, C::Green);
    EXPECT_EQ(g2.board.at(3, 2).color, C::Plain);
    EXPECT_EQ(g2.popupCount, 0);

    // An arrow at the edge, or facing another element, paints nothing.
    GameState g3 = newGame();
    place(g3, 5, 2, K::ArrowRight, C::Red);
    place(g3, 2, 5, K::ArrowDown, C::Red); // below row 5 is no square, not the next column
    put(g3, 2, 0, K::Star, C::Green);
    place(g3, 1, 0, K::ArrowRight, C::Red);
    EXPECT_EQ(g3.popupCount, 0);

    // Diamonds and stars never paint; an arrow paints only its own direction.
    GameState g4 = newGame();
    place(g4, 0, 0, K::Star, C::Green);
    place(g4, 3, 3, K::ArrowLeft, C::Red);
    EXPECT_EQ(g4.popupCount, 3);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(g4.board.at(x, 3).color, C::Red);
    EXPECT_EQ(g4.board.at(4, 3).color, C::Plain);
    EXPECT_EQ(g4.board.at(3, 2).color, C::Plain);
}

// A group list as "x,y" pairs in its order.
std::string listed(const std::array<GridCell, BoardSide>& list, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? " " : "") + std::to_string(list[static_cast<size_t>(i)].x) + "," +
                std::to_string(list[static_cast<size_t>(i)].y);
    return text;
}

TEST_F(Placement, GroupListsHoldTheNeighboursNearestFirstAndThePlacedCellLast) {
    put(game, 1, 3, K::Diamond, C::Green);
    put(game, 3, 3, K::Diamond, C::Green);
    put(game, 2, 3, K::Diamond, C::Green);
    LineScan scan = lineScan(seam, game, 2, 3, 0);
    EXPECT_EQ(listed(scan.row, scan.rowCount), "1,3 3,3 2,3");
    EXPECT_EQ(scan.columnCount, 0);
    EXPECT_EQ(scan.rowArrows, 1);
    EXPECT_EQ(recorder::calls, (Calls{"PlayGameSound 5003"}));

    // Two above and two to the left: both lists of three.
    GameState g = newGame();
    for (int i = 0; i <= 2; ++i) {
        put(g, 4, 4 - i, K::ArrowDown, C::Red);
        put(g, 4 - i, 4, K::ArrowDown, C::Red);
    }
    scan = lineScan(seam, g, 4, 4, 0);
    EXPECT_EQ(listed(scan.column, scan.columnCount), "4,3 4,2 4,4");
    EXPECT_EQ(listed(scan.row, scan.rowCount), "3,4 2,4 4,4");
    EXPECT_EQ(scan.columnArrows, 3);
    EXPECT_EQ(scan.rowArrows, 1);
    EXPECT_EQ(g.board.at(4, 5).color, C::Red) << "the down arrow paints below it";

    // A run is broken by another kind, another colour, or an up arrow among down arrows.
    GameState g5 = newGame();
    put(g5, 0, 1, K::ArrowUp, C::Red);
    put(g5, 0, 2, K::ArrowDown, C::Red);
    put(g5, 0, 4, K::ArrowDown, C::Green);
    put(g5, 0, 3, K::ArrowDown, C::Red);
    scan = lineScan(seam, g5, 0, 3, 0);
    EXPECT_EQ(scan.columnCount, 1);
    EXPECT_EQ(scan.columnArrows, 2);
    EXPECT_EQ(g5.board.at(0, 5).color, C::Plain) << "the green arrow below blocks the paint";

    // A full row of six identical elements: 5 neighbours and the placed cell.
    GameState g6 = newGame();
    for (int x = 0; x < 6; ++x)
        put(g6, x, 5, K::Star, C::Red);
    EXPECT_EQ(lineScan(seam, g6, 2, 5, 0).rowCount, 6);
}

} // namespace
