// Window objects: temporary wrappers of foreign windows, subclassing, exceptions thrown by
// handlers, and the pre-translation walk from a window up through its parents.
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Afx.h"
#include "framework/AfxThreadState.h"
#include "tests/support/ExpectSequence.h"

namespace {

const UINT WM_TEST_THROW = WM_APP + 10;
const UINT WM_TEST_ECHO = WM_APP + 11;

class CThrowingWnd : public CWnd
{
public:
    BOOL m_bThrowOnCreate = FALSE;
    int m_nPaints = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (m_bThrowOnCreate) {
            throw std::runtime_error("create");
        }
        return CWnd::OnCreate(lpcs);
    }
    afx_msg LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler"); }
    afx_msg LRESULT OnEcho(WPARAM wParam, LPARAM) { return (LRESULT)wParam; }
    afx_msg void OnPaint()
    {
        ++m_nPaints;
        throw 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_TEST_THROW, OnThrow)
    ON_MESSAGE(WM_TEST_ECHO, OnEcho)
END_MESSAGE_MAP()

void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

TEST(WindowExceptionTest, AThrowingHandlerIsStoppedAndTheWindowSurvives)
{
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "thrower", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                             100, nullptr, nullptr));
    EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW));
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    EXPECT_EQ(5, wnd.SendMessage(WM_TEST_ECHO, 5));
    // A paint handler that throws still ends the paint: no endless stream of WM_PAINT.
    wnd.Invalidate();
    PumpPending();
    EXPECT_EQ(1, wnd.m_nPaints);
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE));
    EXPECT_TRUE(wnd.DestroyWindow());
}

TEST(WindowExceptionTest, AThrowingCreateHandlerFailsCreationCleanly)
{
    CThrowingWnd wnd;
    wnd.m_bThrowOnCreate = TRUE;
    EXPECT_FALSE(
        wnd.CreateEx(0, nullptr, "thrower", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    // The object can be used again.
    wnd.m_bThrowOnCreate = FALSE;
    EXPECT_TRUE(
        wnd.CreateEx(0, nullptr, "again", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    EXPECT_TRUE(wnd.DestroyWindow());
}

TEST(TemporaryWrapperTest, ForeignWindowsGetTemporaryObjectsUntilTheMapIsCleaned)
{
    HWND hForeign = ::CreateWindowA("STATIC", "foreign", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                    nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hForeign);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hForeign));
    CWnd* pTemp = CWnd::FromHandle(hForeign);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hForeign, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hForeign));
    CString text;
    pTemp->GetWindowText(text);
    EXPECT_STREQ("foreign", text);

    AfxThreadState* pState = AfxGetThreadState();
    EXPECT_EQ(pTemp, pState->wndMap.LookupTemporary(hForeign));
    CWnd::DeleteTempMap();
    EXPECT_EQ(nullptr, pState->wndMap.LookupTemporary(hForeign));
    // The window itself is untouched.
    EXPECT_TRUE(::IsWindow(hForeign));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    ::DestroyWindow(hForeign);
}

TEST(TemporaryWrapperTest, APermanentObjectWinsOverATemporaryOne)
{
    HWND hForeign = ::CreateWindowA("STATIC", "foreign", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                    nullptr, nullptr, nullptr);
    CWnd* pTemp = CWnd::FromHandle(hForeign);
    CWnd owner;
    ASSERT_TRUE(owner.SubclassWindow(hForeign));
    EXPECT_EQ(&owner, CWnd::FromHandle(hForeign));
    EXPECT_NE(pTemp, &owner);
    // Messages now pass through the object and still reach the original procedure.
    owner.SetWindowText("changed");
    CString text;
    owner.GetWindowText(text);
    EXPECT_STREQ("changed", text);
    CWnd::DeleteTempMap();
    EXPECT_EQ(&owner, CWnd::FromHandle(hForeign));
    // Destroying the window unmaps the object.
    EXPECT_TRUE(owner.DestroyWindow());
    EXPECT_EQ(nullptr, owner.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hForeign));
}

