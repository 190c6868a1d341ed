// The canvas conversion: scaling, the strict click test and the board square under a point.
#include <gtest/gtest.h>

#include "presentation/canvas.h"
#include "tests/presentation/drawing_fixture.h"

using CanvasTest = DrawingTest;

TEST_F(CanvasTest, ScalesWidthForXAndHeightForYProductFirstTruncating) {
    for (int v : {0, 121, 479, -7}) {
        EXPECT_EQ(ScaleX(v), v);
        EXPECT_EQ(ScaleY(v), v);
    }
    Resize(500, 490);
    EXPECT_EQ(ScaleX(121), 126);
    EXPECT_EQ(ScaleY(121), 123);
    EXPECT_EQ(ScaleY(47), 47); // 47.98
    EXPECT_EQ(ScaleX(-1), -1); // toward zero
    Resize(1920, 1920);
    EXPECT_EQ(ScaleX(2000000000), 4473924); // saturated, not wrapped
    EXPECT_EQ(ScaleY(-2000000000), -4473924);
}

TEST_F(CanvasTest, ClickTestIsStrictAndFindsTheSquareUnderThePoint) {
    Resize(500, 490);
    // The board area 121 < x < 439 is 126 < x < 457 and 123 < y < 448 here.
    EXPECT_FALSE(InCanvasRect(126, 200, 121, 121, 439, 439));
    EXPECT_TRUE(InCanvasRect(127, 447, 121, 121, 439, 439));
    EXPECT_FALSE(InCanvasRect(457, 200, 121, 121, 439, 439));
    EXPECT_FALSE(InCanvasRect(200, 448, 121, 121, 439, 439));
    EXPECT_FALSE(InCanvasRect(200, 123, 121, 121, 439, 439));
    EXPECT_EQ(BoardRowAt(178), 0); // (178 - 123) * 480 / 490 = 53.9 units
    EXPECT_EQ(BoardRowAt(179), 1);
    Resize(960, 500);
    EXPECT_EQ(BoardColumnAt(457), 1); // (457 - 242) * 480 / 960 = 107 units
    EXPECT_EQ(BoardColumnAt(458), 2);
    EXPECT_EQ(BoardRowAt(182), 0); // (182 - 126) * 480 / 500 = 53.76 units
    EXPECT_EQ(BoardRowAt(183), 1);
    Resize(0, 0); // a window shrunk to nothing has no square anywhere
    EXPECT_EQ(BoardColumnAt(0), -1);
    EXPECT_EQ(BoardRowAt(5), -1);
    Resize(1, 1); // a one-pixel window still has its square
    EXPECT_EQ(BoardColumnAt(0), 0);
}
