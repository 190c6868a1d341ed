// A click on the board: refusals, placement of the active element and the line scan with painting.
#pragma once

#include <array>
#include <cstdint>

#include "rules/game_state.h"
#include "rules/rules_seam.h"

struct GridCell {
    int x = 0;
    int y = 0;
};

// What the line scan of one placement found, used once by removeAndScore.
struct LineScan {
    std::array<GridCell, BoardSide> column{}; // column group: up walk, down walk, placed cell
    int columnCount = 0;
    std::array<GridCell, BoardSide> row{}; // row group: left walk, right walk, placed cell
    int rowCount = 0;
    int columnArrows = 1; // 1 + identical ArrowUp/ArrowDown neighbours in the column
    int rowArrows = 1;    // 1 + identical ArrowLeft/ArrowRight neighbours in the row
    GridCell last{};      // the placed cell
};

// Release at client (mx, my) in a client area of W x H pixels while the game runs.
void placeAt(const GameSeam& seam, GameState& game, int mx, int my, int W, int H, uint32_t now);

// Walks the row and the column from the element just placed at (x, y), collecting the groups
// and letting an arrow paint the plain squares ahead of it.
LineScan lineScan(const GameSeam& seam, GameState& game, int x, int y, uint32_t now);
