#include "framework/CMiniDockFrameWnd.h"

#include "framework/CControlBar.h"
#include "framework/CDockContext.h"
#include "framework/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CWnd)
    ON_WM_MOUSEACTIVATE()
    ON_WM_GETMINMAXINFO()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_SIZING()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

const DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
const DWORD kFrameExStyle = WS_EX_TOOLWINDOW;

} // namespace

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_bInRecalcLayout(FALSE)
{
}

BOOL CMiniDockFrameWnd::Create(CFrameWnd* pDockSite, LPCSTR lpszTitle)
{
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateEx(kFrameExStyle, lpszClass, lpszTitle, kFrameStyle, 0, 0, 0, 0,
                    pDockSite->GetSafeHwnd(), nullptr);
}

CSize CMiniDockFrameWnd::CalcWindowSize(CSize sizeClient)
{
    RECT rect = {0, 0, sizeClient.cx, sizeClient.cy};
    ::AdjustWindowRectEx(&rect, kFrameStyle, FALSE, kFrameExStyle);
    return CSize(rect.right - rect.left, rect.bottom - rect.top);
}

CControlBar* CMiniDockFrameWnd::GetControlBar() const
{
    CWnd* pChild = FromHandlePermanent(::GetWindow(m_hWnd, GW_CHILD));
    return DYNAMIC_DOWNCAST(CControlBar, pChild);
}

void CMiniDockFrameWnd::PostNcDestroy()
{
    delete this;
}

void CMiniDockFrameWnd::RememberPlace()
{
    CControlBar* pBar = GetControlBar();
    if (pBar == nullptr || pBar->m_pDockContext == nullptr || IsIconic()) {
        return;
    }
    CRect rect;
    GetWindowRect(&rect);
    pBar->m_pDockContext->m_rectLastFloat = rect;
}

void CMiniDockFrameWnd::RecalcLayout()
{
    CControlBar* pBar = GetControlBar();
    if (pBar == nullptr || m_bInRecalcLayout) {
        return;
    }
    m_bInRecalcLayout = TRUE;
    CRect rectClient;
    GetClientRect(&rectClient);
    const BOOL bDynamic = (pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) != 0;
    const CSize sizeBar = pBar->CalcFloatingLayout(WrapWidth(pBar, rectClient.Width()), TRUE);
    const int cx = bDynamic && rectClient.Width() > sizeBar.cx ? rectClient.Width() : sizeBar.cx;
    pBar->SetWindowPos(nullptr, 0, 0, cx, sizeBar.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (cx != rectClient.Width() || sizeBar.cy != rectClient.Height()) {
        const CSize sizeWindow = CalcWindowSize(CSize(cx, sizeBar.cy));
        SetWindowPos(nullptr, 0, 0, sizeWindow.cx, sizeWindow.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_bInRecalcLayout = FALSE;
    RememberPlace();
}

// A bar with CBRS_SIZE_DYNAMIC wraps to the frame's width; any other keeps its one row.
int CMiniDockFrameWnd::WrapWidth(CControlBar* pBar, int cxClient)
{
    const int kOneRow = 32767;
    if ((pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) == 0) {
        return kOneRow;
    }
    return cxClient > 0 ? cxClient : 0;
}

// The frame may be as narrow as the bar's widest item and as low as one row.
void CMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CWnd::OnGetMinMaxInfo(lpMMI);
    CControlBar* pBar = GetControlBar();
    if (pBar == nullptr) {
        return;
    }
    const CSize sizeNarrowest = pBar->CalcFloatingLayout(WrapWidth(pBar, 0), FALSE);
    const CSize sizeOneRow = pBar->CalcFloatingLayout(WrapWidth(pBar, 32767), FALSE);
    lpMMI->ptMinTrackSize.x = CalcWindowSize(sizeNarrowest).cx;
    lpMMI->ptMinTrackSize.y = CalcWindowSize(CSize(0, sizeOneRow.cy)).cy;
}

int CMiniDockFrameWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

// The close box hides the bar (and this frame with it) the way View > Toolbar does.
void CMiniDockFrameWnd::OnClose()
{
    CControlBar* pBar = GetControlBar();
    if (pBar == nullptr) {
        DestroyWindow();
        return;
    }
    if (pBar->m_pDockSite != nullptr) {
        pBar->m_pDockSite->ShowControlBar(pBar, FALSE, FALSE);
    } else {
        ShowWindow(SW_HIDE);
    }
}

void CMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) {
        RecalcLayout();
    }
}

void CMiniDockFrameWnd::OnMove(int x, int y)
{
    CWnd::OnMove(x, y);
    RememberPlace();
}

// While the border is dragged, the bar's items are wrapped to the new width and the frame takes
// the height their rows need (a bar of fixed size keeps its size).
void CMiniDockFrameWnd::OnSizing(UINT fwSide, LPRECT pRect)
{
    CControlBar* pBar = GetControlBar();
    if (pBar == nullptr) {
        return;
    }
    const CSize sizeFrame = CalcWindowSize(CSize(0, 0));
    const int cxClient = (pRect->right - pRect->left) - sizeFrame.cx;
    const CSize sizeBar = pBar->CalcFloatingLayout(WrapWidth(pBar, cxClient), TRUE);
    const int cyWindow = sizeBar.cy + sizeFrame.cy;
    if (fwSide == WMSZ_TOP || fwSide == WMSZ_TOPLEFT || fwSide == WMSZ_TOPRIGHT) {
        pRect->top = pRect->bottom - cyWindow;
    } else {
        pRect->bottom = pRect->top + cyWindow;
    }
    if ((pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) == 0) {
        const int cxWindow = sizeBar.cx + sizeFrame.cx;
        if (fwSide == WMSZ_LEFT || fwSide == WMSZ_TOPLEFT || fwSide == WMSZ_BOTTOMLEFT) {
            pRect->left = pRect->right - cxWindow;
        } else {
            pRect->right = pRect->left + cxWindow;
        }
    }
}

// The caption drags the bar (to dock it or to move it) unless the frame is disabled.
void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetControlBar();
    if (nHitTest == HTCAPTION && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->StartDrag(point);
        return;
    }
    Default();
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetControlBar();
    if (nHitTest == HTCAPTION && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    Default();
}
