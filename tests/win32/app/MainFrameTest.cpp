// The main frame on its own (no documents): where it puts the process tree, what its creation
// leaves behind, its toggles and update handlers, EnableInteraction, and the goto window's
// messages from a real dialog.

#include "app/MainFrame.h"

#include <gtest/gtest.h>
#include <string>

#include "ModalWatcher.h"
#include "res/resource.h"

namespace {

using shelltest::CModalWatcher;
using shelltest::FindOwnWindow;
using shelltest::TextOf;

// A main frame created at a chosen window rectangle.
class CPlacedMainFrame : public CMainFrame
{
public:
    explicit CPlacedMainFrame(const RECT& rect) : m_rect(rect) {}

    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        if (!CMainFrame::PreCreateWindow(cs)) {
            return FALSE;
        }
        cs.x = m_rect.left;
        cs.y = m_rect.top;
        cs.cx = m_rect.right - m_rect.left;
        cs.cy = m_rect.bottom - m_rect.top;
        return TRUE;
    }

private:
    RECT m_rect;
};

// Records what an update handler does to its item.
class CRecordingCmdUI : public CCmdUI
{
public:
    explicit CRecordingCmdUI(UINT nID)
    {
        m_nID = nID;
        m_nIndexMax = 1;
    }
    void Enable(BOOL bOn) override
    {
        ++enableCalls;
        enabled = bOn;
        CCmdUI::Enable(bOn);
    }
    void SetCheck(int nCheck) override
    {
        ++checkCalls;
        check = nCheck;
    }
    void SetText(LPCSTR) override {}

    int enableCalls = 0;
    BOOL enabled = TRUE;
    int checkCalls = 0;
    int check = -1;
};

class MainFrameTest : public ::testing::Test
{
protected:
    CMainFrame* Create(const RECT& rect)
    {
        CPlacedMainFrame* pFrame = new CPlacedMainFrame(rect);
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr,
                               nullptr)) {
            return nullptr;
        }
        m_pFrame = pFrame;
        return pFrame;
    }

    void TearDown() override
    {
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd)) {
            m_pFrame->DestroyWindow(); // the frame deletes itself
        }
        shelltest::Pump();
    }

    CRecordingCmdUI Update(UINT id)
    {
        CRecordingCmdUI ui(id);
        ui.DoUpdate(m_pFrame, TRUE);
        return ui;
    }

    static CRect WindowRect(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect;
    }

    CMainFrame* m_pFrame = nullptr;
};

TEST_F(MainFrameTest, CreationPlacesTheProcessTreeOverTheRightThirdOfTheFrame)
{
    CMainFrame* pFrame = Create(CRect(100, 50, 1000, 650));
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(WindowRect(pFrame->m_wndProcessTree), CRect(600, 50, 1000, 650));
}

TEST_F(MainFrameTest, CreationTruncatesTwoThirdsOfTheWidthTowardZero)
{
    CMainFrame* pFrame = Create(CRect(0, 0, 901, 700));
    ASSERT_NE(pFrame, nullptr);
    const CRect tree = WindowRect(pFrame->m_wndProcessTree);
    EXPECT_EQ(tree.left, 600);
    EXPECT_EQ(tree.Width(), 301);
    EXPECT_EQ(tree.top, 0);
    EXPECT_EQ(tree.Height(), 700);
}

