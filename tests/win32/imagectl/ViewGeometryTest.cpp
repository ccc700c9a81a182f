#include <algorithm>

#include "ImageControlFixture.h"

#include <windowsx.h>

namespace {

// The view's centring factor, as single precision.
const float kStep = 1.0f / 1023.0f;

bool Inside(POINT p, int width, int height)
{
    return p.x >= 0 && p.x < width && p.y >= 0 && p.y < height;
}

} // namespace

TEST_F(ImageControlTest, ZoomAndViewPositionRoundTrip)
{
    SetImageSize(1024, 1024, kGrey);
    EXPECT_EQ(SetZoom(3.5f), 3.5f);
    EXPECT_EQ(Zoom(), 3.5f);
    SetPosition(0.25f, 0.75f);
    EXPECT_EQ(PositionX(), 0.25f);
    EXPECT_EQ(PositionY(), 0.75f);

    // What is got can be set again and gives the same view.
    FitToWindow();
    const float zoom = Zoom();
    const float x = PositionX();
    const float y = PositionY();
    const POINT before = ImageToWindow(700, 300);
    SetZoom(10.0f);
    SetPosition(0.1f, 0.9f);
    SetZoom(zoom);
    SetPosition(x, y);
    const POINT after = ImageToWindow(700, 300);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);

    // Nonsense zooms are ignored; positions stay on the picture.
    EXPECT_EQ(SetZoom(0.0f), zoom);
    EXPECT_EQ(SetZoom(-4.0f), zoom);
    SetPosition(5.0f, -5.0f);
    EXPECT_NEAR(PositionX(), 1.0f, 0.001f);
    EXPECT_NEAR(PositionY(), 0.0f, 0.001f);
}

TEST_F(ImageControlTest, WindowAndImagePointsRoundTripAtZoom1And10)
{
    SetImageSize(1024, 1024, kGrey);
    for (float zoom : {1.0f, 10.0f, 2.5f}) {
        SetZoom(zoom);
        for (float position : {0.5f, 0.123f, 0.9f}) {
            SetPosition(position, 1.0f - position);
            const POINT first = WindowToImage(0, 0);
            const POINT last = WindowToImage(kControlWidth - 1, kControlHeight - 1);
            const long step = std::max(1L, (last.x - first.x) / 40);
            int checked = 0;
            for (long column = std::max(0L, first.x); column <= std::min(1023L, last.x);
                 column += step) {
                for (long row = std::max(0L, first.y); row <= std::min(1023L, last.y);
                     row += step) {
                    const POINT p = ImageToWindow(column, row);
                    if (!Inside(p, kControlWidth, kControlHeight)) {
                        continue;
                    }
                    ++checked;
                    const POINT back = WindowToImage(p.x, p.y);
                    ASSERT_EQ(back.x, column) << "zoom " << zoom << " at " << p.x;
                    ASSERT_EQ(back.y, row) << "zoom " << zoom << " at " << p.y;
                    // ImageToWindow gives the pixel's top-left: one screen pixel up-left is the
                    // neighbour.
                    const POINT before = WindowToImage(p.x - 1, p.y - 1);
                    ASSERT_EQ(before.x, column - 1);
                    ASSERT_EQ(before.y, row - 1);
                }
            }
            EXPECT_GT(checked, 500) << "zoom " << zoom;
        }
    }
}

TEST_F(ImageControlTest, ViewPositionCentresThePixel)
{
    SetImageSize(1024, 1024, kGrey);
    const long centreX = kControlWidth / 2;
    const long centreY = kControlHeight / 2;
    const POINT pixels[] = {{0, 0}, {511, 512}, {1023, 1023}, {1, 525}, {992, 512}, {1023, 0}};
    for (const POINT& pixel : pixels) {
        const float x = 1.0f - pixel.x * kStep;
        const float y = 1.0f - pixel.y * kStep;
        SetZoom(10.0f);
        SetPosition(x, y);
        const POINT atCentre = WindowToImage(centreX, centreY);
        EXPECT_EQ(atCentre.x, pixel.x);
        EXPECT_EQ(atCentre.y, pixel.y);
        // The pixel's block straddles the centre symmetrically.
        const POINT topLeft = ImageToWindow(pixel.x, pixel.y);
        EXPECT_EQ(topLeft.x, centreX - 5);
        EXPECT_EQ(topLeft.y, centreY - 5);

        // At zoom 1 the pixel is one of the two screen pixels that meet at the centre.
        SetZoom(1.0f);
        const POINT single = ImageToWindow(pixel.x, pixel.y);
        EXPECT_GE(single.x, centreX - 1);
        EXPECT_LE(single.x, centreX);
        EXPECT_GE(single.y, centreY - 1);
        EXPECT_LE(single.y, centreY);
    }
}

