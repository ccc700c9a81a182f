#include "framework/CDockContext.h"

#include <cstdlib>

#include "common/DockLayout.h"
#include "framework/CControlBar.h"
#include "framework/CFrameWnd.h"
#include "framework/CMiniDockFrameWnd.h"

namespace {

// Thickness of the tracking outline: thin for a docked place, thick for a floating one.
const int kDockedOutline = 1;
const int kFloatingOutline = 3;
// How far off its docked place a bar floats the first time.
const int kFirstFloatOffset = 24;

struct EdgeMap
{
    DWORD dwAlign;
    DockSide side;
    UINT nDockBarID;
};

const EdgeMap kEdges[] = {
    {CBRS_ALIGN_TOP, kDockSideTop, AFX_IDW_DOCKBAR_TOP},
    {CBRS_ALIGN_BOTTOM, kDockSideBottom, AFX_IDW_DOCKBAR_BOTTOM},
    {CBRS_ALIGN_LEFT, kDockSideLeft, AFX_IDW_DOCKBAR_LEFT},
    {CBRS_ALIGN_RIGHT, kDockSideRight, AFX_IDW_DOCKBAR_RIGHT},
};

unsigned SidesFromAlign(DWORD dwAlign)
{
    unsigned sides = 0;
    for (const EdgeMap& edge : kEdges) {
        if (dwAlign & edge.dwAlign) {
            sides |= edge.side;
        }
    }
    return sides;
}

DWORD AlignFromSide(DockSide side)
{
    for (const EdgeMap& edge : kEdges) {
        if (edge.side == side) {
            return edge.dwAlign;
        }
    }
    return 0;
}

UINT DockBarIDFromAlign(DWORD dwAlign)
{
    for (const EdgeMap& edge : kEdges) {
        if (dwAlign & edge.dwAlign) {
            return edge.nDockBarID;
        }
    }
    return 0;
}

// The point of a mouse message in screen coordinates (the message's window is the capture).
CPoint ScreenPoint(const MSG& msg)
{
    POINT point = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ::ClientToScreen(msg.hwnd, &point);
    return CPoint(point.x, point.y);
}

// A 50% grey pattern, as the system draws moving outlines with.
HBRUSH CreateHalftoneBrush()
{
    static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA,
                                     0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP hbm = ::CreateBitmap(8, 8, 1, 1, kPattern);
    HBRUSH hbr = hbm != nullptr ? ::CreatePatternBrush(hbm) : nullptr;
    if (hbm != nullptr) {
        ::DeleteObject(hbm);
    }
    return hbr;
}

} // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_dwLastDockAlign(CBRS_ALIGN_TOP),
      m_pBar(pBar),
      m_hWndBar(nullptr),
      m_dwDropAlign(0),
      m_bDragging(FALSE),
      m_bTrackShown(FALSE),
      m_bCancelled(FALSE),
      m_pbAlive(nullptr)
{
}

CDockContext::~CDockContext()
{
    if (m_pbAlive != nullptr) {
        *m_pbAlive = false;
    }
}

CFrameWnd* CDockContext::GetDockSite() const
{
    return m_pBar->m_pDockSite;
}

void CDockContext::StartDrag(CPoint ptScreen)
{
    m_hWndBar = m_pBar->GetSafeHwnd();
    if (m_pbAlive != nullptr || m_hWndBar == nullptr || GetDockSite() == nullptr ||
        !::IsWindowEnabled(m_hWndBar)) {
        return;
    }
    CRect rectDragged;
    ::GetWindowRect(m_pBar->IsFloating() ? ::GetParent(m_hWndBar) : m_hWndBar, &rectDragged);
    m_ptStart = ptScreen;
    m_ptLast = ptScreen;
    m_ptOffset = CPoint(ptScreen.x - rectDragged.left, ptScreen.y - rectDragged.top);
    m_dwDropAlign = 0;
    m_bDragging = FALSE;
    m_bTrackShown = FALSE;
    m_bCancelled = FALSE;

    bool bAlive = true;
    m_pbAlive = &bAlive;
    const BOOL bDrop = Track(&bAlive);
    if (!bAlive) {
        return;
    }
    m_pbAlive = nullptr;
    if (bDrop && !m_bCancelled) {
        Drop();
    }
}