TEST_F(MainFrameTest, ParentOpeningPlacesTheTreeFromTheClientRectangleAndOnTop)
{
    CMainFrame* pFrame = Create(CRect(100, 50, 1000, 650));
    ASSERT_NE(pFrame, nullptr);
    CRect client;
    pFrame->GetClientRect(&client);
    pFrame->SendMessage(WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
    const int b = (2 * client.Width()) / 3;
    EXPECT_EQ(WindowRect(pFrame->m_wndProcessTree), CRect(b, 0, client.right, client.bottom));
    // Asked to be topmost; Wine may keep an owned window in the normal band, so the check is
    // that it lies above the frame.
    bool belowFrame = false;
    for (HWND below = ::GetWindow(pFrame->m_hWnd, GW_HWNDNEXT); below != nullptr;
         below = ::GetWindow(below, GW_HWNDNEXT)) {
        belowFrame = belowFrame || below == pFrame->m_wndProcessTree.m_hWnd;
    }
    EXPECT_FALSE(belowFrame);

    // Any other status leaves the tree where it is.
    pFrame->m_wndProcessTree.SetWindowPos(nullptr, 10, 20, 300, 400, SWP_NOZORDER);
    pFrame->SendMessage(WM_SHOWWINDOW, TRUE, SW_OTHERUNZOOM);
    EXPECT_EQ(WindowRect(pFrame->m_wndProcessTree), CRect(10, 20, 310, 420));
}

TEST_F(MainFrameTest, CreationLeavesTreeShownOthersHiddenAndCheckButtonsSet)
{
    CMainFrame* pFrame = Create(CRect(0, 0, 1000, 700));
    ASSERT_NE(pFrame, nullptr);
    EXPECT_TRUE(pFrame->m_bReady);
    EXPECT_TRUE(pFrame->m_wndProcessTree.IsWindowVisible());
    EXPECT_FALSE(pFrame->m_wndMemoryContents.IsWindowVisible());
    EXPECT_FALSE(pFrame->m_wndFindTool.IsWindowVisible());
    EXPECT_FALSE(pFrame->m_wndGotoAddress.IsWindowVisible());
    // The tool windows are owned by the frame.
    EXPECT_EQ(::GetWindow(pFrame->m_wndProcessTree.m_hWnd, GW_OWNER), pFrame->m_hWnd);
    EXPECT_EQ(::GetWindow(pFrame->m_wndGotoAddress.m_hWnd, GW_OWNER), pFrame->m_hWnd);
    // Check buttons: the three tool-window toggles, Goto Address and Address Peek.
    for (int position = 0; position < 9; ++position) {
        const bool check = (pFrame->m_wndToolBar.GetButtonStyle(position) & TBBS_CHECKBOX) != 0;
        const bool wanted = position >= 1 && position <= 5;
        EXPECT_EQ(check, wanted) << "toolbar position " << position;
    }
    // No pointer position recorded yet: nothing a pointer message carries can equal it.
    EXPECT_LT(pFrame->m_ptLastMouse.x, -32768);
    EXPECT_LT(pFrame->m_ptLastMouse.y, -32768);
    EXPECT_FALSE(pFrame->m_bTipsShown);
}

TEST_F(MainFrameTest, ToolWindowTogglesFlipVisibilityAndTheirUpdateHandlersFollow)
{
    CMainFrame* pFrame = Create(CRect(0, 0, 1000, 700));
    ASSERT_NE(pFrame, nullptr);
    struct Toggle
    {
        UINT id;
        CWnd* pWnd;
    };
    const Toggle toggles[] = {
        {ID_TOOLS_PROCESS_LIST, &pFrame->m_wndProcessTree},
        {ID_TOOLS_MEMORY_CONTENTS, &pFrame->m_wndMemoryContents},
        {ID_TOOLS_FIND_TEXT, &pFrame->m_wndFindTool},
        {ID_TOOLS_GOTO_ADDRESS, &pFrame->m_wndGotoAddress},
    };
    for (const Toggle& t : toggles) {
        for (int round = 0; round < 2; ++round) {
            const BOOL visible = t.pWnd->IsWindowVisible();
            EXPECT_EQ(Update(t.id).check, visible ? 1 : 0) << t.id;
            pFrame->SendMessage(WM_COMMAND, t.id, 0);
            EXPECT_NE(t.pWnd->IsWindowVisible(), visible) << t.id;
            EXPECT_EQ(Update(t.id).check, visible ? 0 : 1) << t.id;
        }
    }
}

TEST_F(MainFrameTest, GotoWindowClosedByItsCloseBoxIsShownByTheNextCommand)
{
    CMainFrame* pFrame = Create(CRect(0, 0, 1000, 700));
    ASSERT_NE(pFrame, nullptr);
    pFrame->SendMessage(WM_COMMAND, ID_TOOLS_GOTO_ADDRESS, 0);
    ASSERT_TRUE(pFrame->m_wndGotoAddress.IsWindowVisible());
    EXPECT_TRUE(pFrame->m_bGotoShown);

    // The dialog manager posts the close box's Cancel.
    pFrame->m_wndGotoAddress.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(
        shelltest::PumpUntil([&] { return !pFrame->m_wndGotoAddress.IsWindowVisible(); }, 5000));
    EXPECT_EQ(Update(ID_TOOLS_GOTO_ADDRESS).check, 0);
    EXPECT_FALSE(pFrame->m_bGotoShown);
    pFrame->SendMessage(WM_COMMAND, ID_TOOLS_GOTO_ADDRESS, 0);
    EXPECT_TRUE(pFrame->m_wndGotoAddress.IsWindowVisible());
    EXPECT_TRUE(pFrame->m_bGotoShown);
}

TEST_F(MainFrameTest, ViewOptionTogglesWithoutDocumentsChangeFlagsAndChecksOnly)
{
    CMainFrame* pFrame = Create(CRect(0, 0, 1000, 700));
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(Update(ID_TOOLS_MODULE_LABELS).check, 1);
    EXPECT_EQ(Update(ID_TOOLS_ADDRESS_PEEK).check, 1);
    pFrame->SendMessage(WM_COMMAND, ID_TOOLS_MODULE_LABELS, 0);
    EXPECT_FALSE(pFrame->m_bModuleLabels);
    EXPECT_TRUE(pFrame->m_bAddressPeek);
    EXPECT_EQ(Update(ID_TOOLS_MODULE_LABELS).check, 0);
    pFrame->SendMessage(WM_COMMAND, ID_TOOLS_ADDRESS_PEEK, 0);
    EXPECT_FALSE(pFrame->m_bAddressPeek);
    EXPECT_EQ(Update(ID_TOOLS_ADDRESS_PEEK).check, 0);
    pFrame->SendMessage(WM_COMMAND, ID_TOOLS_MODULE_LABELS, 0);
    EXPECT_TRUE(pFrame->m_bModuleLabels);
    // Fit To Window, Refresh and Save with no document open do nothing and fail nothing.
    pFrame->SendMessage(WM_COMMAND, ID_TOOLS_FIT_TO_WINDOW, 0);
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_REFRESH, 0);
    pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);
    EXPECT_TRUE(pFrame->IsWindowEnabled());
}

