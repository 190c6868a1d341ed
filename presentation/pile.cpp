// The draw-pile column: each moving step of a slot, the ring of balls, and resting elements.
#include "presentation/pile.h"

#include <algorithm>

#include "presentation/graphics.h"

int RingFrame = 0;

namespace {

constexpr int PileX = 42;
constexpr int RingX = 18;
constexpr int RingSize = 96;
constexpr int RingAbove = 24;
constexpr int SlotEraseSize = 54; // the tile and its shadow

// The tile of a pile element; -1 for anything but a green or red element.
int elementTile(const PileSlot& slot) {
    if (slot.color != Color::Green && slot.color != Color::Red) return -1;
    int kind = static_cast<int>(slot.kind);
    if (kind < static_cast<int>(ElementKind::ArrowUp) || kind > static_cast<int>(ElementKind::Star))
        return -1;
    return TileIndex(slot.color, slot.kind);
}

const Surface& tile(int index) {
    return TileSet[static_cast<size_t>(index)];
}

// The canvas square at (x, y) of the back buffer, back onto the window.
void erase(int x, int y, int size) {
    StretchSquare(x, y, x, y, BackBuffer, Rop::SrcCopy, size);
}

// Canvas y values of the column stay far from the ends of int, whatever a slot holds.
int clampY(int y) {
    return std::clamp(y, -100000, 100000);
}

} // namespace

void DrawPileSlot(const GameState& game, int index, int previousY, bool landedNow) {
    if (index < 0 || index >= PileSlotCount) return;
    const PileSlot& slot = game.slots[static_cast<size_t>(index)];
    const int y = clampY(slot.y);
    const int before = clampY(previousY);
    const bool active = index == game.activeIndex;

    if (landedNow) erase(RingX, before - RingAbove, RingSize);
    if (active)
        erase(RingX, before - RingAbove, RingSize);
    else
        erase(PileX, before, SlotEraseSize);

    const int t = elementTile(slot);
    if (t < 0) return;

    StretchSquareClipped(PileX + 4, y + 6, 0, 0, tile(GradientTile), Rop::SrcCopy, SquareSize);
    StretchSquareClipped(PileX, y, 0, 0, tile(t), Rop::SrcCopy, SquareSize);
    if (active) {
        const int frame = std::clamp(RingFrame, 0, 3);
        StretchSquareClipped(RingX, y - RingAbove, 0, 0, tile(RingMaskTile + frame),
                             Rop::MergePaint, RingSize);
        StretchSquareClipped(RingX, y - RingAbove, 0, 0, tile(RingTile + frame), Rop::SrcAnd,
                             RingSize);
        RingFrame = frame == 3 ? 0 : frame + 1;
    }
    if (landedNow) {
        // Darkened towards its bottom-right corner on the window, and at rest, with its
        // shadow, in the back buffer.
        StretchSquareClipped(PileX, y, 0, 0, tile(GradientTile), Rop::SrcAnd, SquareSize);
        BlitToBackBuffer(PileX + 6, y + 2, 0, 0, tile(GradientTile), Rop::SrcCopy, SquareSize);
        BlitToBackBuffer(PileX, y, 0, 0, tile(t), Rop::SrcCopy, SquareSize);
        BlitToBackBuffer(PileX, y, 0, 0, tile(GradientTile), Rop::SrcAnd, SquareSize);
    }
}

void RedrawRestingPile(const GameState& game) {
    const int landed = std::clamp(game.landedCount, 0, PileSlotCount);
    for (int i = 0; i < landed; ++i) {
        const PileSlot& slot = game.slots[static_cast<size_t>(i)];
        const int t = elementTile(slot);
        if (t < 0) continue;
        const int y = clampY(slot.y);
        BlitToBackBuffer(PileX + 4, y + 6, 0, 0, tile(GradientTile), Rop::SrcCopy, SquareSize);
        BlitToBackBuffer(PileX, y, 0, 0, tile(t), Rop::SrcCopy, SquareSize);
        BlitToBackBuffer(PileX, y, 0, 0, tile(GradientTile), Rop::SrcAnd, SquareSize);
    }
}
