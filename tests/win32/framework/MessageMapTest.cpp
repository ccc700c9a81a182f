// Message maps on real windows: dispatch to handlers, fall-through to base maps and default
// processing, commands, notifications and update handlers.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "framework/Afx.h"
#include "tests/support/ExpectSequence.h"

namespace {

const UINT WM_TEST_PING = WM_APP + 1;
const UINT WM_TEST_BASE_ONLY = WM_APP + 2;
const UINT ID_TEST_CMD = 40001;
const UINT ID_TEST_UNHANDLED = 40002;
const UINT ID_TEST_UPDATE_ONLY = 40003;

std::vector<std::string> g_log;

class CBaseTestWnd : public CWnd
{
public:
    int m_nSizeCalls = 0;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        ++m_nSizeCalls;
        g_log.push_back("base size");
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg LRESULT OnBaseOnly(WPARAM wParam, LPARAM) { return (LRESULT)wParam * 2; }
    afx_msg void OnTestCmd() { g_log.push_back("base cmd"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_TEST_BASE_ONLY, OnBaseOnly)
    ON_COMMAND(ID_TEST_CMD, OnTestCmd)
END_MESSAGE_MAP()

class CDerivedTestWnd : public CBaseTestWnd
{
public:
    int m_nCreateCalls = 0;
    int m_nDestroyCalls = 0;
    int m_nCheck = 0;
    BOOL m_bEnable = TRUE;
    NMHDR m_lastNotify = {};

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        ++m_nCreateCalls;
        return CBaseTestWnd::OnCreate(lpcs);
    }
    afx_msg void OnDestroy()
    {
        ++m_nDestroyCalls;
        CBaseTestWnd::OnDestroy();
    }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam) { return (LRESULT)(wParam + lParam); }
    afx_msg void OnTestCmd() { g_log.push_back("derived cmd"); }
    afx_msg void OnUpdateTestCmd(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(m_bEnable);
        pCmdUI->SetCheck(m_nCheck);
    }
    afx_msg void OnUpdateOnly(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnButtonClicked() { g_log.push_back("clicked"); }
    afx_msg void OnCustomNotify(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_lastNotify = *pNMHDR;
        *pResult = 77;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_TEST_PING, OnPing)
    ON_COMMAND(ID_TEST_CMD, OnTestCmd)
    ON_UPDATE_COMMAND_UI(ID_TEST_CMD, OnUpdateTestCmd)
    ON_UPDATE_COMMAND_UI(ID_TEST_UPDATE_ONLY, OnUpdateOnly)
    ON_BN_CLICKED(1001, OnButtonClicked)
    ON_NOTIFY(NM_CLICK, 1002, OnCustomNotify)
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        ASSERT_TRUE(m_wnd.CreateEx(0, nullptr, "test", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                                   nullptr, nullptr));
    }
    void TearDown() override
    {
        if (m_wnd.m_hWnd != nullptr) {
            m_wnd.DestroyWindow();
        }
    }
    CDerivedTestWnd m_wnd;
};

TEST_F(MessageMapTest, CreationReachesTheObjectAndMapsIt)
{
    EXPECT_EQ(1, m_wnd.m_nCreateCalls);
    EXPECT_EQ(&m_wnd, CWnd::FromHandlePermanent(m_wnd.m_hWnd));
    EXPECT_EQ(&m_wnd, CWnd::FromHandle(m_wnd.m_hWnd));
}

TEST_F(MessageMapTest, HandlersOfDerivedAndBaseMapsAndDefaultProcessing)
{
    EXPECT_EQ(7, m_wnd.SendMessage(WM_TEST_PING, 3, 4));
    // Only the base class maps it.
    EXPECT_EQ(42, m_wnd.SendMessage(WM_TEST_BASE_ONLY, 21, 0));
    // Size goes to the base handler, which then does default processing.
    m_wnd.MoveWindow(0, 0, 250, 150);
    EXPECT_GE(m_wnd.m_nSizeCalls, 1);
    // Unmapped messages get default processing: WM_SETTEXT / WM_GETTEXT work.
    m_wnd.SetWindowText("caption");
    CString text;
    m_wnd.GetWindowText(text);
    EXPECT_STREQ("caption", text);
}

TEST_F(MessageMapTest, CommandsGoToTheMostDerivedHandler)
{
    static const char* const kCommandToTheDerivedHandler[] = {"derived cmd"};
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_CMD, 0), 0);
    EXPECT_SEQUENCE(kCommandToTheDerivedHandler, g_log);
    // A command nobody handles is not consumed.
    EXPECT_FALSE(m_wnd.OnCmdMsg(ID_TEST_UNHANDLED, CN_COMMAND, nullptr, nullptr));
}

