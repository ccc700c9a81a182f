#include "framework/CControlBar.h"

#include "framework/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() : m_pDockSite(nullptr), m_dwStyle(0), m_dwDockStyle(0)
{
}

CControlBar::~CControlBar()
{
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
    }
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
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

void CControlBar::OnDestroy()
{
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
