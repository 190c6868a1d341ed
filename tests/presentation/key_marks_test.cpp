// The keyboard's frame: drawn over the game's pixels and taken away without a trace, also
// when the game draws under it; and its contrast against every colour it is drawn on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

#include "presentation/canvas.h"
#include "presentation/graphics.h"
#include "presentation/key_marks.h"
#include "presentation/screens.h"
#include "tests/presentation/drawing_fixture.h"
#include "tools/assetgen/colour_vision.h"

using KeyMarksTest = DrawingTest;

namespace {

// A window of distinct pixels: a pixel put back at the wrong place shows.
void Pattern(Surface& s, uint32_t seed) {
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            s.at(x, y) = (static_cast<uint32_t>(x * 7 + y * 131) ^ seed) & 0xFFFFFF;
}

// The frames the cursor and the focus are drawn in.
std::vector<CanvasRect> AllMarks() {
    std::vector<CanvasRect> marks;
    for (int column = 0; column < BoardSide; ++column)
        for (int row = 0; row < BoardSide; ++row)
            marks.push_back(BoardSquareMark(column, row));
    return marks;
}

// The window's pixels a frame at `r` covers (at 480 x 480: 4 pixels in from its edges).
std::set<uint32_t> ColoursUnder(const CanvasRect& r) {
    std::set<uint32_t> under;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x)
            if (x < r.x0 + KeyMarkWidth || y < r.y0 + KeyMarkWidth || x >= r.x1 - KeyMarkWidth ||
                y >= r.y1 - KeyMarkWidth)
                under.insert(TestWindow().at(x, y));
    return under;
}

} // namespace

TEST_F(KeyMarksTest, TheFrameStaysOverWhatIsDrawnAndLeavesTheGamesPixelsWhenItGoes) {
    for (const int side : {480, 960, 517}) {
        Resize(side, side);
        Pattern(TestWindow(), 0);
        Surface tile(48, 48);
        Pattern(tile, 0x5A5A5A);
        // The same drawings with the frame over square (2, 3), moved to (3, 3) and back, and
        // without it: once it goes, the window is the same pixel for pixel.
        const auto draw = [&tile] {
            DrawToWindow(ScaleX(CellOriginX(2) - 10), ScaleY(CellOriginY(3) + 5), ScaleX(48),
                         ScaleY(48), tile, 0, 0, 48, 48, Rop::SrcAnd);
            DrawToWindow(ScaleX(CellOriginX(3)), ScaleY(CellOriginY(3) - 20), ScaleX(48),
                         ScaleY(48), tile, 0, 0, 48, 48, Rop::MergePaint);
        };
        const Surface start = TestWindow();
        draw();
        const Surface plain = TestWindow();
        TestWindow() = start;
        ShowKeyMark(BoardSquareMark(2, 3));
        const int ring = std::max(1, side / 480);
        const int x0 = ScaleX(CellOriginX(2) - KeyMarkWidth), y0 = ScaleY(CellOriginY(3));
        EXPECT_EQ(TestWindow().at(x0, y0), KeyMarkDark);
        EXPECT_EQ(TestWindow().at(x0 + ring, y0), KeyMarkLight);
        EXPECT_EQ(TestWindow().at(x0 + 3 * ring, y0), KeyMarkDark);
        EXPECT_EQ(TestWindow().at(x0 + 4 * ring, y0), start.at(x0 + 4 * ring, y0));
        draw();
        EXPECT_EQ(TestWindow().at(x0 + ring, y0), KeyMarkLight) << "over what was drawn";
        ShowKeyMark(BoardSquareMark(3, 3));
        ShowKeyMark(BoardSquareMark(2, 3));
        HideKeyMark();
        EXPECT_TRUE(TestWindow().pixels == plain.pixels) << side;
        // A whole picture drawn over it lets it go: hiding it then changes nothing.
        ShowKeyMark(BoardSquareMark(0, 0));
        DrawToWindow(0, 0, side, side, tile, 0, 0, 48, 48, Rop::SrcCopy);
        EXPECT_FALSE(KeyMarkShown());
        const Surface whole = TestWindow();
        HideKeyMark();
        EXPECT_TRUE(TestWindow().pixels == whole.pixels);
    }
}

// The figures of the frame's two tones against every colour under it, for the cursor on the
// board (its gaps, and the popups' colours, which may rise under it) and the focus on every
// picture button, in English and French, under normal vision and the three simulations.
TEST_F(KeyMarksTest, OneOfItsTonesStandsOutFromEveryColourItIsDrawnOn) {
    UsePictureSource(nullptr);
    struct Screen {
        const char* name;
        std::vector<CanvasRect> marks;
        void (*draw)(uint8_t);
    };
    const std::vector<Screen> screens = {
        {"board", AllMarks(), [](uint8_t) { ShowPicture(2000); }},
        {"title",
         {{302, 132, 423, 183}, {302, 231, 423, 282}, {302, 324, 423, 375}},
         [](uint8_t l) { DrawTitleScreen(l); }},
        {"help", {{168, 389, 304, 443}}, [](uint8_t l) { DrawHelpScreen(l); }},
        {"high scores",
         {{25, 391, 241, 466}, {286, 391, 453, 466}},
         [](uint8_t l) { DrawHighScoreScreen(l, true, {}); }},
    };
    double worstBest = 100;
    for (const colour_vision::Vision v : colour_vision::AllVisions) {
        const auto lum = [v](uint32_t c) {
            return colour_vision::luminanceOf(colour_vision::simulate(v, c));
        };
        for (const Screen& screen : screens) {
            std::set<uint32_t> under;
            for (const uint8_t language : {0, 1}) {
                screen.draw(language);
                for (const CanvasRect& r : screen.marks) {
                    const std::set<uint32_t> here = ColoursUnder(r);
                    under.insert(here.begin(), here.end());
                }
            }
            if (screen.name == std::string("board"))
                under.insert({0xFFFF00, 0x000000, 0xFFFFFF}); // the popups' yellow, black, white
            double dark = 100, light = 100, best = 100;
            for (const uint32_t c : under) {
                const double d = colour_vision::contrastOf(lum(c), lum(KeyMarkDark));
                const double l = colour_vision::contrastOf(lum(c), lum(KeyMarkLight));
                dark = std::min(dark, d);
                light = std::min(light, l);
                best = std::min(best, std::max(d, l));
            }
            std::printf("%-13s %-12s %3zu colours: dark %5.2f:1, light %5.2f:1 at least; the "
                        "better of the two %5.2f:1 at least\n",
                        colour_vision::nameOf(v), screen.name, under.size(), dark, light, best);
            ASSERT_FALSE(under.empty());
            EXPECT_GE(best, 3.0) << screen.name << ", " << colour_vision::nameOf(v);
            worstBest = std::min(worstBest, best);
        }
    }
    std::printf("every colour under the frame: one tone at %.2f:1 or more against it\n", worstBest);
}
