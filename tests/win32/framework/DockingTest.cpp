// Docking and floating of the toolbar on real windows: drags driven by the mouse messages the
// bar handles (press on the gripper, moves, release), the edges it docks on, the floating frame
// with its wrapped rows, its caption and close box, and the commands, tooltips and update
// handlers of a floating bar.
#include <gtest/gtest.h>

#include "DocViewTestApp.h"

namespace {

class DockingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = SetUpFrame();
        ASSERT_NE(nullptr, m_pFrame);
        m_pFrame->SetWindowPos(nullptr, 40, 40, 640, 480, SWP_NOZORDER);
        PumpMessages();
    }
    void TearDown() override { TearDownFrame(); }

    CToolBar& Bar() { return m_pFrame->m_wndToolBar; }
    HWND MiniFrame() { return ::GetParent(Bar().m_hWnd); }

    // A point on the gripper, in the bar's client coordinates.
    CPoint GripperPoint() { return Bar().IsHorizontal() ? CPoint(-4, 10) : CPoint(10, -4); }
    CRect ScreenRect(HWND hWnd)
    {
        CRect rect;
        ::GetWindowRect(hWnd, &rect);
        return rect;
    }
    CRect DockingArea()
    {
        CRect rect;
        m_pFrame->GetDockingArea(&rect);
        m_pFrame->ClientToScreen(&rect);
        return rect;
    }
    static LPARAM ClientPoint(HWND hWnd, CPoint ptScreen)
    {
        ::ScreenToClient(hWnd, &ptScreen);
        return MAKELPARAM((WORD)(short)ptScreen.x, (WORD)(short)ptScreen.y);
    }
    // Presses on the gripper, moves halfway and on to ptScreen and releases there, as the mouse
    // would with the button held (and Ctrl when bCtrl).
    void Drag(CPoint ptScreen, bool bCtrl = false)
    {
        const HWND hBar = Bar().m_hWnd;
        const WPARAM wKeys = bCtrl ? MK_CONTROL : 0;
        CPoint ptStart = GripperPoint();
        ::ClientToScreen(hBar, &ptStart);
        const CPoint ptMiddle((ptStart.x + ptScreen.x) / 2, (ptStart.y + ptScreen.y) / 2);
        ::PostMessageA(hBar, WM_LBUTTONDOWN, MK_LBUTTON | wKeys, ClientPoint(hBar, ptStart));
        ::PostMessageA(hBar, WM_MOUSEMOVE, MK_LBUTTON | wKeys, ClientPoint(hBar, ptMiddle));
        ::PostMessageA(hBar, WM_MOUSEMOVE, MK_LBUTTON | wKeys, ClientPoint(hBar, ptScreen));
        ::PostMessageA(hBar, WM_LBUTTONUP, wKeys, ClientPoint(hBar, ptScreen));
        PumpMessages();
    }
    CRect ItemRect(int nIndex)
    {
        CRect rect;
        Bar().GetItemRect(nIndex, &rect);
        return rect;
    }
    // The check the View > Toolbar item would get from its update handler.
    int ToolbarMenuCheck()
    {
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, ID_VIEW_TOOLBAR, "Toolbar");
        m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), 0);
        const UINT nState = ::GetMenuState(hMenu, ID_VIEW_TOOLBAR, MF_BYCOMMAND);
        ::DestroyMenu(hMenu);
        return (nState & MF_CHECKED) ? 1 : 0;
    }
    void Float() { Drag(DockingArea().CenterPoint()); }

    CTestMainFrame* m_pFrame = nullptr;
};

