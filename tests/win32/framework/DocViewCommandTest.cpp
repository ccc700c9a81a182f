// Commands on real windows: the routing order through view, document, template, child frame,
// application and main frame; update handlers of menu items and toolbar buttons; the status
// bar's prompts and key indicators; toolbar tooltips.
#include <gtest/gtest.h>

#include "DocViewTestApp.h"
#include "tests/support/ExpectSequence.h"

namespace {

class DocViewCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = SetUpFrame();
        ASSERT_NE(nullptr, m_pFrame);
    }
    void TearDown() override { TearDownFrame(); }

    void NewDocument()
    {
        m_pFrame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        PumpMessages();
        ASSERT_NE(nullptr, m_pFrame->MDIGetActive());
    }
    // The menu bar's popup at nIndex after its update handlers ran, as before it opens.
    HMENU OpenPopup(int nIndex)
    {
        HMENU hPopup = ::GetSubMenu(::GetMenu(m_pFrame->m_hWnd), nIndex);
        m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup),
                              MAKELPARAM(nIndex, FALSE));
        return hPopup;
    }
    static UINT State(HMENU hMenu, UINT nID) { return ::GetMenuState(hMenu, nID, MF_BYCOMMAND); }
    std::string MessagePane()
    {
        char szText[256] = "";
        m_pFrame->m_wndStatusBar.SendMessage(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(szText));
        return szText;
    }
    std::string PaneText(int nIndex)
    {
        char szText[256] = "";
        m_pFrame->m_wndStatusBar.SendMessage(SB_GETTEXTA, (WPARAM)nIndex,
                                             reinterpret_cast<LPARAM>(szText));
        return szText;
    }
    void IdleUpdate() { theTestApp.OnIdle(0); }
    LRESULT ToolBar(UINT nMsg, WPARAM wParam, LPARAM lParam = 0)
    {
        return m_pFrame->m_wndToolBar.SendMessage(nMsg, wParam, lParam);
    }

    CTestMainFrame* m_pFrame = nullptr;
};

TEST_F(DocViewCommandTest, CommandVisitsViewDocumentTemplateChildFrameApplicationThenMainFrame)
{
    static const char* const kUnhandledRoute[] = {
        "view", "document", "template", "child frame", "application", "main frame", "application"};
    // The first target that handles it ends the route.
    static const char* const kRouteEndedByTheDocument[] = {"view", "document"};
    static const char* const kRouteEndedByTheChildFrame[] = {"view", "document", "template",
                                                             "child frame"};
    static const char* const kRouteEndedByTheMainFrame[] = {
        "view", "document", "template", "child frame", "application", "main frame"};
    NewDocument();
    m_pFrame->SendMessage(WM_COMMAND, ID_TEST_ROUTE);
    EXPECT_SEQUENCE(kUnhandledRoute, g_routeLog);

    g_routeLog.clear();
    g_strRouteStop = "document";
    m_pFrame->SendMessage(WM_COMMAND, ID_TEST_ROUTE);
    EXPECT_SEQUENCE(kRouteEndedByTheDocument, g_routeLog);

    g_routeLog.clear();
    g_strRouteStop = "child frame";
    m_pFrame->SendMessage(WM_COMMAND, ID_TEST_ROUTE);
    EXPECT_SEQUENCE(kRouteEndedByTheChildFrame, g_routeLog);

    g_routeLog.clear();
    g_strRouteStop = "main frame";
    m_pFrame->SendMessage(WM_COMMAND, ID_TEST_ROUTE);
    EXPECT_SEQUENCE(kRouteEndedByTheMainFrame, g_routeLog);
}

TEST_F(DocViewCommandTest, WithoutChildrenTheMainFrameAndApplicationRemain)
{
    static const char* const kRouteWithoutChildren[] = {"main frame", "application"};
    m_pFrame->SendMessage(WM_COMMAND, ID_TEST_ROUTE);
    EXPECT_SEQUENCE(kRouteWithoutChildren, g_routeLog);
}

