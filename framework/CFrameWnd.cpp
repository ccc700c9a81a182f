#include "framework/CFrameWnd.h"

#include <algorithm>

#include "framework/AfxExtractSubString.h"
#include "framework/CCmdUI.h"
#include "framework/CControlBar.h"
#include "framework/CCreateContext.h"
#include "framework/CDockContext.h"
#include "framework/CDocument.h"
#include "framework/CMenu.h"
#include "framework/CMiniDockFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);

namespace {

// First item id of the MDI window list (all its items share one prompt).
const UINT kFirstMdiChildId = 0xFF00;

} // namespace

void CFrameWnd::SetWindowTextIfChanged(HWND hWnd, LPCSTR lpszNew)
{
    char szOld[512];
    const int nNewLen = lstrlenA(lpszNew);
    if (nNewLen >= (int)sizeof(szOld) || ::GetWindowTextA(hWnd, szOld, sizeof(szOld)) != nNewLen ||
        lstrcmpA(szOld, lpszNew) != 0) {
        ::SetWindowTextA(hWnd, lpszNew);
    }
}

// ---- Frames above a window ----------------------------------------------------------------

CFrameWnd* CWnd::GetParentFrame() const
{
    if (GetSafeHwnd() == nullptr) {
        return nullptr;
    }
    for (CWnd* pParent = GetParent(); pParent != nullptr; pParent = pParent->GetParent()) {
        if (pParent->IsFrameWnd()) {
            return static_cast<CFrameWnd*>(pParent);
        }
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (GetSafeHwnd() == nullptr) {
        return nullptr;
    }
    CFrameWnd* pFrame =
        IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    if (pFrame != nullptr) {
        for (CFrameWnd* pNext; (pNext = pFrame->GetParentFrame()) != nullptr;) {
            pFrame = pNext;
        }
    }
    return pFrame;
}

// ---- Creation ---------------------------------------------------------------------------------

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE),
      m_nWindow(-1),
      m_hMenuDefault(nullptr),
      m_hAccelTable(nullptr),
      m_nIDHelp(0),
      m_nIDTracking(0),
      m_nIDLastMessage(0),
      m_pViewActive(nullptr),
      m_dwDockStyle(0)
{
}

CFrameWnd::~CFrameWnd()
{
    for (CControlBar* pBar : m_listControlBars) {
        pBar->m_pDockSite = nullptr;
    }
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    if (cs.style & FWS_ADDTOTITLE) {
        cs.style |= FWS_PREFIXTITLE;
    }
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return cs.lpszClass != nullptr;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr) {
        hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == nullptr) {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    const BOOL bDefault = ::EqualRect(&rect, &rectDefault);
    const int x = bDefault ? CW_USEDEFAULT : rect.left;
    const int y = bDefault ? CW_USEDEFAULT : rect.top;
    const int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  pParentWnd->GetSafeHwnd(), hMenu, pContext)) {
        if (hMenu != nullptr) {
            ::DestroyMenu(hMenu);
        }
        return FALSE;
    }
    return TRUE;
}

LPCSTR CFrameWnd::GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource)
{
    HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
    if (hIcon == nullptr) {
        return nullptr;
    }
    CREATESTRUCT cs = {};
    cs.style = dwDefaultStyle;
    PreCreateWindow(cs);
    WNDCLASSA wndcls;
    if (cs.lpszClass != nullptr && ::GetClassInfoA(AfxGetInstanceHandle(), cs.lpszClass, &wndcls) &&
        wndcls.hIcon != hIcon) {
        return AfxRegisterWndClass(wndcls.style, wndcls.hCursor, wndcls.hbrBackground, hIcon);
    }
    return nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (strFullString.LoadString(nIDResource)) {
        AfxExtractSubString(m_strTitle, strFullString, 0);
    }
    LPCSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
    const CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCEA(nIDResource), 0L, pContext)) {
        return FALSE;
    }
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCEA(nIDResource));
    if (pContext == nullptr) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    }
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName)
{
    if (m_hAccelTable != nullptr) {
        return FALSE; // only once
    }
    m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
    return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return OnCreateHelper(lpCreateStruct,
                          static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1) {
        return -1;
    }
    if (!OnCreateClient(lpcs, pContext)) {
        return -1;
    }
    // "Ready" once the frame (with its status bar, made after this) is up.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr) {
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    if (pObject == nullptr) {
        return nullptr;
    }
    if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete pObject;
        return nullptr;
    }
    CWnd* pView = static_cast<CWnd*>(pObject);
    // A failed creation has already deleted a view (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID,
                       pContext)) {
        return nullptr;
    }
    // The view draws the sunken edge; the frame needs none of its own.
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE) {
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    }
    return pView;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

