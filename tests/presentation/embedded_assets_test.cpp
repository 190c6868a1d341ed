// The program's own pictures and font as the drawing reads them: sizes and text metrics.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "presentation/graphics.h"
#include "presentation/text.h"

TEST(EmbeddedAssetsTest, EveryPictureDecodesAtTheSizeItIsDrawnAt) {
    UsePictureSource(nullptr);
    std::vector<std::pair<int, std::pair<int, int>>> sizes;
    for (int id = 100; id <= 115; ++id)
        sizes.push_back({id, {48, 48}});
    for (int id = 116; id <= 123; ++id)
        sizes.push_back({id, {96, 96}});
    sizes.push_back({124, {450, 180}});
    for (int id : {150, 151, 152, 153})
        sizes.push_back({id, {240, 108}});
    for (int id : {1650, 1651})
        sizes.push_back({id, {228, 96}});
    for (int id : {1500, 1501, 2000, 2500, 2501, 2600, 2601})
        sizes.push_back({id, {480, 480}});
    for (const auto& [id, size] : sizes) {
        Surface picture = LoadBitmapResource(id);
        EXPECT_EQ(picture.width, size.first) << id;
        EXPECT_EQ(picture.height, size.second) << id;
    }
    EXPECT_TRUE(LoadBitmapResource(99).empty());
}

TEST(EmbeddedAssetsTest, SystemFontHasTheMetricsTheLayoutAssumes) {
    UseTextFont(nullptr);
    EXPECT_EQ(MeasureText("12345").cx, 40);
    EXPECT_EQ(MeasureText("12345").cy, 16);
    EXPECT_EQ(MeasureText("x256").cx, 32);
    EXPECT_EQ(MeasureText("0123456789").cx, 80);
}
