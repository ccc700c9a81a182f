#include "framework/CWnd.h"

#include <mutex>
#include <set>
#include <string>

#include "framework/AfxGlobals.h"
#include "framework/AfxThreadState.h"
#include "framework/CCmdUI.h"
#include "framework/CDC.h"
#include "framework/CDataExchange.h"
#include "framework/CFont.h"
#include "framework/CMenu.h"
#include "framework/CWinThread.h"

#include <stdio.h>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// Records what an update handler did to a command, to decide whether the command may run.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

// The parent of a child window, else the owner of a top-level window.
HWND GetParentOrOwner(HWND hWnd)
{
    if (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) {
        return ::GetParent(hWnd);
    }
    return ::GetWindow(hWnd, GW_OWNER);
}

// What a window procedure answers when a handler threw: creation fails, painting is
// considered done, anything else gives 0.
LRESULT ResultAfterException(HWND hWnd, UINT nMsg)
{
    ::OutputDebugStringA("framework: exception caught in a window procedure\n");
    switch (nMsg) {
    case WM_NCCREATE:
        return FALSE;
    case WM_CREATE:
        return -1;
    case WM_PAINT:
        ::ValidateRect(hWnd, nullptr);
        return 0;
    default:
        return 0;
    }
}

void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                       BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr;
         hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            CWnd* pWnd = CWnd::FromHandlePermanent(hChild);
            if (pWnd != nullptr) {
                AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
            }
        } else {
            ::SendMessageA(hChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hChild) != nullptr) {
            SendToDescendants(hChild, message, wParam, lParam, bDeep, bOnlyPerm);
        }
    }
}

} // namespace

// ---- Window procedure -----------------------------------------------------------------

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState* pState = AfxGetThreadState();
    MSG oldMsg = pState->lastSentMsg;
    pState->lastSentMsg.hwnd = hWnd;
    pState->lastSentMsg.message = nMsg;
    pState->lastSentMsg.wParam = wParam;
    pState->lastSentMsg.lParam = lParam;

    LRESULT lResult;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (...) {
        lResult = ResultAfterException(hWnd, nMsg);
    }
    // A WM_NCDESTROY handler that did not reach CWnd::OnNcDestroy leaves the object mapped
    // to a handle that no longer exists; unmap it. (A deleted object is no longer mapped.)
    if (nMsg == WM_NCDESTROY && pState->wndMap.LookupPermanent(hWnd) == pWnd) {
        pWnd->Detach();
    }

    pState->lastSentMsg = oldMsg;
    return lResult;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState* pState = AfxGetThreadState();
    CWnd* pWnd = pState->wndMap.LookupPermanent(hWnd);
    if (pWnd == nullptr && pState->pWndInit != nullptr) {
        // The first message of a window that the framework is creating.
        pWnd = pState->pWndInit;
        pState->pWndInit = nullptr;
        pWnd->Attach(hWnd);
    }
    if (pWnd == nullptr) {
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    }
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    AfxGetThreadState()->pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    AfxThreadState* pState = AfxGetThreadState();
    BOOL bAttached = pState->pWndInit == nullptr;
    pState->pWndInit = nullptr;
    return bAttached;
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex s_mutex;
    static std::set<std::string> s_names;

    HINSTANCE hInst = AfxGetInstanceHandle();
    char name[96];
    snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
             (void*)hbrBackground, (void*)hIcon);

    std::lock_guard<std::mutex> lock(s_mutex);
    auto it = s_names.find(name);
    if (it != s_names.end()) {
        return it->c_str();
    }

    WNDCLASSA wc = {};
    if (!::GetClassInfoA(hInst, name, &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = CWnd::AfxWndProc;
        wc.hInstance = hInst;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (!::RegisterClassA(&wc)) {
            return nullptr;
        }
    }
    return s_names.insert(name).first->c_str();
}

// ---- Construction and the handle map ---------------------------------------------------

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_pCtrlDispatch(nullptr), m_pCtrlSite(nullptr)
{
}

CWnd::CWnd(HWND hWndSpecial)
    : m_hWnd(hWndSpecial),
      m_pfnSuper(nullptr),
      m_pCtrlDispatch(nullptr),
      m_pCtrlSite(nullptr)
{
}

CWnd::~CWnd()
{
    // A hosted control closes its own window.
    ReleaseControl();
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        // The object goes before its window: take the window with it.
        HWND hWnd = m_hWnd;
        ::DestroyWindow(hWnd);
        if (FromHandlePermanent(hWnd) == this) {
            Detach();
        }
    }
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return AfxGetThreadState()->wndMap.FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr) {
        return nullptr;
    }
    return AfxGetThreadState()->wndMap.LookupPermanent(hWnd);
}

void CWnd::DeleteTempMap()
{
    AfxGetThreadState()->wndMap.DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr) {
        return FALSE;
    }
    AfxThreadState* pState = AfxGetThreadState();
    if (pState->wndMap.LookupPermanent(hWndNew) != nullptr) {
        return FALSE;
    }
    m_hWnd = hWndNew;
    pState->wndMap.SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        AfxGetThreadState()->wndMap.RemovePermanent(hWnd, this);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd)) {
        return FALSE;
    }
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    if (pfnOld != &CWnd::AfxWndProc) {
        m_pfnSuper = pfnOld;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != nullptr && m_hWnd != nullptr) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    return Detach();
}

