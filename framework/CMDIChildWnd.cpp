#include "framework/CMDIChildWnd.h"

#include "framework/AfxExtractSubString.h"
#include "framework/CCreateContext.h"
#include "framework/CDocument.h"
#include "framework/CMDIFrameWnd.h"
#include "framework/CMultiDocTemplate.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_CHILDACTIVATE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(nullptr)
{
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    return CFrameWnd::PreCreateWindow(cs);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    // parent: the MDI client; its parent: the MDI frame
    HWND hWndClient = ::GetParent(m_hWnd);
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, FromHandlePermanent(::GetParent(hWndClient)));
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    dwDefaultStyle |= WS_CHILD;
    CMultiDocTemplate* pTemplate =
        pContext != nullptr ? DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate)
                            : nullptr;
    if (pTemplate != nullptr) {
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }
    CString strFullString;
    if (strFullString.LoadString(nIDResource)) {
        AfxExtractSubString(m_strTitle, strFullString, 0);
    }
    LPCSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd);
    const CString strTitle = m_strTitle;
    return Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pFrame, pContext);
}

// Children are made by the MDI client (WM_MDICREATE), always hidden at first; a visible style
// then shows and activates the child.
BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr) {
        pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    }
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr) {
        PostNcDestroy();
        return FALSE;
    }
    CREATESTRUCT cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    const BOOL bDefault = ::EqualRect(&rect, &rectDefault);
    cs.x = bDefault ? CW_USEDEFAULT : rect.left;
    cs.y = bDefault ? CW_USEDEFAULT : rect.top;
    cs.cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName;

    MDICREATESTRUCTA mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0,
                                                      reinterpret_cast<LPARAM>(&mcs)));
    const BOOL bAttached = AfxUnhookWindowCreate();
    if (hWnd == nullptr) {
        if (!bAttached) {
            PostNcDestroy(); // an attached window deleted us on WM_NCDESTROY already
        }
        return FALSE;
    }
    if (cs.style & WS_VISIBLE) {
        ::BringWindowToTop(hWnd);
        if (cs.style & WS_MINIMIZE) {
            ShowWindow(SW_SHOWMINIMIZED);
        } else if (cs.style & WS_MAXIMIZE) {
            ShowWindow(SW_SHOWMAXIMIZED);
        } else {
            ShowWindow(SW_SHOWNORMAL);
        }
        pParentWnd->MDIActivate(this);
        ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

// The creation context travels in the MDI creation structure.
int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const MDICREATESTRUCTA* lpmcs =
        static_cast<const MDICREATESTRUCTA*>(lpCreateStruct->lpCreateParams);
    CCreateContext* pContext =
        lpmcs != nullptr ? reinterpret_cast<CCreateContext*>(lpmcs->lParam) : nullptr;
    return OnCreateHelper(lpCreateStruct, pContext);
}

void CMDIChildWnd::MDIDestroy()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr) {
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
    } else {
        ::DestroyWindow(m_hWnd);
    }
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) {
        pFrame->MDIActivate(this);
    }
}

void CMDIChildWnd::MDIMaximize()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) {
        pFrame->MDIMaximize(this);
    }
}

void CMDIChildWnd::MDIRestore()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) {
        pFrame->MDIRestore(this);
    }
}

