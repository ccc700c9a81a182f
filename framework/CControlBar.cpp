#include "framework/CControlBar.h"

#include "framework/CDockContext.h"
#include "framework/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_ENABLE()
END_MESSAGE_MAP()

namespace {

// Width of the gripper's band, and of each of its two ridges.
const int kGripperBand = 8;
const int kGripperRidge = 3;

} // namespace

CControlBar::CControlBar()
    : m_pDockSite(nullptr),
      m_pDockContext(nullptr),
      m_dwStyle(0),
      m_dwDockStyle(0)
{
}

CControlBar::~CControlBar()
{
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
    }
    delete m_pDockContext;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    const DWORD dwOldStyle = m_dwStyle;
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD dwPlace = CBRS_ALIGN_ANY | CBRS_FLOATING;
    if (m_hWnd != nullptr && (dwOldStyle & dwPlace) != (m_dwStyle & dwPlace)) {
        OnBarStyleChange(dwOldStyle, m_dwStyle);
    }
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    if (m_dwDockStyle != 0 && m_pDockContext == nullptr) {
        m_pDockContext = new CDockContext(this);
    }
}

BOOL CControlBar::EnableToolTips(BOOL bEnable)
{
    if (bEnable) {
        m_dwStyle |= CBRS_TOOLTIPS;
    } else {
        m_dwStyle &= ~CBRS_TOOLTIPS;
    }
    return TRUE;
}

CSize CControlBar::CalcFloatingLayout(int cxMax, BOOL)
{
    const CSize size = CalcFixedLayout(FALSE, TRUE);
    return CSize(size.cx < cxMax ? size.cx : cxMax, size.cy);
}

// The gripper's band moves or goes away: the non-client area is measured again.
void CControlBar::OnBarStyleChange(DWORD, DWORD)
{
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::AttachToFrame(CWnd* pParentWnd)
{
    if (pParentWnd != nullptr && pParentWnd->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParentWnd);
        m_pDockSite->AddControlBar(this);
    }
}

CFrameWnd* CControlBar::GetTargetFrame() const
{
    return m_pDockSite != nullptr ? m_pDockSite : GetParentFrame();
}

BOOL CControlBar::IsOverItem(CPoint) const
{
    return FALSE;
}

BOOL CControlBar::HasGripper() const
{
    return (m_dwStyle & CBRS_GRIPPER) != 0 && !IsFloating();
}

void CControlBar::DrawGripper(HDC hDC, const CRect& rectWindow) const
{
    CRect rectBand = rectWindow;
    if (IsHorizontal()) {
        rectBand.right = rectBand.left + kGripperBand;
    } else {
        rectBand.bottom = rectBand.top + kGripperBand;
    }
    ::FillRect(hDC, &rectBand, ::GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < 2; ++i) {
        CRect rectRidge;
        if (IsHorizontal()) {
            rectRidge = CRect(rectBand.left + 1 + i * kGripperRidge, rectBand.top + 3,
                              rectBand.left + 1 + (i + 1) * kGripperRidge, rectBand.bottom - 3);
        } else {
            rectRidge = CRect(rectBand.left + 3, rectBand.top + 1 + i * kGripperRidge,
                              rectBand.right - 3, rectBand.top + 1 + (i + 1) * kGripperRidge);
        }
        ::DrawEdge(hDC, &rectRidge, BDR_RAISEDINNER, BF_RECT);
    }
}

// The window goes: a drag of it stops, a floating frame it leaves behind closes itself, and the
// frame forgets it.
void CControlBar::OnDestroy()
{
    if (m_pDockContext != nullptr) {
        m_pDockContext->CancelDrag();
    }
    if (IsFloating()) {
        ::PostMessageA(::GetParent(m_hWnd), WM_CLOSE, 0, 0);
    }
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

// Idle time: the items of a visible bar get their update handlers.
LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (GetStyle() & WS_VISIBLE) {
        CFrameWnd* pTarget = GetTargetFrame();
        if (pTarget != nullptr) {
            OnUpdateCmdUI(pTarget, (BOOL)wParam);
        }
    }
    return 0;
}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    Default();
    if (!HasGripper()) {
        return;
    }
    RECT& rect = lpncsp->rgrc[0];
    if (IsHorizontal()) {
        rect.left = rect.left + kGripperBand < rect.right ? rect.left + kGripperBand : rect.right;
    } else {
        rect.top = rect.top + kGripperBand < rect.bottom ? rect.top + kGripperBand : rect.bottom;
    }
}

void CControlBar::OnNcPaint()
{
    Default();
    if (!HasGripper()) {
        return;
    }
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == nullptr) {
        return;
    }
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    DrawGripper(hDC, rectWindow);
    ::ReleaseDC(m_hWnd, hDC);
}

// The gripper's band answers as client area, so that a press on it reaches OnLButtonDown.
LRESULT CControlBar::OnNcHitTest(CPoint point)
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (HasGripper() && rectWindow.PtInRect(point)) {
        return HTCLIENT;
    }
    return Default();
}

// A press off the items starts a drag; the drag's loop runs before this returns, and the bar
// may be gone by then, so nothing of it is touched afterwards.
void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockContext == nullptr || m_dwDockStyle == 0 || IsOverItem(point)) {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
}

// A double click off the items floats a docked bar and docks a floating one.
void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockContext == nullptr || m_dwDockStyle == 0 || IsOverItem(point)) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    m_pDockContext->ToggleDocking();
}

// A floating bar's frame is enabled and disabled with the bar, so that a disabled bar can be
// neither used nor moved.
void CControlBar::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    if (IsFloating()) {
        ::EnableWindow(::GetParent(m_hWnd), bEnable);
    }
}
