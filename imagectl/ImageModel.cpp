#include "imagectl/ImageModel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kMarkInner = 0x000000; // black frame round the selected pixel
constexpr uint32_t kMarkOuter = 0xFFFFFF; // white frame round that, visible on any colour

// A screen point exactly on a pixel boundary belongs to the pixel after it; the margin keeps
// rounding errors from deciding differently in different places.
constexpr double kTie = 1e-6;

int32_t ClampToInt(double value)
{
    constexpr double kLimit = 1 << 30;
    return static_cast<int32_t>(std::max(-kLimit, std::min(kLimit, value)));
}

// Distance between the centres of the first and last pixel, never 0.
double Span(int32_t length)
{
    return length > 1 ? length - 1 : 1;
}

// Picture coordinate shown at the window centre for a position along an axis of this length.
double CentreOf(double position, int32_t length)
{
    return (1.0 - position) * Span(length) + 0.5;
}

double PositionOf(double centre, int32_t length)
{
    return 1.0 - (centre - 0.5) / Span(length);
}

// Keeps the window centre on the picture so that it can never be panned out of sight.
double ClampPosition(double position, int32_t length)
{
    const double lowest = PositionOf(length, length);
    const double highest = PositionOf(0.0, length);
    return std::max(lowest, std::min(highest, position));
}

double ClampZoom(double zoom)
{
    return std::max<double>(CImageModel::kMinZoom, std::min<double>(CImageModel::kMaxZoom, zoom));
}

void FillSpan(uint32_t* row, int32_t from, int32_t to, uint32_t colour)
{
    for (int32_t x = from; x < to; ++x) {
        row[x] = colour;
    }
}

} // namespace

// One axis of the mapping between screen pixels and picture pixels.
struct CImageModel::Axis
{
    double origin; // screen coordinate of the picture's leading edge
    double zoom;

    // Picture coordinate (fractional) under the centre of screen pixel s.
    double At(int32_t s) const { return (s + 0.5 - origin) / zoom; }
    // Picture index of the pixel under the centre of screen pixel s.
    int32_t ToPicture(int32_t s) const { return ClampToInt(std::floor(At(s) + kTie)); }
    // First screen pixel whose centre falls in picture index i.
    int32_t ToScreen(int32_t i) const
    {
        return ClampToInt(std::ceil(origin + (i - kTie) * zoom - 0.5));
    }
};

CImageModel::Axis CImageModel::HorizontalAxis(int32_t clientWidth) const
{
    return Axis{clientWidth / 2.0 - CentreOf(m_dPositionX, m_nWidth) * m_dZoom, m_dZoom};
}

CImageModel::Axis CImageModel::VerticalAxis(int32_t clientHeight) const
{
    return Axis{clientHeight / 2.0 - CentreOf(m_dPositionY, m_nHeight) * m_dZoom, m_dZoom};
}

bool CImageModel::SetImageSize(int32_t width, int32_t height, uint32_t colour)
{
    if (width <= 0 || height <= 0 || width > kMaxPixels / height) {
        return false;
    }
    m_pixels.assign(static_cast<size_t>(width) * height, ToScreenOrder(colour));
    m_nWidth = width;
    m_nHeight = height;
    m_bHasSelection = false;
    m_dPositionX = ClampPosition(m_dPositionX, m_nWidth);
    m_dPositionY = ClampPosition(m_dPositionY, m_nHeight);
    return true;
}

void CImageModel::Fill(uint32_t colour)
{
    std::fill(m_pixels.begin(), m_pixels.end(), ToScreenOrder(colour));
}

bool CImageModel::SetPixels(int32_t column, int32_t rowFromBottom, const uint32_t* colours,
                            size_t count)
{
    if (column < 0 || column >= m_nWidth || rowFromBottom < 0 || rowFromBottom >= m_nHeight) {
        return false;
    }
    const size_t first = static_cast<size_t>(rowFromBottom) * m_nWidth + column;
    if (count > m_pixels.size() - first) {
        return false;
    }
    // Rows are stored from the top: each row of the run lands at its own flipped row.
    while (count > 0) {
        const size_t span = std::min<size_t>(count, m_nWidth - column);
        uint32_t* target = m_pixels.data() +
                           static_cast<size_t>(m_nHeight - 1 - rowFromBottom) * m_nWidth + column;
        for (size_t i = 0; i < span; ++i) {
            target[i] = ToScreenOrder(colours[i]);
        }
        colours += span;
        count -= span;
        column = 0;
        ++rowFromBottom;
    }
    return true;
}

int32_t CImageModel::PixelColour(int32_t column, int32_t row) const
{
    if (column < 0 || column >= m_nWidth || row < 0 || row >= m_nHeight) {
        return -1;
    }
    return static_cast<int32_t>(
        ToScreenOrder(m_pixels[static_cast<size_t>(row) * m_nWidth + column]));
}

void CImageModel::SetClientSize(int32_t width, int32_t height)
{
    m_nClientWidth = std::max(0, width);
    m_nClientHeight = std::max(0, height);
}

float CImageModel::SetZoom(float zoom)
{
    if (zoom > 0.0f && std::isfinite(zoom)) {
        m_dZoom = ClampZoom(zoom);
    }
    return Zoom();
}

void CImageModel::SetViewPosition(float x, float y)
{
    if (std::isfinite(x)) {
        m_dPositionX = ClampPosition(x, m_nWidth);
    }
    if (std::isfinite(y)) {
        m_dPositionY = ClampPosition(y, m_nHeight);
    }
}

