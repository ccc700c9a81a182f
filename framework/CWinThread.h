// A thread of the framework: either a worker running one function, or (as the base of
// CWinApp) a user-interface thread with a message loop and idle processing.
#pragma once

#include "framework/CCmdTarget.h"

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override; // closes m_hThread

    HANDLE m_hThread;
    DWORD m_nThreadID;
    // When TRUE (the default) the object deletes itself as its thread ends, and m_hThread
    // must not be used after that; set it FALSE before the thread runs to keep the object.
    BOOL m_bAutoDelete;
    CWnd* m_pMainWnd;
    CWnd* m_pActiveWnd;
    MSG m_msgCur;
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;

    // Starts the thread; dwCreateFlags may hold CREATE_SUSPENDED.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
    }

    virtual BOOL InitInstance();
    // The message loop: pre-translation, dispatch and idle processing until WM_QUIT;
    // returns ExitInstance().
    virtual int Run();
    // Walks the message's window and its parents up to the main window, then offers the
    // message to the main window when it went to a window outside it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // Idle pass lCount (0, 1, ...) after the queue ran empty: 0 updates the command user
    // interface of the main window, later passes free the temporary objects. FALSE stops.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd();
    // Deletes the object if m_bAutoDelete.
    virtual void Delete();

protected:
    POINT m_ptCursorLast;
    UINT m_nMsgLast;

private:
    static unsigned __stdcall ThreadEntry(void* pParam);
    void CommonConstruct();
    friend void AfxSetThread(CWinThread* pThread);
};

// Starts pfnThreadProc(pParam) on a new thread; NULL on failure. With CREATE_SUSPENDED in
// dwCreateFlags the thread waits for ResumeThread.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// Makes pThread the framework thread object of the calling thread.
void AfxSetThread(CWinThread* pThread);
