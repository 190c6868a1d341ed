// Stretched copies and raster effects: replication, AND shrinking, clipping, the four ops.
#include <gtest/gtest.h>

#include <vector>

#include "presentation/raster.h"
#include "presentation/text.h"
#include "tests/presentation/guarded_memory.h"

namespace {

using Pixels = std::vector<uint32_t>;

Surface row(const Pixels& pixels) {
    Surface s(static_cast<int>(pixels.size()), 1, 0);
    s.pixels = pixels;
    return s;
}

// The one-row source `src` stretched to m pixels over a row of `fill`, from source x sx.
Pixels stretch(const Pixels& src, int m, int sx = 0, int sw = -1, uint32_t fill = 0) {
    Surface dst(m, 1, fill);
    StretchBlt(dst, 0, 0, m, 1, row(src), sx, 0, sw < 0 ? static_cast<int>(src.size()) : sw, 1,
               Rop::SrcCopy);
    return dst.pixels;
}

constexpr uint32_t A = 0x102030, B = 0x405060, C = 0x708090, D = 0xA0B0C0;

} // namespace

TEST(StretchTest, EnlargingPicksThePixelUnderEachCentreTiesToTheLower) {
    EXPECT_EQ(stretch({A, B}, 3), (Pixels{A, A, B}));
    EXPECT_EQ(stretch({A, B, C}, 4), (Pixels{A, B, B, C}));
    Pixels sixteen(16), doubled(32);
    for (uint32_t i = 0; i < 32; ++i)
        sixteen[i / 2] = doubled[i] = i / 2 + 1;
    EXPECT_EQ(stretch(sixteen, 32), doubled);
    // The vertical axis maps the same way, and repeated rows stay right for every op.
    Surface src(2, 2, 0), dst(3, 4, 0x777777);
    src.pixels = {A, B, C, D};
    StretchBlt(dst, 0, 0, 3, 4, src, 0, 0, 2, 2, Rop::SrcAnd);
    EXPECT_EQ(dst.pixels, (Pixels{A & 0x777777, A & 0x777777, B & 0x777777, A & 0x777777,
                                  A & 0x777777, B & 0x777777, C & 0x777777, C & 0x777777,
                                  D & 0x777777, C & 0x777777, C & 0x777777, D & 0x777777}));
    // A repeated row ANDed over two different rows ANDs each of them.
    Surface striped(1, 2, 0);
    striped.pixels = {0xFF00FF, 0x00FFFF};
    StretchBlt(striped, 0, 0, 1, 2, row({0xFFFFF0}), 0, 0, 1, 1, Rop::SrcAnd);
    EXPECT_EQ(striped.pixels, (Pixels{0xFF00F0, 0x00FFF0}));
}

TEST(StretchTest, ShrinkingAndsTheSourcePixelsLandingOnEachDestinationPixel) {
    EXPECT_EQ(stretch({0xF0F0F0, 0x3C3C3C, 0xFF00FF, 0x0F0F0F}, 2), (Pixels{0x303030, 0x0F000F}));
    EXPECT_EQ(stretch({0xFFFF00, 0x00FFFF, 0x123456}, 2), (Pixels{0x00FF00, 0x123456}));
    // One pixel wide from a wider source: the last source pixel is left out.
    EXPECT_EQ(stretch({0xF0F0F0, 0x3C3C3C, 0x000000}, 1), (Pixels{0x303030}));
    EXPECT_EQ(stretch({A, 0}, 1), (Pixels{A}));
    // Four to three: the middle pixel takes the middle two; from source x 1, three to two.
    EXPECT_EQ(stretch({A, B, C, D}, 3), (Pixels{A, B & C, D}));
    EXPECT_EQ(stretch({A, B, C, D}, 2, 1, 3), (Pixels{B & C, D}));
    // Rows shrink alike: four rows to two, each the AND of its two.
    Surface column(1, 4, 0), two(1, 2, 0);
    column.pixels = {0xF0F0F0, 0x3C3C3C, 0xFF00FF, 0x0F0F0F};
    StretchBlt(two, 0, 0, 1, 2, column, 0, 0, 1, 4, Rop::SrcCopy);
    EXPECT_EQ(two.pixels, (Pixels{0x303030, 0x0F000F}));
    // A white row copies white: only AND and MERGEPAINT may skip it.
    EXPECT_EQ(stretch({0xFFFFFF}, 2, 0, -1, D), (Pixels{0xFFFFFF, 0xFFFFFF}));
}