// ---- Active view and document -----------------------------------------------------------------

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld) {
        return;
    }
    m_pViewActive = nullptr; // nothing is active while the old view is told
    if (pViewOld != nullptr) {
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    }
    if (m_pViewActive != nullptr) {
        return; // the deactivation activated another view
    }
    m_pViewActive = pViewNew;
    if (pViewNew != nullptr && bNotify) {
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
    }
}

// After a new frame's view exists: the view becomes active, gets its initial update, the
// frame is shown and activated, and the captions show the document.
void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = nullptr;
    if (GetActiveView() == nullptr) {
        pView =
            DYNAMIC_DOWNCAST(CView, FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)));
        if (pView != nullptr) {
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != nullptr) {
            pView->OnActivateFrame(WA_INACTIVE, this);
        }
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == nullptr) {
            nCmdShow = pApp->m_nCmdShow; // the first frame of the program
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != nullptr) {
            pView->OnActivateView(TRUE, pView, pView);
        }
    }
    if (pDoc != nullptr) {
        pDoc->UpdateFrameCounts();
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible()) {
            nCmdShow = SW_SHOWNORMAL;
        } else if (IsIconic()) {
            nCmdShow = SW_RESTORE;
        }
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
    }
    if (nCmdShow != SW_HIDE && !(GetStyle() & WS_CHILD)) {
        BringWindowToTop();
    }
}

// ---- Command routing and menus ----------------------------------------------------------------

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// Before a popup opens: every item's update handler runs; items that nothing handles are
// disabled (system commands excepted).
void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || pMenu == nullptr) {
        return;
    }
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = (UINT)::GetMenuItemCount(pMenu->m_hMenu);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = ::GetMenuItemID(pMenu->m_hMenu, (int)state.m_nIndex);
        if (state.m_nID == 0) {
            continue; // separator
        }
        if (state.m_nID == (UINT)-1) {
            // A submenu follows the first item of the submenu; it is never disabled.
            HMENU hSub = ::GetSubMenu(pMenu->m_hMenu, (int)state.m_nIndex);
            if (hSub == nullptr) {
                continue;
            }
            state.m_nID = ::GetMenuItemID(hSub, 0);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1) {
                continue;
            }
            state.m_pSubMenu = CMenu::FromHandle(hSub);
            state.DoUpdate(this, FALSE);
        } else {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // Handlers may have added or removed items.
        const UINT nCount = (UINT)::GetMenuItemCount(pMenu->m_hMenu);
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount &&
                   ::GetMenuItemID(pMenu->m_hMenu, (int)state.m_nIndex) == state.m_nID) {
                state.m_nIndex++;
            }
        }
        state.m_nIndexMax = nCount;
    }
}

// The highlighted item's prompt goes to the message pane at once; "Ready" when the menu closes.
void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr) {
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
        m_nIDTracking = 0;
    } else if (nItemID >= 0xF000 && nItemID < 0xF1F0) {
        m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4); // system commands
    } else if (nItemID >= kFirstMdiChildId) {
        m_nIDTracking = AFX_IDS_MDICHILD;
    } else {
        m_nIDTracking = nItemID;
    }
    SetMessageText(m_nIDTracking);
    if (CWnd* pBar = GetMessageBar()) {
        pBar->UpdateWindow();
    }
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != nullptr && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    CDocument* pDoc = GetActiveDocument();
    HACCEL hAccel = pDoc != nullptr ? pDoc->GetDefaultAccelerator() : nullptr;
    return hAccel != nullptr ? hAccel : m_hAccelTable;
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (hMenuAlt == nullptr) {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != nullptr) {
            hMenuAlt = pDoc->GetDefaultMenu();
        }
        if (hMenuAlt == nullptr) {
            hMenuAlt = m_hMenuDefault;
        }
    }
    ::SetMenu(m_hWnd, hMenuAlt);
}

// ---- Status-bar message pane ------------------------------------------------------------------

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString strFull;
    if (strFull.LoadString(nID)) {
        AfxExtractSubString(rMessage, strFull, 0);
    } else {
        rMessage.Empty();
    }
}

