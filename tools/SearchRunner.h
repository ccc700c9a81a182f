#pragma once
// The run of one memory text search: the windows that could start other work disabled, the
// progress window, the worker thread, and the user-interface thread dispatching messages and
// moving the worker's hits and progress into the Find Tool window and the bar until the worker
// has ended and every hit is listed.

#include <deque>
#include <vector>

#include "framework/Afx.h"
#include "tools/MemorySearch.h"
#include "view/BackgroundRun.h"

class CFindToolDlg;
class CProcessCatalogue;
class CProgressDlg;
struct ProcessRecord;

// What the search shares with its worker for the span of one run. The worker reads the record
// and the text, and adds the hits it finds to the queue and the progress positions it reaches
// to the position list; the user-interface thread takes both from there into its windows. Only
// these two change, and only under the lock.
struct SearchContext
{
    SearchContext();
    ~SearchContext();
    SearchContext(const SearchContext&) = delete;
    SearchContext& operator=(const SearchContext&) = delete;

    CProcessCatalogue* pCatalogue;
    const ProcessRecord* pRecord;
    CProgressDlg* pProgressDlg;
    CFindToolDlg* pFindTool;
    char text[kSearchContextSize];  // at most kSearchTextMax characters, terminated
    CRITICAL_SECTION lock;          // guards the queue and the positions
    std::deque<SearchHit> queue;    // oldest first
    std::vector<int32_t> positions; // reached by the worker and not yet on the bar, in order
    HANDLE hWorkQueued;             // set by the worker after each hit or position it adds
};

// Worker entry point: pParam is a SearchContext. Searches the record's process and returns 0.
UINT SearchThreadProc(LPVOID pParam);

// The application object makes one per search:
//
//     CSearchRunner runner(m_pMainWnd, m_pProgressDlg,
//                          [this](BOOL bEnable) { EnableMainWindow(bEnable); });
//     runner.Run(catalogue, pRecord, &pFrame->m_wndFindTool, text);
class CSearchRunner : public CBackgroundRun
{
public:
    // As CBackgroundRun.
    CSearchRunner(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg, EnableFunction enableMainWindow);

    // Searches the record's process for text (its first kSearchTextMax characters) and lists
    // every hit in pFindTool, in address order; returns when the search has ended.
    void Run(CProcessCatalogue& catalogue, const ProcessRecord* pRecord, CFindToolDlg* pFindTool,
             const char* text);

    // The longest a pass of the user-interface thread goes on appending rows before it looks at
    // its messages again.
    static const DWORD kRowSliceMs = 25;

protected:
    // Starts the worker thread suspended; NULL when it cannot be started.
    virtual CWinThread* BeginWorker(SearchContext* pContext);

private:
    BOOL ShowSearchProgressWindow(const ProcessRecord* pRecord);
    void PumpUntilShown(CWinThread* pThread, SearchContext& context);
    bool DispatchOneMessage();
    bool ShowProgress(SearchContext& context);
    bool ShowQueuedHits(SearchContext& context, DWORD passStart);

    // Hits taken from the queue and not yet in the list, oldest first.
    std::deque<SearchHit> m_pending;
    // The result list's redraw is held until the hits waiting are all in.
    bool m_bResultsHeld;
};
