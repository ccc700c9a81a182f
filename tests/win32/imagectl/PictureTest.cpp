#include "ImageControlFixture.h"

namespace {

constexpr long kRed = 0x0000FF;
constexpr long kGreen = 0x00FF00;
constexpr long kBlue = 0xFF0000;

} // namespace

TEST_F(ImageControlTest, SetImageSizeFillsEveryPixel)
{
    SetImageSize(1024, 1024, kGrey);
    for (long column : {0L, 1L, 511L, 1023L}) {
        for (long row : {0L, 512L, 1023L}) {
            EXPECT_EQ(Pixel(column, row), kGrey);
        }
    }
    EXPECT_EQ(Pixel(1024, 0), -1);
    EXPECT_EQ(Pixel(0, -1), -1);

    SetImageSize(3, 2, 0x123456);
    EXPECT_EQ(Pixel(2, 1), 0x123456);
    EXPECT_EQ(Pixel(3, 0), -1);
    EXPECT_EQ(Pixel(0, 2), -1);

    // An impossible size is refused and leaves the picture as it was.
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_I4;
    long result = 0;
    EXPECT_EQ(Call(DISPID_IMG_SETIMAGESIZE, VT_I4, &result, params, 0L, 5L, kRed), S_OK);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Call(DISPID_IMG_SETIMAGESIZE, VT_I4, &result, params, 100000L, 100000L, kRed), S_OK);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Pixel(2, 1), 0x123456);
}

TEST_F(ImageControlTest, SetPixelColorCountsRowsFromTheBottom)
{
    SetImageSize(1024, 1024, kGrey);
    SetPixel(0, 0, kRed);          // page 0: bottom-left
    SetPixel(1023, 1023, kGreen);  // last page: top-right
    SetPixel(992, 511, kBlue);     // 0x7FFE0000
    EXPECT_EQ(Pixel(0, 1023), kRed);
    EXPECT_EQ(Pixel(1023, 0), kGreen);
    EXPECT_EQ(Pixel(992, 512), kBlue);
    EXPECT_EQ(Pixel(0, 0), kGrey);
    EXPECT_EQ(Pixel(992, 511), kGrey);

    // Outside the picture nothing changes and nothing breaks.
    SetPixel(-1, 0, kRed);
    SetPixel(1024, 0, kRed);
    SetPixel(0, 1024, kRed);
    SetPixel(0, -1, kRed);
    EXPECT_EQ(Pixel(1023, 1023), kGrey);
    EXPECT_EQ(Pixel(0, 0), kGrey);

    // On a picture that is not square the flip uses its own height.
    SetImageSize(4, 3, kGrey);
    SetPixel(1, 0, kRed);
    EXPECT_EQ(Pixel(1, 2), kRed);
}

TEST_F(ImageControlTest, ArgumentsOfAnotherTypeAreCoerced)
{
    SetImageSize(1024, 1024, kGrey);
    static const BYTE floats[] = VTS_R4 VTS_R4 VTS_R4;
    long result = -1;
    EXPECT_EQ(Call(DISPID_IMG_SETPIXELCOLOR, VT_I4, &result, floats, 3.0, 4.0, 255.0), S_OK);
    EXPECT_EQ(Pixel(3, 1019), kRed);

    static const BYTE oneInt[] = VTS_I4;
    float zoom = 0.0f;
    EXPECT_EQ(Call(DISPID_IMG_SETZOOM, VT_R4, &zoom, oneInt, 10L), S_OK);
    EXPECT_EQ(zoom, 10.0f);
    EXPECT_EQ(Zoom(), 10.0f);

    static const BYTE twoInts[] = VTS_I4 VTS_I4;
    EXPECT_EQ(Call(DISPID_IMG_SETDISPLAYFLAG, VT_EMPTY, nullptr, twoInts, 1L, 0L), S_OK);

    // A result asked for in another type is converted too.
    long zoomAsInt = 0;
    EXPECT_EQ(Call(DISPID_IMG_GETZOOM, VT_I4, &zoomAsInt, nullptr), S_OK);
    EXPECT_EQ(zoomAsInt, 10);
}

TEST_F(ImageControlTest, ResetImageKeepsSizeAndViewAndClearsThePicture)
{
    SetImageSize(1024, 1024, kRed);
    SetZoom(3.0f);
    SetPosition(0.25f, 0.75f);
    long result = -1;
    EXPECT_EQ(Call(DISPID_IMG_RESETIMAGE, VT_I4, &result, nullptr), S_OK);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Pixel(1023, 1023), kGrey);
    EXPECT_EQ(Pixel(0, 0), kGrey);
    EXPECT_EQ(Zoom(), 3.0f);
    EXPECT_EQ(PositionX(), 0.25f);
    EXPECT_EQ(PositionY(), 0.75f);
}
