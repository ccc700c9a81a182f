#pragma once
#include "framework/Afx.h"
#include "view/BackgroundRun.h"

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
class CRetrieveRunner : public CBackgroundRun
{
public:
    // As CBackgroundRun.
    CRetrieveRunner(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg, EnableFunction enableMainWindow);

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

protected:
    // Starts the worker thread suspended; NULL when it cannot be started.
    virtual CWinThread* BeginWorker(RetrieveJob* pJob);
};
