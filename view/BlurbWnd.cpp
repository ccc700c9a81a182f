#include "view/BlurbWnd.h"

#include "view/BlurbPlacement.h"
#include "view/RectConversion.h"

namespace {

// Fill and text background: yellow as COLORREF (red in the low byte).
constexpr COLORREF kBlurbColour = 0x00FFFF;

} // namespace

BOOL CreateFixedPitchFont(CFont& font)
{
    return font.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                           FIXED_PITCH | FF_MODERN, nullptr);
}

BEGIN_MESSAGE_MAP(CBlurbWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CBlurbWnd::CBlurbWnd() = default;

CBlurbWnd::~CBlurbWnd()
{
    if (::IsWindow(m_hWnd)) {
        DestroyWindow();
    }
}

int CBlurbWnd::ShowAt(int x, int y, LPCSTR text)
{
    if (text == nullptr || !::IsWindow(m_hWnd)) {
        return 0;
    }

    CRect extent(x, y, 0, 0);
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(&m_font);
        dc.DrawText(text, -1, &extent, DT_CALCRECT);
        dc.SelectObject(pOldFont);
    }
    m_strText = text;

    CRect parentClient(0, 0, 0, 0);
    if (CWnd* pParent = GetParent()) {
        pParent->GetClientRect(&parentClient);
    }

    const PlainRect box = PlaceBlurb(x, y, extent.right - extent.left, extent.bottom - extent.top,
                                     ToPlainRect(parentClient));
    SetWindowPos(nullptr, box.left, box.top, box.Width(), box.Height(),
                 SWP_NOZORDER | SWP_SHOWWINDOW);
    return 0;
}

int CBlurbWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    CreateFixedPitchFont(m_font);
    return 0;
}

void CBlurbWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    // The frame: the device context's default black pen around the client rectangle.
    dc.Rectangle(&rect);
    rect.left += 1;
    rect.top += 1;
    rect.right -= 1;
    rect.bottom -= 1;

    CFont* pOldFont = dc.SelectObject(&m_font);
    CBrush brush;
    brush.CreateSolidBrush(kBlurbColour);
    dc.FillRect(&rect, &brush);
    dc.SetBkColor(kBlurbColour);
    // DT_VCENTER alone leaves multi-line text at the top-left.
    dc.DrawText(m_strText, -1, &rect, DT_VCENTER);
    dc.SelectObject(pOldFont);
    brush.DeleteObject();
}

void CBlurbWnd::OnDestroy()
{
    CWnd::OnDestroy();
    m_font.DeleteObject();
}
