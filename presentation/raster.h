// Block transfers between surfaces: copies and stretched copies with the four raster effects.
#pragma once

#include <cstddef> // surface.h uses size_t without including it

#include "platform/surface.h"

enum class Rop {
    SrcCopy,    // D = S
    SrcAnd,     // D = S & D
    MergePaint, // D = ~S | D
    Whiteness,  // D = all ones; the source is not read
};

// A rectangle of pixels; empty when width or height is 0.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

// Stretches the source rectangle (sx, sy, sw, sh) onto the destination rectangle
// (x, y, w, h) the way the default stretch mode of a fresh device context does:
// enlarging replicates pixels (pixel centres, ties to the lower one), shrinking ANDs every
// source pixel that lands on a destination pixel. Destination pixels outside `dst` or whose
// source lies outside `src` are left alone. Non-positive sizes draw nothing. Returns the
// part of the destination rectangle that lies on `dst` (empty when nothing was drawn).
PixelRect StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                     int sw, int sh, Rop rop);

// An unscaled copy of the w x h rectangle at (sx, sy) of `src` to (x, y) of `dst`.
PixelRect BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                 Rop rop);

// Fills a rectangle with white (the WHITENESS effect without a source).
PixelRect FillWhite(Surface& dst, int x, int y, int w, int h);