void CFrameWnd::SetMessageText(LPCSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

// The status bar of this frame, or of the frame this one sits in.
CWnd* CFrameWnd::GetMessageBar()
{
    for (CFrameWnd* pFrame = this; pFrame != nullptr; pFrame = pFrame->GetParentFrame()) {
        HWND hBar = ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_STATUS_BAR);
        if (hBar != nullptr) {
            return FromHandle(hBar);
        }
    }
    return nullptr;
}

// wParam: a string id whose prompt to show (0: nothing); lParam: an explicit text.
LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != nullptr) {
        CString strMessage;
        LPCSTR lpsz = "";
        if (lParam != 0) {
            lpsz = reinterpret_cast<LPCSTR>(lParam);
        } else if (wParam != 0) {
            GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz);
        CFrameWnd* pBarFrame = pMessageBar->GetParentFrame();
        if (pBarFrame != nullptr && pBarFrame != this) {
            pBarFrame->m_nIDLastMessage = (UINT)wParam;
            pBarFrame->m_nIDTracking = (UINT)wParam;
        }
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

// Floating bars sit in owned frames, outside this window's descendants that the idle update
// reaches, so they get theirs from here.
LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (m_nIDTracking != m_nIDLastMessage) {
        SetMessageText(m_nIDTracking);
    }
    const std::vector<CControlBar*> bars = m_listControlBars;
    for (CControlBar* pBar : bars) {
        if (pBar->IsFloating() && pBar->m_hWnd != nullptr) {
            pBar->SendMessage(WM_IDLEUPDATECMDUI, wParam, 0);
        }
    }
    return 0;
}

// Tooltip of a toolbar button: the text after the line break of the command's string.
BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT_PTR nID = pNMHDR->idFrom;
    const bool bAnsi = pNMHDR->code == TTN_NEEDTEXTA;
    const UINT uFlags = bAnsi ? reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags
                              : reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags;
    if (uFlags & TTF_IDISHWND) {
        nID = (UINT)(WORD)::GetDlgCtrlID(reinterpret_cast<HWND>(nID));
    }
    CString strTipText;
    if (nID != 0) {
        CString strFull;
        if (strFull.LoadString((UINT)nID)) {
            AfxExtractSubString(strTipText, strFull, 1);
        }
    }
    if (bAnsi) {
        NMTTDISPINFOA* pTTT = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        lstrcpynA(pTTT->szText, strTipText, sizeof(pTTT->szText));
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = nullptr;
    } else {
        NMTTDISPINFOW* pTTT = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        const int nChars = sizeof(pTTT->szText) / sizeof(pTTT->szText[0]);
        if (::MultiByteToWideChar(CP_ACP, 0, strTipText, -1, pTTT->szText, nChars) == 0) {
            pTTT->szText[0] = L'\0';
        }
        pTTT->szText[nChars - 1] = L'\0';
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = nullptr;
    }
    *pResult = 0;
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}

// CAP, NUM and SCRL show their text only while their key is toggled on.
void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVK;
    switch (pCmdUI->m_nID) {
    case ID_INDICATOR_CAPS:
        nVK = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        nVK = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        nVK = VK_SCROLL;
        break;
    default:
        return;
    }
    pCmdUI->Enable((::GetKeyState(nVK) & 1) != 0);
}

// ---- Control bars -----------------------------------------------------------------------------

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) ==
        m_listControlBars.end()) {
        m_listControlBars.push_back(pBar);
    }
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), pBar),
                            m_listControlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (CControlBar* pBar : m_listControlBars) {
        if (pBar->m_hWnd != nullptr && (UINT)pBar->GetDlgCtrlID() == nID) {
            return pBar;
        }
    }
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

namespace {

const struct
{
    UINT nDockBarID;
    DWORD dwAlign;
} kDockBars[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
};

// The edge a bar docks on: the one asked for, else the bar's own, else the first one both the
// bar and the frame allow (top, bottom, left, right); top when nothing is allowed.
DWORD ChooseDockAlign(UINT nDockBarID, DWORD dwBarStyle, DWORD dwAllowed)
{
    for (const auto& bar : kDockBars) {
        if (bar.nDockBarID == nDockBarID) {
            return bar.dwAlign;
        }
    }
    const DWORD dwOwn = dwBarStyle & CBRS_ALIGN_ANY;
    for (const auto& bar : kDockBars) {
        if ((dwOwn & bar.dwAlign) && (dwAllowed == 0 || (dwAllowed & bar.dwAlign))) {
            return bar.dwAlign;
        }
    }
    for (const auto& bar : kDockBars) {
        if (dwAllowed & bar.dwAlign) {
            return bar.dwAlign;
        }
    }
    return CBRS_ALIGN_TOP;
}

} // namespace

