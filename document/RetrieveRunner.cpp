#include "document/RetrieveRunner.h"

#include "document/VexoProcessViewerDoc.h"
#include "inspect/ProcessCatalogue.h"
#include "res/resource.h"
#include "view/ProgressDlg.h"

UINT RetrieveThreadProc(LPVOID pParam)
{
    RetrieveJob* pJob = static_cast<RetrieveJob*>(pParam);
    pJob->pDocument->RetrieveMemoryMap(pJob->pProgressDlg);
    return 0;
}

CRetrieveRunner::CRetrieveRunner(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg,
                                 EnableFunction enableMainWindow)
    : CBackgroundRun(pMainWnd, rpProgressDlg, std::move(enableMainWindow))
{
}

void CRetrieveRunner::RefreshView(CView* pView)
{
    CVexoProcessViewerDoc* pProcessDocument =
        pView != nullptr ? DYNAMIC_DOWNCAST(CVexoProcessViewerDoc, pView->GetDocument()) : nullptr;
    if (pProcessDocument == nullptr) {
        return;
    }

    EnableMainWindow(FALSE);
    pProcessDocument->m_bRetrievePending = TRUE;
    RunDocument(pProcessDocument);
    EnableMainWindow(TRUE);
    RepaintMainWindow();
}

void CRetrieveRunner::RetrievePendingDocuments(CWinApp* pApp)
{
    EnableMainWindow(FALSE);
    POSITION templatePos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr;
    while (templatePos != nullptr) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(templatePos);
        POSITION docPos = pTemplate->GetFirstDocPosition();
        while (docPos != nullptr) {
            if (CVexoProcessViewerDoc* pDocument =
                    DYNAMIC_DOWNCAST(CVexoProcessViewerDoc, pTemplate->GetNextDoc(docPos))) {
                RunDocument(pDocument);
            }
        }
    }
    EnableMainWindow(TRUE);
    RepaintMainWindow();
}

BOOL CRetrieveRunner::RunDocument(CVexoProcessViewerDoc* pDocument)
{
    if (!ShowProgressWindow()) {
        return FALSE;
    }

    // The labels go before the worker can reach the composition, which makes new ones.
    pDocument->ReleaseModuleLabels();

    RetrieveJob job = {pDocument, m_rpProgressDlg};
    CWinThread* pThread = BeginWorker(&job);
    if (pThread == nullptr) {
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
        HoldQuit(quitCode);
    }
    pDocument->SetRetrieving(FALSE);
    delete pThread;
    DestroyProgressWindow();

    if (pDocument->m_pCatalogue != nullptr) {
        pDocument->SetTitle(DocumentTitle(pDocument));
    }
    return TRUE;
}

CString CRetrieveRunner::DocumentTitle(CVexoProcessViewerDoc* pDocument)
{
    const ProcessRecord* pRecord =
        pDocument->m_pCatalogue != nullptr
            ? pDocument->m_pCatalogue->FindProcess(pDocument->m_dwProcessId)
            : nullptr;
    if (pRecord != nullptr && pRecord->moduleCount > 0 && pRecord->moduleNames &&
        !pRecord->moduleNames[0].empty()) {
        return CString(pRecord->moduleNames[0].c_str());
    }
    return CString("Module name unavailable");
}

CWinThread* CRetrieveRunner::BeginWorker(RetrieveJob* pJob)
{
    return AfxBeginThread(RetrieveThreadProc, pJob, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
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
        if (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            const BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
            if (got == 0) {
                quit = true;
                if (pnQuitCode != nullptr) {
                    *pnQuitCode = msg.wParam;
                }
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
