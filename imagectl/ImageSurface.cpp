#include "imagectl/ImageSurface.h"

// Holds the surface lock for one scope.
class CImageSurface::CLock
{
public:
    explicit CLock(CRITICAL_SECTION& section) : m_rSection(section)
    {
        EnterCriticalSection(&m_rSection);
    }
    ~CLock() { LeaveCriticalSection(&m_rSection); }
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

private:
    CRITICAL_SECTION& m_rSection;
};

CImageSurface::CImageSurface()
{
    InitializeCriticalSection(&m_lock);
}

CImageSurface::~CImageSurface()
{
    DeleteCriticalSection(&m_lock);
}

void CImageSurface::AttachWindow(HWND hwnd)
{
    CLock lock(m_lock);
    m_hWnd = hwnd;
    m_bPixelChangeNotified = false;
}

// InvalidateRect only marks the window; it is safe from any thread and never waits for it.
void CImageSurface::Repaint(HWND hwnd)
{
    if (hwnd) {
        InvalidateRect(hwnd, nullptr, FALSE);
    }
}

bool CImageSurface::SetImageSize(int32_t width, int32_t height, uint32_t colour)
{
    HWND hwnd;
    bool done;
    {
        CLock lock(m_lock);
        done = m_model.SetImageSize(width, height, colour);
        hwnd = m_hWnd;
    }
    Repaint(hwnd);
    return done;
}

HWND CImageSurface::TakePixelChangeNotice()
{
    if (m_bPixelChangeNotified || !m_hWnd) {
        return nullptr;
    }
    m_bPixelChangeNotified = true;
    return m_hWnd;
}

// The hot path of composition: no allocation, one lock, and at most one posted message per
// repaint of the window however many pixels change in between.
void CImageSurface::SetPixel(int32_t column, int32_t rowFromBottom, uint32_t colour)
{
    HWND notify = nullptr;
    {
        CLock lock(m_lock);
        m_model.SetPixel(column, rowFromBottom, colour);
        notify = TakePixelChangeNotice();
    }
    if (notify) {
        PostMessageA(notify, kMsgPixelsChanged, 0, 0);
    }
}

bool CImageSurface::SetPixels(int32_t column, int32_t rowFromBottom, const uint32_t* colours,
                              size_t count)
{
    HWND notify = nullptr;
    {
        CLock lock(m_lock);
        if (!m_model.SetPixels(column, rowFromBottom, colours, count)) {
            return false;
        }
        notify = TakePixelChangeNotice();
    }
    if (notify) {
        PostMessageA(notify, kMsgPixelsChanged, 0, 0);
    }
    return true;
}

int32_t CImageSurface::PixelColour(int32_t column, int32_t row)
{
    CLock lock(m_lock);
    return m_model.PixelColour(column, row);
}

void CImageSurface::Reset(uint32_t colour)
{
    HWND hwnd;
    {
        CLock lock(m_lock);
        m_model.Fill(colour);
        m_model.ClearSelection();
        hwnd = m_hWnd;
    }
    Repaint(hwnd);
}

float CImageSurface::FitToWindow()
{
    HWND hwnd;
    float zoom;
    {
        CLock lock(m_lock);
        zoom = m_model.FitToWindow();
        hwnd = m_hWnd;
    }
    Repaint(hwnd);
    return zoom;
}

float CImageSurface::Zoom()
{
    CLock lock(m_lock);
    return m_model.Zoom();
}

float CImageSurface::SetZoom(float zoom)
{
    HWND hwnd;
    float result;
    {
        CLock lock(m_lock);
        result = m_model.SetZoom(zoom);
        hwnd = m_hWnd;
    }
    Repaint(hwnd);
    return result;
}

float CImageSurface::PositionX()
{
    CLock lock(m_lock);
    return m_model.PositionX();
}

float CImageSurface::PositionY()
{
    CLock lock(m_lock);
    return m_model.PositionY();
}

void CImageSurface::SetViewPosition(float x, float y)
{
    HWND hwnd;
    {
        CLock lock(m_lock);
        m_model.SetViewPosition(x, y);
        hwnd = m_hWnd;
    }
    Repaint(hwnd);
}

void CImageSurface::WindowToImage(int32_t x, int32_t y, int32_t& column, int32_t& row)
{
    CLock lock(m_lock);
    m_model.WindowToImage(x, y, column, row);
}

void CImageSurface::ImageToWindow(int32_t column, int32_t row, int32_t& x, int32_t& y)
{
    CLock lock(m_lock);
    m_model.ImageToWindow(column, row, x, y);
}

void CImageSurface::SelectPixel(int32_t column, int32_t row)
{
    HWND hwnd;
    {
        CLock lock(m_lock);
        m_model.SelectPixel(column, row);
        hwnd = m_hWnd;
    }
    Repaint(hwnd);
}

void CImageSurface::SetClientSize(int32_t width, int32_t height)
{
    CLock lock(m_lock);
    m_model.SetClientSize(width, height);
}

void CImageSurface::ZoomAround(int32_t x, int32_t y, double factor)
{
    CLock lock(m_lock);
    m_model.ZoomAround(x, y, factor);
}

void CImageSurface::ExactPosition(double& x, double& y)
{
    CLock lock(m_lock);
    x = m_model.ExactPositionX();
    y = m_model.ExactPositionY();
}

void CImageSurface::PanFrom(double startX, double startY, int32_t dx, int32_t dy)
{
    CLock lock(m_lock);
    m_model.PanFrom(startX, startY, dx, dy);
}

void CImageSurface::Render(uint32_t* bits, int32_t width, int32_t height, uint32_t surround)
{
    CLock lock(m_lock);
    m_model.Render(bits, width, height, surround);
}

void CImageSurface::PixelChangesShown()
{
    CLock lock(m_lock);
    m_bPixelChangeNotified = false;
}
