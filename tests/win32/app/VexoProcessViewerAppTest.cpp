// The whole program in this process: theApp's start-up with the real main frame, documents,
// views and image control; the most recently activated view as views come and go; the main
// frame's pre-dispatch hook (pointer moves, wheel, F5, right button) and the hover timer.

#include "app/VexoProcessViewerApp.h"

#include <gtest/gtest.h>
#include <vector>

#include "ModalWatcher.h"
#include "app/MainFrame.h"
#include "document/VexoProcessViewerDoc.h"
#include "res/resource.h"
#include "view/VexoProcessViewerView.h"

namespace {

using shelltest::CModalWatcher;
using shelltest::FindOwnWindow;
using shelltest::Pump;
using shelltest::PumpFor;
using shelltest::PumpUntil;

// Long enough for the 750 ms hover delay even when everything runs emulated.
const DWORD kPastHoverDelayMs = 2000;

class VexoProcessViewerAppTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_started = theApp.InitInstance() != FALSE;
        Pump();
    }

    static void TearDownTestSuite()
    {
        if (theApp.m_pMainWnd != nullptr && ::IsWindow(theApp.m_pMainWnd->m_hWnd)) {
            theApp.m_pMainWnd->SendMessage(WM_CLOSE);
        }
        Pump();
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_started);
        ASSERT_NE(Frame(), nullptr);
        // The real pointer rests over the status bar, where moves change nothing, so that
        // windows appearing under it cannot disturb the hover state.
        CRect bar;
        Frame()->m_wndStatusBar.GetWindowRect(&bar);
        ::SetCursorPos(bar.left + 5, bar.top + bar.Height() / 2);
        Pump();
    }

    static CMainFrame* Frame() { return static_cast<CMainFrame*>(theApp.m_pMainWnd); }

    static std::vector<CVexoProcessViewerView*> Views()
    {
        std::vector<CVexoProcessViewerView*> views;
        POSITION posTemplate = theApp.GetFirstDocTemplatePosition();
        while (posTemplate != nullptr) {
            CDocTemplate* pTemplate = theApp.GetNextDocTemplate(posTemplate);
            POSITION posDoc = pTemplate->GetFirstDocPosition();
            while (posDoc != nullptr) {
                CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
                POSITION posView = pDoc->GetFirstViewPosition();
                while (posView != nullptr) {
                    views.push_back(
                        static_cast<CVexoProcessViewerView*>(pDoc->GetNextView(posView)));
                }
            }
        }
        return views;
    }

    static CVexoProcessViewerView* ActiveView()
    {
        CMDIChildWnd* pChild = Frame()->MDIGetActive();
        return pChild ? static_cast<CVexoProcessViewerView*>(pChild->GetActiveView()) : nullptr;
    }

    static void NewDocument()
    {
        Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW, 0);
        Pump();
    }

    static void CloseAllDocuments()
    {
        for (CMDIChildWnd* pChild = Frame()->MDIGetActive(); pChild != nullptr;
             pChild = Frame()->MDIGetActive()) {
            pChild->SendMessage(WM_CLOSE);
            Pump();
        }
    }

    // m_pActiveView is none or one of the live views, never a destroyed one.
    static ::testing::AssertionResult ActiveViewIsLiveOrNone()
    {
        CVexoProcessViewerView* pActive = theApp.m_pActiveView;
        if (pActive == nullptr) {
            return ::testing::AssertionSuccess();
        }
        for (CVexoProcessViewerView* pView : Views()) {
            if (pView == pActive && ::IsWindow(pView->m_hWnd)) {
                return ::testing::AssertionSuccess();
            }
        }
        return ::testing::AssertionFailure() << "m_pActiveView names no live view";
    }

    static MSG Message(HWND hwnd, UINT message, WPARAM wParam, int x, int y)
    {
        MSG msg = {};
        msg.hwnd = hwnd;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
        return msg;
    }

    static bool s_started;
};

bool VexoProcessViewerAppTest::s_started = false;

TEST_F(VexoProcessViewerAppTest, StartsMaximisedWithOneEmptyDocumentAndTheProcessTree)
{
    EXPECT_TRUE(Frame()->IsKindOf(RUNTIME_CLASS(CMainFrame)));
    EXPECT_TRUE(::IsZoomed(Frame()->m_hWnd));
    EXPECT_TRUE(Frame()->m_bReady);
    ASSERT_EQ(Views().size(), 1u);
    EXPECT_EQ(Views()[0]->GetDocument()->GetTitle(), CString("VexoPr1"));
    EXPECT_EQ(theApp.m_pActiveView, Views()[0]);
    EXPECT_TRUE(Frame()->m_wndProcessTree.IsWindowVisible());
    EXPECT_FALSE(Frame()->m_wndMemoryContents.IsWindowVisible());
    EXPECT_FALSE(Frame()->m_wndFindTool.IsWindowVisible());
    EXPECT_FALSE(Frame()->m_wndGotoAddress.IsWindowVisible());
    EXPECT_EQ(theApp.m_pProgressDlg, nullptr);
}

