#pragma once
#include <windows.h>
#include <unknwn.h>

#include "imagectl/ImageBackBuffer.h"
#include "imagectl/ImageSurface.h"

// The control's window: paints the surface through a back buffer with crisp pixels, zooms round
// the pointer on the wheel and pans on a left-button drag. Everything else goes to the default
// window procedure, so the host's message loop sees clicks as it sees any child's.
class CImageWindow
{
public:
    explicit CImageWindow(CImageSurface& surface) : m_surface(surface) {}
    CImageWindow(const CImageWindow&) = delete;
    CImageWindow& operator=(const CImageWindow&) = delete;

    // Creates the window hidden as a child of parent. The owner is kept alive while the
    // window exists, since the window reaches the owner's surface.
    HWND Create(HINSTANCE instance, HWND parent, const RECT& rect, IUnknown* owner);
    void Destroy();
    HWND Handle() const { return m_hWnd; }

    static void UnregisterWindowClass(HINSTANCE instance);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void Draw(HDC dc);
    void OnSize(int width, int height);
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnLButtonUp();
    void OnPixelsChanged();
    void OnTimer(WPARAM id);
    void OnNcDestroy();

    CImageSurface& m_surface;
    CImageBackBuffer m_buffer;
    HWND m_hWnd = nullptr;
    IUnknown* m_pOwner = nullptr;
    bool m_bDragging = false;
    POINT m_ptDragStart = {};
    double m_dDragStartX = 0.0;
    double m_dDragStartY = 0.0;
};
