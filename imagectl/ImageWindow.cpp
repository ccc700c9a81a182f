#include "imagectl/ImageWindow.h"

#include <cmath>

#include <windowsx.h>

namespace {

const char kWindowClassName[] = "VexoImageWindow";
constexpr uint32_t kSurroundColour = 0x505050; // screen order; around the picture
constexpr UINT_PTR kRepaintTimer = 1;
constexpr UINT kRepaintDelayMs = 100;     // pixel changes from a worker show at this pace
constexpr double kWheelStepFactor = 1.25; // zoom change per wheel notch

} // namespace

HWND CImageWindow::Create(HINSTANCE instance, HWND parent, const RECT& rect, IUnknown* owner)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(instance, kWindowClassName, &wc)) {
        // Double-clicks must be generated: the host zooms in on them.
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = WindowProc;
        wc.cbWndExtra = sizeof(CImageWindow*);
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kWindowClassName;
        if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            return nullptr;
        }
    }
    m_pOwner = owner;
    m_pOwner->AddRef();
    // Hosts put windows of their own over the picture (labels): painting must leave them alone.
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    HWND hwnd =
        CreateWindowExA(0, kWindowClassName, "", style, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, nullptr, instance, this);
    if (!hwnd && m_pOwner) {
        // The window never reached WM_NCDESTROY, so the reference is still ours to drop.
        IUnknown* held = m_pOwner;
        m_pOwner = nullptr;
        held->Release();
    }
    return hwnd;
}

void CImageWindow::Destroy()
{
    if (m_hWnd) {
        DestroyWindow(m_hWnd);
    }
}

void CImageWindow::UnregisterWindowClass(HINSTANCE instance)
{
    UnregisterClassA(kWindowClassName, instance);
}

// The object pointer lives in the window's extra bytes, leaving GWLP_USERDATA to any host that
// subclasses the window.
LRESULT CALLBACK CImageWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CImageWindow*>(GetWindowLongPtrA(hwnd, 0));
    if (message == WM_NCCREATE) {
        self = static_cast<CImageWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
        self->m_hWnd = hwnd;
        self->m_surface.AttachWindow(hwnd);
    }
    if (!self) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        return 0; // out of memory while painting: skip this one; never unwind into the system
    }
}

LRESULT CImageWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel; erasing first would flicker
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        Draw(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
        OnSize(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        m_bDragging = false;
        return 0;
    case CImageSurface::kMsgPixelsChanged:
        OnPixelsChanged();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_NCDESTROY:
        DefWindowProcA(m_hWnd, message, wParam, lParam);
        OnNcDestroy();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

void CImageWindow::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (dc) {
        Draw(dc);
        EndPaint(m_hWnd, &ps);
    }
}

// Renders the whole client area off screen, then copies it in one blit.
void CImageWindow::Draw(HDC dc)
{
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int32_t width = client.right;
    const int32_t height = client.bottom;
    if (!m_buffer.Ensure(dc, width, height)) {
        return;
    }
    GdiFlush();
    m_surface.Render(m_buffer.Bits(), width, height, kSurroundColour);
    BitBlt(dc, 0, 0, width, height, m_buffer.Dc(), 0, 0, SRCCOPY);
}

void CImageWindow::OnSize(int width, int height)
{
    m_surface.SetClientSize(width, height);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CImageWindow::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; // screen coordinates
    ScreenToClient(m_hWnd, &point);
    const double notches = GET_WHEEL_DELTA_WPARAM(wParam) / static_cast<double>(WHEEL_DELTA);
    m_surface.ZoomAround(point.x, point.y, std::pow(kWheelStepFactor, notches));
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

// Takes the focus so that the wheel reaches the control, and starts a drag.
void CImageWindow::OnLButtonDown(LPARAM lParam)
{
    SetFocus(m_hWnd);
    SetCapture(m_hWnd);
    m_bDragging = true;
    m_ptDragStart = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    m_surface.ExactPosition(m_dDragStartX, m_dDragStartY);
}

void CImageWindow::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (!m_bDragging || !(wParam & MK_LBUTTON)) {
        return;
    }
    const int32_t dx = GET_X_LPARAM(lParam) - m_ptDragStart.x;
    const int32_t dy = GET_Y_LPARAM(lParam) - m_ptDragStart.y;
    if (dx != 0 || dy != 0) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL)); // held while the mouse is captured
    }
    m_surface.PanFrom(m_dDragStartX, m_dDragStartY, dx, dy);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CImageWindow::OnLButtonUp()
{
    if (m_bDragging && GetCapture() == m_hWnd) {
        ReleaseCapture(); // WM_CAPTURECHANGED ends the drag
    }
    m_bDragging = false;
}

// A worker has started changing pixels: show them shortly, then let it notify again.
void CImageWindow::OnPixelsChanged()
{
    SetTimer(m_hWnd, kRepaintTimer, kRepaintDelayMs, nullptr);
}

void CImageWindow::OnTimer(WPARAM id)
{
    if (id != kRepaintTimer) {
        return;
    }
    KillTimer(m_hWnd, kRepaintTimer);
    m_surface.PixelChangesShown();
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CImageWindow::OnNcDestroy()
{
    SetWindowLongPtrA(m_hWnd, 0, 0);
    m_surface.AttachWindow(nullptr);
    m_buffer.Release();
    m_bDragging = false;
    m_hWnd = nullptr;
    IUnknown* owner = m_pOwner;
    m_pOwner = nullptr;
    if (owner) {
        owner->Release(); // may delete this object: nothing may follow
    }
}