// ---- Creation and destruction ----------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                           ::LoadCursor(nullptr, IDC_ARROW));
    }
    return cs.lpszClass != nullptr;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>((UINT_PTR)nID), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>((UINT_PTR)nID), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    CREATESTRUCTA cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd =
        ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                          cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    BOOL bAttached = AfxUnhookWindowCreate();
    if (hWnd == nullptr) {
        // An attached window that failed creation already went through WM_NCDESTROY.
        if (!bAttached) {
            PostNcDestroy();
        }
        return FALSE;
    }
    if (!bAttached) {
        // A window of a class the framework did not register: route it through us now.
        SubclassWindow(hWnd);
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr) {
        return FALSE;
    }
    BOOL bPermanent = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A permanent object may have deleted itself by now; touch it only if still mapped.
    if (bPermanent) {
        if (FromHandlePermanent(hWnd) == this && !::IsWindow(hWnd)) {
            Detach();
        }
    } else if (bResult) {
        m_hWnd = nullptr;
    }
    return bResult;
}

void CWnd::PostNcDestroy()
{
}

void CWnd::OnNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) {
        if (pThread->m_pMainWnd == this) {
            // The main window is gone: end the thread's message loop.
            ::PostQuitMessage(0);
            pThread->m_pMainWnd = nullptr;
        }
        if (pThread->m_pActiveWnd == this) {
            pThread->m_pActiveWnd = nullptr;
        }
    }
    Default();
    if (m_pfnSuper != nullptr && m_hWnd != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &CWnd::AfxWndProc) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    Detach();
    // A hosted control's window is gone by now; let go of the control itself.
    ReleaseControl();
    PostNcDestroy();
}

// ---- Message dispatch -------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult)) {
        lResult = DefWindowProc(message, wParam, lParam);
    }
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) {
            return FALSE;
        }
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr ||
            !OnNotify(wParam, lParam, &lResult)) {
            return FALSE;
        }
    } else {
        const AFX_MSGMAP_ENTRY* pEntry = nullptr;
        for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr && pEntry == nullptr;
             pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
            pEntry = FindMessageEntry(pMap->lpEntries, message, 0, 0);
        }
        if (pEntry == nullptr) {
            return FALSE;
        }
        lResult = pEntry->pfn(this, wParam, lParam);
    }
    if (pResult != nullptr) {
        *pResult = lResult;
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        // A menu item or an accelerator: a command that its update handler disables is
        // not carried out.
        if (nID == 0) {
            return FALSE;
        }
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled) {
            return TRUE;
        }
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg((UINT)pNMHDR->idFrom, (int)MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    MSG* pMsg = &AfxGetThreadState()->lastSentMsg;
    pMsg->time = (DWORD)::GetMessageTime();
    DWORD pos = ::GetMessagePos();
    pMsg->pt.x = (short)LOWORD(pos);
    pMsg->pt.y = (short)HIWORD(pos);
    return pMsg;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    BOOL bKey = lpMsg->message >= WM_KEYFIRST && lpMsg->message <= WM_KEYLAST;
    BOOL bMouse = lpMsg->message >= WM_MOUSEFIRST && lpMsg->message <= WM_MOUSELAST;
    if (!bKey && !bMouse) {
        return FALSE;
    }
    return ::IsDialogMessageA(m_hWnd, lpMsg);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) {
            return TRUE;
        }
        if (hWnd == hWndStop) {
            break;
        }
    }
    return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

// ---- Default handlers -------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return (int)Default();
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnMove(int, int)
{
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return (BOOL)Default();
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return (int)Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return (BOOL)Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnEnable(BOOL)
{
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}
BOOL CWnd::OnNcActivate(BOOL)
{
    return (BOOL)Default();
}
void CWnd::OnChildActivate()
{
    Default();
}
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*)
{
    Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL)
{
    Default();
}
void CWnd::OnMenuSelect(UINT, UINT, HMENU)
{
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
}

// ---- Window operations -------------------------------------------------------------------

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = GetStyle();
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle) {
        return FALSE;
    }
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)dwNewStyle);
    if (nFlags != 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = GetExStyle();
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle) {
        return FALSE;
    }
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, (LONG)dwNewStyle);
    if (nFlags != 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, bRepaint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLength = ::GetWindowTextLengthA(m_hWnd);
    LPSTR p = rString.GetBufferSetLength(nLength);
    int nGot = ::GetWindowTextA(m_hWnd, p, nLength + 1);
    rString.ReleaseBuffer(nGot < 0 ? 0 : nGot);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (hItem == nullptr) {
        rString.Empty();
        return 0;
    }
    int nLength = ::GetWindowTextLengthA(hItem);
    LPSTR p = rString.GetBufferSetLength(nLength);
    int nGot = ::GetWindowTextA(hItem, p, nLength + 1);
    rString.ReleaseBuffer(nGot < 0 ? 0 : nGot);
    return rString.GetLength();
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    HWND hWnd = m_hWnd;
    for (HWND hNext; (hNext = GetParentOrOwner(hWnd)) != nullptr;) {
        hWnd = hNext;
    }
    return FromHandle(hWnd);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu != nullptr ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    HGDIOBJ hFont = pFont != nullptr ? pFont->m_hObject : nullptr;
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (pDC == nullptr) {
        return 0;
    }
    return ::ReleaseDC(m_hWnd, pDC->m_hDC);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (lpszCaption == nullptr) {
        lpszCaption = AfxGetAppName();
    }
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}