TEST(StretchTest, ClippedToBothSurfacesWithoutChangingTheMapping) {
    // Source columns -1..2 of a two-pixel bitmap: only the existing ones are copied.
    EXPECT_EQ(stretch({A, B}, 4, -1, 4, D), (Pixels{D, A, B, D}));
    EXPECT_EQ(stretch({A, B}, 4, 1, 2, D), (Pixels{B, B, D, D}));
    Surface two(4, 2, D); // a repeated row keeps its own untouched pixels
    two.at(0, 1) = two.at(3, 1) = C;
    StretchBlt(two, 0, 0, 4, 2, row({A, B}), -1, 0, 4, 1, Rop::SrcCopy);
    EXPECT_EQ(two.pixels, (Pixels{D, A, B, D, C, A, B, C}));
    Surface dst(3, 1, 0);
    PixelRect r = StretchBlt(dst, -1, 0, 4, 1, row({A, B, C, D}), 0, 0, 4, 1, Rop::SrcCopy);
    EXPECT_EQ(dst.pixels, (Pixels{B, C, D}));
    EXPECT_EQ(r.x + r.width, 3);
    // Shrinking from left of the surface: the visible pixel ANDs its own two source pixels.
    Surface half(2, 1, D);
    StretchBlt(half, -1, 0, 2, 1, row({0xF0F0F0, 0x3C3C3C, 0xFF00FF, 0x0F0F0F}), 0, 0, 4, 1,
               Rop::SrcCopy);
    EXPECT_EQ(half.pixels, (Pixels{0x0F000F, D}));
    Surface first(1, 1, D); // and right of it: the source pixels landing past it are left out
    StretchBlt(first, 0, 0, 2, 1, row({0xF0F0F0, 0x3C3C3C, 0xFF00FF, 0x0F0F0F}), 0, 0, 4, 1,
               Rop::SrcCopy);
    EXPECT_EQ(first.pixels, (Pixels{0x303030}));
    // Shrinking over the bitmap's right edge: the pixel with no source is left alone, and
    // nothing is read from the next row.
    Surface wide(4, 2, 0), pair(2, 1, D);
    wide.pixels = {A, B, C, D, 0, 0, 0, 0};
    StretchBlt(pair, 0, 0, 2, 1, wide, 2, 0, 4, 1, Rop::SrcCopy);
    EXPECT_EQ(pair.pixels, (Pixels{C & D, D}));
    // Rows past the bitmap's bottom are left alone; rows above the surface are not drawn.
    Surface tall(2, 2, D), square(2, 2, 0), top(2, 2, D);
    BitBlt(tall, 0, 0, 2, 2, row({A, B}), 0, 0, Rop::SrcCopy);
    EXPECT_EQ(tall.pixels, (Pixels{A, B, D, D}));
    square.pixels = {A, B, C, D};
    BitBlt(top, 0, -1, 2, 2, square, 0, 0, Rop::SrcCopy);
    EXPECT_EQ(top.pixels, (Pixels{C, D, D, D}));
    // A fill wholly right of the surface fills and reports nothing.
    EXPECT_TRUE(FillWhite(top, 5, 0, 2, 2).empty());
    EXPECT_EQ(top.pixels, (Pixels{C, D, D, D}));
    // Nothing to draw: nothing reported, and no overflow near the ends of int.
    EXPECT_TRUE(StretchBlt(dst, 0, 0, 3, 1, row({A}), 5, 0, 1, 1, Rop::SrcCopy).empty());
    EXPECT_TRUE(StretchBlt(dst, 0, 0, -3, 1, row({A}), 0, 0, 1, 1, Rop::SrcCopy).empty());
    EXPECT_TRUE(StretchBlt(dst, 0, 0, 3, 1, Surface(), 0, 0, 1, 1, Rop::SrcCopy).empty());
    EXPECT_TRUE(StretchBlt(dst, 0, 0, 3, 1, row({A}), 0, 0, 1, 0, Rop::SrcCopy).empty());
    EXPECT_TRUE(StretchBlt(dst, 0, 0, 3, 1, row({A}), 0, 0, 0, 1, Rop::SrcCopy).empty());
    EXPECT_EQ(dst.pixels, (Pixels{B, C, D}));
    EXPECT_TRUE(
        StretchBlt(dst, 2147483000, 0, 2147483000, 1, row({A}), 0, 0, 1, 1, Rop::SrcCopy).empty());
    StretchBlt(dst, -2147483000, 0, 2147483647, 1, row({A, C}), 0, 0, 2, 1, Rop::SrcCopy);
    EXPECT_EQ(dst.pixels, (Pixels{C, C, C}));
}