TEST_F(DockingTest, TheGripperDragsTheBarToEachEdgeAndTheClientTakesTheRest)
{
    const HWND hClient = m_pFrame->m_hWndMDIClient;
    const CRect rectStatus = ScreenRect(m_pFrame->m_wndStatusBar.m_hWnd);
    // Docked at the top: the buttons start after the gripper.
    EXPECT_GT(ScreenRect(Bar().m_hWnd).Width(), 400);
    CRect rectClientArea;
    Bar().GetClientRect(&rectClientArea);
    EXPECT_LT(rectClientArea.Width(), ScreenRect(Bar().m_hWnd).Width());

    struct Edge
    {
        DWORD dwAlign;
        bool bVertical;
    };
    const Edge edges[] = {{CBRS_ALIGN_LEFT, true},
                          {CBRS_ALIGN_BOTTOM, false},
                          {CBRS_ALIGN_RIGHT, true},
                          {CBRS_ALIGN_TOP, false}};
    for (const Edge& edge : edges) {
        const CRect area = DockingArea();
        CPoint target = area.CenterPoint();
        if (edge.dwAlign == CBRS_ALIGN_LEFT) {
            target.x = area.left + 3;
        } else if (edge.dwAlign == CBRS_ALIGN_RIGHT) {
            target.x = area.right - 3;
        } else if (edge.dwAlign == CBRS_ALIGN_TOP) {
            target.y = area.top + 3;
        } else {
            target.y = area.bottom - 3;
        }
        Drag(target);
        SCOPED_TRACE(edge.dwAlign);
        ASSERT_EQ(edge.dwAlign, Bar().GetBarStyle() & CBRS_ALIGN_ANY);
        EXPECT_EQ(m_pFrame->m_hWnd, ::GetParent(Bar().m_hWnd));
        const CRect rectBar = ScreenRect(Bar().m_hWnd);
        const CRect rectClient = ScreenRect(hClient);
        // The bar spans its edge of the docking area; the MDI client has the rest.
        if (edge.bVertical) {
            EXPECT_EQ(area.top, rectBar.top);
            EXPECT_EQ(area.bottom, rectBar.bottom);
            EXPECT_LT(rectBar.Width(), 60);
            EXPECT_EQ(area.Height(), rectClient.Height());
            EXPECT_EQ(area.Width() - rectBar.Width(), rectClient.Width());
            // One column: each button below the one before it.
            EXPECT_EQ(ItemRect(0).left, ItemRect(2).left);
            EXPECT_GT(ItemRect(2).top, ItemRect(0).bottom - 1);
        } else {
            EXPECT_EQ(area.left, rectBar.left);
            EXPECT_EQ(area.right, rectBar.right);
            EXPECT_LT(rectBar.Height(), 60);
            EXPECT_EQ(area.Width(), rectClient.Width());
            EXPECT_EQ(area.Height() - rectBar.Height(), rectClient.Height());
            EXPECT_EQ(ItemRect(0).top, ItemRect(4).top);
        }
        // It lies along the edge it was dropped at, beside the client.
        EXPECT_TRUE(rectBar.PtInRect(target));
        CRect rectOverlap;
        EXPECT_FALSE(::IntersectRect(&rectOverlap, &rectBar, &rectClient));
        // The status bar stays outermost at the bottom.
        EXPECT_EQ(rectStatus, ScreenRect(m_pFrame->m_wndStatusBar.m_hWnd));
        EXPECT_EQ(rectStatus.top, area.bottom);
    }
}

TEST_F(DockingTest, EscapeLeavesTheBarAndCtrlOrAForbiddenEdgeFloatsIt)
{
    const HWND hBar = Bar().m_hWnd;
    const CRect rectBefore = ScreenRect(hBar);
    CPoint ptStart = GripperPoint();
    ::ClientToScreen(hBar, &ptStart);
    ::PostMessageA(hBar, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(hBar, ptStart));
    ::PostMessageA(hBar, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(hBar, DockingArea().CenterPoint()));
    ::PostMessageA(hBar, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageA(hBar, WM_LBUTTONUP, 0, ClientPoint(hBar, DockingArea().CenterPoint()));
    PumpMessages();
    EXPECT_EQ(rectBefore, ScreenRect(hBar));
    EXPECT_FALSE(Bar().IsFloating());
    EXPECT_EQ(nullptr, ::GetCapture());

    CRect area = DockingArea();
    Drag(CPoint(area.left + 3, area.CenterPoint().y), true);
    EXPECT_TRUE(Bar().IsFloating());
    Drag(CPoint(area.left + 3, area.CenterPoint().y));
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, Bar().GetBarStyle() & CBRS_ALIGN_ANY);

    // The frame no longer allows the right edge: a drop there floats the bar.
    m_pFrame->EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT | CBRS_ALIGN_BOTTOM);
    area = DockingArea();
    Drag(CPoint(area.right - 3, area.CenterPoint().y));
    EXPECT_TRUE(Bar().IsFloating());
}