// Destroyed through the MDI client, which activates the next child; afterwards the frame's
// menu and caption follow whatever is active now (the frame's own when nothing is).
BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr) {
        return CFrameWnd::DestroyWindow();
    }
    const HWND hWndFrame = pFrame->m_hWnd;
    // No caption changes while the child goes.
    const LONG dwStyle = ::GetWindowLongA(hWndFrame, GWL_STYLE);
    ::SetWindowLongA(hWndFrame, GWL_STYLE, dwStyle & ~FWS_ADDTOTITLE);
    MDIDestroy(); // this object may be deleted from here on
    if (::IsWindow(hWndFrame) && CWnd::FromHandlePermanent(hWndFrame) == pFrame) {
        ::SetWindowLongA(hWndFrame, GWL_STYLE, dwStyle);
        pFrame->OnUpdateFrameMenu(nullptr);
        pFrame->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    const BOOL bVisibleThen = (GetStyle() & WS_VISIBLE) != 0;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (nCmdShow == -1 && pFrame != nullptr) {
        // A new child takes the maximised state of the one active before it.
        BOOL bMaximized = FALSE;
        pFrame->MDIGetActive(&bMaximized);
        const DWORD dwStyle = GetStyle();
        if (bMaximized || (dwStyle & WS_MAXIMIZE)) {
            nCmdShow = SW_SHOWMAXIMIZED;
        } else if (dwStyle & WS_MINIMIZE) {
            nCmdShow = SW_SHOWMINIMIZED;
        }
    }
    CFrameWnd::ActivateFrame(nCmdShow);
    if (pFrame == nullptr) {
        return;
    }
    const BOOL bVisibleNow = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisibleNow && (!bVisibleThen || pFrame->MDIGetActive() != this)) {
        pFrame->MDIActivate(this);
    }
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    // A child has no menu of its own: its accelerators work in the MDI frame's name.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        CMDIFrameWnd* pFrame = GetMDIFrame();
        return hAccel != nullptr && pFrame != nullptr &&
               ::TranslateAcceleratorA(pFrame->m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

HACCEL CMDIChildWnd::GetDefaultAccelerator()
{
    CDocument* pDoc = GetActiveDocument();
    HACCEL hAccel = pDoc != nullptr ? pDoc->GetDefaultAccelerator() : nullptr;
    return hAccel != nullptr ? hAccel : m_hAccelTable;
}

// The child's caption is its document's title (":n" when the document has several frames);
// the MDI frame's caption follows.
void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) {
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    }
    if ((GetStyle() & FWS_ADDTOTITLE) == 0 || !bAddToTitle) {
        return;
    }
    CDocument* pDocument = GetActiveDocument();
    CString strText = pDocument != nullptr ? pDocument->GetTitle() : m_strTitle;
    if (m_nWindow > 0) {
        CString strNumber;
        strNumber.Format(":%d", m_nWindow);
        strText += strNumber;
    }
    SetWindowTextIfChanged(m_hWnd, strText);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr) {
        return;
    }
    if (hMenuAlt == nullptr && bActivate) {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != nullptr) {
            hMenuAlt = pDoc->GetDefaultMenu();
        }
    }
    if (hMenuAlt == nullptr) {
        hMenuAlt = m_hMenuShared;
    }
    if (hMenuAlt != nullptr && bActivate) {
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenuAlt),
                       reinterpret_cast<LPARAM>(CMDIFrameWnd::GetWindowMenuPopup(hMenuAlt)));
    } else if (!bActivate && pActivateWnd == nullptr) {
        // The last child is going: the frame's own menu again.
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU,
                       reinterpret_cast<WPARAM>(pFrame->m_hMenuDefault), 0);
    }
}

// Activation switches the menu bar and the captions; the view hears of it.
void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    CView* pActiveView = GetActiveView();
    if (!bActivate && pActiveView != nullptr) {
        pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);
    }
    OnUpdateFrameTitle(bActivate || pActivateWnd != nullptr);
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (bActivate && pActiveView != nullptr && pFrame != nullptr &&
        pFrame->m_hWnd == ::GetActiveWindow()) {
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
    }
    OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
    if (pFrame != nullptr) {
        pFrame->DrawMenuBar();
    }
}

// A child about to become the active MDI child has an active view (its first pane) before
// the activation notice tells that view.
void CMDIChildWnd::OnChildActivate()
{
    if (GetActiveView() == nullptr) {
        CView* pView =
            DYNAMIC_DOWNCAST(CView, FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)));
        if (pView != nullptr) {
            SetActiveView(pView, FALSE);
        }
    }
    CFrameWnd::OnChildActivate();
}
