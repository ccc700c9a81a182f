#include <cstdio>

#include "ImageControlFixture.h"

namespace {

const long kPalette[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xBEBEBE, 0x102030};

long PatternColour(long column, long row)
{
    return kPalette[(column * 7 + row * 3) % 5];
}

class Capture
{
public:
    Capture(HWND hwnd, int width, int height)
        : m_width(width),
          m_height(height),
          m_pixels(CaptureClient(hwnd, width, height))
    {
    }
    uint32_t At(long x, long y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    bool Contains(long x, long y) const { return x >= 0 && x < m_width && y >= 0 && y < m_height; }

private:
    int m_width;
    int m_height;
    std::vector<uint32_t> m_pixels;
};

} // namespace

// At the close-up zoom each picture pixel is a 10 x 10 block of exactly its colour, where
// ImageToWindow says: no smoothing, no seams, drawing and conversion agree.
TEST_F(ImageControlTest, CloseUpShowsCrispPixelBlocks)
{
    SetImageSize(1024, 1024, kGrey);
    for (long row = 480; row < 540; ++row) {
        for (long column = 480; column < 540; ++column) {
            SetPixel(column, 1023 - row, PatternColour(column, row));
        }
    }
    SetZoom(10.0f);
    SetPosition(1.0f - 508 / 1023.0f, 1.0f - 507 / 1023.0f);
    Paint();
    const Capture shot(m_control, kControlWidth, kControlHeight);

    int blocks = 0;
    for (long row = 480; row < 540; ++row) {
        for (long column = 480; column < 540; ++column) {
            const POINT p = ImageToWindow(column, row);
            if (!shot.Contains(p.x, p.y) || !shot.Contains(p.x + 9, p.y + 9)) {
                continue;
            }
            ++blocks;
            const uint32_t expected = ScreenOrder(PatternColour(column, row));
            int wrong = 0;
            for (long dy = 0; dy < 10; ++dy) {
                for (long dx = 0; dx < 10; ++dx) {
                    wrong += shot.At(p.x + dx, p.y + dy) != expected;
                }
            }
            ASSERT_EQ(wrong, 0) << "pixel " << column << "," << row << " at " << p.x << "," << p.y
                                << " shows " << std::hex << shot.At(p.x, p.y);
        }
    }
    EXPECT_GT(blocks, 1000);
}

// At a zoom below 1 every screen pixel inside the picture shows the picture pixel that
// WindowToImage names there, and the surround is not part of the picture.
TEST_F(ImageControlTest, FittedPictureMatchesWindowToImageEverywhere)
{
    SetImageSize(1024, 1024, kGrey);
    for (long row = 0; row < 1024; row += 1) {
        for (long column = (row % 3); column < 1024; column += 3) {
            SetPixel(column, 1023 - row, PatternColour(column, row));
        }
    }
    FitToWindow();
    Paint();
    const Capture shot(m_control, kControlWidth, kControlHeight);
    for (long y = 0; y < kControlHeight; y += 7) {
        for (long x = 0; x < kControlWidth; x += 5) {
            const POINT pixel = WindowToImage(x, y);
            if (pixel.x < 0 || pixel.x > 1023 || pixel.y < 0 || pixel.y > 1023) {
                EXPECT_EQ(shot.At(x, y), 0x505050u) << x << "," << y;
                continue;
            }
            const bool painted = (pixel.x - (pixel.y % 3)) % 3 == 0;
            const long colour = painted ? PatternColour(pixel.x, pixel.y) : kGrey;
            ASSERT_EQ(shot.At(x, y), ScreenOrder(colour)) << x << "," << y;
        }
    }
}

TEST_F(ImageControlTest, SelectedPixelIsFramedAtAnyZoom)
{
    SetImageSize(1024, 1024, kGrey);
    SetPixel(508, 1023 - 507, 0x0000FF);
    SetZoom(10.0f);
    SetPosition(1.0f - 508 / 1023.0f, 1.0f - 507 / 1023.0f);
    SelectPixel(508, 507);
    Paint();
    {
        const Capture shot(m_control, kControlWidth, kControlHeight);
        const POINT p = ImageToWindow(508, 507);
        EXPECT_EQ(shot.At(p.x + 5, p.y + 5), ScreenOrder(0x0000FF)); // the pixel itself
        EXPECT_EQ(shot.At(p.x - 1, p.y + 5), 0x000000u);             // inner frame
        EXPECT_EQ(shot.At(p.x - 2, p.y + 5), 0xFFFFFFu);             // outer frame
        EXPECT_EQ(shot.At(p.x + 10, p.y + 5), 0x000000u);
        EXPECT_EQ(shot.At(p.x + 5, p.y - 1), 0x000000u);
        EXPECT_EQ(shot.At(p.x + 5, p.y + 11), 0xFFFFFFu);
        EXPECT_EQ(shot.At(p.x - 3, p.y + 5), ScreenOrder(kGrey));
    }

    // Far below one screen pixel per picture pixel the mark is still a visible box.
    FitToWindow();
    SelectPixel(100, 100);
    Paint();
    const Capture shot(m_control, kControlWidth, kControlHeight);
    const POINT p = ImageToWindow(100, 100);
    EXPECT_EQ(shot.At(p.x - 1, p.y), 0x000000u);
    EXPECT_EQ(shot.At(p.x - 2, p.y), 0xFFFFFFu);
    EXPECT_EQ(shot.At(p.x + 1, p.y), 0x000000u);
    EXPECT_EQ(shot.At(p.x + 2, p.y), 0xFFFFFFu);
}

// Printing the control (as PrintWindow and print preview do) draws what the screen shows.
TEST_F(ImageControlTest, PrintClientDrawsTheSamePicture)
{
    SetImageSize(64, 64, 0x00FF00);
    SetPixel(10, 20, 0xFF0000);
    SetZoom(6.0f);
    SetPosition(0.5f, 0.5f);
    Paint();
    const std::vector<uint32_t> screen = CaptureClient(m_control, kControlWidth, kControlHeight);

    HDC windowDc = GetDC(m_control);
    HDC memory = CreateCompatibleDC(windowDc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kControlWidth;
    info.bmiHeader.biHeight = -kControlHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageA(m_control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
    const auto* printed = static_cast<const uint32_t*>(bits);
    int differences = 0;
    for (size_t i = 0; i < screen.size(); ++i) {
        differences += (printed[i] & 0xFFFFFF) != screen[i];
    }
    EXPECT_EQ(differences, 0);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(m_control, windowDc);
}

// The host puts label windows over the picture as children of the control; repainting the
// picture must not paint over them (nor make them flicker).
TEST_F(ImageControlTest, RepaintLeavesChildWindowsAlone)
{
    SetImageSize(1024, 1024, kGrey);
    SetZoom(10.0f);
    HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 100, 100,
                                 60, 40, m_control, reinterpret_cast<HMENU>(100), nullptr, nullptr);
    ASSERT_NE(label, nullptr);
    UpdateWindow(label);
    const uint32_t labelColour = CaptureClient(label, 60, 40)[20 * 60 + 30];
    EXPECT_NE(labelColour, ScreenOrder(kGrey));
    // Only the control repaints; the label is not asked to draw itself again.
    RedrawWindow(m_control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    const Capture shot(m_control, kControlWidth, kControlHeight);
    EXPECT_EQ(shot.At(130, 120), labelColour);
    EXPECT_EQ(shot.At(300, 300), ScreenOrder(kGrey));
    DestroyWindow(label);
}

// Figures for a maximised view: how long one repaint of a large control takes (the picture lock
// is held for the drawing, so a composing worker waits that long at most per repaint).
TEST_F(ImageControlTest, RepaintTimeOfALargeControl)
{
    const int width = 1260;
    const int height = 980;
    SetWindowPos(m_frame, nullptr, 0, 0, width + 40, height + 60, SWP_NOZORDER | SWP_NOMOVE);
    MoveWindow(m_control, 0, 0, width, height, TRUE);
    SetImageSize(1024, 1024, kGrey);
    for (long row = 0; row < 1024; row += 2) {
        SetPixel(row, row, 0x0000FF);
    }
    for (float zoom : {0.0f, 10.0f}) {
        if (zoom == 0.0f) {
            FitToWindow();
        } else {
            SetZoom(zoom);
        }
        Paint();
        const int repaints = 20;
        const DWORD start = GetTickCount();
        for (int i = 0; i < repaints; ++i) {
            RedrawWindow(m_control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        const double each = static_cast<double>(GetTickCount() - start) / repaints;
        std::printf("[ figures  ] repaint of a %d x %d control at zoom %.3f: %.1f ms\n", width,
                    height, Zoom(), each);
        // The picture centre (pixel 511 or 512 of a diagonal) is what the screen shows there.
        const POINT pixel = WindowToImage(width / 2, height / 2);
        const uint32_t shown =
            CaptureClient(m_control, width, height)[(height / 2) * width + width / 2];
        EXPECT_EQ(shown, ScreenOrder(Pixel(pixel.x, pixel.y)));
    }
}
