// The thread's message loop: pre-translation before dispatch, idle processing that updates
// the command user interface of the main window and its children, cleanup of temporary
// objects, and the end of the loop when the main window goes.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "framework/Afx.h"
#include "framework/AfxThreadState.h"
#include "tests/support/ExpectSequence.h"

namespace {

const UINT WM_TEST_STEP = WM_APP + 20;

std::vector<std::string> g_events;

class CPumpChild : public CWnd
{
public:
    int m_nIdleUpdates = 0;

protected:
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        ++m_nIdleUpdates;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPumpChild, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

class CPumpMain : public CWnd
{
public:
    int m_nIdleUpdates = 0;
    BOOL m_bConsumeSteps = FALSE;
    HWND m_hForeign = nullptr;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_TEST_STEP) {
            g_events.push_back("pretranslate " + std::to_string(pMsg->wParam));
            return m_bConsumeSteps && pMsg->wParam == 2;
        }
        return FALSE;
    }

protected:
    afx_msg LRESULT OnStep(WPARAM wParam, LPARAM)
    {
        g_events.push_back("dispatch " + std::to_string(wParam));
        if (wParam == 1) {
            // Leave a temporary object behind for the idle cleanup.
            CWnd::FromHandle(m_hForeign);
            m_nStage = 2;
        }
        if (wParam == 3) {
            DestroyWindow(); // the main window goes: the loop ends
        }
        return 0;
    }
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        ++m_nIdleUpdates;
        if (m_nStage == 0) {
            // The first idle pass: now the queued work starts.
            m_nStage = 1;
            PostMessage(WM_TEST_STEP, 1);
            PostMessage(WM_TEST_STEP, 2);
        } else if (m_nStage == 2) {
            // The update pass comes first; temporary objects go in a later pass.
            m_nStage = 3;
            RecordTemporary();
            SetTimer(7, 30, nullptr);
        }
        return 0;
    }
    // Dispatched only after the loop ran out of idle work and waited.
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        if (m_nStage == 3) {
            m_nStage = 4;
            RecordTemporary();
            PostMessage(WM_TEST_STEP, 3);
        }
    }
    void RecordTemporary()
    {
        g_events.push_back(AfxGetThreadState()->wndMap.LookupTemporary(m_hForeign) != nullptr
                               ? "temporary kept"
                               : "temporary gone");
    }
    int m_nStage = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPumpMain, CWnd)
    ON_MESSAGE(WM_TEST_STEP, OnStep)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CTestThread : public CWinThread
{
public:
    int ExitInstance() override
    {
        g_events.push_back("exit");
        return CWinThread::ExitInstance();
    }
};

TEST(MessagePumpTest, PreTranslatesDispatchesIdlesAndEndsWithTheMainWindow)
{
    g_events.clear();
    HWND hForeign = ::CreateWindowA("STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
    CTestThread thread;
    CPumpMain* pMain = new CPumpMain;
    pMain->m_hForeign = hForeign;
    pMain->m_bConsumeSteps = TRUE;
    ASSERT_TRUE(pMain->CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                200, nullptr, nullptr));
    CPumpChild child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 50, 50), pMain, 1));
    thread.m_pMainWnd = pMain;
    AfxSetThread(&thread);

    int nResult = thread.Run();

    AfxSetThread(nullptr);
    EXPECT_EQ(0, nResult);
    EXPECT_EQ(nullptr, thread.m_pMainWnd);
    static const char* const kPumpUntilTheMainWindowGoes[] = {
        "pretranslate 1", "dispatch 1",
        "pretranslate 2", // consumed: never dispatched
        "temporary kept", "temporary gone", "pretranslate 3", "dispatch 3", "exit",
    };
    EXPECT_SEQUENCE(kPumpUntilTheMainWindowGoes, g_events);
    // Children of the main window got the idle update as well.
    EXPECT_GE(child.m_nIdleUpdates, 2);
    EXPECT_EQ(nullptr, child.m_hWnd);
    delete pMain;
    ::DestroyWindow(hForeign);
}

} // namespace
