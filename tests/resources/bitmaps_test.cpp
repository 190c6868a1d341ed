// Every bitmap is a 24-bit BMP of its size; masks match their colour images; tiles, rings and
// language variants really differ where the game tells them apart.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "resources/resources.h"
#include "tests/resources/resource_files.h"
#include "tools/assetgen/colour_vision.h"

namespace {
constexpr uint32_t White = 0xFFFFFF;

double averageLightness(const Picture& p, int x0, int y0, int x1, int y1) {
    double sum = 0;
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            sum += lightness(p.at(x, y));
            ++n;
        }
    return n ? sum / n : 0;
}

// Mean relative luminance of a region as a viewer with the given colour vision sees it.
double meanLuminance(const Picture& p, colour_vision::Vision v, int x0, int y0, int x1, int y1) {
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            sum += colour_vision::luminanceOf(colour_vision::simulate(v, p.at(x, y)));
    return sum / ((x1 - x0) * (y1 - y0));
}

void expectMaskMatches(int maskId, int colourId) {
    Picture mask = bitmap(maskId), colour = bitmap(colourId);
    ASSERT_EQ(mask.width, colour.width);
    ASSERT_EQ(mask.height, colour.height);
    int shape = 0;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            uint32_t c = colour.at(x, y), m = mask.at(x, y);
            if (c == White) {
                ASSERT_EQ(m, White)
                    << "mask " << maskId << " black outside the shape at " << x << "," << y;
            } else {
                ASSERT_EQ(m, 0u) << "mask " << maskId << " not black inside the shape at " << x
                                 << "," << y;
                ++shape;
            }
        }
    EXPECT_GT(shape, mask.width * mask.height / 50)
        << "colour image " << colourId << " is nearly empty";
    EXPECT_GT(mask.width * mask.height - shape, mask.width * mask.height / 4)
        << "colour image " << colourId << " leaves too little transparent";
}
} // namespace

TEST(Bitmaps, EveryIdIsA24BitBottomUpBmpOfItsSizeWithoutExtras) {
    for (const auto& [id, w, h] : allBitmapSizes()) {
        auto bytes = ResourceBytes(ResourceKind::Bitmap, id);
        Picture p = bitmap(id);
        ASSERT_FALSE(p.empty()) << id;
        EXPECT_EQ(p.width, w) << id;
        EXPECT_EQ(p.height, h) << id;
        size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
        EXPECT_EQ(le32(bytes, 2), bytes.size()) << "file size field of " << id;
        EXPECT_EQ(bytes.size(), 54 + stride * static_cast<size_t>(h)) << id;
    }
    EXPECT_TRUE(ResourceBytes(ResourceKind::Bitmap, 99).empty()) << "an unknown id";
}

TEST(Bitmaps, MasksAreExactlyTheShapesOfTheirColourImages) {
    for (int i = 0; i < 4; ++i)
        expectMaskMatches(120 + i, 116 + i);
    expectMaskMatches(150, 152);
    expectMaskMatches(151, 153);
}

TEST(Bitmaps, BoardTilesAreAllDifferent) {
    std::set<std::vector<uint32_t>> seen;
    for (int id = 100; id <= 114; ++id)
        EXPECT_TRUE(seen.insert(bitmap(id).pixels).second) << "tile " << id << " repeats";
}

TEST(Bitmaps, SquaresAndPiecesDifferInLuminanceForEveryColourVision) {
    // Painting is about telling plain, green and red squares apart, and placing about telling
    // green pieces from red ones: both must hold without colour vision, so each pair differs
    // in luminance over the face as well as in hue. The yellow score popups must stay legible
    // over every square.
    using namespace colour_vision;
    for (Vision v : AllVisions) {
        Picture plainSquare = bitmap(100), greenSquare = bitmap(101), redSquare = bitmap(108);
        double plain = meanLuminance(plainSquare, v, 6, 6, 42, 42);
        double green = meanLuminance(greenSquare, v, 6, 6, 42, 42);
        double red = meanLuminance(redSquare, v, 6, 6, 42, 42);
        EXPECT_GE(contrastOf(plain, green), 3.0) << nameOf(v);
        EXPECT_GE(contrastOf(plain, red), 3.0) << nameOf(v);
        EXPECT_GE(contrastOf(green, red), 1.5) << nameOf(v);
        double popup = luminanceOf(simulate(v, 0xFFFF00));
        for (double square : {plain, green, red})
            EXPECT_GE(contrastOf(popup, square), 2.0) << nameOf(v) << " " << square;
        for (int kind = 1; kind <= 6; ++kind) {
            double g = meanLuminance(bitmap(101 + kind), v, 8, 8, 40, 40);
            double r = meanLuminance(bitmap(108 + kind), v, 8, 8, 40, 40);
            EXPECT_GT(g, r) << nameOf(v) << " kind " << kind;
            EXPECT_GE(contrastOf(g, r), 1.5) << nameOf(v) << " kind " << kind;
        }
    }
}

