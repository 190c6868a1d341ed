// Decoding 24-bit BMP files, and refusing every file that is not one or does not fit its bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "presentation/bmp_decoder.h"
#include "tests/presentation/guarded_memory.h"

namespace {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& b, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t colourAt(int x, int y) {
    return rgb(10 + x, 100 + y, static_cast<uint32_t>(x * 16 + y));
}

// A w x h picture behind a 40-byte header; rows bottom-up, or top-down with a negative height.
Bytes makeBmp(int w, int h, bool topDown = false) {
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    Bytes b(54 + stride * static_cast<size_t>(h), 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, static_cast<uint32_t>(w));
    put32(b, 22, static_cast<uint32_t>(topDown ? -h : h));
    b[26] = 1;
    b[28] = 24;
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x) {
            uint32_t c = colourAt(x, topDown ? row : h - 1 - row);
            size_t at = 54 + static_cast<size_t>(row) * stride + static_cast<size_t>(x) * 3;
            b[at] = static_cast<uint8_t>(c);
            b[at + 1] = static_cast<uint8_t>(c >> 8);
            b[at + 2] = static_cast<uint8_t>(c >> 16);
        }
    return b;
}

} // namespace

// The same picture behind the older 12-byte header: 16-bit sizes, planes and bit count.
Bytes withCoreHeader(const Bytes& info, int w, int h) {
    // Sized whole before it is filled: GCC 12 warns wrongly about an insert that grows it.
    Bytes b(26 + (info.size() - 54), 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 10, 26);
    put32(b, 14, 12);
    b[18] = static_cast<uint8_t>(w);
    b[19] = static_cast<uint8_t>(w >> 8);
    b[20] = static_cast<uint8_t>(h);
    b[21] = static_cast<uint8_t>(h >> 8);
    b[22] = 1;
    b[24] = 24;
    std::copy(info.begin() + 54, info.end(), b.begin() + 26);
    return b;
}

TEST(BmpDecoderTest, ReadsBottomUpAndTopDownRowsWithTheirPaddingBehindEitherHeader) {
    for (int kind = 0; kind < 3; ++kind) {
        Surface s =
            DecodeBmp(kind == 2 ? withCoreHeader(makeBmp(3, 2), 3, 2) : makeBmp(3, 2, kind == 1));
        ASSERT_EQ(s.width, 3) << kind;
        ASSERT_EQ(s.height, 2) << kind;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(s.at(x, y), colourAt(x, y)) << kind;
    }
    // The largest side taken, with every byte of its rows there.
    EXPECT_EQ(DecodeBmp(makeBmp(MaxBitmapSide, 1)).width, MaxBitmapSide);
    EXPECT_EQ(DecodeBmp(makeBmp(1, MaxBitmapSide, true)).height, MaxBitmapSide);
    EXPECT_EQ(DecodeBmp(withCoreHeader(makeBmp(1, 300), 1, 300)).height, 300);
    // Rows with no padding, the last one ending the file where readable memory ends: every
    // pixel read, and not one byte past them.
    const Bytes exact = makeBmp(4, 2);
    GuardedMemory guarded(exact.size());
    ASSERT_NE(guarded.data(), nullptr);
    std::copy(exact.begin(), exact.end(), guarded.data());
    Surface s = DecodeBmp({guarded.data(), exact.size()});
    ASSERT_EQ(s.width, 4);
    ASSERT_EQ(s.height, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(s.at(x, y), colourAt(x, y));
}

TEST(BmpDecoderTest, RefusesOtherFormatsAndSizesOrOffsetsThatDoNotFit) {
    const std::pair<size_t, uint32_t> damage[] = {
        {28, 32}, {26, 2},          {30, 1}, // 32 bits, two planes, compressed
        {14, 20}, {14, 0xFFFFFFF0},          // header size unknown, or beyond the file
        {18, 0},  {18, 0xFFFFFFFE}, {18, 5000},
        {22, 0},  {22, 0x80000000}, {22, 3},           // one row more than the data holds
        {10, 60}, {10, 20},         {10, 0xFFFFFFF0}}; // pixels too late, too early
    for (auto [at, value] : damage) {
        Bytes b = makeBmp(2, 2);
        put32(b, at, value);
        EXPECT_TRUE(DecodeBmp(b).empty()) << at << " " << value;
    }
    Bytes compressed = makeBmp(2, 2); // compressed in the third byte of the word only
    compressed[32] = 1;
    EXPECT_TRUE(DecodeBmp(compressed).empty());
    // Not a BMP: either letter of its signature wrong.
    for (size_t at : {0u, 1u}) {
        Bytes b = makeBmp(2, 2);
        b[at] = 'X';
        EXPECT_TRUE(DecodeBmp(b).empty()) << at;
    }
    // One pixel past the largest side, even with all its bytes.
    EXPECT_TRUE(DecodeBmp(makeBmp(MaxBitmapSide + 1, 1)).empty());
    EXPECT_TRUE(DecodeBmp(makeBmp(1, MaxBitmapSide + 1)).empty());
    const Bytes whole = makeBmp(4, 3);
    for (size_t n = 0; n < whole.size(); ++n)
        EXPECT_TRUE(DecodeBmp({whole.data(), n}).empty()) << n;
}
