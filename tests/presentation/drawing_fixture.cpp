// The drawing world every presentation test starts from.
#include "tests/presentation/drawing_fixture.h"

#include "presentation/canvas.h"
#include "presentation/graphics.h"
#include "presentation/pile.h"
#include "resources/bitmap_font.h"

namespace {

const BitmapFont& testFont() {
    static const BitmapFont font = [] {
        BitmapFont f;
        f.cellHeight = 16;
        f.rows.assign(256 * 16, 0);
        for (size_t c = 32; c < 127; ++c) {
            f.advance[c] = 8;
            for (int y = 2; y < 14; ++y)
                f.rows[c * 16 + static_cast<size_t>(y)] = 0xFE00;
        }
        return f;
    }();
    return font;
}

Surface picture(int id) {
    struct Size {
        int first, last, w, h;
    };
    static const Size sizes[] = {{100, 115, 48, 48},     {116, 123, 96, 96},
                                 {124, 124, 450, 180},   {150, 153, 240, 108},
                                 {1650, 1651, 228, 96},  {1500, 1501, 480, 480},
                                 {2000, 2000, 480, 480}, {2500, 2601, 480, 480}};
    for (const Size& s : sizes) {
        if (id < s.first || id > s.last) continue;
        const bool ring = id >= 116 && id <= 123, pause = id >= 150 && id <= 153;
        if (!ring && !pause) return Surface(s.w, s.h, PictureColour(id));
        const bool mask = ring ? id >= 120 : id <= 151;
        Surface out(s.w, s.h, 0xFFFFFF);
        for (int y = 0; y < s.h; ++y)
            for (int x = 0; x < s.w; ++x)
                if (ring ? y < 12 : (x >= 100 && x < 140 && y >= 44 && y < 64))
                    out.at(x, y) = mask ? 0 : PictureColour(id);
        return out;
    }
    return Surface();
}

} // namespace

bool GlyphPixel(int x, int y) {
    return x >= 0 && x < 7 && y >= 2 && y < 14;
}

uint32_t PictureColour(int id) {
    if (id == 115) return 0x808080; // the gradient square
    uint32_t h = static_cast<uint32_t>(id) * 2654435761u;
    return rgb(16 + (h >> 8) % 200, 16 + (h >> 16) % 200, 16 + (h >> 24) % 200);
}

void DrawingTest::SetUp() {
    UseTextFont(&testFont());
    UsePictureSource(&picture);
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
    ClientWidth = width;
    ClientHeight = height;
    TestWindow() = Surface(width, height, fill);
    Updates().clear();
    SoundsPlayed().clear();
}

void DrawingTest::MakeGraphics(uint32_t backdrop) {
    CreateGraphicsIfNeeded();
    BackBuffer = Surface(480, 480, backdrop);
    Resize(480, 480, backdrop);
}
