#include "view/PixelFeed.h"

#include "common/PictureGeometry.h"
#include "inspect/ProcessCatalogue.h"
#include "view/ActiveXImageWindow.h"

static_assert(MAPF_COMMITTED == 1u << 6 && MAPF_FREE == 1u << 7 && MAPF_RESERVED == 1u << 8,
              "the run colour table is indexed by the three state bits together");

namespace {

// A SAFEARRAY of I4 for one run, destroyed with its owner.
class CColourArray
{
public:
    explicit CColourArray(uint32_t count) : m_pArray(::SafeArrayCreateVector(VT_I4, 0, count)) {}
    ~CColourArray()
    {
        if (m_pArray != nullptr) {
            ::SafeArrayDestroy(m_pArray);
        }
    }
    CColourArray(const CColourArray&) = delete;
    CColourArray& operator=(const CColourArray&) = delete;

    SAFEARRAY* Get() const { return m_pArray; }

private:
    SAFEARRAY* m_pArray;
};

} // namespace

CPixelFeed::CPixelFeed(CActiveXImageWindow* pImage, const uint32_t* pageMap, int nWidth,
                       PixelTransfer transfer)
    : m_pImage(pImage),
      m_pPageMap(pageMap),
      m_nWidth(nWidth > 0 ? static_cast<uint32_t>(nWidth) : 1),
      m_transfer(transfer),
      m_nNextPage(0)
{
    // Every combination of the three bits, coloured once by the one rule.
    for (uint32_t state = 0; state < 8; ++state) {
        uint32_t colour = kBackgroundColour;
        PageColour(state << kStateShift, colour);
        m_runColours[state] = colour;
    }
}

void CPixelFeed::FeedThrough(uint32_t endPage)
{
    if (endPage <= m_nNextPage) {
        return;
    }
    const uint32_t first = m_nNextPage;
    m_nNextPage = endPage;
    if (m_pImage == nullptr || m_pPageMap == nullptr) {
        return;
    }
    if (m_transfer == PixelTransfer::PerPixel || !FeedRun(first, endPage)) {
        FeedPixels(first, endPage);
    }
}

// Builds the run's colours straight into the array the control reads.
bool CPixelFeed::FeedRun(uint32_t first, uint32_t end)
{
    const uint32_t count = end - first;
    CColourArray colours(count);
    uint32_t* pData = nullptr;
    if (colours.Get() == nullptr ||
        FAILED(::SafeArrayAccessData(colours.Get(), reinterpret_cast<void**>(&pData)))) {
        return false;
    }
    const uint32_t* pPages = m_pPageMap + first;
    for (uint32_t i = 0; i < count; ++i) {
        pData[i] = RunColour(pPages[i]);
    }
    ::SafeArrayUnaccessData(colours.Get());

    VARIANT run;
    ::VariantInit(&run);
    V_VT(&run) = VT_ARRAY | VT_I4;
    V_ARRAY(&run) = colours.Get();
    const long set = m_pImage->SetPixelColors(static_cast<long>(first % m_nWidth),
                                              static_cast<long>(first / m_nWidth), run);
    return set == static_cast<long>(count);
}

void CPixelFeed::FeedPixels(uint32_t first, uint32_t end)
{
    for (uint32_t k = first; k < end; ++k) {
        uint32_t colour = 0;
        if (PageColour(m_pPageMap[k], colour)) {
            m_pImage->SetPixelColor(static_cast<long>(k % m_nWidth),
                                    static_cast<long>(k / m_nWidth), static_cast<long>(colour));
        }
    }
}
