// The canvas conversion: scaling, the strict click test and the board square under a point.
#include <gtest/gtest.h>

#include "presentation/canvas.h"

namespace {
struct ClientSize {
    ClientSize(int w, int h) {
        ClientWidth = w;
        ClientHeight = h;
    }
    ~ClientSize() {
        ClientWidth = 480;
        ClientHeight = 480;
    }
};
} // namespace

TEST(CanvasTest, At480EveryCanvasUnitIsOnePixel) {
    ClientSize size(480, 480);
    for (int v : {0, 1, 121, 404, 479, 480, -7}) {
        EXPECT_EQ(ScaleX(v), v);
        EXPECT_EQ(ScaleY(v), v);
    }
}

TEST(CanvasTest, WidthScalesXAndHeightScalesYProductFirstTruncating) {
    ClientSize size(500, 490);
    EXPECT_EQ(ScaleX(121), 126); // 60500 / 480 = 126.04
    EXPECT_EQ(ScaleY(121), 123); // 59290 / 480 = 123.52
    EXPECT_EQ(ScaleX(48), 50);
    EXPECT_EQ(ScaleY(48), 49);
    EXPECT_EQ(ScaleX(1), 1);
    EXPECT_EQ(ScaleY(47), 47); // 23030 / 480 = 47.98
    EXPECT_EQ(ScaleX(-1), -1); // toward zero
}

TEST(CanvasTest, ProductsBeyond32BitsSaturateInsteadOfWrapping) {
    ClientSize size(1920, 1920);
    EXPECT_EQ(ScaleX(2000000000), 4473924);
    EXPECT_EQ(ScaleY(-2000000000), -4473924);
    EXPECT_EQ(ScaleX(1000000), 4000000);
}

TEST(CanvasTest, ClickTestIsStrictOnAllFourSides) {
    ClientSize size(500, 490);
    // The board area 121 < x < 439 becomes 126 < x < 457 and 123 < y < 448.
    EXPECT_FALSE(InCanvasRect(126, 200, 121, 121, 439, 439));
    EXPECT_TRUE(InCanvasRect(127, 200, 121, 121, 439, 439));
    EXPECT_TRUE(InCanvasRect(456, 447, 121, 121, 439, 439));
    EXPECT_FALSE(InCanvasRect(457, 200, 121, 121, 439, 439));
    EXPECT_FALSE(InCanvasRect(200, 123, 121, 121, 439, 439));
    EXPECT_FALSE(InCanvasRect(200, 448, 121, 121, 439, 439));
}

TEST(CanvasTest, BoardSquareUnderAPoint) {
    ClientSize size(480, 480);
    EXPECT_EQ(BoardColumnAt(122), 0);
    EXPECT_EQ(BoardColumnAt(174), 0); // 53 units in: still the first column
    EXPECT_EQ(BoardColumnAt(175), 1);
    EXPECT_EQ(BoardRowAt(438), 5);

    ClientSize other(960, 500);
    // (mx - 242) * 480 / 960 / 54: 242 + 216 = 458 is exactly two columns in.
    EXPECT_EQ(BoardColumnAt(457), 1);
    EXPECT_EQ(BoardColumnAt(458), 2);
    // (my - 126) * 480 / 500 / 54: 126 + 57 -> 54.72 units, row 1.
    EXPECT_EQ(BoardRowAt(182), 0);
    EXPECT_EQ(BoardRowAt(183), 1);
}