TEST_F(MainFrameTest, FitAndSaveUpdateHandlersLeaveTheirItemsAloneAndEnabled)
{
    CMainFrame* pFrame = Create(CRect(0, 0, 1000, 700));
    ASSERT_NE(pFrame, nullptr);
    // Their handlers neither check nor disable; the command, handled by the frame, stays enabled.
    for (UINT id : {static_cast<UINT>(ID_TOOLS_FIT_TO_WINDOW), static_cast<UINT>(ID_FILE_SAVE)}) {
        const CRecordingCmdUI ui = Update(id);
        EXPECT_EQ(ui.checkCalls, 0) << id;
        EXPECT_TRUE(ui.enabled) << id;
    }
    // Refresh has no update handler and is enabled because the frame handles it; a command that
    // nobody handles is disabled.
    const CRecordingCmdUI refresh = Update(ID_VIEW_REFRESH);
    EXPECT_TRUE(refresh.enabled);
    const CRecordingCmdUI copy = Update(ID_EDIT_COPY);
    EXPECT_EQ(copy.enableCalls, 1);
    EXPECT_FALSE(copy.enabled);
}

TEST_F(MainFrameTest, EnableInteractionLeavesTheMemoryContentsWindowAlone)
{
    CMainFrame* pFrame = Create(CRect(0, 0, 1000, 700));
    ASSERT_NE(pFrame, nullptr);
    CWnd* const switched[] = {&pFrame->m_wndStatusBar,   &pFrame->m_wndToolBar,
                              &pFrame->m_wndProcessTree, &pFrame->m_wndFindTool,
                              &pFrame->m_wndGotoAddress, pFrame};
    pFrame->EnableInteraction(FALSE);
    for (CWnd* pWnd : switched) {
        EXPECT_FALSE(pWnd->IsWindowEnabled());
    }
    EXPECT_TRUE(pFrame->m_wndMemoryContents.IsWindowEnabled());
    pFrame->EnableInteraction(TRUE);
    for (CWnd* pWnd : switched) {
        EXPECT_TRUE(pWnd->IsWindowEnabled());
    }
    // A memory contents window disabled by someone else stays so.
    pFrame->m_wndMemoryContents.EnableWindow(FALSE);
    pFrame->EnableInteraction(TRUE);
    EXPECT_FALSE(pFrame->m_wndMemoryContents.IsWindowEnabled());
}

