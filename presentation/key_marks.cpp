// The keyboard's frame over the window: drawn over the game's pixels, which it keeps aside and
// puts back when it goes or moves, and lifted around every drawing that meets it.
#include "presentation/key_marks.h"

#include <algorithm>

#include "platform/platform.h"
#include "presentation/canvas.h"
#include "rules/game_state.h"

namespace {

// The frame on the window: its rectangle in client pixels, the ring width, and the pixels of
// that rectangle as they were under it.
struct Mark {
    bool shown = false;
    bool lifted = false; // taken away for a drawing, to come back after it
    CanvasRect place{};
    int x = 0, y = 0, w = 0, h = 0, ring = 1;
    int clientW = 0, clientH = 0;   // the client size its place was scaled to
    int surfaceW = 0, surfaceH = 0; // the window picture it was drawn on
    Surface under;
};
Mark mark;

bool inBand(int i, int j) {
    const int band = 4 * mark.ring;
    return i < band || j < band || i >= mark.w - band || j >= mark.h - band;
}

// The ring a pixel of the frame belongs to: 0 outermost.
uint32_t toneAt(int i, int j) {
    const int fromEdge = std::min(std::min(i, j), std::min(mark.w - 1 - i, mark.h - 1 - j));
    const int ring = fromEdge / mark.ring;
    return ring == 0 || ring == 3 ? KeyMarkDark : KeyMarkLight;
}

// Calls `f(pixel, i, j)` for every pixel of the frame that lies on the window.
template <typename F> void forEachFramePixel(Surface& window, F f) {
    for (int j = 0; j < mark.h; ++j) {
        const int py = mark.y + j;
        if (py < 0 || py >= window.height) continue;
        for (int i = 0; i < mark.w; ++i) {
            const int px = mark.x + i;
            if (px < 0 || px >= window.width || !inBand(i, j)) continue;
            f(window.at(px, py), i, j);
        }
    }
}

void reportChanged() {
    platform::WindowUpdated(mark.x, mark.y, mark.w, mark.h);
}

void draw() {
    Surface& window = platform::WindowSurface();
    forEachFramePixel(window, [](uint32_t& pixel, int i, int j) {
        mark.under.at(i, j) = pixel;
        pixel = toneAt(i, j);
    });
    reportChanged();
}

void erase() {
    Surface& window = platform::WindowSurface();
    // A window of another size since: its pixels are all new, nothing to put back.
    if (window.width != mark.surfaceW || window.height != mark.surfaceH) return;
    forEachFramePixel(window, [](uint32_t& pixel, int i, int j) { pixel = mark.under.at(i, j); });
    reportChanged();
}

} // namespace

CanvasRect BoardSquareMark(int column, int row) {
    const int x = CellOriginX(column), y = CellOriginY(row);
    return {x - KeyMarkWidth, y - KeyMarkWidth, x + 48 + KeyMarkWidth, y + 48 + KeyMarkWidth};
}

void ShowKeyMark(const CanvasRect& r) {
    if (mark.shown && mark.place == r && mark.clientW == ClientWidth &&
        mark.clientH == ClientHeight)
        return;
    HideKeyMark();
    mark.place = r;
    mark.x = ScaleX(r.x0);
    mark.y = ScaleY(r.y0);
    mark.w = ScaleX(r.x1) - mark.x;
    mark.h = ScaleY(r.y1) - mark.y;
    mark.ring = std::max(1, std::min(ClientWidth, ClientHeight) / CanvasSize);
    mark.clientW = ClientWidth;
    mark.clientH = ClientHeight;
    mark.surfaceW = platform::WindowSurface().width;
    mark.surfaceH = platform::WindowSurface().height;
    if (mark.w <= 0 || mark.h <= 0) return;
    mark.under = Surface(mark.w, mark.h);
    mark.shown = true;
    draw();
}

void HideKeyMark() {
    if (mark.shown && !mark.lifted) erase();
    ForgetKeyMark();
}

void ForgetKeyMark() {
    mark.shown = false;
    mark.lifted = false;
    mark.under = Surface();
}

bool KeyMarkShown() {
    return mark.shown;
}

CanvasRect KeyMarkPlace() {
    return mark.place;
}

bool LiftKeyMarkUnder(int x, int y, int w, int h) {
    if (!mark.shown || mark.lifted) return false;
    if (x >= mark.x + mark.w || y >= mark.y + mark.h || x + w <= mark.x || y + h <= mark.y)
        return false;
    erase();
    mark.lifted = true;
    return true;
}

void PutBackKeyMark(bool wholeWindowDrawn) {
    if (!mark.lifted) return;
    mark.lifted = false;
    if (wholeWindowDrawn || platform::WindowSurface().width != mark.surfaceW ||
        platform::WindowSurface().height != mark.surfaceH) {
        ForgetKeyMark();
        return;
    }
    draw();
}
