#include "framework/CStatusBar.h"

#include "framework/CCmdUI.h"
#include "framework/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

// Update handlers see a pane: Enable shows or blanks its text, SetText replaces it.
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pStatusBar = static_cast<CStatusBar*>(m_pOther);
        const UINT nStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
        pStatusBar->SetPaneStyle((int)m_nIndex, bOn ? nStyle : nStyle | SBPS_DISABLED);
    }
    void SetCheck(int nCheck) override
    {
        CStatusBar* pStatusBar = static_cast<CStatusBar*>(m_pOther);
        const UINT nStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
        pStatusBar->SetPaneStyle((int)m_nIndex, nCheck ? nStyle | SBPS_POPOUT : nStyle);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};

} // namespace

CStatusBar::CStatusBar() : m_cyBar(0)
{
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

// The control first takes its natural height; from then on the frame places it.
BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    SetBarStyle(dwStyle & CBRS_ALL);
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle;
    if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME)) {
        dwWndStyle |= SBARS_SIZEGRIP;
    }
    if (!CWnd::Create(STATUSCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) {
        return FALSE;
    }
    CRect rect;
    GetWindowRect(&rect);
    m_cyBar = rect.Height();
    ModifyStyle(0, CCS_NORESIZE | CCS_NOPARENTALIGN);
    AttachToFrame(pParentWnd);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.assign((size_t)(nIDCount > 0 ? nIDCount : 0), Pane());
    BOOL bResult = TRUE;
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOldFont = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    for (int i = 0; i < nIDCount && lpIDArray != nullptr; i++) {
        Pane& pane = m_panes[(size_t)i];
        pane.nID = lpIDArray[i];
        if (pane.nID != ID_SEPARATOR) {
            if (!pane.strText.LoadString(pane.nID)) {
                bResult = FALSE;
                break;
            }
            SIZE size = {};
            ::GetTextExtentPoint32A(hDC, pane.strText, pane.strText.GetLength(), &size);
            pane.cxText = size.cx;
        } else {
            pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0) {
                pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
            }
        }
    }
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    UpdateAllPanes();
    return bResult;
}

// Panes sit against the right edge (left of the size grip) at their text widths; the
// stretching pane takes what is left.
void CStatusBar::UpdateAllPanes()
{
    if (m_hWnd == nullptr || m_panes.empty()) {
        return;
    }
    CRect rect;
    GetClientRect(&rect);
    int borders[3] = {0, 0, 0};
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    const int cxPadding = 2 * ::GetSystemMetrics(SM_CXEDGE) + 2 * borders[0] + 4;
    int cxFixed = 0;
    for (const Pane& pane : m_panes) {
        if (!(pane.nStyle & SBPS_STRETCH)) {
            cxFixed += pane.cxText + cxPadding;
        }
    }
    int cxGrip = (GetStyle() & SBARS_SIZEGRIP) ? rect.Height() : 0;
    int cxStretch = rect.Width() - cxGrip - cxFixed;
    if (cxStretch < 0) {
        cxStretch = 0;
    }
    std::vector<int> rights(m_panes.size());
    int right = 0;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        const Pane& pane = m_panes[i];
        right += (pane.nStyle & SBPS_STRETCH) ? cxStretch : pane.cxText + cxPadding;
        rights[i] = right;
    }
    SendMessage(SB_SETPARTS, (WPARAM)rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (int i = 0; i < GetCount(); ++i) {
        ShowPaneText(i);
    }
}

void CStatusBar::ShowPaneText(int nIndex)
{
    const Pane& pane = m_panes[(size_t)nIndex];
    const UINT nDrawStyle = pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT);
    LPCSTR lpszText = (pane.nStyle & SBPS_DISABLED) ? "" : static_cast<LPCSTR>(pane.strText);
    SendMessage(SB_SETTEXTA, (WPARAM)(nIndex | nDrawStyle), reinterpret_cast<LPARAM>(lpszText));
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].nID == nIDFind) {
            return (int)i;
        }
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[(size_t)nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessageA(m_hWnd, SB_GETRECT, (WPARAM)nIndex, reinterpret_cast<LPARAM>(lpRect))) {
        ::SetRectEmpty(lpRect);
    }
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[(size_t)nIndex].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        return FALSE;
    }
    Pane& pane = m_panes[(size_t)nIndex];
    const CString strNew(lpszNewText);
    if (pane.strText == strNew) {
        return TRUE;
    }
    pane.strText = strNew;
    if (m_hWnd != nullptr && bUpdate) {
        ShowPaneText(nIndex);
    }
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        return;
    }
    const Pane& pane = m_panes[(size_t)nIndex];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        return;
    }
    Pane& pane = m_panes[(size_t)nIndex];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth;
    UpdateAllPanes();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[(size_t)nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[(size_t)nIndex].nStyle == nStyle) {
        return;
    }
    const BOOL bWidthChanged = (m_panes[(size_t)nIndex].nStyle ^ nStyle) & SBPS_STRETCH;
    m_panes[(size_t)nIndex].nStyle = nStyle;
    if (bWidthChanged) {
        UpdateAllPanes();
    } else {
        ShowPaneText(nIndex);
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(32767, m_cyBar);
}

// Panes get their update handlers: the bar's own first, then the frame's route. Panes are
// never disabled for want of a handler.
void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr)) {
            continue;
        }
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0) {
        return FALSE;
    }
    return SetPaneText(nIndex, reinterpret_cast<LPCSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    LPSTR lpszDest = reinterpret_cast<LPSTR>(lParam);
    if (nIndex < 0 || lpszDest == nullptr || wParam == 0) {
        return 0;
    }
    lstrcpynA(lpszDest, m_panes[(size_t)nIndex].strText, (int)wParam);
    return lstrlenA(lpszDest);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    return nIndex < 0 ? 0 : m_panes[(size_t)nIndex].strText.GetLength();
}
