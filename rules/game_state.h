// The state of one game: board, draw pile, draw weights, counters, score popups and play flags.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

enum class ElementKind : int32_t {
    None = 0,
    ArrowUp = 1,
    ArrowRight = 2,
    ArrowDown = 3,
    ArrowLeft = 4,
    Diamond = 5,
    Star = 6,
};

enum class Color : int32_t {
    Plain = 0,
    Green = 1,
    Red = 2,
};

enum class PopupStyle : int32_t {
    Paint = 0,
    Clear = 1,
    Multiplier = 2,
};

constexpr int BoardSide = 6;
constexpr int BoardCells = BoardSide * BoardSide;
constexpr int PileSlotCount = 7;
constexpr int PopupCapacity = 36;
constexpr int DrawWeightCount = 12;
constexpr int DrawWeightTotal = 264;

struct Cell {
    ElementKind kind = ElementKind::None;
    Color color = Color::Plain;
};

// 6 x 6 cells stored column by column: cell (x, y) is cells[x * 6 + y].
struct Board {
    std::array<Cell, BoardCells> cells{};

    Cell& at(int x, int y) { return cells[static_cast<size_t>(x * BoardSide + y)]; }
    const Cell& at(int x, int y) const { return cells[static_cast<size_t>(x * BoardSide + y)]; }
};

struct PileSlot {
    int32_t y = 0; // canvas y of the element's top edge; x is always 42
    ElementKind kind = ElementKind::None;
    Color color = Color::Plain;
    int32_t landed = 0;
};

struct ScorePopup {
    int32_t x = 0;
    int32_t y = 0;
    int32_t points = 0;
    int32_t tick = 0; // tick count as stored in the saved game; compare as uint32_t
    PopupStyle style = PopupStyle::Paint;
    int32_t step = 0;
};

// Width and height in pixels of a popup label's text.
struct LabelSize {
    int32_t width = 0;
    int32_t height = 0;
};

struct GameState {
    Board board;

    // The draw pile.
    std::array<PileSlot, PileSlotCount> slots{};
    int32_t pileCount = 0;
    int32_t activeIndex = 0;
    int32_t landedCount = 0;
    int32_t riseSpeed = 6;
    uint32_t lastPileStep = 0; // tick of the last moving pile step

    std::array<int32_t, DrawWeightCount> drawWeights{};

    // Counters.
    int32_t score = 0;
    int32_t paintPoints = 20;
    int32_t clearPoints = 100;
    int32_t pointsLevel = 1;
    int32_t speedLevel = 1;
    int32_t bonusChain = 0;
    int32_t multiplier = 1;
    int32_t scoreUpdatePending = 0;
    int32_t gameOverPending = 0;

    // The score popups, the only way points reach the score.
    std::array<ScorePopup, PopupCapacity> popups{};
    int32_t popupCount = 0;
    // Points of popups that found the list full: credited like the listed ones by the next
    // crediting pass (with the multiplier), never saved (crediting follows in the same pass).
    int64_t unlistedPoints = 0;

    // Measured sizes of the three popup label texts, indexed by PopupStyle.
    LabelSize PaintLabelSize;
    LabelSize ClearLabelSize;
    LabelSize MultiplierLabelSize;

    // Flags the rules share with the shell and the saved game.
    int32_t GameInProgress = 0;
    int32_t GameRunning = 0;
    int32_t Paused = 0;
    int32_t HelpDuringGame = 1;
    int32_t OccupiedNoticeArmed = 1;
    int32_t WrongColourNoticeArmed = 1;

    // The end of a game.
    int32_t GameOverClickArmed = 0;
    int32_t GameOverClicked = 0;
    int32_t FinishedGame = 0;
    uint32_t GameOverShownAt = 0;
};

constexpr uint32_t GameOverDelay = 2000;

// Tile id (bitmap resource) and tile-set index of a board square or pile element.
constexpr int TileIndex(Color color, ElementKind kind) {
    switch (color) {
    case Color::Green:
        return 1 + static_cast<int>(kind);
    case Color::Red:
        return 8 + static_cast<int>(kind);
    default:
        return 0;
    }
}
constexpr int TileId(Color color, ElementKind kind) {
    return 100 + TileIndex(color, kind);
}

constexpr int CellOriginX(int x) {
    return 121 + 54 * x;
}
constexpr int CellOriginY(int y) {
    return 121 + 54 * y;
}