// A bar docked on an edge goes innermost there (last in the list, nearest the client pane).
void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr) {
        return;
    }
    const DWORD dwAlign =
        ChooseDockAlign(nDockBarID, pBar->GetBarStyle(), pBar->GetDockStyle() & m_dwDockStyle);
    ReclaimFloatingBar(pBar);
    RemoveControlBar(pBar);
    AddControlBar(pBar);
    pBar->SetBarStyle((pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | dwAlign);
    if (pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->m_dwLastDockAlign = dwAlign;
    }
    RecalcLayout();
}

void CFrameWnd::ReclaimFloatingBar(CControlBar* pBar)
{
    const HWND hParent = ::GetParent(pBar->m_hWnd);
    if (hParent == m_hWnd) {
        return;
    }
    const BOOL bVisible = pBar->IsVisible();
    pBar->ShowWindow(SW_HIDE);
    pBar->SetParent(this);
    pBar->m_pDockSite = this;
    CMiniDockFrameWnd* pOldFrame =
        DYNAMIC_DOWNCAST(CMiniDockFrameWnd, FromHandlePermanent(hParent));
    if (pOldFrame != nullptr) {
        pOldFrame->DestroyWindow();
    }
    if (bVisible) {
        pBar->ShowWindow(SW_SHOWNA);
    }
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr) {
        return;
    }
    CMiniDockFrameWnd* pMiniFrame =
        DYNAMIC_DOWNCAST(CMiniDockFrameWnd, FromHandlePermanent(::GetParent(pBar->m_hWnd)));
    if (pMiniFrame == nullptr) {
        pMiniFrame = new CMiniDockFrameWnd;
        CString strTitle;
        pBar->GetWindowText(strTitle);
        if (!pMiniFrame->Create(this, strTitle)) {
            return; // the frame deleted itself
        }
        if (!pBar->IsWindowEnabled()) {
            pMiniFrame->EnableWindow(FALSE);
        }
        pBar->SetParent(pMiniFrame);
        pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_FLOATING);
    }
    // The first float takes the bar's one-row width; later ones the width it had floating.
    CSize sizeWindow = CMiniDockFrameWnd::CalcWindowSize(pBar->CalcFloatingLayout(32767, FALSE));
    if (pBar->m_pDockContext != nullptr && !pBar->m_pDockContext->m_rectLastFloat.IsRectEmpty()) {
        sizeWindow = pBar->m_pDockContext->m_rectLastFloat.Size();
    }
    pMiniFrame->SetWindowPos(nullptr, point.x, point.y, sizeWindow.cx, sizeWindow.cy,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    pMiniFrame->RecalcLayout();
    if (pBar->IsVisible()) {
        pMiniFrame->ShowWindow(SW_SHOWNA);
    }
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr) {
        return;
    }
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (pBar->IsFloating()) {
        ::ShowWindow(::GetParent(pBar->m_hWnd), bShow ? SW_SHOWNA : SW_HIDE);
    }
    RecalcLayout();
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar != nullptr) {
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == nullptr) {
        return FALSE;
    }
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

