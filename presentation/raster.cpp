// Copies and stretched copies between surfaces with SRCCOPY, SRCAND, MERGEPAINT, WHITENESS.
#include "presentation/raster.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t White = 0xFFFFFF;

bool usable(const Surface& s) {
    return s.width > 0 && s.height > 0 && s.intact();
}

// The source pixels that make up each visible destination pixel along one axis: a range
// [first, last] of source indices inside the bitmap, or none (first > last).
struct AxisMap {
    int64_t begin = 0; // first visible destination offset
    int64_t end = 0;   // one past the last
    std::vector<int> first;
    std::vector<int> last;
    bool single = true;      // every non-empty range is one pixel
    bool complete = true;    // every visible destination pixel has a source
    bool any = false;        // some visible destination pixel has a source
    bool contiguous = false; // one source pixel each, side by side (a copy at the same size)
};

// Maps destination offsets 0..dstLen-1 (placed at dstPos on a surface dstSize long) to
// source offsets of srcLen pixels from srcPos in a bitmap srcSize long.
AxisMap mapAxis(int64_t dstPos, int64_t dstLen, int dstSize, int64_t srcPos, int64_t srcLen,
                int srcSize) {
    AxisMap map;
    map.begin = std::max<int64_t>(0, -dstPos);
    map.end = std::min<int64_t>(dstLen, dstSize - dstPos);
    if (map.end <= map.begin) {
        map.end = map.begin;
        return map;
    }
    size_t count = static_cast<size_t>(map.end - map.begin);
    map.first.assign(count, 1);
    map.last.assign(count, 0);

    // A destination one pixel long from a longer source takes one pixel less of the source.
    if (dstLen == 1 && srcLen > 1) srcLen -= 1;

    if (srcLen <= dstLen) {
        // Enlarging: each destination pixel takes the source pixel under its centre.
        for (int64_t i = map.begin; i < map.end; ++i) {
            int64_t s = srcPos + ((2 * i + 1) * srcLen - 1) / (2 * dstLen);
            if (s >= 0 && s < srcSize) {
                size_t k = static_cast<size_t>(i - map.begin);
                map.first[k] = map.last[k] = static_cast<int>(s);
            }
        }
    } else {
        // Shrinking: each source pixel lands on one destination pixel; only the source
        // pixels inside the bitmap count.
        int64_t jBegin = std::max<int64_t>(0, -srcPos);
        int64_t jEnd = std::min<int64_t>(srcLen, srcSize - srcPos);
        for (int64_t j = jBegin; j < jEnd; ++j) {
            int64_t d = ((2 * j + 1) * dstLen - 1) / (2 * srcLen);
            if (d < map.begin || d >= map.end) continue;
            size_t k = static_cast<size_t>(d - map.begin);
            int s = static_cast<int>(srcPos + j);
            if (map.first[k] > map.last[k]) {
                map.first[k] = map.last[k] = s;
            } else {
                map.last[k] = s;
                map.single = false;
            }
        }
    }
    map.contiguous = map.single;
    for (size_t k = 0; k < count; ++k) {
        if (map.first[k] > map.last[k])
            map.complete = false;
        else
            map.any = true;
        if (map.first[k] != map.first[0] + static_cast<int>(k)) map.contiguous = false;
    }
    map.contiguous = map.contiguous && map.complete;
    return map;
}

template <Rop R> inline uint32_t apply(uint32_t s, uint32_t d) {
    if constexpr (R == Rop::SrcCopy)
        return s & White;
    else if constexpr (R == Rop::SrcAnd)
        return (s & d) & White;
    else if constexpr (R == Rop::MergePaint)
        return (~s | d) & White;
    else
        return White;
}

