// The drawing world every presentation test starts from.
#include "tests/presentation/drawing_fixture.h"

#include "presentation/graphics.h"
#include "presentation/pile.h"
#include "presentation/text.h"

bool TestGlyphPixel(int advance, int x, int y) {
    return x >= 0 && x < advance - 1 && y >= 2 && y < 14;
}

const BitmapFont& TestFont() {
    static const BitmapFont font = [] {
        BitmapFont f;
        f.cellHeight = 16;
        f.ascent = 13;
        f.maxWidth = 14;
        f.rows.assign(256 * 16, 0);
        for (int c = 32; c < 127; ++c) {
            int advance = 8;
            if (c == ' ' || c == 'i' || c == 'l') advance = 4;
            if (c == 'W') advance = 14;
            f.advance[static_cast<size_t>(c)] = static_cast<uint8_t>(advance);
            for (int y = 0; y < 16; ++y) {
                uint16_t row = 0;
                for (int x = 0; x < 16; ++x)
                    if (TestGlyphPixel(advance, x, y)) row |= static_cast<uint16_t>(1u << (15 - x));
                f.rows[static_cast<size_t>(c) * 16 + static_cast<size_t>(y)] = row;
            }
        }
        return f;
    }();
    return font;
}

uint32_t PictureColour(int id) {
    if (id == 115) return 0x808080;
    // Well-spread colours with no channel at 0 or 255.
    uint32_t h = static_cast<uint32_t>(id) * 2654435761u;
    return rgb(16 + (h >> 8) % 200, 16 + (h >> 16) % 200, 16 + (h >> 24) % 200);
}

Surface SyntheticPicture(int id) {
    if (id >= 100 && id <= 115) return Surface(48, 48, PictureColour(id));
    if (id >= 116 && id <= 123) {
        // A ring: the top 12 rows of the frame, in colour (frames) or black (masks).
        const bool mask = id >= 120;
        Surface s(96, 96, 0xFFFFFF);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 96; ++x)
                s.at(x, y) = mask ? 0 : PictureColour(id);
        return s;
    }
    if (id == 124) return Surface(450, 180, PictureColour(id));
    if (id >= 150 && id <= 153) {
        const bool mask = id <= 151;
        Surface s(240, 108, 0xFFFFFF);
        for (int y = 44; y < 64; ++y)
            for (int x = 100; x < 140; ++x)
                s.at(x, y) = mask ? 0 : PictureColour(id);
        return s;
    }
    if (id == 1650 || id == 1651) return Surface(228, 96, PictureColour(id));
    if (id == 1500 || id == 1501 || id == 2000 || id == 2500 || id == 2501 || id == 2600 ||
        id == 2601)
        return Surface(480, 480, PictureColour(id));
    return Surface();
}

void DrawingTest::SetUp() {
    UseTextFont(&TestFont());
    UsePictureSource(&SyntheticPicture);
    ReleaseGraphics();
    RingFrame = 0;
    Resize(480, 480);
}

void DrawingTest::TearDown() {
    ReleaseGraphics();
    UsePictureSource(nullptr);
    UseTextFont(nullptr);
    Resize(480, 480);
}

void DrawingTest::Resize(int width, int height, uint32_t fill) {
    fake::ResetWindow(width, height, fill);
}

uint32_t DrawingTest::WindowPixel(int x, int y) const {
    return fake::Window().at(x, y);
}
uint32_t DrawingTest::BackPixel(int x, int y) const {
    return BackBuffer.at(x, y);
}
