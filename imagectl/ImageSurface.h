#pragma once
#include <windows.h>

#include "imagectl/ImageModel.h"

// The picture and its view as shared between the dispatch calls, which come from any thread
// (a worker composes the picture with about a million SetPixelColor calls), and the control
// window, which paints and handles the mouse on the user-interface thread. Every operation takes
// the one lock; none of them sends a message, so a worker never waits for the window's thread.
class CImageSurface
{
public:
    // Posted to the window when the pixels first change after the last repaint it scheduled.
    static constexpr UINT kMsgPixelsChanged = WM_APP + 0x31;

    CImageSurface();
    ~CImageSurface();
    CImageSurface(const CImageSurface&) = delete;
    CImageSurface& operator=(const CImageSurface&) = delete;

    // The window that shows the surface (NULL when it is gone).
    void AttachWindow(HWND hwnd);

    bool SetImageSize(int32_t width, int32_t height, uint32_t colour);
    void SetPixel(int32_t column, int32_t rowFromBottom, uint32_t colour);
    // A run of pixels under one lock and at most one notification; false when it does not fit.
    bool SetPixels(int32_t column, int32_t rowFromBottom, const uint32_t* colours, size_t count);
    int32_t PixelColour(int32_t column, int32_t row);
    void Reset(uint32_t colour);
    float FitToWindow();
    float Zoom();
    float SetZoom(float zoom);
    float PositionX();
    float PositionY();
    void SetViewPosition(float x, float y);
    void WindowToImage(int32_t x, int32_t y, int32_t& column, int32_t& row);
    void ImageToWindow(int32_t column, int32_t row, int32_t& x, int32_t& y);
    void SelectPixel(int32_t column, int32_t row);

    // Window side, user-interface thread.
    void SetClientSize(int32_t width, int32_t height);
    void ZoomAround(int32_t x, int32_t y, double factor);
    void ExactPosition(double& x, double& y);
    void PanFrom(double startX, double startY, int32_t dx, int32_t dy);
    void Render(uint32_t* bits, int32_t width, int32_t height, uint32_t surround);
    // Called when the window repaints after kMsgPixelsChanged: later pixel changes notify again.
    void PixelChangesShown();

private:
    class CLock;
    void Repaint(HWND hwnd);
    // Under the lock: the window to notify of changed pixels, or NULL when it knows already.
    HWND TakePixelChangeNotice();

    CRITICAL_SECTION m_lock;
    CImageModel m_model;
    HWND m_hWnd = nullptr;
    bool m_bPixelChangeNotified = false;
};
