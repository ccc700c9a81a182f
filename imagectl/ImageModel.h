#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A picture of width x height pixels and the way it sits in a window of a given client size:
// zoom (screen pixels per picture pixel), view position and one selected pixel. Plain data with
// no lock; the control serialises every access.
//
// View position: (1, 1) puts the centre of the top-left pixel at the window centre, (0, 0) the
// centre of the bottom-right pixel, so (1 - x/(width-1), 1 - y/(height-1)) centres pixel (x, y).
// A screen pixel shows the picture pixel under its centre; drawing and point conversion share
// that one mapping, so what is drawn at a point is what WindowToImage reports there.
class CImageModel
{
public:
    static constexpr float kMinZoom = 1.0f / 256.0f;
    static constexpr float kMaxZoom = 64.0f;
    static constexpr int32_t kMaxPixels = 4096 * 4096;

    // Picture. Colours come and go in COLORREF layout (red in the low byte).
    bool SetImageSize(int32_t width, int32_t height, uint32_t colour);
    void Fill(uint32_t colour);
    void SetPixel(int32_t column, int32_t rowFromBottom, uint32_t colour)
    {
        if (column >= 0 && column < m_nWidth && rowFromBottom >= 0 && rowFromBottom < m_nHeight) {
            m_pixels[static_cast<size_t>(m_nHeight - 1 - rowFromBottom) * m_nWidth + column] =
                ToScreenOrder(colour);
        }
    }
    // count colours for consecutive pixels from (column, rowFromBottom), rightwards and then
    // on at column 0 of the row above. False, with nothing set, when they do not all fit.
    bool SetPixels(int32_t column, int32_t rowFromBottom, const uint32_t* colours, size_t count);
    int32_t PixelColour(int32_t column, int32_t row) const;
    int32_t Width() const { return m_nWidth; }
    int32_t Height() const { return m_nHeight; }

    void SetClientSize(int32_t width, int32_t height);
    int32_t ClientWidth() const { return m_nClientWidth; }
    int32_t ClientHeight() const { return m_nClientHeight; }

    // View.
    float Zoom() const { return static_cast<float>(m_dZoom); }
    float SetZoom(float zoom);
    float PositionX() const { return static_cast<float>(m_dPositionX); }
    float PositionY() const { return static_cast<float>(m_dPositionY); }
    void SetViewPosition(float x, float y);
    float FitToWindow();
    // Zooms by factor keeping the picture point under client point (x, y) where it is.
    void ZoomAround(int32_t x, int32_t y, double factor);
    // Moves the picture by (dx, dy) screen pixels from where position (startX, startY) put it.
    void PanFrom(double startX, double startY, int32_t dx, int32_t dy);
    // Exact position, for a pan that starts from it.
    double ExactPositionX() const { return m_dPositionX; }
    double ExactPositionY() const { return m_dPositionY; }

    // Client point -> pixel (row from the top); outside the picture off it.
    void WindowToImage(int32_t x, int32_t y, int32_t& column, int32_t& row) const;
    // Pixel (row from the top) -> first client point that shows it (its top-left).
    void ImageToWindow(int32_t column, int32_t row, int32_t& x, int32_t& y) const;

    void SelectPixel(int32_t column, int32_t row);
    void ClearSelection() { m_bHasSelection = false; }

    // Draws the client area into a top-down buffer of 32-bit 0x00RRGGBB pixels: the visible part
    // of the picture, surround colour elsewhere, and the selection mark.
    void Render(uint32_t* bits, int32_t width, int32_t height, uint32_t surround) const;

    // COLORREF (0x00BBGGRR) <-> screen order (0x00RRGGBB); the swap is its own inverse.
    static uint32_t ToScreenOrder(uint32_t colour)
    {
        return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    }

private:
    struct Axis;
    Axis HorizontalAxis(int32_t clientWidth) const;
    Axis VerticalAxis(int32_t clientHeight) const;
    void RenderSelection(uint32_t* bits, int32_t width, int32_t height) const;

    std::vector<uint32_t> m_pixels; // rows from the top, screen order
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nClientWidth = 0;
    int32_t m_nClientHeight = 0;
    double m_dZoom = 1.0;
    double m_dPositionX = 0.5;
    double m_dPositionY = 0.5;
    bool m_bHasSelection = false;
    int32_t m_nSelectedColumn = 0;
    int32_t m_nSelectedRow = 0;
};