TEST_F(MainFrameTest, EnableInteractionHoldsTheFloatingToolbarWhereItIs)
{
    CMainFrame* pFrame = Create(CRect(0, 0, 1000, 700));
    ASSERT_NE(pFrame, nullptr);
    pFrame->FloatControlBar(&pFrame->m_wndToolBar, CPoint(100, 100));
    const HWND hFloating = ::GetParent(pFrame->m_wndToolBar.m_hWnd);
    ASSERT_NE(hFloating, pFrame->m_hWnd);
    char caption[32] = "";
    ::GetWindowTextA(hFloating, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Toolbar");

    pFrame->EnableInteraction(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(hFloating));
    ::SendMessageA(hFloating, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_TRUE(pFrame->m_wndToolBar.IsFloating());

    pFrame->EnableInteraction(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hFloating));
    ::SendMessageA(hFloating, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_FALSE(pFrame->m_wndToolBar.IsFloating());
    EXPECT_EQ(pFrame->m_wndToolBar.GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_TOP);
}

// Clicks Goto with text and returns the text of the message box it put up ("" when none).
struct GotoOutcome
{
    bool boxShown = false;
    std::string message;
    std::string caption;
    bool cancelButton = false;
    bool icon = false;
};

GotoOutcome ClickGoto(CGotoAddressDlg& dialog, const char* text)
{
    GotoOutcome outcome;
    ::SetDlgItemTextA(dialog.m_hWnd, IDC_GOTO_ADDRESS_EDIT, text);
    const HWND owner = dialog.m_hWnd;
    CModalWatcher watcher([owner] { return FindOwnWindow("#32770", owner); },
                          [&outcome](HWND box) {
                              outcome.boxShown = true;
                              outcome.message = TextOf(::GetDlgItem(box, 0xFFFF));
                              outcome.caption = TextOf(box);
                              outcome.cancelButton = ::GetDlgItem(box, IDCANCEL) != nullptr;
                              for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
                                   child = ::GetWindow(child, GW_HWNDNEXT)) {
                                  if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) ==
                                          SS_ICON &&
                                      ::SendMessageA(child, STM_GETICON, 0, 0) != 0) {
                                      outcome.icon = true;
                                  }
                              }
                              ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                          },
                          3000);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GOTO_BUTTON, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, IDC_GOTO_BUTTON)));
    watcher.Join();
    return outcome;
}

