#include "view/BackgroundRun.h"

#include "res/resource.h"
#include "view/ProgressDlg.h"

CBackgroundRun::CBackgroundRun(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg,
                               EnableFunction enableMainWindow)
    : m_pMainWnd(pMainWnd),
      m_rpProgressDlg(rpProgressDlg),
      m_enableMainWindow(std::move(enableMainWindow)),
      m_bQuitReceived(false),
      m_nQuitCode(0)
{
}

CBackgroundRun::~CBackgroundRun()
{
    // The message loop ends on a quit request; one that arrived during a run goes back to it.
    if (m_bQuitReceived) {
        ::PostQuitMessage(static_cast<int>(m_nQuitCode));
    }
}

// The exit code tells; when it cannot be read, the handle does: it is signalled once the thread
// has ended. Only a handle that cannot be waited on either counts as ended, since nothing could
// ever tell otherwise.
bool CBackgroundRun::HasEnded(HANDLE hThread)
{
    DWORD exitCode = STILL_ACTIVE;
    if (::GetExitCodeThread(hThread, &exitCode)) {
        return exitCode != STILL_ACTIVE;
    }
    return ::WaitForSingleObject(hThread, 0) != WAIT_TIMEOUT;
}

BOOL CBackgroundRun::CreateProgressWindow(CProgressDlg* pProgressDlg)
{
    return pProgressDlg->Create(IDD_PROGRESS, m_pMainWnd);
}

bool CBackgroundRun::ResumeWorker(CWinThread* pThread)
{
    return pThread->ResumeThread() != static_cast<DWORD>(-1);
}

void CBackgroundRun::EnableMainWindow(BOOL bEnable)
{
    if (m_enableMainWindow) {
        m_enableMainWindow(bEnable);
    }
}

BOOL CBackgroundRun::ShowProgressWindow()
{
    m_rpProgressDlg = new CProgressDlg(nullptr);
    if (!CreateProgressWindow(m_rpProgressDlg)) {
        DestroyProgressWindow();
        return FALSE;
    }
    m_rpProgressDlg->ShowWindow(SW_SHOW);
    m_rpProgressDlg->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}

void CBackgroundRun::DestroyProgressWindow()
{
    CProgressDlg* pProgressDlg = m_rpProgressDlg;
    m_rpProgressDlg = nullptr;
    if (pProgressDlg == nullptr) {
        return;
    }
    if (::IsWindow(pProgressDlg->GetSafeHwnd())) {
        pProgressDlg->DestroyWindow();
    }
    delete pProgressDlg;
}

void CBackgroundRun::RepaintMainWindow()
{
    if (m_pMainWnd != nullptr && ::IsWindow(m_pMainWnd->GetSafeHwnd())) {
        m_pMainWnd->InvalidateRect(nullptr, TRUE);
    }
}

void CBackgroundRun::HoldQuit(WPARAM nQuitCode)
{
    m_bQuitReceived = true;
    m_nQuitCode = nQuitCode;
}
