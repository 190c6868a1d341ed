// The four walks from a placed element: groups of identical neighbours and an arrow's painting.
#include "rules/placement.h"
#include "rules/popup_list.h"
#include "rules/rules_seam.h"

namespace {

constexpr int SoundGroup = 5003;

struct Walk {
    int dx;
    int dy;
    ElementKind paints; // the arrow that paints ahead in this direction
    bool column;        // feeds the column results, else the row results
};

// Up, down, left, right: the order matters for the group lists and the popups.
constexpr Walk Walks[4] = {
    {0, -1, ElementKind::ArrowUp, true},
    {0, 1, ElementKind::ArrowDown, true},
    {-1, 0, ElementKind::ArrowLeft, false},
    {1, 0, ElementKind::ArrowRight, false},
};

bool onBoard(int x, int y) {
    return x >= 0 && x < BoardSide && y >= 0 && y < BoardSide;
}

bool alongAxis(ElementKind kind, bool column) {
    return column ? (kind == ElementKind::ArrowUp || kind == ElementKind::ArrowDown)
                  : (kind == ElementKind::ArrowLeft || kind == ElementKind::ArrowRight);
}

void addToGroup(std::array<GridCell, BoardSide>& list, int& count, int x, int y) {
    if (count >= 0 && count < BoardSide) list[static_cast<size_t>(count++)] = GridCell{x, y};
}

} // namespace

LineScan lineScan(const GameSeam& seam, GameState& game, int x, int y, uint32_t now) {
    LineScan scan;
    scan.last = GridCell{x, y};
    if (!onBoard(x, y)) return scan;
    const ElementKind kind = game.board.at(x, y).kind;
    const Color color = game.board.at(x, y).color;
    if (kind == ElementKind::None || color == Color::Plain) return scan;

    for (const Walk& walk : Walks) {
        auto& list = walk.column ? scan.column : scan.row;
        int& count = walk.column ? scan.columnCount : scan.rowCount;
        int& arrows = walk.column ? scan.columnArrows : scan.rowArrows;
        bool run = true;
        bool paint = true;
        for (int nx = x + walk.dx, ny = y + walk.dy; onBoard(nx, ny) && (run || paint);
             nx += walk.dx, ny += walk.dy) {
            Cell& n = game.board.at(nx, ny);
            if (run && n.color == color) {
                if (n.kind == kind) {
                    addToGroup(list, count, nx, ny);
                    if (alongAxis(kind, walk.column)) ++arrows;
                } else {
                    run = false;
                    paint = false;
                }
                continue;
            }
            run = false;
            if (paint && n.color == Color::Plain && kind == walk.paints) {
                n.color = color;
                appendPopup(game, CellOriginX(nx), CellOriginY(ny), game.paintPoints,
                            PopupStyle::Paint, now);
                seam.drawCell(nx, ny, color, ElementKind::None);
                game.scoreUpdatePending = 1;
            } else {
                paint = false;
            }
        }
    }

    if (scan.rowCount >= 2) {
        addToGroup(scan.row, scan.rowCount, x, y);
        seam.playSound(SoundGroup);
    }
    if (scan.columnCount >= 2) {
        addToGroup(scan.column, scan.columnCount, x, y);
        seam.playSound(SoundGroup);
    }
    return scan;
}
