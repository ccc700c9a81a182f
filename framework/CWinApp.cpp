#include "framework/CWinApp.h"

#include "framework/AfxRes.h"
#include "framework/AfxThreadState.h"
#include "framework/CWnd.h"


IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(NULL), m_hInstance(NULL), m_hPrevInstance(NULL), m_lpCmdLine(NULL),
      m_nCmdShow(SW_SHOWNORMAL), m_pszExeName(NULL), m_pDocManager(NULL), m_hDevMode(NULL),
      m_hDevNames(NULL), m_pszRegistryKey(NULL), m_pszProfileName(NULL),
      m_pRecentFileList(NULL)
{
    if (lpszAppName != NULL) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    AfxSetApp(this);
    // The application object is the framework thread object of the main thread.
    m_nThreadID = ::GetCurrentThreadId();
    AfxSetThread(this);
}

CWinApp::~CWinApp()
{
    ReleaseDocManagerAndProfile();
    // The main thread's handle is a pseudo handle that needs no closing.
    m_hThread = NULL;
    if (AfxGetApp() == this)
        AfxSetApp(NULL);
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return (int)m_msgCur.wParam;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    HWND hWndOwner = NULL;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL)
        hWndOwner = ::GetLastActivePopup(pMainWnd->m_hWnd);
    return ::MessageBoxA(hWndOwner, lpszPrompt, m_pszAppName, nType);
}
