#pragma once
#include <cstdint>

class CActiveXImageWindow;

// How a composition hands its pixels to the image control.
enum class PixelTransfer
{
    Runs,     // the pages since the last hand-over in one SetPixelColors call
    PerPixel, // one SetPixelColor call for each coloured page, as it comes
};

// Hands the pages of a page map to the image control in page order, in the way chosen. The
// control must have been filled with the background colour first (SetImageSize): a run carries
// the background for pages of no state, which per pixel are left alone, so both ways end with
// the same picture. A run the control refuses is set per pixel instead.
class CPixelFeed
{
public:
    // pImage and pageMap may be NULL: nothing is handed over then. pageMap has nWidth pages a
    // row, page k at column k % nWidth of row k / nWidth counted from the bottom.
    CPixelFeed(CActiveXImageWindow* pImage, const uint32_t* pageMap, int nWidth,
               PixelTransfer transfer);

    // Hands over every page below endPage that has not been handed over yet.
    void FeedThrough(uint32_t endPage);

private:
    bool FeedRun(uint32_t first, uint32_t end);
    void FeedPixels(uint32_t first, uint32_t end);
    // Colour of a run's page: the background where PageColour gives none.
    uint32_t RunColour(uint32_t flags) const { return m_runColours[(flags >> kStateShift) & 7]; }

    // The three state bits (committed, free, reserved) sit side by side from this bit on.
    static constexpr uint32_t kStateShift = 6;
    uint32_t m_runColours[8];

    CActiveXImageWindow* m_pImage;
    const uint32_t* m_pPageMap;
    uint32_t m_nWidth;
    PixelTransfer m_transfer;
    uint32_t m_nNextPage;
};
