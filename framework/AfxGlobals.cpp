#include "framework/AfxGlobals.h"

#include "framework/AfxRes.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {
CWinApp* g_pApp = nullptr;
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
    if (pThread != nullptr) {
        return pThread->GetMainWnd();
    }
    return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_pApp != nullptr && g_pApp->m_hInstance != nullptr) {
        return g_pApp->m_hInstance;
    }
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

LPCSTR AfxGetAppName()
{
    return g_pApp != nullptr ? g_pApp->m_pszAppName : nullptr;
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (g_pApp != nullptr) {
        return g_pApp->DoMessageBox(lpszText, nType, nIDHelp);
    }
    return ::MessageBoxA(nullptr, lpszText, nullptr, nType);
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
    pszName = pszName != nullptr ? pszName + 1 : path;
    m_strExeName = pszName;
    int nDot = m_strExeName.ReverseFind('.');
    if (nDot >= 0) {
        m_strExeName = m_strExeName.Left(nDot);
    }
    m_pszExeName = m_strExeName;

    if (m_pszAppName == nullptr) {
        if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE)) {
            m_strAppName = m_strExeName;
        }
        m_pszAppName = m_strAppName;
    }
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) {
        return FALSE;
    }
    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_hThread = ::GetCurrentThread();
    pApp->m_nThreadID = ::GetCurrentThreadId();
    AfxSetThread(pApp);
    pApp->SetCurrentHandles();

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
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
