#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "ImageControlFixture.h"

namespace {

// The composition's colours, chosen per page the way a real page map mixes them; 0 = no call.
long CompositionColour(long column, long rowFromBottom)
{
    switch ((column / 3 + rowFromBottom * 5) % 4) {
    case 0:
        return 0x00FF00;
    case 1:
        return 0xFF0000;
    case 2:
        return 0x0000FF;
    default:
        return 0;
    }
}

// What a composition does to the control, from a worker thread.
void Compose(IDispatch* dispatch, std::atomic<long>& calls)
{
    static const BYTE pixelParams[] = VTS_I4 VTS_I4 VTS_I4;
    static const BYTE sizeParams[] = VTS_I4 VTS_I4 VTS_I4;
    static const BYTE zoomParams[] = VTS_R4;
    static const BYTE positionParams[] = VTS_R4 VTS_R4;
    float zoom = 0.0f, x = 0.0f, y = 0.0f;
    long result = 0;
    AfxDispatchInvoke(dispatch, DISPID_IMG_GETZOOM, DISPATCH_METHOD, VT_R4, &zoom, nullptr);
    AfxDispatchInvoke(dispatch, DISPID_IMG_GETVIEWPOSITIONX, DISPATCH_METHOD, VT_R4, &x, nullptr);
    AfxDispatchInvoke(dispatch, DISPID_IMG_GETVIEWPOSITIONY, DISPATCH_METHOD, VT_R4, &y, nullptr);
    AfxDispatchInvoke(dispatch, DISPID_IMG_RESETIMAGE, DISPATCH_METHOD, VT_I4, &result, nullptr);
    AfxDispatchInvoke(dispatch, DISPID_IMG_SETIMAGESIZE, DISPATCH_METHOD, VT_I4, &result,
                      sizeParams, 1024L, 1024L, 0xBEBEBEL);
    long made = 0;
    for (long row = 0; row < 1024; ++row) {
        for (long column = 0; column < 1024; ++column) {
            const long colour = CompositionColour(column, row);
            if (colour != 0 &&
                SUCCEEDED(AfxDispatchInvoke(dispatch, DISPID_IMG_SETPIXELCOLOR, DISPATCH_METHOD,
                                            VT_I4, &result, pixelParams, column, row, colour))) {
                ++made;
            }
        }
    }
    AfxDispatchInvoke(dispatch, DISPID_IMG_SETZOOM, DISPATCH_METHOD, VT_R4, &zoom, zoomParams,
                      static_cast<double>(zoom));
    AfxDispatchInvoke(dispatch, DISPID_IMG_SETVIEWPOSITION, DISPATCH_METHOD, VT_EMPTY, nullptr,
                      positionParams, static_cast<double>(x), static_cast<double>(y));
    calls = made;
}

// Runs one composition on a worker while this thread pumps messages, as the progress loop
// does, and with forcePaints also repaints the control as fast as it can. Prints the time.
long ComposeOnWorker(IDispatch* dispatch, HWND control, bool forcePaints)
{
    std::atomic<bool> done{false};
    std::atomic<long> calls{0};
    const auto start = std::chrono::steady_clock::now();
    std::thread worker([&] {
        Compose(dispatch, calls);
        done = true;
    });
    int paints = 0;
    while (!done) {
        PumpMessages();
        if (forcePaints) {
            InvalidateRect(control, nullptr, FALSE);
            UpdateWindow(control);
            ++paints;
        }
        Sleep(1);
    }
    worker.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ figures  ] composition on a worker, %ld SetPixelColor calls through IDispatch: "
                "%.2f s (%.2f us per call); UI thread %s\n",
                calls.load(), seconds, seconds * 1e6 / calls.load(),
                forcePaints ? "forcing a repaint every pass" : "only pumping messages");
    if (forcePaints) {
        std::printf("[ figures  ] forced repaints during the composition: %d\n", paints);
    }
    return calls.load();
}

} // namespace

// A worker sets the whole picture through IDispatch while this thread pumps messages and paints
// as fast as it can; the picture comes out right and the window shows it.
TEST_F(ImageControlTest, WorkerComposesWhileTheWindowPaints)
{
    SetImageSize(1024, 1024, kGrey);
    FitToWindow();
    Paint();
    ComposeOnWorker(m_dispatch, m_control, false);
    const long calls = ComposeOnWorker(m_dispatch, m_control, true);

    EXPECT_EQ(calls, 1048576L / 4 * 3);
    EXPECT_FLOAT_EQ(Zoom(), 480.0f / 1024.0f);
    for (long row = 0; row < 1024; row += 3) {
        for (long column = row % 2; column < 1024; column += 2) {
            const long colour = CompositionColour(column, 1023 - row);
            ASSERT_EQ(Pixel(column, row), colour ? colour : kGrey) << column << "," << row;
        }
    }

    // The final picture reaches the screen by itself, without an invalidation from this side.
    for (int i = 0; i < 30; ++i) {
        PumpMessages();
        Sleep(10);
    }
    const std::vector<uint32_t> shot = CaptureClient(m_control, kControlWidth, kControlHeight);
    for (long y = 0; y < kControlHeight; y += 11) {
        for (long x = 80; x < 560; x += 13) {
            const POINT pixel = WindowToImage(x, y);
            const long colour = CompositionColour(pixel.x, 1023 - pixel.y);
            ASSERT_EQ(shot[y * kControlWidth + x], ScreenOrder(colour ? colour : kGrey))
                << x << "," << y;
        }
    }
}

// Pixels set by another thread show within a moment though nobody invalidates the window.
TEST_F(ImageControlTest, PixelChangesFromAnotherThreadReachTheScreen)
{
    SetImageSize(1024, 1024, kGrey);
    SetZoom(10.0f);
    SetPosition(0.5f, 0.5f);
    Paint();
    const POINT p = ImageToWindow(511, 511);
    std::thread worker([&] {
        static const BYTE params[] = VTS_I4 VTS_I4 VTS_I4;
        long result = 0;
        AfxDispatchInvoke(m_dispatch, DISPID_IMG_SETPIXELCOLOR, DISPATCH_METHOD, VT_I4, &result,
                          params, 511L, 1023L - 511L, 0x0000FFL);
    });
    worker.join();
    EXPECT_EQ(
        CaptureClient(m_control, kControlWidth, kControlHeight)[p.y * kControlWidth + p.x + 5],
        ScreenOrder(kGrey)); // not yet repainted
    const DWORD until = GetTickCount() + 1000;
    while (GetTickCount() < until) {
        PumpMessages();
        Sleep(10);
    }
    const std::vector<uint32_t> shot = CaptureClient(m_control, kControlWidth, kControlHeight);
    EXPECT_EQ(shot[(p.y + 5) * kControlWidth + p.x + 5], ScreenOrder(0x0000FF));
}
