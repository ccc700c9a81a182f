#include "tools/SearchRunner.h"

#include <cstring>

#include "document/ProgressDlg.h"
#include "inspect/ProcessCatalogue.h"
#include "inspect/ProcessMemoryReader.h"
#include "res/resource.h"
#include "tools/FindToolDlg.h"
#include "tools/FlagText.h"
#include "view/ModuleLabelText.h"

namespace {

// On the worker: one hit into the queue, then the user-interface thread is woken for it.
void QueueHit(SearchContext& context, const SearchHit& hit)
{
    ::EnterCriticalSection(&context.lock);
    context.queue.push_back(hit);
    ::LeaveCriticalSection(&context.lock);
    ::SetEvent(context.hHitQueued);
}

} // namespace

SearchContext::SearchContext()
    : pCatalogue(NULL),
      pRecord(NULL),
      pProgressDlg(NULL),
      pFindTool(NULL),
      text(),
      hHitQueued(::CreateEventA(NULL, FALSE, FALSE, NULL))
{
    ::InitializeCriticalSection(&lock);
}

SearchContext::~SearchContext()
{
    ::DeleteCriticalSection(&lock);
    if (hHitQueued != NULL)
        ::CloseHandle(hHitQueued);
}

// The bar moves by synchronous messages, which the user-interface thread serves while it pumps;
// the engine sends a position only when it changes, about a hundred in all.
UINT SearchThreadProc(LPVOID pParam)
{
    SearchContext* pContext = static_cast<SearchContext*>(pParam);
    const HWND hBar = ::GetDlgItem(pContext->pProgressDlg->GetSafeHwnd(), IDC_PROGRESS_BAR);
    CProcessMemoryReader reader(pContext->pRecord);
    CMemorySearch(pContext->text)
        .Run(reader, [pContext](const SearchHit& hit) { QueueHit(*pContext, hit); },
             [hBar](int32_t position) {
                 ::SendMessageA(hBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
             });
    return 0;
}

CSearchRunner::CSearchRunner(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg,
                             EnableFunction enableMainWindow)
    : m_pMainWnd(pMainWnd),
      m_rpProgressDlg(rpProgressDlg),
      m_enableMainWindow(std::move(enableMainWindow)),
      m_bQuitReceived(false),
      m_nQuitCode(0)
{
}

CSearchRunner::~CSearchRunner()
{
    // The message loop ends on a quit request; one that arrived during the search goes back to it.
    if (m_bQuitReceived)
        ::PostQuitMessage(static_cast<int>(m_nQuitCode));
}

void CSearchRunner::Run(CProcessCatalogue& catalogue, const ProcessRecord* pRecord,
                        CFindToolDlg* pFindTool, const char* text)
{
    if (m_enableMainWindow)
        m_enableMainWindow(FALSE);
    SearchContext context;
    if (ShowProgressWindow(pRecord) && context.hHitQueued != NULL) {
        context.pCatalogue = &catalogue;
        context.pRecord = pRecord;
        context.pProgressDlg = m_rpProgressDlg;
        context.pFindTool = pFindTool;
        std::strncpy(context.text, text, kSearchTextMax);

        CWinThread* pThread = BeginWorker(&context);
        if (pThread != NULL) {
            pThread->m_bAutoDelete = FALSE;
            pThread->ResumeThread();
            pFindTool->DeleteAllResults();
            PumpUntilShown(pThread, context);
            delete pThread;
        }
    }
    DestroyProgressWindow();
    if (m_enableMainWindow)
        m_enableMainWindow(TRUE);
    RepaintMainWindow();
}

BOOL CSearchRunner::ShowProgressWindow(const ProcessRecord* pRecord)
{
    m_rpProgressDlg = new CProgressDlg(NULL);
    if (!CreateProgressWindow(m_rpProgressDlg))
        return FALSE;
    m_rpProgressDlg->ShowWindow(SW_SHOW);
    m_rpProgressDlg->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const bool named = pRecord->moduleCount > 0 && pRecord->moduleNames;
    m_rpProgressDlg->SetText(SearchProgressText(named ? pRecord->moduleNames[0].c_str() : NULL).c_str());
    return TRUE;
}

BOOL CSearchRunner::CreateProgressWindow(CProgressDlg* pProgressDlg)
{
    return pProgressDlg->Create(IDD_PROGRESS, m_pMainWnd);
}

CWinThread* CSearchRunner::BeginWorker(SearchContext* pContext)
{
    return AfxBeginThread(SearchThreadProc, pContext, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
}

// Each pass dispatches at most one waiting message, notes whether the worker still runs and
// moves the queued hits into the list. With nothing to do the thread sleeps until a message
// (the worker's progress updates among them), a queued hit or the worker's end wakes it. The
// worker queued all its hits before it ended, so once it has, the queue is only emptied.
void CSearchRunner::PumpUntilShown(CWinThread* pThread, SearchContext& context)
{
    DWORD exitCode = STILL_ACTIVE;
    for (;;) {
        const bool dispatched = DispatchOneMessage();
        if (exitCode == STILL_ACTIVE && !::GetExitCodeThread(pThread->m_hThread, &exitCode))
            exitCode = 0;
        const bool hitsLeft = ShowQueuedHits(context);
        if (exitCode != STILL_ACTIVE && !hitsLeft)
            break;
        if (exitCode == STILL_ACTIVE && !dispatched && !hitsLeft) {
            HANDLE handles[2] = {pThread->m_hThread, context.hHitQueued};
            ::MsgWaitForMultipleObjectsEx(2, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
}

// Messages go out without the framework's pre-translation: no accelerators during a search.
bool CSearchRunner::DispatchOneMessage()
{
    MSG msg;
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
        return false;
    const BOOL got = ::GetMessageA(&msg, NULL, 0, 0);
    if (got == 0) {
        m_bQuitReceived = true;
        m_nQuitCode = msg.wParam;
    } else if (got > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return true;
}

// Takes every queued hit, oldest first, and appends rows for them until kBatchMs have passed.
// Several rows go in with the list's redraw held, and only the last of them moves the view.
// True when hits are left for the next pass.
bool CSearchRunner::ShowQueuedHits(SearchContext& context)
{
    ::EnterCriticalSection(&context.lock);
    m_pending.insert(m_pending.end(), context.queue.begin(), context.queue.end());
    context.queue.clear();
    ::LeaveCriticalSection(&context.lock);
    if (m_pending.empty())
        return false;

    const bool batch = m_pending.size() > 1;
    if (batch)
        context.pFindTool->HoldResultsRedraw(TRUE);
    const DWORD start = ::GetTickCount();
    bool last = false;
    while (!last) {
        const SearchHit& hit = m_pending.front();
        last = m_pending.size() == 1 || ::GetTickCount() - start >= kBatchMs;
        // The page's attributes as they are now, not as they were when the worker read it.
        const uint32_t flags = context.pCatalogue->QueryPageFlags(context.pRecord, hit.address);
        context.pFindTool->AppendResult(hit, PageFlagText(flags).c_str(), last);
        m_pending.pop_front();
    }
    if (batch)
        context.pFindTool->HoldResultsRedraw(FALSE);
    return !m_pending.empty();
}

void CSearchRunner::DestroyProgressWindow()
{
    CProgressDlg* pProgressDlg = m_rpProgressDlg;
    m_rpProgressDlg = NULL;
    if (pProgressDlg == NULL)
        return;
    if (::IsWindow(pProgressDlg->GetSafeHwnd()))
        pProgressDlg->DestroyWindow();
    delete pProgressDlg;
}

void CSearchRunner::RepaintMainWindow()
{
    if (m_pMainWnd != NULL && ::IsWindow(m_pMainWnd->GetSafeHwnd()))
        m_pMainWnd->InvalidateRect(NULL, TRUE);
}
