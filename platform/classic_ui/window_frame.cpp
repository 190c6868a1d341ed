// Composing the drawn window's picture, whole or by its changed rectangles.
#include "platform/classic_ui/window_frame.h"

#include <algorithm>

#include "platform/classic_ui/scaled_layer.h"

namespace classicui {
namespace {

// Dark, and not the black a window system leaves in pixels nobody painted.
constexpr uint32_t MarginColour = 0x1C1C1C;

} // namespace

Surface FrameView(uint32_t* first, int w, int h, int stride) {
    if (w <= 0 || h <= 0) return Surface::View(first, 0, 0, stride, 0);
    return Surface::View(first, w, h, stride,
                         static_cast<size_t>(stride) * static_cast<size_t>(h - 1) +
                             static_cast<size_t>(w));
}

Rect InWindow(const WindowCore& w, const Rect& r) {
    const Rect at = w.pictureArea();
    return {r.x + at.x, r.y + at.y + w.barHeight(), r.w, r.h};
}

void CopyPicture(const WindowCore& w, Surface& frame, const Rect& r) {
    if (r.h <= 0 || w.client.row(0) == frame.row(w.barHeight())) return;
    const Rect to = InWindow(w, r);
    for (int y = 0; y < r.h; ++y)
        std::copy_n(w.client.row(r.y + y) + r.x, r.w, frame.row(to.y + y) + to.x);
}

void ComposeFrame(const WindowCore& w, Surface& frame) {
    const Rect all = w.windowArea();
    const int top = w.barHeight();
    // The menu bar is drawn straight into its rows: it paints every pixel of them.
    if (top > 0) {
        Surface bar = FrameView(frame.row(0), all.w, top, frame.stride());
        DrawScaled(bar, w.uiScale, [&w](Surface& ui) { DrawMenuBar(ui, w.menu, w.menuView); });
    }
    const Rect picture = w.pictureArea();
    CopyPicture(w, frame, {0, 0, picture.w, picture.h});
    // The margin around the picture is painted whole: no pixel of the client is left as the
    // window system had it.
    for (int y = 0; y < w.client.height; ++y) {
        uint32_t* line = frame.row(y + top);
        if (y < picture.y || y >= picture.y + picture.h) {
            std::fill(line, line + w.client.width, MarginColour);
            continue;
        }
        std::fill(line, line + picture.x, MarginColour);
        std::fill(line + picture.x + picture.w, line + w.client.width, MarginColour);
    }
    if (!Covered(w)) return;
    Surface whole = FrameView(frame.row(0), all.w, all.h, frame.stride());
    DrawScaled(whole, w.uiScale, [&w](Surface& ui) {
        if (w.menuView.active) DrawMenuPopup(ui, w.menu, w.menuView);
        for (const Overlay& overlay : w.overlays)
            overlay.draw(ui);
    });
}

std::vector<Rect> ChangedPicture(const WindowCore& w) {
    const Rect picture = w.pictureArea();
    std::vector<Rect> rects;
    for (const Rect& d : w.dirty) {
        const int x0 = std::max(d.x, 0), y0 = std::max(d.y, 0);
        const int x1 = std::min(d.x + d.w, picture.w), y1 = std::min(d.y + d.h, picture.h);
        if (x1 > x0 && y1 > y0) rects.push_back({x0, y0, x1 - x0, y1 - y0});
    }
    return rects;
}

std::vector<Rect> UpdateFrame(const WindowCore& w, Surface& frame) {
    if (Covered(w) || w.frameDirty) {
        ComposeFrame(w, frame);
        return {w.windowArea()};
    }
    std::vector<Rect> shown;
    for (const Rect& r : ChangedPicture(w)) {
        CopyPicture(w, frame, r);
        shown.push_back(InWindow(w, r));
    }
    return shown;
}

} // namespace classicui
