// The drawn window's picture composed from its parts: menu bar, client, margin and covers.
#pragma once

#include <vector>

#include "platform/classic_ui/window_core.h"

namespace classicui {

// A view of w x h pixels over `first`, rows `stride` words apart: a backend's window picture.
Surface FrameView(uint32_t* first, int w, int h, int stride);

// Draws the whole window into `frame` (window pixels, at least windowArea()): the menu bar,
// the game's picture at pictureArea(), the margin around it, then the open pop-up and the
// modal overlays over everything. The client is not copied when it is a view over the very
// rows it is shown in.
void ComposeFrame(const WindowCore& w, Surface& frame);

// Copies the game's pixels of `r` (picture coordinates: the game draws its picture from the
// client's top-left corner) into `frame` where the picture is shown; nothing when the client
// is a view over those rows.
void CopyPicture(const WindowCore& w, Surface& frame, const Rect& r);

// The changed parts of the picture, clipped to it, in picture coordinates.
std::vector<Rect> ChangedPicture(const WindowCore& w);

// `r` in picture coordinates as window pixels.
Rect InWindow(const WindowCore& w, const Rect& r);

// Brings `frame` up to date for a present: the whole window when a cover is up or everything
// changed, else the changed parts of the picture. The window rectangles it changed.
std::vector<Rect> UpdateFrame(const WindowCore& w, Surface& frame);

// Whether a pop-up or an overlay covers part of the window.
inline bool Covered(const WindowCore& w) {
    return w.menuView.active || !w.overlays.empty();
}

} // namespace classicui