void CDockContext::CancelDrag()
{
    m_bCancelled = TRUE;
}

BOOL CDockContext::Track(const bool* pbAlive)
{
    const HWND hWndBar = m_hWndBar;
    ::SetCapture(hWndBar);
    BOOL bDrop = FALSE;
    while (!m_bCancelled && ::GetCapture() == hWndBar && ::IsWindowEnabled(hWndBar)) {
        MSG msg;
        if (::GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            ::PostQuitMessage((int)msg.wParam); // the application's loop ends as asked
            break;
        }
        if (!IsTrackMessage(msg.message)) {
            ::DispatchMessageA(&msg);
            if (!*pbAlive) {
                return FALSE;
            }
            continue;
        }
        if (TrackMessage(msg, &bDrop)) {
            break;
        }
    }
    if (m_bTrackShown) {
        InvertTrackRect();
        m_bTrackShown = FALSE;
    }
    if (::GetCapture() == hWndBar) {
        ::ReleaseCapture();
    }
    return bDrop;
}

BOOL CDockContext::IsTrackMessage(UINT nMsg)
{
    return nMsg == WM_MOUSEMOVE || nMsg == WM_LBUTTONUP || nMsg == WM_RBUTTONDOWN ||
           nMsg == WM_KEYDOWN || nMsg == WM_KEYUP;
}

BOOL CDockContext::TrackMessage(const MSG& msg, BOOL* pbDrop)
{
    switch (msg.message) {
    case WM_MOUSEMOVE:
        Move(ScreenPoint(msg), (msg.wParam & MK_CONTROL) != 0);
        return FALSE;
    case WM_LBUTTONUP:
        Move(ScreenPoint(msg), (msg.wParam & MK_CONTROL) != 0);
        *pbDrop = m_bDragging;
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (msg.wParam == VK_ESCAPE) {
            return msg.message == WM_KEYDOWN;
        }
        if (msg.wParam == VK_CONTROL && m_bDragging) {
            Move(m_ptLast, msg.message == WM_KEYDOWN); // the outline shows the new drop at once
        }
        return FALSE;
    default: // the right button
        return TRUE;
    }
}

// The outline follows the pointer once it has moved past the system's drag distance.
void CDockContext::Move(CPoint ptScreen, BOOL bCtrl)
{
    m_ptLast = ptScreen;
    if (!m_bDragging) {
        if (std::abs(ptScreen.x - m_ptStart.x) < ::GetSystemMetrics(SM_CXDRAG) &&
            std::abs(ptScreen.y - m_ptStart.y) < ::GetSystemMetrics(SM_CYDRAG)) {
            return;
        }
        m_bDragging = TRUE;
    }
    const DWORD dwAlign = DropAlignAt(ptScreen, bCtrl);
    const CRect rect = TrackRectFor(ptScreen, dwAlign);
    if (m_bTrackShown && ::EqualRect(&rect, &m_rectTrack) && dwAlign == m_dwDropAlign) {
        return;
    }
    if (m_bTrackShown) {
        InvertTrackRect();
    }
    m_rectTrack = rect;
    m_dwDropAlign = dwAlign;
    InvertTrackRect();
    m_bTrackShown = TRUE;
}

void CDockContext::Drop()
{
    CFrameWnd* pDockSite = GetDockSite();
    if (pDockSite == nullptr) {
        return;
    }
    if (m_dwDropAlign != 0) {
        pDockSite->DockControlBar(m_pBar, DockBarIDFromAlign(m_dwDropAlign));
    } else {
        pDockSite->FloatControlBar(m_pBar, m_rectTrack.TopLeft());
    }
}