TEST_F(MessageMapTest, CommandDisabledByItsUpdateHandlerDoesNotRun)
{
    m_wnd.m_bEnable = FALSE;
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_CMD, 0), 0);
    EXPECT_TRUE(g_log.empty());
}

TEST_F(MessageMapTest, ControlNotificationsAndNotifyMessages)
{
    HWND hButton = ::CreateWindowA("BUTTON", "b", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, m_wnd.m_hWnd,
                                   (HMENU)1001, nullptr, nullptr);
    ASSERT_NE(nullptr, hButton);
    static const char* const kClickToItsHandler[] = {"clicked"};
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), (LPARAM)hButton);
    EXPECT_SEQUENCE(kClickToItsHandler, g_log);

    NMHDR nm = {hButton, 1002, (UINT)NM_CLICK};
    EXPECT_EQ(77, m_wnd.SendMessage(WM_NOTIFY, 1002, (LPARAM)&nm));
    EXPECT_EQ(hButton, m_wnd.m_lastNotify.hwndFrom);
    // Other codes or ids do not match.
    NMHDR other = {hButton, 1002, (UINT)NM_DBLCLK};
    EXPECT_EQ(0, m_wnd.SendMessage(WM_NOTIFY, 1002, (LPARAM)&other));
}

TEST_F(MessageMapTest, UpdateHandlersSetMenuItemsAndUnhandledCommandsAreDisabled)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_TEST_CMD, "cmd");
    menu.AppendMenu(MF_STRING, ID_TEST_UNHANDLED, "none");
    menu.AppendMenu(MF_STRING, ID_TEST_UPDATE_ONLY, "update only");

    m_wnd.m_nCheck = 1;
    m_wnd.m_bEnable = TRUE;
    CCmdUI state;
    state.m_pMenu = &menu;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        state.m_nIndex = i;
        state.m_nID = menu.GetMenuItemID((int)i);
        state.DoUpdate(&m_wnd, TRUE);
    }
    EXPECT_EQ(MF_CHECKED, menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(0u, menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    // No handler at all: disabled.
    EXPECT_EQ((UINT)MF_GRAYED, menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED);
    // An update handler that does not call Enable, and no command handler: the item stays
    // as the handler left it, enabled.
    EXPECT_EQ(0u, menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(MF_CHECKED, menu.GetMenuState(2, MF_BYPOSITION) & MF_CHECKED);

    m_wnd.m_bEnable = FALSE;
    m_wnd.m_nCheck = 0;
    state.m_nIndex = 0;
    state.m_nID = ID_TEST_CMD;
    state.DoUpdate(&m_wnd, TRUE);
    EXPECT_EQ((UINT)MF_GRAYED, menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(0u, menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(MessageMapTest, DestroyRunsHandlersAndUnmaps)
{
    HWND hWnd = m_wnd.m_hWnd;
    EXPECT_TRUE(m_wnd.DestroyWindow());
    EXPECT_EQ(1, m_wnd.m_nDestroyCalls);
    EXPECT_EQ(nullptr, m_wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

} // namespace
