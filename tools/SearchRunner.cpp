#include "tools/SearchRunner.h"

#include <cstring>

#include "common/ModuleLabelText.h"
#include "inspect/ProcessCatalogue.h"
#include "inspect/ProcessMemoryReader.h"
#include "res/resource.h"
#include "tools/FindToolDlg.h"
#include "tools/FlagText.h"
#include "view/ProgressDlg.h"

namespace {

// On the worker: one hit into the queue, then the user-interface thread is woken for it.
void QueueHit(SearchContext& context, const SearchHit& hit)
{
    ::EnterCriticalSection(&context.lock);
    context.queue.push_back(hit);
    ::LeaveCriticalSection(&context.lock);
    ::SetEvent(context.hWorkQueued);
}

// On the worker: a new progress position for the bar.
void QueuePosition(SearchContext& context, int32_t position)
{
    ::EnterCriticalSection(&context.lock);
    context.positions.push_back(position);
    ::LeaveCriticalSection(&context.lock);
    ::SetEvent(context.hWorkQueued);
}

} // namespace

SearchContext::SearchContext()
    : pCatalogue(nullptr),
      pRecord(nullptr),
      pProgressDlg(nullptr),
      pFindTool(nullptr),
      text(),
      hWorkQueued(::CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
    ::InitializeCriticalSection(&lock);
}

SearchContext::~SearchContext()
{
    ::DeleteCriticalSection(&lock);
    if (hWorkQueued != nullptr) {
        ::CloseHandle(hWorkQueued);
    }
}

// The worker touches no window: hits and progress positions (one per change, a hundred in
// all) go to the context, and the user-interface thread shows them. A bar position set from
// here would wait for the bar to repaint, which under emulation costs tens of milliseconds.
UINT SearchThreadProc(LPVOID pParam)
{
    SearchContext* pContext = static_cast<SearchContext*>(pParam);
    CProcessMemoryReader reader(pContext->pRecord);
    CMemorySearch(pContext->text)
        .Run(
            reader, [pContext](const SearchHit& hit) { QueueHit(*pContext, hit); },
            [pContext](int32_t position) { QueuePosition(*pContext, position); });
    return 0;
}

CSearchRunner::CSearchRunner(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg,
                             EnableFunction enableMainWindow)
    : CBackgroundRun(pMainWnd, rpProgressDlg, std::move(enableMainWindow)),
      m_bResultsHeld(false)
{
}

void CSearchRunner::Run(CProcessCatalogue& catalogue, const ProcessRecord* pRecord,
                        CFindToolDlg* pFindTool, const char* text)
{
    EnableMainWindow(FALSE);
    SearchContext context;
    if (ShowSearchProgressWindow(pRecord) && context.hWorkQueued != nullptr) {
        context.pCatalogue = &catalogue;
        context.pRecord = pRecord;
        context.pProgressDlg = m_rpProgressDlg;
        context.pFindTool = pFindTool;
        std::strncpy(context.text, text, kSearchTextMax);

        CWinThread* pThread = BeginWorker(&context);
        if (pThread != nullptr) {
            pThread->m_bAutoDelete = FALSE;
            // A worker that cannot be resumed never runs: the search then ends at once.
            if (ResumeWorker(pThread)) {
                pFindTool->DeleteAllResults();
                PumpUntilShown(pThread, context);
            }
            delete pThread;
        }
    }
    DestroyProgressWindow();
    EnableMainWindow(TRUE);
    RepaintMainWindow();
}

BOOL CSearchRunner::ShowSearchProgressWindow(const ProcessRecord* pRecord)
{
    if (!ShowProgressWindow()) {
        return FALSE;
    }
    const bool named = pRecord->moduleCount > 0 && pRecord->moduleNames;
    m_rpProgressDlg->SetText(
        SearchProgressText(named ? pRecord->moduleNames[0].c_str() : nullptr).c_str());
    return TRUE;
}

CWinThread* CSearchRunner::BeginWorker(SearchContext* pContext)
{
    return AfxBeginThread(SearchThreadProc, pContext, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
}

// Each pass dispatches at most one waiting message, notes whether the worker still runs, moves
// the bar to the positions the worker reached and appends rows for its hits. With nothing to do
// the thread sleeps until a message, the worker's news or its end wakes it. The worker queued
// everything before it ended, so once it has, the queue is only emptied.
void CSearchRunner::PumpUntilShown(CWinThread* pThread, SearchContext& context)
{
    bool ended = false;
    for (;;) {
        const DWORD passStart = ::GetTickCount();
        const bool dispatched = DispatchOneMessage();
        ended = ended || HasEnded(pThread->m_hThread);
        const bool moved = ShowProgress(context);
        const bool hitsLeft = ShowQueuedHits(context, passStart);
        if (ended && !hitsLeft) {
            break;
        }
        if (!ended && !dispatched && !moved && !hitsLeft) {
            HANDLE handles[2] = {pThread->m_hThread, context.hWorkQueued};
            ::MsgWaitForMultipleObjectsEx(2, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
}

// Messages go out without the framework's pre-translation: no accelerators during a search.
bool CSearchRunner::DispatchOneMessage()
{
    MSG msg;
    if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        return false;
    }
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
        HoldQuit(msg.wParam);
    } else if (got > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return true;
}

// Gives the bar every position the worker reached, in order, each once. The bar repaints once
// afterwards, as a paint message, however many positions it got. True when it moved.
bool CSearchRunner::ShowProgress(SearchContext& context)
{
    std::vector<int32_t> positions;
    ::EnterCriticalSection(&context.lock);
    positions.swap(context.positions);
    ::LeaveCriticalSection(&context.lock);
    if (positions.empty()) {
        return false;
    }

    const HWND hBar = ::GetDlgItem(context.pProgressDlg->GetSafeHwnd(), IDC_PROGRESS_BAR);
    ::SendMessageA(hBar, WM_SETREDRAW, FALSE, 0);
    for (int32_t position : positions) {
        ::SendMessageA(hBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    ::SendMessageA(hBar, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hBar, nullptr, TRUE);
    return true;
}

// Takes the queued hits, oldest first, and appends rows for them until kRowSliceMs have passed
// since passStart, at least one; hits left over go in at the next pass. While several wait, the
// list's redraw stays held until all of them are in, and only the row of the last one moves the
// view. That row costs most, so it is the first of a pass. True when hits are left.
bool CSearchRunner::ShowQueuedHits(SearchContext& context, DWORD passStart)
{
    ::EnterCriticalSection(&context.lock);
    m_pending.insert(m_pending.end(), context.queue.begin(), context.queue.end());
    context.queue.clear();
    ::LeaveCriticalSection(&context.lock);
    if (m_pending.empty()) {
        return false;
    }

    if (m_pending.size() > 1 && !m_bResultsHeld) {
        context.pFindTool->HoldResultsRedraw(TRUE);
        m_bResultsHeld = true;
    }
    for (bool first = true; !m_pending.empty(); first = false) {
        const bool follow = m_pending.size() == 1;
        if (!first && (follow || ::GetTickCount() - passStart >= kRowSliceMs)) {
            break;
        }
        const SearchHit& hit = m_pending.front();
        // The page's attributes as they are now, not as they were when the worker read it.
        const uint32_t flags = context.pCatalogue->QueryPageFlags(context.pRecord, hit.address);
        context.pFindTool->AppendResult(hit, PageFlagText(flags).c_str(), follow);
        m_pending.pop_front();
    }
    if (m_pending.empty() && m_bResultsHeld) {
        context.pFindTool->HoldResultsRedraw(FALSE);
        m_bResultsHeld = false;
    }
    return !m_pending.empty();
}
