#include "framework/CWinThread.h"

#include "framework/AfxGlobals.h"
#include "framework/AfxThreadState.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

thread_local CWinThread* t_pThread = nullptr;

const UINT WM_SYSTIMER = 0x0118; // caret blink: not a reason to run idle processing

// The top-level window above hWnd through parents and owners.
HWND TopLevelOf(HWND hWnd)
{
    for (;;) {
        HWND hNext = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd)
                                                                    : ::GetWindow(hWnd, GW_OWNER);
        if (hNext == nullptr) {
            return hWnd;
        }
        hWnd = hNext;
    }
}

} // namespace

void AfxSetThread(CWinThread* pThread)
{
    t_pThread = pThread;
}

CWinThread* AfxGetThread()
{
    return t_pThread;
}

void CWinThread::CommonConstruct()
{
    m_hThread = nullptr;
    m_nThreadID = 0;
    m_bAutoDelete = TRUE;
    m_pMainWnd = nullptr;
    m_pActiveWnd = nullptr;
    m_msgCur = MSG();
    m_ptCursorLast.x = m_ptCursorLast.y = -1;
    m_nMsgLast = 0;
}

CWinThread::CWinThread() : m_pfnThreadProc(nullptr), m_pThreadParams(nullptr)
{
    CommonConstruct();
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc),
      m_pThreadParams(pParam)
{
    CommonConstruct();
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr) {
        ::CloseHandle(m_hThread);
    }
    if (t_pThread == this) {
        t_pThread = nullptr;
    }
}

unsigned __stdcall CWinThread::ThreadEntry(void* pParam)
{
    CWinThread* pThread = static_cast<CWinThread*>(pParam);
    t_pThread = pThread;
    UINT nResult;
    try {
        if (pThread->m_pfnThreadProc != nullptr) {
            nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        } else if (pThread->InitInstance()) {
            nResult = (UINT)pThread->Run();
        } else {
            nResult = (UINT)pThread->ExitInstance();
        }
    } catch (...) {
        ::OutputDebugStringA("framework: exception ended a worker thread\n");
        nResult = (UINT)-1;
    }
    AfxDeleteTempMaps();
    AfxFreeThreadState();
    t_pThread = nullptr;
    pThread->Delete();
    return nResult;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    // Always start suspended: m_hThread must be set before the thread can end and delete
    // this object.
    unsigned nThreadID = 0;
    uintptr_t h = _beginthreadex(
        lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this,
        (dwCreateFlags | CREATE_SUSPENDED) & ~STACK_SIZE_PARAM_IS_A_RESERVATION, &nThreadID);
    if (h == 0) {
        return FALSE;
    }
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = nThreadID;
    if (!(dwCreateFlags & CREATE_SUSPENDED)) {
        ::ResumeThread(m_hThread);
    }
    return TRUE;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pfnThreadProc == nullptr) {
        return nullptr;
    }
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) {
        pThread->ResumeThread();
    }
    return pThread;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete) {
        delete this;
    }
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != nullptr) {
        return m_pActiveWnd;
    }
    if (m_pMainWnd != nullptr) {
        return m_pMainWnd;
    }
    // Worker threads share the application's main window.
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && static_cast<CWinThread*>(pApp) != this) {
        return pApp->m_pMainWnd;
    }
    return nullptr;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++)) {
                bIdle = FALSE;
            }
        }
        do {
            if (!PumpMessage()) {
                return ExitInstance();
            }
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (::GetMessageA(&m_msgCur, nullptr, 0, 0) <= 0) {
        return FALSE;
    }
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // A pointer that did not move, painting and the caret blink do not start idle work.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y &&
            pMsg->message == m_nMsgLast) {
            return FALSE;
        }
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != WM_SYSTIMER;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
    } else {
        AfxDeleteTempMaps();
    }
    return lCount < 1;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndMain = pMainWnd->GetSafeHwnd();
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg)) {
        return TRUE;
    }
    // A window outside the main window (a modeless dialog of its own) still gets the main
    // window's accelerators.
    if (hWndMain != nullptr && pMsg->hwnd != nullptr && TopLevelOf(pMsg->hwnd) != hWndMain) {
        return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}