// The bars that do not dock (the status bar) go outermost; the docking bars share what they
// leave with the client pane (view or MDI client), which takes the rest. On each edge the bars
// stack inwards in list order. Floating and hidden bars take no space.
void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_hWnd == nullptr) {
        return;
    }
    CRect rect;
    GetClientRect(&rect);
    LayoutBars(rect, FALSE);
    m_rectDockingArea = rect;
    LayoutBars(rect, TRUE);
    if (rect.bottom < rect.top) {
        rect.bottom = rect.top;
    }
    if (rect.right < rect.left) {
        rect.right = rect.left;
    }
    HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hPane != nullptr) {
        ::SetWindowPos(hPane, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CFrameWnd::LayoutBars(CRect& rect, BOOL bDocking)
{
    for (CControlBar* pBar : m_listControlBars) {
        if (!pBar->IsVisible() || pBar->IsFloating() || (pBar->GetDockStyle() != 0) != bDocking) {
            continue;
        }
        const DWORD dwAlign = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
        const BOOL bHorz = (dwAlign & CBRS_ORIENT_HORZ) != 0 || dwAlign == 0;
        const CSize size = pBar->CalcFixedLayout(TRUE, bHorz);
        CRect rectBar = rect;
        if (dwAlign & CBRS_ALIGN_TOP || dwAlign == 0) {
            rectBar.bottom = rect.top + size.cy;
            rect.top = rectBar.bottom;
        } else if (dwAlign & CBRS_ALIGN_BOTTOM) {
            rectBar.top = rect.bottom - size.cy;
            rect.bottom = rectBar.top;
        } else if (dwAlign & CBRS_ALIGN_LEFT) {
            rectBar.right = rect.left + size.cx;
            rect.left = rectBar.right;
        } else {
            rectBar.left = rect.right - size.cx;
            rect.right = rectBar.left;
        }
        pBar->SetWindowPos(nullptr, rectBar.left, rectBar.top, rectBar.Width(), rectBar.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// ---- Window messages --------------------------------------------------------------------------

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy); // MDI children need their default processing
    if (nType != SIZE_MINIMIZED) {
        RecalcLayout();
    }
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr) {
        m_pViewActive->SetFocus();
    } else {
        CWnd::OnSetFocus(pOldWnd);
    }
}

// The active view learns that its frame became active again.
void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CView* pActiveView = GetActiveView();
    if (pActiveView == nullptr) {
        CFrameWnd* pActiveFrame = GetActiveFrame();
        if (pActiveFrame != nullptr) {
            pActiveView = pActiveFrame->GetActiveView();
        }
    }
    if (pActiveView != nullptr) {
        if (nState != WA_INACTIVE && !bMinimized) {
            pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
        }
        pActiveView->OnActivateFrame(nState, this);
    }
}

// Closing the frame of a document's last view closes the document; closing the main window
// closes every document first.
void CFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != nullptr && !pDocument->CanCloseFrame(this)) {
        return;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        if (pDocument == nullptr && !pApp->SaveAllModified()) {
            return;
        }
        pApp->CloseAllDocuments(FALSE);
        if (pApp->m_pMainWnd == nullptr) {
            return; // closing the documents took the main window with them
        }
    }
    if (pDocument != nullptr && pDocument->m_bAutoDelete) {
        BOOL bOtherFrame = FALSE;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos != nullptr) {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this) {
                bOtherFrame = TRUE;
                break;
            }
        }
        if (!bOtherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

// The window destroys the menu it holds: give it back its own, not a shared one. Floating
// frames of its bars go first, with the bars in them.
void CFrameWnd::OnDestroy()
{
    const std::vector<CControlBar*> bars = m_listControlBars;
    for (CControlBar* pBar : bars) {
        if (pBar->IsFloating() && pBar->m_hWnd != nullptr) {
            ::DestroyWindow(::GetParent(pBar->m_hWnd));
        }
    }
    if (m_hMenuDefault != nullptr && ::GetMenu(m_hWnd) != m_hMenuDefault) {
        ::SetMenu(m_hWnd, m_hMenuDefault);
    }
    CWnd::OnDestroy();
}

// ---- Captions ---------------------------------------------------------------------------------

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0) {
        return;
    }
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != nullptr) {
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    } else {
        UpdateFrameTitleForDocument(nullptr);
    }
}

// "Frame - Document" (or "Document - Frame" with FWS_PREFIXTITLE); ":n" numbers the frames
// of a document shown in several.
void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName)
{
    CString strText;
    CString strDoc;
    if (lpszDocName != nullptr) {
        strDoc = lpszDocName;
        if (m_nWindow > 0) {
            CString strNumber;
            strNumber.Format(":%d", m_nWindow);
            strDoc += strNumber;
        }
    }
    if (GetStyle() & FWS_PREFIXTITLE) {
        if (lpszDocName != nullptr) {
            strText = strDoc + " - ";
        }
        strText += m_strTitle;
    } else {
        strText = m_strTitle;
        if (lpszDocName != nullptr) {
            strText += " - " + strDoc;
        }
    }
    SetWindowTextIfChanged(m_hWnd, strText);
}