TEST_F(DocViewCommandTest, MenuItemsAreUpdatedBeforeThePopupOpens)
{
    NewDocument();
    HMENU hTest = ::GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 1);
    // Start from the opposite states to see the update change them.
    ::EnableMenuItem(hTest, ID_TEST_UNHANDLED, MF_BYCOMMAND | MF_ENABLED);
    ::EnableMenuItem(hTest, ID_TEST_HANDLED, MF_BYCOMMAND | MF_GRAYED);
    g_nCheckState = 1;
    OpenPopup(1);
    EXPECT_EQ(0u, State(hTest, ID_TEST_ROUTE) & MF_GRAYED);
    EXPECT_EQ((UINT)MF_CHECKED, State(hTest, ID_TEST_CHECKED) & (MF_CHECKED | MF_GRAYED));
    EXPECT_EQ((UINT)MF_GRAYED, State(hTest, ID_TEST_UNHANDLED) & MF_GRAYED);
    EXPECT_EQ((UINT)MF_GRAYED, State(hTest, ID_TEST_DISABLED) & MF_GRAYED);
    EXPECT_EQ(0u, State(hTest, ID_TEST_HANDLED) & (MF_GRAYED | MF_CHECKED));

    g_nCheckState = 0;
    OpenPopup(1);
    EXPECT_EQ(0u, State(hTest, ID_TEST_CHECKED) & MF_CHECKED);

    // Bar toggles carry the bars' visibility; Window commands need a child.
    HMENU hView = OpenPopup(2);
    EXPECT_EQ((UINT)MF_CHECKED, State(hView, ID_VIEW_TOOLBAR) & MF_CHECKED);
    EXPECT_EQ((UINT)MF_CHECKED, State(hView, ID_VIEW_STATUS_BAR) & MF_CHECKED);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    OpenPopup(2);
    EXPECT_EQ(0u, State(hView, ID_VIEW_STATUS_BAR) & MF_CHECKED);
    HMENU hWindow = OpenPopup(3);
    EXPECT_EQ(0u, State(hWindow, ID_WINDOW_CASCADE) & MF_GRAYED);
    EXPECT_EQ(0u, State(hWindow, ID_WINDOW_NEW) & MF_GRAYED);
}

TEST_F(DocViewCommandTest, FrameMenuCommandsOfTheApplicationStayEnabled)
{
    HMENU hFile = OpenPopup(0);
    EXPECT_EQ(0u, State(hFile, ID_FILE_NEW) & MF_GRAYED);
    EXPECT_EQ(0u, State(hFile, ID_FILE_OPEN) & MF_GRAYED);
    EXPECT_EQ(0u, State(hFile, ID_APP_EXIT) & MF_GRAYED);
    HMENU hTest = OpenPopup(1);
    EXPECT_EQ((UINT)MF_GRAYED, State(hTest, ID_TEST_UNHANDLED) & MF_GRAYED);
}

TEST_F(DocViewCommandTest, AcceleratorsOfTheFrameAreTranslatedOnTheWayToAView)
{
    NewDocument();
    CView* pView = m_pFrame->MDIGetActive()->GetActiveView();
    ASSERT_NE(nullptr, pView);
    MSG msg = {};
    msg.hwnd = pView->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F7;
    msg.lParam = 1;
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(m_pFrame->m_hWnd, &msg));
    EXPECT_EQ(1, g_nHandledRuns);
    // A key without an accelerator goes on to its window.
    msg.wParam = VK_F8;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(m_pFrame->m_hWnd, &msg));
    EXPECT_EQ(1, g_nHandledRuns);
}

TEST_F(DocViewCommandTest, ToolbarButtonsAreUpdatedAtIdleTime)
{
    EXPECT_EQ(5, m_pFrame->m_wndToolBar.GetCount());
    EXPECT_EQ((UINT)ID_TEST_CHECKED, m_pFrame->m_wndToolBar.GetItemID(2));
    EXPECT_TRUE(m_pFrame->m_wndToolBar.GetButtonStyle(2) & TBBS_CHECKBOX);
    EXPECT_TRUE(m_pFrame->m_wndToolBar.GetButtonStyle(1) & TBBS_SEPARATOR);

    g_nCheckState = 1;
    IdleUpdate();
    EXPECT_NE(0, ToolBar(TB_ISBUTTONCHECKED, ID_TEST_CHECKED));
    EXPECT_NE(0, ToolBar(TB_ISBUTTONENABLED, ID_TEST_CHECKED));
    EXPECT_EQ(0, ToolBar(TB_ISBUTTONENABLED, ID_TEST_UNHANDLED));
    EXPECT_NE(0, ToolBar(TB_ISBUTTONENABLED, ID_TEST_HANDLED));
    EXPECT_NE(0, ToolBar(TB_ISBUTTONENABLED, ID_FILE_NEW));
    EXPECT_TRUE(m_pFrame->m_wndToolBar.GetButtonStyle(2) & TBBS_CHECKED);
    EXPECT_TRUE(m_pFrame->m_wndToolBar.GetButtonStyle(3) & TBBS_DISABLED);

    g_nCheckState = 0;
    m_pFrame->m_wndToolBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(0, ToolBar(TB_ISBUTTONCHECKED, ID_TEST_CHECKED));

    // A click on a button arrives as its command.
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_CHECKED, BN_CLICKED),
                          reinterpret_cast<LPARAM>(m_pFrame->m_wndToolBar.m_hWnd));
    EXPECT_EQ(1, g_nCheckedRuns);
}

