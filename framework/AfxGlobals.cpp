#include "framework/AfxGlobals.h"

#include "framework/CWinApp.h"
#include "framework/AfxRes.h"
#include "framework/CWnd.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {
CWinApp* g_pApp = NULL;
}

void AfxSetApp(CWinApp* pApp)
{
    g_pApp = pApp;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->GetMainWnd();
    return g_pApp != NULL ? g_pApp->m_pMainWnd : NULL;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_pApp != NULL && g_pApp->m_hInstance != NULL)
        return g_pApp->m_hInstance;
    return ::GetModuleHandleA(NULL);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

LPCSTR AfxGetAppName()
{
    return g_pApp != NULL ? g_pApp->m_pszAppName : NULL;
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (g_pApp != NULL)
        return g_pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(NULL, lpszText, NULL, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

// Defined here rather than with the rest of CWinApp so that WinMain, which the library always
// links, does not pull in the application class for programs that have none.
void CWinApp::SetCurrentHandles()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(m_hInstance, path, MAX_PATH);
    const char* pszName = strrchr(path, '\\');
    pszName = pszName != NULL ? pszName + 1 : path;
    m_strExeName = pszName;
    int nDot = m_strExeName.ReverseFind('.');
    if (nDot >= 0)
        m_strExeName = m_strExeName.Left(nDot);
    m_pszExeName = m_strExeName;

    if (m_pszAppName == NULL) {
        if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE))
            m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName;
    }
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_hThread = ::GetCurrentThread();
    pApp->m_nThreadID = ::GetCurrentThreadId();
    AfxSetThread(pApp);
    pApp->SetCurrentHandles();

    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    return TRUE;
}

#ifndef NDEBUG
void AfxAssertFailed(const char* lpszFile, int nLine, const char* lpszExpression)
{
    char text[512];
    _snprintf(text, sizeof(text) - 1, "%s(%d): assertion failed: %s\n", lpszFile, nLine,
              lpszExpression);
    text[sizeof(text) - 1] = '\0';
    ::OutputDebugStringA(text);
    if (::IsDebuggerPresent())
        ::DebugBreak();
    abort();
}

void AfxTrace(const char* lpszFormat, ...)
{
    char text[1024];
    va_list args;
    va_start(args, lpszFormat);
    _vsnprintf(text, sizeof(text) - 1, lpszFormat, args);
    va_end(args);
    text[sizeof(text) - 1] = '\0';
    ::OutputDebugStringA(text);
}
#endif