TEST(TemporaryWrapperTest, AnObjectDestroyedBeforeItsWindowTakesTheWindowAlong)
{
    HWND hWnd;
    {
        CWnd wnd;
        ASSERT_TRUE(
            wnd.CreateEx(0, nullptr, "short", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

std::vector<std::string> g_walk;

class CWalkWnd : public CWnd
{
public:
    explicit CWalkWnd(const char* pszName) : m_name(pszName) {}
    BOOL m_bConsume = FALSE;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        g_walk.push_back(m_name);
        return m_bConsume;
    }

private:
    std::string m_name;
};

class PreTranslateWalkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_walk.clear();
        ASSERT_TRUE(m_top.CreateEx(0, nullptr, "top", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                   nullptr));
        ASSERT_TRUE(
            m_middle.Create(nullptr, "middle", WS_VISIBLE, CRect(0, 0, 200, 100), &m_top, 1));
        ASSERT_TRUE(m_leaf.Create(nullptr, "leaf", WS_VISIBLE, CRect(0, 0, 50, 50), &m_middle, 2));
        // A window without an object between the leaf's child and the middle window.
        m_hForeign = ::CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                     m_leaf.m_hWnd, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, m_hForeign);
    }
    void TearDown() override { m_top.DestroyWindow(); }

    MSG MessageTo(HWND hWnd)
    {
        MSG msg = {};
        msg.hwnd = hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = VK_F5;
        return msg;
    }

    CWalkWnd m_top{"top"};
    CWalkWnd m_middle{"middle"};
    CWalkWnd m_leaf{"leaf"};
    HWND m_hForeign = nullptr;
};

TEST_F(PreTranslateWalkTest, WalksFromTheMessageWindowUpToTheStopWindow)
{
    static const char* const kWalkUpToTheTop[] = {"leaf", "middle", "top"};
    static const char* const kWalkUpToTheMiddle[] = {"leaf", "middle"};
    MSG msg = MessageTo(m_hForeign);
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(m_top.m_hWnd, &msg));
    EXPECT_SEQUENCE(kWalkUpToTheTop, g_walk);

    g_walk.clear();
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(m_middle.m_hWnd, &msg));
    EXPECT_SEQUENCE(kWalkUpToTheMiddle, g_walk);
}

TEST_F(PreTranslateWalkTest, AConsumingWindowEndsTheWalk)
{
    static const char* const kWalkEndedByTheMiddle[] = {"leaf", "middle"};
    m_middle.m_bConsume = TRUE;
    MSG msg = MessageTo(m_leaf.m_hWnd);
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(m_top.m_hWnd, &msg));
    EXPECT_SEQUENCE(kWalkEndedByTheMiddle, g_walk);
}

TEST_F(PreTranslateWalkTest, TheThreadWalksToItsMainWindowThenOffersOutsideMessagesToIt)
{
    static const char* const kThreadWalkToTheMainWindow[] = {"leaf", "middle", "top"};
    static const char* const kThreadWalkFromAnotherTopLevel[] = {"other", "top"};
    CWinThread thread;
    thread.m_pMainWnd = &m_top;
    AfxSetThread(&thread);

    MSG msg = MessageTo(m_leaf.m_hWnd);
    EXPECT_FALSE(thread.PreTranslateMessage(&msg));
    EXPECT_SEQUENCE(kThreadWalkToTheMainWindow, g_walk);

    // A separate top-level window: its own chain, then the main window once.
    CWalkWnd other("other");
    ASSERT_TRUE(
        other.CreateEx(0, nullptr, "other", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    g_walk.clear();
    msg = MessageTo(other.m_hWnd);
    EXPECT_FALSE(thread.PreTranslateMessage(&msg));
    EXPECT_SEQUENCE(kThreadWalkFromAnotherTopLevel, g_walk);
    other.DestroyWindow();

    AfxSetThread(nullptr);
}

} // namespace
