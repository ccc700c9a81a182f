#include "document/RetrieveRunner.h"

#include "view/ProgressDlg.h"
#include "document/VexoProcessViewerDoc.h"
#include "inspect/ProcessCatalogue.h"
#include "res/resource.h"

UINT RetrieveThreadProc(LPVOID pParam)
{
    RetrieveJob* pJob = static_cast<RetrieveJob*>(pParam);
    pJob->pDocument->RetrieveMemoryMap(pJob->pProgressDlg);
    return 0;
}

CRetrieveRunner::CRetrieveRunner(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg,
                                 EnableFunction enableMainWindow)
    : m_pMainWnd(pMainWnd),
      m_rpProgressDlg(rpProgressDlg),
      m_enableMainWindow(std::move(enableMainWindow)),
      m_bQuitReceived(false),
      m_nQuitCode(0)
{
}

CRetrieveRunner::~CRetrieveRunner()
{
    // The message loop ends on a quit request; one that arrived during a run goes back to it.
    if (m_bQuitReceived)
        ::PostQuitMessage(static_cast<int>(m_nQuitCode));
}

void CRetrieveRunner::RefreshView(CView* pView)
{
    CVexoProcessViewerDoc* pProcessDocument =
        pView != NULL ? DYNAMIC_DOWNCAST(CVexoProcessViewerDoc, pView->GetDocument()) : NULL;
    if (pProcessDocument == NULL)
        return;

    if (m_enableMainWindow)
        m_enableMainWindow(FALSE);
    pProcessDocument->m_bRetrievePending = TRUE;
    RunDocument(pProcessDocument);
    if (m_enableMainWindow)
        m_enableMainWindow(TRUE);
    RepaintMainWindow();
}

void CRetrieveRunner::RetrievePendingDocuments(CWinApp* pApp)
{
    if (m_enableMainWindow)
        m_enableMainWindow(FALSE);
    POSITION templatePos = pApp != NULL ? pApp->GetFirstDocTemplatePosition() : NULL;
    while (templatePos != NULL) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(templatePos);
        POSITION docPos = pTemplate->GetFirstDocPosition();
        while (docPos != NULL) {
            if (CVexoProcessViewerDoc* pDocument =
                    DYNAMIC_DOWNCAST(CVexoProcessViewerDoc, pTemplate->GetNextDoc(docPos)))
                RunDocument(pDocument);
        }
    }
    if (m_enableMainWindow)
        m_enableMainWindow(TRUE);
    RepaintMainWindow();
}

BOOL CRetrieveRunner::RunDocument(CVexoProcessViewerDoc* pDocument)
{
    m_rpProgressDlg = new CProgressDlg(NULL);
    if (!CreateProgressWindow(m_rpProgressDlg)) {
        DestroyProgressWindow();
        return FALSE;
    }
    m_rpProgressDlg->ShowWindow(SW_SHOW);
    m_rpProgressDlg->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    // The labels go before the worker can reach the composition, which makes new ones.
    pDocument->ReleaseModuleLabels();

    RetrieveJob job = {pDocument, m_rpProgressDlg};
    CWinThread* pThread = BeginWorker(&job);
    if (pThread == NULL) {
        DestroyProgressWindow();
        return FALSE;
    }
    pThread->m_bAutoDelete = FALSE;
    pDocument->SetRetrieving(TRUE);
    if (!ResumeWorker(pThread)) {
        // The worker never ran and never will: nothing resumes it once its object is gone (and
        // ending a thread from outside is never safe). The document stays pending, as when no
        // worker could be made.
        pDocument->SetRetrieving(FALSE);
        delete pThread;
        DestroyProgressWindow();
        return FALSE;
    }
    WPARAM quitCode = 0;
    if (PumpUntilEnded(pThread, &quitCode)) {
        m_bQuitReceived = true;
        m_nQuitCode = quitCode;
    }
    pDocument->SetRetrieving(FALSE);
    delete pThread;
    DestroyProgressWindow();

    if (pDocument->m_pCatalogue != NULL)
        pDocument->SetTitle(DocumentTitle(pDocument));
    return TRUE;
}

CString CRetrieveRunner::DocumentTitle(CVexoProcessViewerDoc* pDocument)
{
    const ProcessRecord* pRecord =
        pDocument->m_pCatalogue != NULL ? pDocument->m_pCatalogue->FindProcess(pDocument->m_dwProcessId)
                                        : NULL;
    if (pRecord != NULL && pRecord->moduleCount > 0 && pRecord->moduleNames &&
        !pRecord->moduleNames[0].empty())
        return CString(pRecord->moduleNames[0].c_str());
    return CString("Module name unavailable");
}

BOOL CRetrieveRunner::CreateProgressWindow(CProgressDlg* pProgressDlg)
{
    return pProgressDlg->Create(IDD_PROGRESS, m_pMainWnd);
}

CWinThread* CRetrieveRunner::BeginWorker(RetrieveJob* pJob)
{
    return AfxBeginThread(RetrieveThreadProc, pJob, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
}

bool CRetrieveRunner::ResumeWorker(CWinThread* pThread)
{
    return pThread->ResumeThread() != static_cast<DWORD>(-1);
}

// When nothing waits, the thread sleeps until a message arrives or the worker ends instead of
// asking again at once: the order of what is dispatched is the same, and the worker keeps the
// processor (see scripts/bench-retrieval.sh for what polling without pause costs).
bool CRetrieveRunner::PumpUntilEnded(CWinThread* pThread, WPARAM* pnQuitCode)
{
    return PumpUntilEnded(pThread->m_hThread, pnQuitCode);
}

bool CRetrieveRunner::PumpUntilEnded(HANDLE hThread, WPARAM* pnQuitCode)
{
    bool quit = false;
    do {
        MSG msg;
        if (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            const BOOL got = ::GetMessage(&msg, NULL, 0, 0);
            if (got == 0) {
                quit = true;
                if (pnQuitCode != NULL)
                    *pnQuitCode = msg.wParam;
            } else if (got > 0) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        } else {
            ::MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_ALLINPUT);
        }
    } while (!HasEnded(hThread));
    return quit;
}

// The exit code tells; when it cannot be read, the handle does: it is signalled once the thread
// has ended. Only a handle that cannot be waited on either counts as ended, since nothing could
// ever tell otherwise.
bool CRetrieveRunner::HasEnded(HANDLE hThread)
{
    DWORD exitCode = STILL_ACTIVE;
    if (::GetExitCodeThread(hThread, &exitCode))
        return exitCode != STILL_ACTIVE;
    return ::WaitForSingleObject(hThread, 0) != WAIT_TIMEOUT;
}

void CRetrieveRunner::DestroyProgressWindow()
{
    CProgressDlg* pProgressDlg = m_rpProgressDlg;
    m_rpProgressDlg = NULL;
    if (pProgressDlg == NULL)
        return;
    if (::IsWindow(pProgressDlg->GetSafeHwnd()))
        pProgressDlg->DestroyWindow();
    delete pProgressDlg;
}

void CRetrieveRunner::RepaintMainWindow()
{
    if (m_pMainWnd != NULL && ::IsWindow(m_pMainWnd->GetSafeHwnd()))
        m_pMainWnd->InvalidateRect(NULL, TRUE);
}