DWORD CDockContext::DropAlignAt(CPoint ptScreen, BOOL bCtrl) const
{
    CFrameWnd* pDockSite = GetDockSite();
    if (bCtrl || pDockSite == nullptr) {
        return 0;
    }
    CRect rectArea;
    pDockSite->GetDockingArea(&rectArea);
    pDockSite->ClientToScreen(&rectArea);
    PlainRect area;
    area.left = rectArea.left;
    area.top = rectArea.top;
    area.right = rectArea.right;
    area.bottom = rectArea.bottom;
    const int nMargin = m_pBar->CalcFixedLayout(TRUE, TRUE).cy;
    const unsigned allowed = SidesFromAlign(m_pBar->GetDockStyle() & pDockSite->GetDockStyle());
    return AlignFromSide(ChooseDockSide(area, ptScreen.x, ptScreen.y, nMargin, allowed));
}

// A docked place is the band along its edge; a floating one the floating frame at the pointer.
CRect CDockContext::TrackRectFor(CPoint ptScreen, DWORD dwAlign) const
{
    CFrameWnd* pDockSite = GetDockSite();
    CRect rect;
    if (dwAlign == 0 || pDockSite == nullptr) {
        const CSize size = FloatingFrameSize();
        rect.left = ptScreen.x - m_ptOffset.x;
        rect.top = ptScreen.y - m_ptOffset.y;
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
        return rect;
    }
    pDockSite->GetDockingArea(&rect);
    pDockSite->ClientToScreen(&rect);
    const int cyHorz = m_pBar->CalcFixedLayout(TRUE, TRUE).cy;
    const int cxVert = m_pBar->CalcFixedLayout(TRUE, FALSE).cx;
    if (dwAlign & CBRS_ALIGN_TOP) {
        rect.bottom = rect.top + cyHorz;
    } else if (dwAlign & CBRS_ALIGN_BOTTOM) {
        rect.top = rect.bottom - cyHorz;
    } else if (dwAlign & CBRS_ALIGN_LEFT) {
        rect.right = rect.left + cxVert;
    } else {
        rect.left = rect.right - cxVert;
    }
    return rect;
}

CSize CDockContext::FloatingFrameSize() const
{
    if (m_pBar->IsFloating()) {
        CRect rect;
        ::GetWindowRect(::GetParent(m_hWndBar), &rect);
        return rect.Size();
    }
    if (!m_rectLastFloat.IsRectEmpty()) {
        return m_rectLastFloat.Size();
    }
    return CMiniDockFrameWnd::CalcWindowSize(m_pBar->CalcFloatingLayout(32767, FALSE));
}

void CDockContext::InvertTrackRect() const
{
    HDC hDC = ::GetDC(nullptr);
    if (hDC == nullptr) {
        return;
    }
    HBRUSH hbr = CreateHalftoneBrush();
    HGDIOBJ hOldBrush = hbr != nullptr ? ::SelectObject(hDC, hbr) : nullptr;
    const int t = m_dwDropAlign != 0 ? kDockedOutline : kFloatingOutline;
    const CRect& r = m_rectTrack;
    ::PatBlt(hDC, r.left, r.top, r.Width() - t, t, PATINVERT);
    ::PatBlt(hDC, r.right - t, r.top, t, r.Height() - t, PATINVERT);
    ::PatBlt(hDC, r.left + t, r.bottom - t, r.Width() - t, t, PATINVERT);
    ::PatBlt(hDC, r.left, r.top + t, t, r.Height() - t, PATINVERT);
    if (hOldBrush != nullptr) {
        ::SelectObject(hDC, hOldBrush);
    }
    if (hbr != nullptr) {
        ::DeleteObject(hbr);
    }
    ::ReleaseDC(nullptr, hDC);
}

void CDockContext::ToggleDocking()
{
    CFrameWnd* pDockSite = GetDockSite();
    if (pDockSite == nullptr || m_pBar->GetSafeHwnd() == nullptr || !m_pBar->IsWindowEnabled()) {
        return;
    }
    if (m_pBar->IsFloating()) {
        pDockSite->DockControlBar(m_pBar, DockBarIDFromAlign(m_dwLastDockAlign));
        return;
    }
    CPoint point;
    if (!m_rectLastFloat.IsRectEmpty()) {
        point = m_rectLastFloat.TopLeft();
    } else {
        CRect rect;
        m_pBar->GetWindowRect(&rect);
        point = CPoint(rect.left + kFirstFloatOffset, rect.top + kFirstFloatOffset);
    }
    pDockSite->FloatControlBar(m_pBar, point);
}
