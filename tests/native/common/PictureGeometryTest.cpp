#include "common/PictureGeometry.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(PictureGeometryTest, AddressesAndPixelsAgree)
{
    EXPECT_EQ(AddressOfPixel(0, 1023), 0x00000000u);
    EXPECT_EQ(AddressOfPixel(1023, 0), 0xFFFFF000u);
    EXPECT_EQ(AddressOfPixel(5, 1023), 0x00005000u);

    const PicturePixel shared = PixelOfAddress(0x7FFE0000);
    EXPECT_EQ(shared.column, 992);
    EXPECT_EQ(BottomRowOfAddress(0x7FFE0000), 511);
    EXPECT_EQ(shared.row, 512);

    const PicturePixel top = PixelOfAddress(0xFFFFFFFF);
    EXPECT_EQ(top.column, 1023);
    EXPECT_EQ(top.row, 0);

    // Every pixel maps to its page and back.
    for (int32_t row = 0; row < kPictureSide; row += 31) {
        for (int32_t column = 0; column < kPictureSide; column += 17) {
            const PicturePixel back = PixelOfAddress(AddressOfPixel(column, row) + 0xABC);
            EXPECT_EQ(back.column, column);
            EXPECT_EQ(back.row, row);
        }
    }
    EXPECT_TRUE(IsInsidePicture(0, 1023));
    EXPECT_FALSE(IsInsidePicture(-1, 0));
    EXPECT_FALSE(IsInsidePicture(0, 1024));
}

TEST(PictureGeometryTest, ColourOrderFreeReservedCommitted)
{
    uint32_t colour = 12345;
    EXPECT_FALSE(PageColour(0, colour));
    EXPECT_FALSE(PageColour(0x001 | 0x002 | 0x200 | 0x800, colour));
    EXPECT_EQ(colour, 12345u);
    ASSERT_TRUE(PageColour(0x080 | 0x040, colour));
    EXPECT_EQ(colour, 0x00FF00u);
    ASSERT_TRUE(PageColour(0x100 | 0x040, colour));
    EXPECT_EQ(colour, 0xFF0000u);
    ASSERT_TRUE(PageColour(0x040 | 0x004, colour));
    EXPECT_EQ(colour, 0x0000FFu);
    EXPECT_EQ(kBackgroundColour, 12500670u);
}

TEST(PictureGeometryTest, ViewPositionsAndLabelAnchor)
{
    const float k = 1.0f / 1023.0f;
    const PictureViewPosition go = ZoomPositionOfAddress(0x7C801234);
    EXPECT_EQ(go.x, 1.0f - 1.0f * k);
    EXPECT_EQ(go.y, 498.0f * k);
    EXPECT_EQ(PixelOfAddress(0x7C801234).row, 525);

    const PictureViewPosition corner = ZoomPositionOfPixel(0, 1023);
    EXPECT_EQ(corner.x, 1.0f);
    EXPECT_EQ(corner.y, 0.0f);
    const PictureViewPosition middle = ZoomPositionOfPixel(100, 200);
    EXPECT_EQ(middle.x, 1.0f - 100.0f * k);
    EXPECT_EQ(middle.y, 1.0f - 200.0f * k);
    // Every position lands on the pixel it was made for (the nearest one is that pixel), the
    // positions move one way from pixel to pixel, and a double-click on a pixel and a goto to
    // its page centre the same column and the same row.
    float previousX = 2.0f;
    float previousY = -1.0f;
    for (int32_t v = 0; v < kPictureSide; ++v) {
        const PictureViewPosition byPixel = ZoomPositionOfPixel(v, 1023 - v);
        const PictureViewPosition byAddress = ZoomPositionOfAddress(static_cast<uint32_t>(v) << 22);
        ASSERT_EQ(std::lround((1.0f - byPixel.x) * 1023.0f), v);
        ASSERT_EQ(std::lround(byAddress.y * 1023.0f), v);
        ASSERT_LT(byPixel.x, previousX) << v;
        ASSERT_GT(byAddress.y, previousY) << v;
        ASSERT_EQ(ZoomPositionOfAddress(static_cast<uint32_t>(v) << 12).x, byPixel.x) << v;
        ASSERT_NEAR(byPixel.y, byAddress.y, k / 100.0f) << v;
        previousX = byPixel.x;
        previousY = byAddress.y;
    }

    const PicturePixel label = LabelAnchorOfModule(0x7C800000);
    EXPECT_EQ(label.column, 0);
    EXPECT_EQ(label.row, 525);
    const PicturePixel odd = LabelAnchorOfModule(0x00401000);
    EXPECT_EQ(odd.column, 1);
    EXPECT_EQ(odd.row, 1022);
}