TEST_F(DockingTest, FloatingFrameWrapsTheButtonsAndItsCaptionDocksTheBarAgain)
{
    Float();
    ASSERT_TRUE(Bar().IsFloating());
    const HWND hMini = MiniFrame();
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetWindow(hMini, GW_OWNER));
    EXPECT_TRUE(::IsWindowVisible(hMini));
    EXPECT_TRUE(::GetWindowLongA(hMini, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    char szCaption[64] = "";
    ::GetWindowTextA(hMini, szCaption, sizeof(szCaption));
    EXPECT_STREQ("Test Bar", szCaption);
    // The MDI client takes the whole docking area; the buttons stand in one row.
    EXPECT_EQ(DockingArea(), ScreenRect(m_pFrame->m_hWndMDIClient));
    EXPECT_EQ(ItemRect(0).top, ItemRect(4).top);
    const CRect rectOneRow = ScreenRect(hMini);

    // Its right border dragged to two thirds: two rows, and the frame grows to hold them. The
    // height proposed while sizing is the height it keeps.
    CRect rectSized = rectOneRow;
    rectSized.right = rectSized.left + rectOneRow.Width() * 2 / 3;
    ::SendMessageA(hMini, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&rectSized));
    ::SetWindowPos(hMini, nullptr, rectSized.left, rectSized.top, rectSized.Width(),
                   rectSized.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    EXPECT_EQ(rectSized, ScreenRect(hMini));
    EXPECT_EQ(ItemRect(0).top, ItemRect(2).top);
    EXPECT_GT(ItemRect(4).top, ItemRect(0).bottom - 1);
    EXPECT_GT(ScreenRect(hMini).Height(), rectOneRow.Height());
    CRect rectMiniClient;
    ::GetClientRect(hMini, &rectMiniClient);
    EXPECT_GE(rectMiniClient.bottom, ItemRect(4).bottom);

    // A floating button's command, tooltip, prompt and update handler go through the main frame.
    const CRect rcButton = ItemRect(4);
    Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                      MAKELPARAM(rcButton.CenterPoint().x, rcButton.CenterPoint().y));
    Bar().SendMessage(WM_LBUTTONUP, 0,
                      MAKELPARAM(rcButton.CenterPoint().x, rcButton.CenterPoint().y));
    PumpMessages();
    EXPECT_EQ(1, g_nHandledRuns);
    char szTip[80] = "";
    TTTOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = Bar().m_hWnd;
    ti.uId = ID_TEST_CHECKED;
    ti.lpszText = szTip;
    ::SendMessageA(reinterpret_cast<HWND>(Bar().SendMessage(TB_GETTOOLTIPS)), TTM_GETTEXTA,
                   sizeof(szTip), reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ("Test Flag", szTip);
    Bar().SendMessage(WM_MOUSEMOVE, 0,
                      MAKELPARAM(ItemRect(0).CenterPoint().x, ItemRect(0).CenterPoint().y));
    EXPECT_EQ("Create a new document", m_pFrame->m_wndStatusBar.GetPaneText(0).str());
    g_nCheckState = 1;
    theTestApp.OnIdle(0);
    EXPECT_TRUE(Bar().SendMessage(TB_ISBUTTONCHECKED, ID_TEST_CHECKED));

    // A disabled bar takes its floating frame with it.
    Bar().EnableWindow(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(hMini));
    Bar().EnableWindow(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hMini));

    // A double click on the caption docks it where it was; the floating frame goes.
    ::PostMessageA(hMini, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    PumpMessages();
    EXPECT_FALSE(Bar().IsFloating());
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, Bar().GetBarStyle() & CBRS_ALIGN_ANY);
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(ItemRect(0).top, ItemRect(4).top);

    // A double click on the gripper floats it again where it floated, with its two rows.
    Bar().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(GripperPoint().x, GripperPoint().y));
    PumpMessages();
    ASSERT_TRUE(Bar().IsFloating());
    EXPECT_GT(ItemRect(4).top, ItemRect(0).bottom - 1);
}

TEST_F(DockingTest, TheCloseBoxHidesTheFloatingBarAndViewToolbarShowsItAgain)
{
    Float();
    ASSERT_TRUE(Bar().IsFloating());
    const HWND hMini = MiniFrame();
    const CRect rectFloat = ScreenRect(hMini);
    EXPECT_EQ(1, ToolbarMenuCheck());

    ::PostMessageA(hMini, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    EXPECT_FALSE(::IsWindowVisible(hMini));
    EXPECT_FALSE(Bar().GetStyle() & WS_VISIBLE);
    EXPECT_EQ(0, ToolbarMenuCheck());

    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    PumpMessages();
    EXPECT_TRUE(::IsWindowVisible(hMini));
    EXPECT_TRUE(Bar().IsWindowVisible());
    EXPECT_EQ(rectFloat, ScreenRect(hMini));
    EXPECT_EQ(1, ToolbarMenuCheck());

    // Closing the main frame while the bar floats takes the floating frame with it.
    TearDownFrame();
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(nullptr, Bar().m_hWnd);
}

TEST_F(DockingTest, TheFrameClosingDuringADragEndsTheDrag)
{
    const HWND hBar = Bar().m_hWnd;
    const HWND hFrame = m_pFrame->m_hWnd;
    CPoint ptStart = GripperPoint();
    ::ClientToScreen(hBar, &ptStart);
    theTestApp.CloseAllDocuments(FALSE);
    theTestApp.m_pMainWnd = nullptr;
    ::PostMessageA(hBar, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(hBar, ptStart));
    ::PostMessageA(hBar, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(hBar, DockingArea().CenterPoint()));
    ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(nullptr, ::GetCapture());
}

} // namespace
