#include "ImageControlFixture.h"

#include <cstdarg>

namespace {

const char kFrameClass[] = "VexoImageCtlTestFrame";

void RegisterFrameClass()
{
    WNDCLASSA wc = {};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kFrameClass, &wc)) {
        return;
    }
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
}

} // namespace

uint32_t ScreenOrder(uint32_t colour)
{
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HWND CreateTestFrame(int clientWidth, int clientHeight)
{
    RegisterFrameClass();
    RECT rect = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    HWND frame =
        CreateWindowExA(0, kFrameClass, "Image control test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        0, 0, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    if (frame) {
        ShowWindow(frame, SW_SHOW);
        SetForegroundWindow(frame);
        UpdateWindow(frame);
        PumpMessages();
    }
    return frame;
}

std::vector<uint32_t> CaptureClient(HWND hwnd, int width, int height)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    HDC screen = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* source = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = source[i] & 0xFFFFFF;
        }
        SelectObject(memory, old);
    }
    if (bitmap) {
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(hwnd, screen);
    return pixels;
}

void ImageControlTest::SetUp()
{
    AfxEnableControlContainer();
    AfxRegisterControlModule(CLSID_VexoImageControl, kImageControlDllName);
    m_frame = CreateTestFrame(kControlWidth + 60, kControlHeight + 60);
    ASSERT_NE(m_frame, nullptr);
    const RECT rect = {10, 10, 10 + kControlWidth, 10 + kControlHeight};
    ASSERT_EQ(CControlSite::CreateControl(CLSID_VexoImageControl, "ImageWindow",
                                          WS_CHILD | WS_VISIBLE, rect, m_frame, kControlId,
                                          &m_site),
              S_OK);
    m_dispatch = m_site->GetDispatch();
    m_control = m_site->GetControlWindow();
    ASSERT_NE(m_dispatch, nullptr);
    ASSERT_TRUE(IsWindow(m_control));
    PumpMessages();
}

void ImageControlTest::TearDown()
{
    if (m_site) {
        m_site->Destroy();
        m_site = nullptr;
    }
    if (m_frame) {
        DestroyWindow(m_frame);
    }
    PumpMessages();
}

HRESULT ImageControlTest::Call(DISPID id, VARTYPE vtRet, void* result, const BYTE* params, ...)
{
    va_list args;
    va_start(args, params);
    const HRESULT hr =
        AfxDispatchInvokeV(m_dispatch, id, DISPATCH_METHOD, vtRet, result, params, args);
    va_end(args);
    return hr;
}

void ImageControlTest::SetImageSize(long width, long height, long colour)
{
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_I4;
    long result = -2;
    EXPECT_EQ(Call(DISPID_IMG_SETIMAGESIZE, VT_I4, &result, params, width, height, colour), S_OK);
    EXPECT_EQ(result, 0);
}

void ImageControlTest::SetPixel(long column, long rowFromBottom, long colour)
{
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_I4;
    long result = 0;
    EXPECT_EQ(Call(DISPID_IMG_SETPIXELCOLOR, VT_I4, &result, params, column, rowFromBottom, colour),
              S_OK);
}

long ImageControlTest::Pixel(long column, long rowFromTop)
{
    static const BYTE params[] = VTS_I4 VTS_I4;
    long result = 0;
    EXPECT_EQ(Call(DISPID_IMG_GETPIXELCOLOR, VT_I4, &result, params, column, rowFromTop), S_OK);
    return result;
}

float ImageControlTest::Zoom()
{
    float result = 0.0f;
    EXPECT_EQ(Call(DISPID_IMG_GETZOOM, VT_R4, &result, nullptr), S_OK);
    return result;
}

float ImageControlTest::SetZoom(float zoom)
{
    static const BYTE params[] = VTS_R4;
    float result = 0.0f;
    EXPECT_EQ(Call(DISPID_IMG_SETZOOM, VT_R4, &result, params, zoom), S_OK);
    return result;
}

float ImageControlTest::FitToWindow()
{
    float result = 0.0f;
    EXPECT_EQ(Call(DISPID_IMG_FITTOWINDOW, VT_R4, &result, nullptr), S_OK);
    return result;
}

void ImageControlTest::SetPosition(float x, float y)
{
    static const BYTE params[] = VTS_R4 VTS_R4;
    EXPECT_EQ(Call(DISPID_IMG_SETVIEWPOSITION, VT_EMPTY, nullptr, params, x, y), S_OK);
}

float ImageControlTest::PositionX()
{
    float result = -1.0f;
    EXPECT_EQ(Call(DISPID_IMG_GETVIEWPOSITIONX, VT_R4, &result, nullptr), S_OK);
    return result;
}

float ImageControlTest::PositionY()
{
    float result = -1.0f;
    EXPECT_EQ(Call(DISPID_IMG_GETVIEWPOSITIONY, VT_R4, &result, nullptr), S_OK);
    return result;
}

POINT ImageControlTest::WindowToImage(long x, long y)
{
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_PI4 VTS_PI4;
    long column = 0x7777, row = 0x7777, result = -1;
    EXPECT_EQ(Call(DISPID_IMG_WINDOWTOIMAGE, VT_I4, &result, params, x, y, &column, &row), S_OK);
    return POINT{column, row};
}

POINT ImageControlTest::ImageToWindow(long column, long row)
{
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_PI4 VTS_PI4;
    long x = 0x7777, y = 0x7777, result = -1;
    EXPECT_EQ(Call(DISPID_IMG_IMAGETOWINDOW, VT_I4, &result, params, column, row, &x, &y), S_OK);
    return POINT{x, y};
}

void ImageControlTest::SelectPixel(long column, long row)
{
    static const BYTE params[] = VTS_I4 VTS_I4;
    long result = -1;
    EXPECT_EQ(Call(DISPID_IMG_SELECTPIXEL, VT_I4, &result, params, column, row), S_OK);
}

void ImageControlTest::Paint()
{
    InvalidateRect(m_control, nullptr, FALSE);
    UpdateWindow(m_control);
    PumpMessages();
}