float CImageModel::FitToWindow()
{
    if (m_nWidth > 0 && m_nHeight > 0 && m_nClientWidth > 0 && m_nClientHeight > 0) {
        m_dZoom = ClampZoom(std::min(static_cast<double>(m_nClientWidth) / m_nWidth,
                                     static_cast<double>(m_nClientHeight) / m_nHeight));
    }
    m_dPositionX = ClampPosition(PositionOf(m_nWidth / 2.0, m_nWidth), m_nWidth);
    m_dPositionY = ClampPosition(PositionOf(m_nHeight / 2.0, m_nHeight), m_nHeight);
    return Zoom();
}

void CImageModel::ZoomAround(int32_t x, int32_t y, double factor)
{
    if (!(factor > 0.0) || !std::isfinite(factor)) {
        return;
    }
    const Axis h = HorizontalAxis(m_nClientWidth);
    const Axis v = VerticalAxis(m_nClientHeight);
    const double pictureX = h.At(x);
    const double pictureY = v.At(y);
    m_dZoom = ClampZoom(m_dZoom * factor);
    const double centreX = pictureX - (x + 0.5 - m_nClientWidth / 2.0) / m_dZoom;
    const double centreY = pictureY - (y + 0.5 - m_nClientHeight / 2.0) / m_dZoom;
    m_dPositionX = ClampPosition(PositionOf(centreX, m_nWidth), m_nWidth);
    m_dPositionY = ClampPosition(PositionOf(centreY, m_nHeight), m_nHeight);
}

void CImageModel::PanFrom(double startX, double startY, int32_t dx, int32_t dy)
{
    m_dPositionX =
        ClampPosition(PositionOf(CentreOf(startX, m_nWidth) - dx / m_dZoom, m_nWidth), m_nWidth);
    m_dPositionY =
        ClampPosition(PositionOf(CentreOf(startY, m_nHeight) - dy / m_dZoom, m_nHeight), m_nHeight);
}

void CImageModel::WindowToImage(int32_t x, int32_t y, int32_t& column, int32_t& row) const
{
    column = HorizontalAxis(m_nClientWidth).ToPicture(x);
    row = VerticalAxis(m_nClientHeight).ToPicture(y);
}

void CImageModel::ImageToWindow(int32_t column, int32_t row, int32_t& x, int32_t& y) const
{
    x = HorizontalAxis(m_nClientWidth).ToScreen(column);
    y = VerticalAxis(m_nClientHeight).ToScreen(row);
}

void CImageModel::SelectPixel(int32_t column, int32_t row)
{
    m_bHasSelection = true;
    m_nSelectedColumn = column;
    m_nSelectedRow = row;
}

void CImageModel::Render(uint32_t* bits, int32_t width, int32_t height, uint32_t surround) const
{
    if (width <= 0 || height <= 0) {
        return;
    }
    const Axis h = HorizontalAxis(width);
    const Axis v = VerticalAxis(height);

    // Picture column of every screen column; the picture covers screen columns [left, right).
    std::vector<int32_t> columns(width);
    int32_t left = width;
    int32_t right = 0;
    for (int32_t x = 0; x < width; ++x) {
        columns[x] = h.ToPicture(x);
        if (columns[x] >= 0 && columns[x] < m_nWidth) {
            left = std::min(left, x);
            right = x + 1;
        }
    }

    int32_t previousRow = -1;
    for (int32_t y = 0; y < height; ++y) {
        uint32_t* line = bits + static_cast<size_t>(y) * width;
        const int32_t row = v.ToPicture(y);
        if (row < 0 || row >= m_nHeight || left >= right) {
            FillSpan(line, 0, width, surround);
            previousRow = -1;
        } else if (row == previousRow) {
            std::memcpy(line, line - width, sizeof(uint32_t) * width);
        } else {
            const uint32_t* source = m_pixels.data() + static_cast<size_t>(row) * m_nWidth;
            FillSpan(line, 0, left, surround);
            for (int32_t x = left; x < right; ++x) {
                line[x] = source[columns[x]];
            }
            FillSpan(line, right, width, surround);
            previousRow = row;
        }
    }
    if (m_bHasSelection) {
        RenderSelection(bits, width, height);
    }
}

// Two frames round the selected pixel's screen rectangle (at least one screen pixel), so the
// mark shows at every zoom and on every colour.
void CImageModel::RenderSelection(uint32_t* bits, int32_t width, int32_t height) const
{
    const Axis h = HorizontalAxis(width);
    const Axis v = VerticalAxis(height);
    const int32_t left = h.ToScreen(m_nSelectedColumn);
    const int32_t top = v.ToScreen(m_nSelectedRow);
    const int32_t right = std::max(left + 1, h.ToScreen(m_nSelectedColumn + 1));
    const int32_t bottom = std::max(top + 1, v.ToScreen(m_nSelectedRow + 1));

    auto frame = [&](int32_t grow, uint32_t colour) {
        const int32_t x0 = left - grow, x1 = right + grow - 1;
        const int32_t y0 = top - grow, y1 = bottom + grow - 1;
        auto plot = [&](int32_t x, int32_t y) {
            if (x >= 0 && x < width && y >= 0 && y < height) {
                bits[static_cast<size_t>(y) * width + x] = colour;
            }
        };
        for (int32_t x = std::max(x0, 0); x <= std::min(x1, width - 1); ++x) {
            plot(x, y0);
            plot(x, y1);
        }
        for (int32_t y = std::max(y0, 0); y <= std::min(y1, height - 1); ++y) {
            plot(x0, y);
            plot(x1, y);
        }
    };
    frame(1, kMarkInner);
    frame(2, kMarkOuter);
}
