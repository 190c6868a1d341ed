// The window icon file holds the 16, 32, 48 and 256 pixel images, each inside the file.
#include <gtest/gtest.h>

#include <set>

#include "resources/resources.h"
#include "tests/resources/resource_files.h"

TEST(Icon, HoldsFourSizesWithinTheFile) {
    auto ico = ResourceBytes(ResourceKind::Icon, WindowIconId);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(le16(ico, 0), 0);
    EXPECT_EQ(le16(ico, 2), 1) << "type icon";
    size_t count = le16(ico, 4);
    ASSERT_GE(ico.size(), 6 + 16 * count);
    std::set<int> sizes;
    for (size_t i = 0; i < count; ++i) {
        size_t e = 6 + 16 * i;
        int size = ico[e] == 0 ? 256 : ico[e];
        sizes.insert(size);
        uint32_t bytes = le32(ico, e + 8), offset = le32(ico, e + 12);
        ASSERT_LE(static_cast<size_t>(offset) + bytes, ico.size()) << "image " << i;
        auto image = ico.subspan(offset, bytes);
        bool png = image.size() >= 8 && image[0] == 0x89 && image[1] == 'P';
        if (!png) {
            ASSERT_GE(image.size(), 40u);
            EXPECT_EQ(le32(image, 0), 40u);
            EXPECT_EQ(static_cast<int>(le32(image, 4)), size);
            EXPECT_EQ(static_cast<int>(le32(image, 8)), size * 2) << "colour and mask heights";
        }
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
}