TEST_F(MainFrameTest, GotoWindowExplainsMalformedAddressesAndIgnoresGoodOnesWithoutAView)
{
    CMainFrame* pFrame = Create(CRect(0, 0, 1000, 700));
    ASSERT_NE(pFrame, nullptr);
    const std::string lengthMessage = "Address should be at most 10 characters as in 0x12345678";
    const std::string prefixMessage = "Address must be in Hex, starting with 0x....";
    struct Case
    {
        const char* text;
        const std::string* message; // NULL: accepted, no box
    };
    const Case cases[] = {
        {"0x123456789", &lengthMessage},
        {"12345678901", &lengthMessage}, // length is checked before the prefix
        {"0x0012345678", &lengthMessage},
        {"x1000", &prefixMessage},
        {"1000", &prefixMessage},
        {"", &prefixMessage},
        {"0x12345678", nullptr},
        {"0X12G4", nullptr},
        {"0x", nullptr},
    };
    for (const Case& c : cases) {
        const GotoOutcome outcome = ClickGoto(pFrame->m_wndGotoAddress, c.text);
        if (c.message == nullptr) {
            EXPECT_FALSE(outcome.boxShown) << c.text;
            continue;
        }
        ASSERT_TRUE(outcome.boxShown) << c.text;
        EXPECT_EQ(outcome.message, *c.message) << c.text;
        EXPECT_EQ(outcome.caption, "VexoProcessViewer");
        EXPECT_FALSE(outcome.cancelButton);
        EXPECT_FALSE(outcome.icon);
    }
    // More than 30 characters are cut to 30, still too long.
    const GotoOutcome longText =
        ClickGoto(pFrame->m_wndGotoAddress, "0x1234567890123456789012345678901234567890");
    EXPECT_EQ(longText.message, lengthMessage);
}

} // namespace

namespace {

struct WindowOfProcess
{
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND hwnd, LPARAM lParam)
{
    WindowOfProcess* search = reinterpret_cast<WindowOfProcess*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hwnd, &processId);
    if (processId == search->processId && ::IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

bool IsBelow(HWND lower, HWND upper)
{
    for (HWND below = ::GetWindow(upper, GW_HWNDNEXT); below != nullptr;
         below = ::GetWindow(below, GW_HWNDNEXT)) {
        if (below == lower) {
            return true;
        }
    }
    return false;
}

// Another program with a window of its own, ended with the test.
struct COtherProgram
{
    PROCESS_INFORMATION info = {};
    bool Start()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        char commandLine[] = "notepad.exe";
        return ::CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &info) != FALSE;
    }
    ~COtherProgram()
    {
        if (info.hProcess != nullptr) {
            ::TerminateProcess(info.hProcess, 0);
            ::CloseHandle(info.hThread);
            ::CloseHandle(info.hProcess);
        }
    }
};

// Wine raises an activated owner above its owned windows: that is how a tool window falls
// below the frame. Messages are dispatched without the idle pass, which would raise it again.
void ActivateWithoutIdle(HWND hwnd)
{
    ::SetForegroundWindow(hwnd);
    for (int i = 0; i < 50 && ::GetForegroundWindow() != hwnd; ++i) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageA(&msg);
        }
        ::Sleep(20);
    }
}

// The idle pass puts a tool window that fell below the frame back above it, but only while this
// program is in front: never over the window of another program that the user works with.
TEST_F(MainFrameTest, IdleTimeRaisesToolWindowsOnlyWhileTheProgramIsInFront)
{
    CMainFrame* pFrame = Create(CRect(0, 0, 800, 600));
    ASSERT_NE(pFrame, nullptr);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->m_wndFindTool.ShowWindow(SW_SHOWNOACTIVATE);
    const HWND hTool = pFrame->m_wndFindTool.m_hWnd;

    COtherProgram other;
    ASSERT_TRUE(other.Start());
    WindowOfProcess search = {other.info.dwProcessId, nullptr};
    shelltest::PumpUntil(
        [&search] {
            ::EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        20000);
    ASSERT_NE(search.found, (HWND) nullptr) << "the other program showed no window";
    ActivateWithoutIdle(pFrame->m_hWnd);
    if (!IsBelow(hTool, pFrame->m_hWnd)) {
        GTEST_SKIP() << "activating the frame left the tool window above it (as on Windows)";
    }
    ActivateWithoutIdle(search.found);
    ASSERT_EQ(::GetForegroundWindow(), search.found);
    ASSERT_TRUE(IsBelow(hTool, pFrame->m_hWnd));
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(IsBelow(hTool, pFrame->m_hWnd)) << "raised while another program is in front";
    EXPECT_TRUE(IsBelow(hTool, search.found));

    ActivateWithoutIdle(pFrame->m_hWnd);
    ASSERT_TRUE(IsBelow(hTool, pFrame->m_hWnd));
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(IsBelow(hTool, pFrame->m_hWnd)) << "not raised while this program is in front";
}

} // namespace