TEST_F(VexoProcessViewerAppTest, ActiveViewFollowsActivationAndNeverOutlivesItsView)
{
    NewDocument();
    ASSERT_EQ(Views().size(), 2u);
    CVexoProcessViewerView* pSecond = ActiveView();
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(pSecond->GetDocument()->GetTitle(), CString("VexoPr2"));
    EXPECT_EQ(theApp.m_pActiveView, pSecond);

    Frame()->MDIGetActive()->SendMessage(WM_CLOSE);
    Pump();
    ASSERT_EQ(Views().size(), 1u);
    EXPECT_TRUE(ActiveViewIsLiveOrNone());

    CloseAllDocuments();
    EXPECT_TRUE(Views().empty());
    EXPECT_EQ(theApp.m_pActiveView, nullptr);

    NewDocument();
    ASSERT_EQ(Views().size(), 1u);
    EXPECT_EQ(theApp.m_pActiveView, ActiveView());
}

TEST_F(VexoProcessViewerAppTest, PointerMovesOverTheActiveViewRestartTheHoverDelay)
{
    CVexoProcessViewerView* pView = ActiveView();
    ASSERT_NE(pView, nullptr);
    Frame()->HideAllTips();

    MSG move = Message(pView->m_hWnd, WM_MOUSEMOVE, 0, 10, 20);
    EXPECT_FALSE(Frame()->PreTranslateMessage(&move));
    EXPECT_EQ(Frame()->m_ptLastMouse, CPoint(10, 20));
    EXPECT_FALSE(Frame()->m_bTipsShown);
    EXPECT_TRUE(PumpUntil([] { return Frame()->m_bTipsShown; }, kPastHoverDelayMs * 3))
        << "the hover timer did not show the tips";

    // The same position again, and moves over other windows, leave the tips shown.
    Frame()->PreTranslateMessage(&move);
    MSG overToolbar = Message(Frame()->m_wndToolBar.m_hWnd, WM_MOUSEMOVE, 0, 3, 4);
    Frame()->PreTranslateMessage(&overToolbar);
    EXPECT_TRUE(Frame()->m_bTipsShown);
    EXPECT_EQ(Frame()->m_ptLastMouse, CPoint(10, 20));

    // Positions are signed 16-bit halves; a move over the picture counts like one over the view.
    CWnd* pImage = pView->GetImageWindow();
    MSG negative = Message(pImage ? pImage->m_hWnd : pView->m_hWnd, WM_MOUSEMOVE, 0, -5, -7);
    Frame()->PreTranslateMessage(&negative);
    EXPECT_EQ(Frame()->m_ptLastMouse, CPoint(-5, -7));
    EXPECT_FALSE(Frame()->m_bTipsShown);
    EXPECT_TRUE(PumpUntil([] { return Frame()->m_bTipsShown; }, kPastHoverDelayMs * 3));

    // The wheel hides the tips and starts the delay again.
    MSG wheel = Message(pView->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 100, 100);
    Frame()->PreTranslateMessage(&wheel);
    EXPECT_FALSE(Frame()->m_bTipsShown);
    EXPECT_TRUE(PumpUntil([] { return Frame()->m_bTipsShown; }, kPastHoverDelayMs * 3));
}

TEST_F(VexoProcessViewerAppTest, WithNoChildWindowAMoveHidesTheTipsAndStopsTheTimer)
{
    CloseAllDocuments();
    Frame()->m_bTipsShown = true;
    MSG move = Message(Frame()->m_hWnd, WM_MOUSEMOVE, 0, 30, 40);
    Frame()->PreTranslateMessage(&move);
    EXPECT_FALSE(Frame()->m_bTipsShown);
    PumpFor(kPastHoverDelayMs);
    EXPECT_FALSE(Frame()->m_bTipsShown) << "the hover timer should be stopped";

    // F5 with no child window does nothing.
    MSG f5 = Message(Frame()->m_hWnd, WM_KEYDOWN, VK_F5, 0, 0);
    Frame()->PreTranslateMessage(&f5);
    EXPECT_TRUE(Frame()->IsWindowEnabled());

    // Selecting in the process tree with no document open changes nothing.
    HWND tree = ::GetDlgItem(Frame()->m_wndProcessTree.m_hWnd, IDC_PROCESS_TREE);
    HTREEITEM root = TreeView_GetRoot(tree);
    ASSERT_NE(root, nullptr);
    TreeView_SelectItem(tree, root);
    Pump();
    EXPECT_TRUE(Views().empty());
    NewDocument();
}

