#pragma once
// The frame of a run on a worker thread behind the progress window, shared by the retrieval
// runner and the memory text search.

#include <functional>

#include "framework/Afx.h"

class CProgressDlg;

// What every background run does around its worker: it disables the windows that could start
// other work and enables them again, keeps the application's record of the progress window,
// resumes the worker, tells when the worker has ended, and hands a quit request met while
// pumping back to the message loop when the run is over.
class CBackgroundRun
{
public:
    using EnableFunction = std::function<void(BOOL bEnable)>;

    // pMainWnd: parent of the progress window, repainted after each run (may be NULL).
    // rpProgressDlg: the application's record of the progress window under way.
    // enableMainWindow: disables (FALSE) and enables (TRUE) the windows that could start work.
    CBackgroundRun(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg, EnableFunction enableMainWindow);
    // Posts a quit request taken from the queue during the run again, for the message loop.
    virtual ~CBackgroundRun();

    CBackgroundRun(const CBackgroundRun&) = delete;
    CBackgroundRun& operator=(const CBackgroundRun&) = delete;

    // Whether the thread has ended: its exit code is no longer STILL_ACTIVE or, when the exit
    // code cannot be read, its handle is signalled.
    static bool HasEnded(HANDLE hThread);

protected:
    // Creates the progress window modeless with the main window as its parent.
    virtual BOOL CreateProgressWindow(CProgressDlg* pProgressDlg);
    // Lets the suspended worker run; false when it cannot be resumed.
    virtual bool ResumeWorker(CWinThread* pThread);

    // Calls the function given at construction, if any.
    void EnableMainWindow(BOOL bEnable);
    // Makes the progress window, records it, shows it and puts it on top. FALSE when it cannot
    // be made; nothing is left behind then.
    BOOL ShowProgressWindow();
    // Destroys and deletes the progress window and clears the application's record of it.
    void DestroyProgressWindow();
    // Invalidates the whole main window, so that it repaints with its background erased.
    void RepaintMainWindow();
    // Keeps a quit request taken from the queue while pumping, for the destructor.
    void HoldQuit(WPARAM nQuitCode);

    CWnd* m_pMainWnd;
    CProgressDlg*& m_rpProgressDlg;

private:
    EnableFunction m_enableMainWindow;
    bool m_bQuitReceived;
    WPARAM m_nQuitCode;
};