TEST_F(DocViewCommandTest, StatusBarShowsReadyAndTheHighlightedItemsPrompt)
{
    EXPECT_EQ("Ready", MessagePane());
    HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, MF_STRING),
                          reinterpret_cast<LPARAM>(hMenu));
    EXPECT_EQ("Create a new document", MessagePane());
    // A string without a line break is all prompt.
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_HANDLED, MF_STRING),
                          reinterpret_cast<LPARAM>(hMenu));
    EXPECT_EQ("Run the handled command", MessagePane());
    // Popups, system commands and the MDI window list.
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(hMenu));
    EXPECT_EQ("", MessagePane());
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(SC_CLOSE, MF_STRING | MF_SYSMENU),
                          reinterpret_cast<LPARAM>(::GetSystemMenu(m_pFrame->m_hWnd, FALSE)));
    EXPECT_EQ("Close the active window", MessagePane());
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(AFX_IDM_FIRST_MDICHILD + 1, MF_STRING),
                          reinterpret_cast<LPARAM>(hMenu));
    EXPECT_EQ("Activate this window", MessagePane());
    // The menu closes.
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ("Ready", MessagePane());
}

TEST_F(DocViewCommandTest, ToolbarFlybyShowsThePromptWhileThePointerIsOverAButton)
{
    CRect rcButton;
    m_pFrame->m_wndToolBar.GetItemRect(0, &rcButton);
    const CPoint center = rcButton.CenterPoint();
    ToolBar(WM_MOUSEMOVE, 0, MAKELPARAM(center.x, center.y));
    EXPECT_EQ("Create a new document", MessagePane());
    m_pFrame->m_wndToolBar.GetItemRect(4, &rcButton);
    ToolBar(WM_MOUSEMOVE, 0, MAKELPARAM(rcButton.CenterPoint().x, rcButton.CenterPoint().y));
    EXPECT_EQ("Run the handled command", MessagePane());
    ToolBar(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ("Ready", MessagePane());
}

TEST_F(DocViewCommandTest, KeyIndicatorsShowOnlyWhileTheirKeyIsToggledOn)
{
    BYTE original[256];
    ASSERT_TRUE(::GetKeyboardState(original));
    BYTE keys[256];
    memcpy(keys, original, sizeof(keys));
    keys[VK_CAPITAL] = 0x01;
    keys[VK_NUMLOCK] = 0x00;
    keys[VK_SCROLL] = 0x01;
    ASSERT_TRUE(::SetKeyboardState(keys));
    IdleUpdate();
    EXPECT_EQ("CAP", PaneText(1));
    EXPECT_EQ("", PaneText(2));
    EXPECT_EQ("SCRL", PaneText(3));

    keys[VK_CAPITAL] = 0x00;
    keys[VK_NUMLOCK] = 0x01;
    ASSERT_TRUE(::SetKeyboardState(keys));
    IdleUpdate();
    EXPECT_EQ("", PaneText(1));
    EXPECT_EQ("NUM", PaneText(2));
    ::SetKeyboardState(original);

    // The message pane stretches; the indicators are sized to their texts.
    CRect rcMessage, rcCaps;
    m_pFrame->m_wndStatusBar.GetItemRect(0, &rcMessage);
    m_pFrame->m_wndStatusBar.GetItemRect(1, &rcCaps);
    EXPECT_GT(rcMessage.Width(), 3 * rcCaps.Width());
    EXPECT_LT(rcCaps.Width(), 100);
}

TEST_F(DocViewCommandTest, ToolTipIsTheTextAfterTheLineBreak)
{
    HWND hTip = reinterpret_cast<HWND>(ToolBar(TB_GETTOOLTIPS, 0));
    ASSERT_NE(nullptr, hTip);

    NMTTDISPINFOA infoA = {};
    infoA.hdr.hwndFrom = hTip;
    infoA.hdr.idFrom = ID_FILE_NEW;
    infoA.hdr.code = TTN_NEEDTEXTA;
    m_pFrame->SendMessage(WM_NOTIFY, ID_FILE_NEW, reinterpret_cast<LPARAM>(&infoA));
    EXPECT_STREQ("New", infoA.lpszText);

    NMTTDISPINFOW infoW = {};
    infoW.hdr.hwndFrom = hTip;
    infoW.hdr.idFrom = ID_TEST_CHECKED;
    infoW.hdr.code = TTN_NEEDTEXTW;
    m_pFrame->SendMessage(WM_NOTIFY, ID_TEST_CHECKED, reinterpret_cast<LPARAM>(&infoW));
    EXPECT_STREQ(L"Test Flag", infoW.lpszText);

    // No line break, no tooltip.
    infoA = {};
    infoA.hdr.hwndFrom = hTip;
    infoA.hdr.idFrom = ID_TEST_HANDLED;
    infoA.hdr.code = TTN_NEEDTEXTA;
    m_pFrame->SendMessage(WM_NOTIFY, ID_TEST_HANDLED, reinterpret_cast<LPARAM>(&infoA));
    EXPECT_STREQ("", infoA.lpszText);

    // The toolbar's own tooltip window asks the frame for the same text.
    char szText[80] = "";
    TTTOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_pFrame->m_wndToolBar.m_hWnd;
    ti.uId = ID_TEST_CHECKED;
    ti.lpszText = szText;
    ::SendMessageA(hTip, TTM_GETTEXTA, sizeof(szText), reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ("Test Flag", szText);
}

} // namespace