TEST_F(VexoProcessViewerAppTest, F5RetrievesTheActiveDocumentAgain)
{
    CVexoProcessViewerView* pView = ActiveView();
    ASSERT_NE(pView, nullptr);
    CVexoProcessViewerDoc* pDoc = static_cast<CVexoProcessViewerDoc*>(pView->GetDocument());
    // Aim the document at this very process; F5 then retrieves it and titles the document.
    pDoc->SetTarget(&Frame()->m_wndProcessTree.GetCatalogue(), ::GetCurrentProcessId());
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);

    MSG f5 = Message(pView->m_hWnd, WM_KEYDOWN, VK_F5, 0, 0);
    EXPECT_FALSE(Frame()->PreTranslateMessage(&f5));
    Pump();
    EXPECT_EQ(lstrcmpiA(pDoc->GetTitle(), exe), 0) << static_cast<LPCSTR>(pDoc->GetTitle());
    EXPECT_TRUE(Frame()->IsWindowEnabled());
    EXPECT_TRUE(Frame()->m_wndProcessTree.IsWindowEnabled());
    EXPECT_EQ(theApp.m_pProgressDlg, nullptr);
}

// Adds a row for address to the find tool's result list and selects it.
void SelectFindResult(HWND list, int row, uint32_t address)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<LPSTR>("hit");
    item.lParam = static_cast<LPARAM>(address);
    ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

TEST_F(VexoProcessViewerAppTest, SelectingAFindResultMovesTheActiveViewToItsAddress)
{
    // The document was aimed at this process by the F5 test.
    CVexoProcessViewerView* pView = ActiveView();
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(theApp.m_pActiveView, pView);
    HWND results = ::GetDlgItem(Frame()->m_wndFindTool.m_hWnd, IDC_FIND_RESULTS);
    HWND memory = ::GetDlgItem(Frame()->m_wndMemoryContents.m_hWnd, IDC_MEMORY_LIST);
    ASSERT_NE(results, nullptr);
    ASSERT_NE(memory, nullptr);
    ListView_DeleteAllItems(results);

    static const char kProbe[] = "shell probe";
    const uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(kProbe));
    SelectFindResult(results, 0, address);
    Pump();
    char first[32] = {};
    ListView_GetItemText(memory, 0, 0, first, sizeof(first));
    char expected[32];
    wsprintfA(expected, "0x%08x", address);
    EXPECT_STREQ(first, expected);

    // With no view left, a selection changes nothing and fails nothing.
    CloseAllDocuments();
    ASSERT_EQ(theApp.m_pActiveView, nullptr);
    SelectFindResult(results, 1, 0x1000);
    Pump();
    ListView_GetItemText(memory, 0, 0, first, sizeof(first));
    EXPECT_STREQ(first, expected);
    ListView_DeleteAllItems(results);
    NewDocument();
}