TEST(Bitmaps, ArrowsPointTheirWay) {
    // An arrow ends in a narrow tip on the side it points to and a broad tail on the other.
    auto isInk = [](uint32_t c) {
        int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF;
        return std::abs(r - g) > 55; // the saturated piece, not the dull socket
    };
    // Ink in the first and the last lines holding ink, walking from `from` to `to`
    // across rows (vertical) or columns, within the band round the arrow's axis (the socket's
    // corners are left out).
    auto ends = [&](const Picture& p, bool rows, int from, int to) {
        std::vector<int> widths;
        int step = from < to ? 1 : -1;
        for (int a = from; a != to; a += step) {
            int n = 0;
            for (int b = 14; b < 35; ++b)
                n += isInk(rows ? p.at(b, a) : p.at(a, b));
            if (n > 0) widths.push_back(n);
        }
        // Four lines at each end, skipping the two outermost, whose shading decides too much.
        int first = 0, last = 0;
        for (size_t i = 2; i < 6 && i < widths.size(); ++i) {
            first += widths[i];
            last += widths[widths.size() - 1 - i];
        }
        return std::pair{first, last};
    };
    for (int base : {102, 109}) {
        auto [upTip, upTail] = ends(bitmap(base), true, 3, 45);
        auto [rightTip, rightTail] = ends(bitmap(base + 1), false, 44, 2);
        auto [downTip, downTail] = ends(bitmap(base + 2), true, 44, 2);
        auto [leftTip, leftTail] = ends(bitmap(base + 3), false, 3, 45);
        EXPECT_LT(upTip * 4, upTail * 3) << base << " up";
        EXPECT_LT(rightTip * 4, rightTail * 3) << base << " right";
        EXPECT_LT(downTip * 4, downTail * 3) << base << " down";
        EXPECT_LT(leftTip * 4, leftTail * 3) << base << " left";
    }
}

TEST(Bitmaps, GradientSquareDarkensByClearingLowBitsFromWhiteToBlack) {
    // The game ANDs this square over resting elements: a grey whose bits are not a run of
    // leading ones would clear different bits in each channel and break the hues apart.
    const std::set<uint32_t> truncating = {0xFF, 0xFE, 0xFC, 0xF8, 0xF0, 0xE0, 0xC0, 0x80, 0x00};
    Picture g = bitmap(115);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            uint32_t c = g.at(x, y), level = c & 0xFF;
            ASSERT_EQ(c, level * 0x010101u) << "grey only at " << x << "," << y;
            ASSERT_TRUE(truncating.count(level)) << std::hex << level << " at " << x << "," << y;
        }
    EXPECT_EQ(g.at(0, 0), White);
    EXPECT_EQ(g.at(47, 47), 0u);
    // Towards the right and towards the bottom no pixel gets lighter than the one four pixels
    // before it, which covers the dither's repeat.
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            if (x + 4 < 48) {
                EXPECT_LE(g.at(x + 4, y), g.at(x, y)) << x << "," << y;
            }
            if (y + 4 < 48) {
                EXPECT_LE(g.at(x, y + 4), g.at(x, y)) << x << "," << y;
            }
        }
    // Most of a resting element stays light: only the bottom-right corner goes dark.
    EXPECT_GE(averageLightness(g, 0, 0, 24, 24), 240);
    EXPECT_GE(averageLightness(g, 0, 0, 48, 48), 180);
}

TEST(Bitmaps, RingEncirclesTheTileAndTurns) {
    std::set<std::vector<uint32_t>> frames;
    for (int f = 0; f < 4; ++f) {
        Picture ring = bitmap(116 + f);
        frames.insert(ring.pixels);
        // The middle of the 48 by 48 tile drawn at (24, 24) stays clear.
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 96; ++x)
                if (std::hypot(x + 0.5 - 48, y + 0.5 - 48) < 30) {
                    ASSERT_EQ(ring.at(x, y), White) << f << ": " << x << "," << y;
                }
        bool green = false, red = false, blue = false;
        for (uint32_t c : ring.pixels) {
            int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
            green = green || (g > r + 60 && g > b + 60);
            red = red || (r > g + 60 && r > b + 60);
            blue = blue || (b > r + 60 && b > g + 30);
        }
        EXPECT_TRUE(green && red && blue) << "frame " << f;
    }
    EXPECT_EQ(frames.size(), 4u);
}

TEST(Bitmaps, FrenchAndEnglishPicturesDiffer) {
    for (int id : {150, 152, 1500, 1650, 2500, 2600})
        EXPECT_NE(bitmap(id).pixels, bitmap(id + 1).pixels) << id;
}
