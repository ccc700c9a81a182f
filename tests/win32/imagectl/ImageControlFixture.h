#pragma once
#include <windows.h>

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

#include "framework/ControlSite.h"
#include "framework/DispatchCall.h"
#include "imagectl/ImageControlIds.h"

// COLORREF (red in the low byte) -> the 0x00RRGGBB order of a 32-bit screen capture.
uint32_t ScreenOrder(uint32_t colour);

// Dispatches every message waiting for this thread.
void PumpMessages();

// A shown top-level window of the test with a client area of the given size.
HWND CreateTestFrame(int clientWidth, int clientHeight);

// The client area of a window as it is on the screen: rows from the top, 0x00RRGGBB pixels.
std::vector<uint32_t> CaptureClient(HWND hwnd, int width, int height);

// The control hosted by the framework's site in a real top-level window, created from its DLL
// by class identifier without any registration, and called through the dispatch engine.
class ImageControlTest : public ::testing::Test
{
protected:
    static constexpr int kControlWidth = 640;
    static constexpr int kControlHeight = 480;
    static constexpr UINT kControlId = 12236;
    static constexpr long kGrey = 0xBEBEBE;

    void SetUp() override;
    void TearDown() override;

    HRESULT Call(DISPID id, VARTYPE vtRet, void* result, const BYTE* params, ...);

    void SetImageSize(long width, long height, long colour);
    void SetPixel(long column, long rowFromBottom, long colour);
    long Pixel(long column, long rowFromTop);
    float Zoom();
    float SetZoom(float zoom);
    float FitToWindow();
    void SetPosition(float x, float y);
    float PositionX();
    float PositionY();
    POINT WindowToImage(long x, long y); // x = column, y = row from the top
    POINT ImageToWindow(long column, long row);
    void SelectPixel(long column, long row);
    void Paint(); // repaints the control now

    HWND m_frame = nullptr;
    CControlSite* m_site = nullptr;
    IDispatch* m_dispatch = nullptr;
    HWND m_control = nullptr;
};