template <Rop R>
void transfer(Surface& dst, int64_t x, int64_t y, const Surface& src, const AxisMap& cols,
              const AxisMap& rows) {
    const size_t ncols = cols.first.size();
    const size_t x0 = static_cast<size_t>(x + cols.begin);
    int previousRow = -1;
    const uint32_t* previousOut = nullptr;
    int checkedRow = -1;
    bool neutralRow = false;
    for (size_t r = 0; r < rows.first.size(); ++r) {
        int ry0 = rows.first[r];
        int ry1 = rows.last[r];
        if (ry0 > ry1) continue;
        const int dy = static_cast<int>(y + rows.begin + static_cast<int64_t>(r));
        uint32_t* out = dst.row(dy) + x0;
        if (cols.single && ry0 == ry1) {
            // A destination row made again from the source row of the row above it is the
            // same as that row when the copy overwrites every pixel.
            if (R == Rop::SrcCopy && cols.complete && ry0 == previousRow) {
                std::memcpy(out, previousOut, ncols * sizeof(uint32_t));
                previousOut = out;
                continue;
            }
            const uint32_t* in = src.row(ry0);
            if constexpr (R == Rop::SrcAnd || R == Rop::MergePaint) {
                // White changes nothing under AND or MERGEPAINT: the blank rows of a text
                // strip or a mask are skipped whole.
                if (ry0 != checkedRow) {
                    checkedRow = ry0;
                    neutralRow = true;
                    for (size_t c = 0; c < ncols && neutralRow; ++c)
                        if (cols.first[c] <= cols.last[c] &&
                            (in[static_cast<size_t>(cols.first[c])] & White) != White)
                            neutralRow = false;
                }
                if (neutralRow) continue;
            }
            if (cols.contiguous) {
                // The source row as it lies: a loop the compiler makes wide.
                const uint32_t* from = in + cols.first[0];
                for (size_t c = 0; c < ncols; ++c)
                    out[c] = apply<R>(from[c], out[c]);
            } else {
                for (size_t c = 0; c < ncols; ++c) {
                    int sx = cols.first[c];
                    if (sx > cols.last[c]) continue;
                    out[c] = apply<R>(in[static_cast<size_t>(sx)], out[c]);
                }
            }
            previousRow = ry0;
            previousOut = out;
        } else {
            // Several source pixels land on a destination pixel: AND them, starting from
            // all ones.
            for (size_t c = 0; c < ncols; ++c) {
                int sx0 = cols.first[c];
                int sx1 = cols.last[c];
                if (sx0 > sx1) continue;
                uint32_t s = White;
                for (int sy = ry0; sy <= ry1; ++sy) {
                    const uint32_t* in = src.row(sy);
                    for (int sx = sx0; sx <= sx1; ++sx)
                        s &= in[static_cast<size_t>(sx)];
                }
                out[c] = apply<R>(s, out[c]);
            }
            previousRow = -1;
        }
    }
}

PixelRect visibleRect(const Surface& dst, int64_t x, int64_t y, int64_t w, int64_t h) {
    int64_t x0 = std::max<int64_t>(x, 0);
    int64_t y0 = std::max<int64_t>(y, 0);
    int64_t x1 = std::min<int64_t>(x + w, dst.width);
    int64_t y1 = std::min<int64_t>(y + h, dst.height);
    if (x1 <= x0 || y1 <= y0) return {};
    return {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
            static_cast<int>(y1 - y0)};
}

} // namespace

PixelRect FillWhite(Surface& dst, int x, int y, int w, int h) {
    if (!usable(dst) || w <= 0 || h <= 0) return {};
    PixelRect r = visibleRect(dst, x, y, w, h);
    for (int row = r.y; row < r.y + r.height; ++row) {
        uint32_t* out = &dst.at(r.x, row);
        std::fill(out, out + r.width, White);
    }
    return r;
}

PixelRect StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                     int sw, int sh, Rop rop) {
    if (rop == Rop::Whiteness) return FillWhite(dst, x, y, w, h);
    if (!usable(dst) || !usable(src) || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return {};
    if (&dst == &src) {
        // Reading and writing the same pixels: work from a copy of the source.
        Surface copy = src;
        return StretchBlt(dst, x, y, w, h, copy, sx, sy, sw, sh, rop);
    }
    AxisMap cols = mapAxis(x, w, dst.width, sx, sw, src.width);
    AxisMap rows = mapAxis(y, h, dst.height, sy, sh, src.height);
    if (!cols.any || !rows.any) return {};
    switch (rop) {
    case Rop::SrcCopy:
        transfer<Rop::SrcCopy>(dst, x, y, src, cols, rows);
        break;
    case Rop::SrcAnd:
        transfer<Rop::SrcAnd>(dst, x, y, src, cols, rows);
        break;
    case Rop::MergePaint:
        transfer<Rop::MergePaint>(dst, x, y, src, cols, rows);
        break;
    case Rop::Whiteness:
        break;
    }
    return visibleRect(dst, x, y, w, h);
}

PixelRect BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                 Rop rop) {
    return StretchBlt(dst, x, y, w, h, src, sx, sy, w, h, rop);
}