TEST_F(VexoProcessViewerAppTest, AboutCommandShowsTheAboutBoxModally)
{
    std::string caption;
    // The frame's tool windows are dialogs owned by it too: look for one that is none of them.
    CModalWatcher watcher(
        [] {
            HWND box = FindOwnWindow("#32770", Frame()->m_hWnd, [](HWND hwnd) {
                return hwnd != Frame()->m_wndProcessTree.m_hWnd &&
                       hwnd != Frame()->m_wndMemoryContents.m_hWnd &&
                       hwnd != Frame()->m_wndFindTool.m_hWnd &&
                       hwnd != Frame()->m_wndGotoAddress.m_hWnd;
            });
            return box;
        },
        [&caption](HWND box) {
            caption = shelltest::TextOf(box);
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
    Frame()->SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
    watcher.Join();
    EXPECT_EQ(caption, "About VexoProcessViewer");
}

TEST_F(VexoProcessViewerAppTest, RightButtonOpensToolsMenuWithCurrentChecksAndItsCommandArrives)
{
    CVexoProcessViewerView* pView = ActiveView();
    ASSERT_NE(pView, nullptr);
    Frame()->m_wndMemoryContents.ShowWindow(SW_HIDE);
    const BOOL treeShown = Frame()->m_wndProcessTree.IsWindowVisible();

    UINT states[7] = {};
    const UINT ids[7] = {ID_TOOLS_PROCESS_LIST, ID_TOOLS_MEMORY_CONTENTS, ID_TOOLS_FIND_TEXT,
                         ID_TOOLS_GOTO_ADDRESS, ID_TOOLS_ADDRESS_PEEK,    ID_TOOLS_MODULE_LABELS,
                         ID_TOOLS_FIT_TO_WINDOW};
    UINT idsSeen[7] = {};
    CModalWatcher watcher([] { return FindOwnWindow("#32768"); },
                          [&](HWND menuWindow) {
                              ::Sleep(200);
                              HMENU menu = reinterpret_cast<HMENU>(
                                  ::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
                              for (int i = 0; i < 7; ++i) {
                                  idsSeen[i] = ::GetMenuItemID(menu, i);
                                  states[i] = ::GetMenuState(menu, i, MF_BYPOSITION);
                              }
                              // Choose the second item, "Memory Contents".
                              ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
                              ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
                              ::PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
                          });
    MSG press = Message(pView->m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, 50, 60);
    EXPECT_FALSE(Frame()->PreTranslateMessage(&press));
    watcher.Join();
    ASSERT_TRUE(watcher.Seen()) << "no popup menu opened";
    Pump();

    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(idsSeen[i], ids[i]) << "item " << i;
    }
    EXPECT_EQ((states[0] & MF_CHECKED) != 0, treeShown != FALSE);
    EXPECT_EQ(states[1] & MF_CHECKED, 0u);
    EXPECT_EQ((states[4] & MF_CHECKED) != 0, Frame()->m_bAddressPeek != FALSE);
    EXPECT_EQ((states[5] & MF_CHECKED) != 0, Frame()->m_bModuleLabels != FALSE);
    EXPECT_EQ(states[6] & MF_CHECKED, 0u);
    EXPECT_TRUE(
        PumpUntil([] { return Frame()->m_wndMemoryContents.IsWindowVisible() != FALSE; }, 5000));
}

TEST_F(VexoProcessViewerAppTest, RepaintingTheFrameWithItsBackgroundKeepsThePictureOnScreen)
{
    CVexoProcessViewerView* pView = ActiveView();
    ASSERT_NE(pView, nullptr);
    CWnd* pImage = pView->GetImageWindow();
    ASSERT_NE(pImage, nullptr);
    for (CWnd* pTool : {static_cast<CWnd*>(&Frame()->m_wndProcessTree),
                        static_cast<CWnd*>(&Frame()->m_wndMemoryContents),
                        static_cast<CWnd*>(&Frame()->m_wndFindTool),
                        static_cast<CWnd*>(&Frame()->m_wndGotoAddress)}) {
        pTool->ShowWindow(SW_HIDE);
    }
    POINT point = {5, 5};
    pImage->ClientToScreen(&point);
    ASSERT_EQ(::WindowFromPoint(point), pImage->m_hWnd)
        << "the picture is covered at the probe point";
    PumpFor(300);
    HDC screen = ::GetDC(nullptr);
    const COLORREF before = ::GetPixel(screen, point.x, point.y);
    // What the runner does after every background run.
    Frame()->InvalidateRect(nullptr, TRUE);
    PumpFor(500);
    const COLORREF after = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(after, before);
    EXPECT_NE(after, ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(VexoProcessViewerAppTest, FitToWindowReachesEveryViewOfEveryDocument)
{
    // A second window on the same document: both views are visited and nothing fails.
    Frame()->SendMessage(WM_COMMAND, ID_WINDOW_NEW, 0);
    Pump();
    ASSERT_GE(Views().size(), 2u);
    for (CVexoProcessViewerView* pView : Views()) {
        pView->ValidateRect(nullptr);
    }
    Frame()->SendMessage(WM_COMMAND, ID_TOOLS_FIT_TO_WINDOW, 0);
    for (CVexoProcessViewerView* pView : Views()) {
        // Invalidated with erase: the view has an update region now.
        EXPECT_TRUE(::GetUpdateRect(pView->m_hWnd, nullptr, FALSE)) << "a view was not repainted";
    }
    Pump();
}

// Find does nothing with an empty text or without a document: the list keeps its rows.
TEST_F(VexoProcessViewerAppTest, FindDoesNothingWithAnEmptyTextOrWithoutADocument)
{
    CFindToolDlg& tool = Frame()->m_wndFindTool;
    const auto clickFind = [&tool](const char* text) {
        tool.SetDlgItemText(IDC_FIND_TEXT, text);
        tool.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIND_BUTTON, BN_CLICKED), 0);
    };
    HWND results = ::GetDlgItem(tool.m_hWnd, IDC_FIND_RESULTS);
    SelectFindResult(results, 0, 0x1000);
    static_cast<CVexoProcessViewerDoc*>(ActiveView()->GetDocument())
        ->SetTarget(&Frame()->m_wndProcessTree.GetCatalogue(), ::GetCurrentProcessId());
    clickFind("");
    EXPECT_EQ(ListView_GetItemCount(results), 1) << "no search for an empty text";

    CloseAllDocuments();
    clickFind("probe");
    EXPECT_EQ(ListView_GetItemCount(results), 1) << "no search without a document";
    EXPECT_TRUE(Frame()->IsWindowEnabled());
    ListView_DeleteAllItems(results);
    NewDocument();
}

} // namespace