TEST(RasterOpTest, EachOperationWorksOnTheLow24BitsAndTheTwoPassPrintKeepsTheBackground) {
    const uint32_t s = 0x0F3CF0, d = 0x55AA33;
    for (auto [rop, expected] :
         {std::pair{Rop::SrcCopy, s}, std::pair{Rop::SrcAnd, s & d},
          std::pair{Rop::MergePaint, (~s | d) & 0xFFFFFF}, std::pair{Rop::Whiteness, 0xFFFFFFu}}) {
        Surface dst(1, 1, d);
        BitBlt(dst, 0, 0, 1, 1, row({s}), 0, 0, rop);
        EXPECT_EQ(dst.pixels[0], expected);
    }
    // Black-on-white mask with MERGEPAINT, then colour-on-white with SRCAND.
    const uint32_t W = 0xFFFFFF, shape = 0xFFFF00, bg = 0x336699;
    Surface dst(4, 1, bg);
    BitBlt(dst, 0, 0, 4, 1, row({W, 0, 0, W}), 0, 0, Rop::MergePaint);
    EXPECT_EQ(dst.pixels, (Pixels{bg, W, W, bg}));
    BitBlt(dst, 0, 0, 4, 1, row({W, shape, shape, W}), 0, 0, Rop::SrcAnd);
    EXPECT_EQ(dst.pixels, (Pixels{bg, shape, shape, bg}));
}

TEST(StretchTest, AViewDrawsInItsOwnRowsAndOverTooLittleMemoryNotAtAll) {
    // Two rows of three, four words apart, as the client's rows in a wider window picture.
    Pixels memory(8, D);
    Surface view = Surface::View(memory.data(), 3, 2, 4, memory.size());
    StretchBlt(view, 0, 0, 3, 2, row({A, B}), 0, 0, 2, 1, Rop::SrcCopy);
    BitBlt(view, 1, 1, 2, 1, row({C, C}), 0, 0, Rop::SrcCopy);
    EXPECT_EQ(memory, (Pixels{A, A, B, D, A, C, C, D}));
    const Surface copy = view; // a picture of its own, with the view's pixels
    memory[0] = D;
    EXPECT_EQ(copy.pixels, (Pixels{A, A, B, A, C, C}));
    // Memory that ends before the last row's end: nothing is drawn or copied.
    Surface cut = Surface::View(memory.data(), 3, 2, 4, 6);
    EXPECT_TRUE(StretchBlt(cut, 0, 0, 3, 2, row({B}), 0, 0, 1, 1, Rop::SrcCopy).empty());
    EXPECT_TRUE(FillWhite(cut, 0, 0, 3, 2).empty());
    WriteText(cut, TextState{A, B, BkMode::Opaque}, 0, 0, "8");
    Surface whole(3, 2, 0);
    EXPECT_TRUE(BitBlt(whole, 0, 0, 3, 2, cut, 0, 0, Rop::SrcCopy).empty());
    EXPECT_EQ(whole.pixels, Surface(3, 2, 0).pixels);
    EXPECT_EQ(memory, (Pixels{D, A, B, D, A, C, C, D}));
    EXPECT_TRUE(Surface(cut).empty());
}

TEST(StretchTest, TextAndCopiesTouchNoMemoryBesideTheirPixels) {
    // Opaque text cut by a view's right and bottom edges: the view's pixels are all text or
    // background, the words between and after its rows untouched.
    Pixels memory(12, D);
    Surface view = Surface::View(memory.data(), 3, 2, 4, memory.size());
    WriteText(view, TextState{A, B, BkMode::Opaque}, 0, 0, "8");
    for (size_t i = 0; i < memory.size(); ++i)
        if (i % 4 == 3 || i >= 8)
            EXPECT_EQ(memory[i], D) << i;
        else
            EXPECT_TRUE(memory[i] == A || memory[i] == B) << i;
    // A one-pixel source at the end of readable memory, its left neighbour off the bitmap:
    // ANDed in, with nothing read past it.
    GuardedMemory guarded(sizeof(uint32_t));
    ASSERT_NE(guarded.data(), nullptr);
    auto* pixel = reinterpret_cast<uint32_t*>(guarded.data());
    *pixel = A;
    Surface lone = Surface::View(pixel, 1, 1, 1, 1), dst(2, 1, D);
    StretchBlt(dst, 0, 0, 2, 1, lone, -1, 0, 2, 1, Rop::SrcAnd);
    EXPECT_EQ(dst.pixels, (Pixels{D, A & D}));
}
