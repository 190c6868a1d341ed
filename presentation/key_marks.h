// The frame the keyboard and the gamepad show: around the board square under the cursor, or
// around the picture button in focus. It lies over the window's pixels, which it keeps.
#pragma once

#include <cstdint>

// The frame's two tones, a dark ring on each side of a light one: whatever colour lies
// under it, one of them stands out from it.
constexpr uint32_t KeyMarkDark = 0x000000;
constexpr uint32_t KeyMarkLight = 0xFFFFFF;
// The frame's width in canvas units: a dark, two light and a dark ring, drawn inside the
// rectangle framed (each ring at least a pixel wide).
constexpr int KeyMarkWidth = 4;

// A rectangle of the canvas, from (x0, y0) to (x1, y1), the end excluded.
struct CanvasRect {
    int x0, y0, x1, y1;
    bool operator==(const CanvasRect&) const = default;
};

// Where the frame goes around board square (column, row): in the gap between the squares.
CanvasRect BoardSquareMark(int column, int row);

// Frames `r` on the window, taking the frame away from where it was first.
void ShowKeyMark(const CanvasRect& r);
// Takes the frame away, putting back the pixels it covered.
void HideKeyMark();
// Lets go of the frame without touching the window, whose pixels are new (a whole picture
// drawn over it, a new window).
void ForgetKeyMark();
// Whether the frame is on the window now, and where.
bool KeyMarkShown();
CanvasRect KeyMarkPlace();

// Around each drawing on the window: the frame goes from under a drawing that meets it, and
// comes back over it afterwards (a drawing of the whole window lets it go), so that the
// window always holds the game's own pixels under the frame.
bool LiftKeyMarkUnder(int x, int y, int w, int h);
void PutBackKeyMark(bool wholeWindowDrawn);