TEST_F(ImageControlTest, PointsOffThePictureGiveOutOfRangePixels)
{
    SetImageSize(1024, 1024, kGrey);
    FitToWindow(); // 640 x 480 client: picture 480 x 480 from x = 80
    POINT p = WindowToImage(0, 240);
    EXPECT_LT(p.x, 0);
    p = WindowToImage(kControlWidth - 1, 240);
    EXPECT_GT(p.x, 1023);
    p = WindowToImage(79, 240);
    EXPECT_LT(p.x, 0);
    p = WindowToImage(80, 240); // at this zoom pixel 0 ends before the screen pixel's centre
    EXPECT_GE(p.x, 0);
    EXPECT_LE(p.x, 1);

    // Top-left pixel centred at zoom 10: everything up-left of it is off the picture.
    SetZoom(10.0f);
    SetPosition(1.0f, 1.0f);
    p = WindowToImage(0, 0);
    EXPECT_LT(p.x, 0);
    EXPECT_LT(p.y, 0);
    SetPosition(0.0f, 0.0f);
    p = WindowToImage(kControlWidth - 1, kControlHeight - 1);
    EXPECT_GT(p.x, 1023);
    EXPECT_GT(p.y, 1023);
}

TEST_F(ImageControlTest, FitToWindowShowsTheWholePictureCentred)
{
    SetImageSize(1024, 1024, kGrey);
    SetZoom(7.0f);
    SetPosition(0.1f, 0.2f);
    const float zoom = FitToWindow();
    EXPECT_FLOAT_EQ(zoom, 480.0f / 1024.0f);
    EXPECT_FLOAT_EQ(Zoom(), zoom);
    EXPECT_FLOAT_EQ(PositionX(), 0.5f);
    EXPECT_FLOAT_EQ(PositionY(), 0.5f);
    const POINT topLeft = ImageToWindow(0, 0);
    const POINT pastEnd = ImageToWindow(1024, 1024);
    EXPECT_EQ(topLeft.y, 0);
    EXPECT_EQ(pastEnd.y, kControlHeight);
    EXPECT_EQ(topLeft.x, kControlWidth - pastEnd.x); // equal margins
    EXPECT_EQ(topLeft.x, 80);

    // A wide picture fits the width instead.
    SetImageSize(1280, 100, kGrey);
    EXPECT_FLOAT_EQ(FitToWindow(), 0.5f);
    EXPECT_EQ(ImageToWindow(0, 0).x, 0);
    EXPECT_EQ(ImageToWindow(1280, 0).x, kControlWidth);
    EXPECT_EQ(ImageToWindow(0, 0).y, kControlHeight / 2 - 25);
}

TEST_F(ImageControlTest, WheelZoomsAroundThePointer)
{
    SetImageSize(1024, 1024, kGrey);
    SetZoom(2.0f);
    SetPosition(0.4f, 0.6f);
    const POINT pointers[] = {{200, 150}, {600, 50}, {37, 401}};
    for (const POINT& pointer : pointers) {
        POINT screen = pointer;
        ClientToScreen(m_control, &screen);
        for (short delta : {120, 120, 240, -120, -360, 120}) {
            const float zoomBefore = Zoom();
            const POINT before = WindowToImage(pointer.x, pointer.y);
            SendMessageA(m_control, WM_MOUSEWHEEL, MAKEWPARAM(0, delta),
                         MAKELPARAM(screen.x, screen.y));
            const float zoomAfter = Zoom();
            if (delta > 0) {
                EXPECT_GT(zoomAfter, zoomBefore);
            } else {
                EXPECT_LT(zoomAfter, zoomBefore);
            }
            const POINT after = WindowToImage(pointer.x, pointer.y);
            EXPECT_EQ(after.x, before.x) << "pointer " << pointer.x << "," << pointer.y;
            EXPECT_EQ(after.y, before.y) << "pointer " << pointer.x << "," << pointer.y;
        }
    }
}

TEST_F(ImageControlTest, LeftDragPansThePicture)
{
    SetImageSize(1024, 1024, kGrey);
    SetZoom(4.0f);
    SetPosition(0.5f, 0.5f);
    const POINT start = {300, 200};
    const POINT end = {340, 170};
    const POINT grabbed = WindowToImage(start.x, start.y);
    const POINT cornerBefore = ImageToWindow(500, 500);

    SendMessageA(m_control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    SendMessageA(m_control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(320, 190));
    SendMessageA(m_control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end.x, end.y));
    SendMessageA(m_control, WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));

    const POINT under = WindowToImage(end.x, end.y);
    EXPECT_EQ(under.x, grabbed.x);
    EXPECT_EQ(under.y, grabbed.y);
    const POINT cornerAfter = ImageToWindow(500, 500);
    EXPECT_EQ(cornerAfter.x - cornerBefore.x, end.x - start.x);
    EXPECT_EQ(cornerAfter.y - cornerBefore.y, end.y - start.y);
    EXPECT_EQ(GetCapture(), nullptr);

    // Moving without the button does not pan.
    SendMessageA(m_control, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    const POINT still = ImageToWindow(500, 500);
    EXPECT_EQ(still.x, cornerAfter.x);
    EXPECT_EQ(still.y, cornerAfter.y);
}
