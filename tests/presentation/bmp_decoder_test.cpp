// Decoding 24-bit BMP files, and refusing every file that is not one or does not fit its bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "presentation/bmp_decoder.h"

namespace {

void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t colourAt(int x, int y) {
    return rgb(10 + x, 100 + y, static_cast<uint32_t>(x * 16 + y));
}

// A w x h BMP with a 40-byte header whose pixel (x, y) is colourAt(x, y).
std::vector<uint8_t> makeBmp(int w, int h, bool topDown = false) {
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> b(54 + stride * static_cast<size_t>(h), 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<uint32_t>(b.size()));
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, static_cast<uint32_t>(w));
    put32(b, 22, static_cast<uint32_t>(topDown ? -h : h));
    put16(b, 26, 1);
    put16(b, 28, 24);
    for (int row = 0; row < h; ++row) {
        int y = topDown ? row : h - 1 - row;
        for (int x = 0; x < w; ++x) {
            uint32_t c = colourAt(x, y);
            size_t at = 54 + static_cast<size_t>(row) * stride + static_cast<size_t>(x) * 3;
            b[at] = static_cast<uint8_t>(c);
            b[at + 1] = static_cast<uint8_t>(c >> 8);
            b[at + 2] = static_cast<uint8_t>(c >> 16);
        }
    }
    return b;
}

void expectPicture(const Surface& s, int w, int h) {
    ASSERT_EQ(s.width, w);
    ASSERT_EQ(s.height, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(s.at(x, y), colourAt(x, y)) << x << "," << y;
}

} // namespace

TEST(BmpDecoderTest, ReadsBottomUpRowsWithTheirPadding) {
    expectPicture(DecodeBmp(makeBmp(3, 2)), 3, 2);
}

TEST(BmpDecoderTest, ReadsTopDownRows) {
    expectPicture(DecodeBmp(makeBmp(5, 3, true)), 5, 3);
}

TEST(BmpDecoderTest, ReadsTheOldCoreHeader) {
    std::vector<uint8_t> info = makeBmp(2, 2);
    // The same pixels behind a 12-byte header: 16-bit width and height, planes, bit count.
    std::vector<uint8_t> b(26, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 10, 26);
    put32(b, 14, 12);
    put16(b, 18, 2);
    put16(b, 20, 2);
    put16(b, 22, 1);
    put16(b, 24, 24);
    b.insert(b.end(), info.begin() + 54, info.end());
    expectPicture(DecodeBmp(b), 2, 2);
}

TEST(BmpDecoderTest, RefusesPicturesThatAreNot24BitUncompressed) {
    auto with = [](size_t at, uint32_t value, bool wide) {
        std::vector<uint8_t> b = makeBmp(2, 2);
        if (wide) {
            put32(b, at, value);
        } else {
            put16(b, at, value);
        }
        return DecodeBmp(b);
    };
    EXPECT_TRUE(with(28, 32, false).empty()); // 32 bits per pixel
    EXPECT_TRUE(with(28, 8, false).empty());  // palette
    EXPECT_TRUE(with(26, 2, false).empty());  // planes
    EXPECT_TRUE(with(30, 1, true).empty());   // run-length compressed
    EXPECT_TRUE(with(14, 20, true).empty());  // unknown header size
    EXPECT_TRUE(with(0, 'B' | ('A' << 8), false).empty());
}

TEST(BmpDecoderTest, RefusesSizesAndOffsetsThatDoNotFit) {
    auto with32 = [](size_t at, uint32_t value) {
        std::vector<uint8_t> b = makeBmp(2, 2);
        put32(b, at, value);
        return DecodeBmp(b);
    };
    EXPECT_TRUE(with32(18, 0).empty());
    EXPECT_TRUE(with32(18, 0xFFFFFFFE).empty()); // width -2
    EXPECT_TRUE(with32(22, 0).empty());
    EXPECT_TRUE(with32(22, 0x80000000).empty()); // height INT32_MIN
    EXPECT_TRUE(with32(18, 5000).empty());       // wider than any picture of the game
    EXPECT_TRUE(with32(22, 3).empty());          // one row more than the data holds
    EXPECT_TRUE(with32(10, 60).empty());         // pixels start too late
    EXPECT_TRUE(with32(10, 20).empty());         // pixels start inside the header
    EXPECT_TRUE(with32(10, 0xFFFFFFF0).empty());
    EXPECT_TRUE(with32(14, 0xFFFFFFF0).empty()); // header longer than the file
}

TEST(BmpDecoderTest, EveryTruncatedFileGivesNothing) {
    std::vector<uint8_t> whole = makeBmp(4, 3);
    for (size_t n = 0; n < whole.size(); ++n) {
        std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_TRUE(DecodeBmp(part).empty()) << n;
    }
}

TEST(BmpDecoderTest, DamagedHeadersNeverReadOutsideTheBytes) {
    // Random damage to the headers: whatever comes out, it is decoded from inside the
    // buffer (the sanitizer build checks the reads) and is either empty or complete.
    std::mt19937 random(7);
    const std::vector<uint8_t> whole = makeBmp(6, 5);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> b = whole;
        for (int k = 0; k < 3; ++k)
            b[random() % 54] = static_cast<uint8_t>(random());
        b.resize(b.size() - random() % 8);
        Surface s = DecodeBmp(b);
        if (!s.empty()) {
            EXPECT_EQ(s.pixels.size(), static_cast<size_t>(s.width) * s.height);
        }
    }
}
