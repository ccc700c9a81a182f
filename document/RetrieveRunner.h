#pragma once
#include <functional>

#include "framework/Afx.h"

class CProgressDlg;
class CVexoProcessViewerDoc;

// What the retrieval worker gets: the document to retrieve and the progress window of the run.
// Neither is owned. The record lives in the runner's frame, which outlives the worker.
struct RetrieveJob
{
    CVexoProcessViewerDoc* pDocument;
    CProgressDlg* pProgressDlg;
};

// Worker entry point: pParam is a RetrieveJob. Runs the document's RetrieveMemoryMap; returns 0.
UINT RetrieveThreadProc(LPVOID pParam);

// Runs document retrievals on a worker thread behind a progress window while the user-interface
// thread keeps dispatching messages. The application object makes one per command:
//
//     CRetrieveRunner runner(m_pMainWnd, m_pProgressDlg,
//                            [this](BOOL bEnable) { EnableMainWindow(bEnable); });
//     runner.RefreshView(pView);            // or runner.RetrievePendingDocuments(this);
//
// Whatever happens (no worker, no progress window), the windows disabled at the start are
// enabled again and nothing is left behind.
class CRetrieveRunner
{
public:
    using EnableFunction = std::function<void(BOOL bEnable)>;

    // pMainWnd: parent of the progress window, repainted after each run (may be NULL).
    // rpProgressDlg: the application's record of the progress window under way.
    // enableMainWindow: disables (FALSE) and enables (TRUE) the windows that could start work.
    CRetrieveRunner(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg, EnableFunction enableMainWindow);
    virtual ~CRetrieveRunner();

    // The Refresh command: retrieves the view's document again. Nothing happens without one.
    void RefreshView(CView* pView);
    // After a process was chosen: runs every open document of every template; only those
    // marked pending do any work.
    void RetrievePendingDocuments(CWinApp* pApp);
    // One document, with the windows already disabled: progress window, labels released,
    // worker, pump, then the title. FALSE when the progress window or the worker could not be
    // made (the document is then left pending and untitled).
    BOOL RunDocument(CVexoProcessViewerDoc* pDocument);

    // The title a document gets after a run: module 0's path, or "Module name unavailable".
    static CString DocumentTitle(CVexoProcessViewerDoc* pDocument);

    // Keeps the user-interface thread dispatching, one waiting message at a time and without
    // the framework's pre-translation, until pThread has ended; the worker's synchronous
    // messages are served meanwhile. Returns true when a quit request was taken from the queue
    // (its exit code in *pnQuitCode): the caller hands it back to the main loop afterwards.
    // Any worker run behind the progress window (the text search too) can be waited for so.
    static bool PumpUntilEnded(CWinThread* pThread, WPARAM* pnQuitCode);
    // The same for a thread known by its handle alone.
    static bool PumpUntilEnded(HANDLE hThread, WPARAM* pnQuitCode);
    // Whether the thread has ended: its exit code is no longer STILL_ACTIVE or, when the exit
    // code cannot be read, its handle is signalled.
    static bool HasEnded(HANDLE hThread);

protected:
    // Creates the progress window modeless with the main window as its parent.
    virtual BOOL CreateProgressWindow(CProgressDlg* pProgressDlg);
    // Starts the worker thread suspended; NULL when it cannot be started.
    virtual CWinThread* BeginWorker(RetrieveJob* pJob);
    // Lets the suspended worker run; false when it cannot be resumed.
    virtual bool ResumeWorker(CWinThread* pThread);

private:
    void RepaintMainWindow();
    void DestroyProgressWindow();

    CWnd* m_pMainWnd;
    CProgressDlg*& m_rpProgressDlg;
    EnableFunction m_enableMainWindow;
    // A quit request met while pumping, handed back to the main loop after the run.
    bool m_bQuitReceived;
    WPARAM m_nQuitCode;
};
