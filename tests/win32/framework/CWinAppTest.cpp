// The application object: registration, its title in message boxes, and the main window
// seen from worker threads.
#include <gtest/gtest.h>
#include <string>

#include "framework/Afx.h"

#include <string.h>

namespace {

std::string g_caption;
HHOOK g_hHook = nullptr;

// Records the caption of the message box about to be activated, and closes it.
LRESULT CALLBACK CloseMessageBoxHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    char className[64] = "";
    if (nCode == HCBT_ACTIVATE &&
        ::GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof(className)) &&
        strcmp(className, "#32770") == 0) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        char caption[256] = "";
        ::GetWindowTextA(hWnd, caption, sizeof(caption));
        g_caption = caption;
        ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
    }
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}

class ScopedMessageBoxCloser
{
public:
    ScopedMessageBoxCloser()
    {
        g_caption.clear();
        g_hHook = ::SetWindowsHookExA(WH_CBT, CloseMessageBoxHook, nullptr, ::GetCurrentThreadId());
    }
    ~ScopedMessageBoxCloser() { ::UnhookWindowsHookEx(g_hHook); }
};

UINT __cdecl ReportMainWindow(LPVOID pParam)
{
    *static_cast<CWnd**>(pParam) = AfxGetMainWnd();
    return 0;
}

TEST(CWinAppTest, TheApplicationTitleCaptionsMessageBoxesAndWorkersSeeItsMainWindow)
{
    ASSERT_EQ(nullptr, AfxGetApp());
    {
        CWinApp app("Framework Test App");
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_EQ(static_cast<CWinThread*>(&app), AfxGetThread());
        EXPECT_STREQ("Framework Test App", AfxGetAppName());

        CWnd main;
        ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr));
        app.m_pMainWnd = &main;
        EXPECT_EQ(&main, AfxGetMainWnd());

        {
            ScopedMessageBoxCloser closer;
            EXPECT_EQ(IDOK, AfxMessageBox("from the application"));
            EXPECT_EQ("Framework Test App", g_caption);
        }
        {
            ScopedMessageBoxCloser closer;
            EXPECT_EQ(IDOK, main.MessageBox("from a window"));
            EXPECT_EQ("Framework Test App", g_caption);
        }
        {
            ScopedMessageBoxCloser closer;
            EXPECT_EQ(IDOK, main.MessageBox("own caption", "Given"));
            EXPECT_EQ("Given", g_caption);
        }

        CWnd* pSeen = nullptr;
        CWinThread* pThread =
            AfxBeginThread(ReportMainWindow, &pSeen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(nullptr, pThread);
        pThread->m_bAutoDelete = FALSE;
        pThread->ResumeThread();
        ::WaitForSingleObject(pThread->m_hThread, 10000);
        delete pThread;
        EXPECT_EQ(&main, pSeen);

        // The main window going away ends the message loop and forgets the window.
        main.DestroyWindow();
        EXPECT_EQ(nullptr, app.m_pMainWnd);
        MSG msg;
        EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ(nullptr, AfxGetThread());
}

} // namespace
