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
    : m_pszAppName(nullptr),
      m_hInstance(nullptr),
      m_hPrevInstance(nullptr),
      m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pszExeName(nullptr),
      m_pDocManager(nullptr),
      m_hDevMode(nullptr),
      m_hDevNames(nullptr),
      m_pszRegistryKey(nullptr),
      m_pszProfileName(nullptr),
      m_pRecentFileList(nullptr)
{
    if (lpszAppName != nullptr) {
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
    m_hThread = nullptr;
    if (AfxGetApp() == this) {
        AfxSetApp(nullptr);
    }
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
    HWND hWndOwner = nullptr;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr) {
        hWndOwner = ::GetLastActivePopup(pMainWnd->m_hWnd);
    }
    return ::MessageBoxA(hWndOwner, lpszPrompt, m_pszAppName, nType);
}
