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
    SetPixel(0, 0, kRed);         // page 0: bottom-left
    SetPixel(1023, 1023, kGreen); // last page: top-right
    SetPixel(992, 511, kBlue);    // 0x7FFE0000
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

// A run goes rightwards along its row and on from column 0 of the row above, rows counted from
// the bottom as in SetPixelColor; a run that does not fit is refused whole.
TEST_F(ImageControlTest, SetPixelColorsSetsARunAcrossRowsOrNothing)
{
    SetImageSize(4, 3, kGrey);
    const long colours[] = {0x000001, 0x000002, 0x000003, 0x000004, 0x000005, 0x000006};
    SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 6);
    ASSERT_NE(array, nullptr);
    for (LONG i = 0; i < 6; ++i) {
        SafeArrayPutElement(array, &i, const_cast<long*>(&colours[i]));
    }
    VARIANT run;
    V_VT(&run) = VT_ARRAY | VT_I4;
    V_ARRAY(&run) = array;
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_VARIANT;
    long result = 0;

    EXPECT_EQ(Call(DISPID_IMG_SETPIXELCOLORS, VT_I4, &result, params, 2L, 0L, &run), S_OK);
    EXPECT_EQ(result, 6);
    const long expected[3][4] = {{kGrey, kGrey, kGrey, kGrey},
                                 {colours[2], colours[3], colours[4], colours[5]},
                                 {kGrey, kGrey, colours[0], colours[1]}};
    for (long row = 0; row < 3; ++row) {
        for (long column = 0; column < 4; ++column) {
            EXPECT_EQ(Pixel(column, row), expected[row][column]) << column << "," << row;
        }
    }

    // Past the last pixel, or starting off the picture: nothing changes.
    EXPECT_EQ(Call(DISPID_IMG_SETPIXELCOLORS, VT_I4, &result, params, 3L, 1L, &run), S_OK);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Call(DISPID_IMG_SETPIXELCOLORS, VT_I4, &result, params, 4L, 0L, &run), S_OK);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Pixel(3, 0), kGrey);
    EXPECT_EQ(Pixel(0, 2), kGrey);

    // The array may come by reference; anything but an array of I4 is a type mismatch.
    VARIANT byReference;
    V_VT(&byReference) = VT_ARRAY | VT_I4 | VT_BYREF;
    V_ARRAYREF(&byReference) = &array;
    EXPECT_EQ(Call(DISPID_IMG_SETPIXELCOLORS, VT_I4, &result, params, 2L, 1L, &byReference), S_OK);
    EXPECT_EQ(result, 6);
    EXPECT_EQ(Pixel(3, 0), colours[5]);
    VARIANT number;
    V_VT(&number) = VT_I4;
    V_I4(&number) = 7;
    EXPECT_EQ(Call(DISPID_IMG_SETPIXELCOLORS, VT_I4, &result, params, 0L, 0L, &number),
              DISP_E_TYPEMISMATCH);
    SafeArrayDestroy(array);
}
