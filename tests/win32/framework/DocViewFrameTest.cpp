// Documents in MDI child frames on real windows: titles and captions, the menu bar that
// switches with the active child, view activation, closing frames and documents.
#include <gtest/gtest.h>

#include "DocViewTestApp.h"
#include "tests/support/ExpectSequence.h"

namespace {

std::string WindowText(HWND hWnd)
{
    char szText[256] = "";
    ::GetWindowTextA(hWnd, szText, sizeof(szText));
    return szText;
}

class DocViewFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = SetUpFrame();
        ASSERT_NE(nullptr, m_pFrame);
    }
    void TearDown() override { TearDownFrame(); }

    // File New as the menu gives it: a WM_COMMAND to the main frame.
    CTestDoc* NewDocument()
    {
        m_pFrame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        PumpMessages();
        CMDIChildWnd* pChild = m_pFrame->MDIGetActive();
        return pChild != nullptr ? static_cast<CTestDoc*>(pChild->GetActiveDocument()) : nullptr;
    }
    static CTestView* FirstView(CDocument* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        return static_cast<CTestView*>(pDoc->GetNextView(pos));
    }
    // The OnActivateView calls so far as text, pView named "view".
    static std::vector<std::string> ActivationCalls(CView* pView)
    {
        auto name = [pView](CView* p) {
            return p == nullptr ? "none" : p == pView ? "view" : "other";
        };
        std::vector<std::string> calls;
        for (const ActivationCall& call : g_activations) {
            calls.push_back(std::string(call.bActivate ? "activate" : "deactivate") +
                            ": activating " + name(call.pActivateView) + ", deactivated " +
                            name(call.pDeactiveView));
        }
        return calls;
    }

    CTestMainFrame* m_pFrame = nullptr;
};

TEST_F(DocViewFrameTest, NewDocumentsAreNumberedAndCaptionsFollowTheActiveOne)
{
    EXPECT_EQ("DocviewTest", WindowText(m_pFrame->m_hWnd));

    CTestDoc* pFirst = NewDocument();
    ASSERT_NE(nullptr, pFirst);
    CTestDoc* pSecond = NewDocument();
    ASSERT_NE(nullptr, pSecond);
    ASSERT_NE(pFirst, pSecond);
    EXPECT_EQ(1, pFirst->m_nNewDocumentCalls);
    EXPECT_EQ("new document", std::string(pFirst->m_strContent));

    const std::string strFirst = pFirst->GetTitle().str();
    const std::string strSecond = pSecond->GetTitle().str();
    // One running counter per template: consecutive documents get consecutive numbers.
    ASSERT_EQ(0u, strFirst.find("VexoPr"));
    const int nFirst = atoi(strFirst.c_str() + 6);
    EXPECT_GE(nFirst, 1);
    EXPECT_EQ("VexoPr" + std::to_string(nFirst + 1), strSecond);

    CFrameWnd* pFirstFrame = FirstView(pFirst)->GetParentFrame();
    CFrameWnd* pSecondFrame = FirstView(pSecond)->GetParentFrame();
    EXPECT_EQ(strFirst, WindowText(pFirstFrame->m_hWnd));
    EXPECT_EQ(strSecond, WindowText(pSecondFrame->m_hWnd));
    EXPECT_EQ(pSecondFrame, m_pFrame->MDIGetActive());
    EXPECT_EQ("DocviewTest - " + strSecond, WindowText(m_pFrame->m_hWnd));

    // A title set by the document shows in both captions at once.
    pSecond->SetTitle("C:\\target.exe");
    EXPECT_EQ("C:\\target.exe", WindowText(pSecondFrame->m_hWnd));
    EXPECT_EQ("DocviewTest - C:\\target.exe", WindowText(m_pFrame->m_hWnd));

    // Activating the other child brings its title into the frame's caption.
    m_pFrame->MDIActivate(pFirstFrame);
    EXPECT_EQ("DocviewTest - " + strFirst, WindowText(m_pFrame->m_hWnd));
    EXPECT_EQ(pFirstFrame, m_pFrame->GetActiveFrame());
    EXPECT_EQ(pFirst, m_pFrame->GetActiveFrame()->GetActiveDocument());
}

TEST_F(DocViewFrameTest, TheCounterMovesOnlyForDocumentsThatWereMade)
{
    CTestDoc* pFirst = NewDocument();
    ASSERT_NE(nullptr, pFirst);
    const int nFirst = atoi(pFirst->GetTitle().str().c_str() + 6);

    // A document whose OnNewDocument fails goes away with its frame and uses no number.
    g_bFailNewDocument = true;
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    g_bFailNewDocument = false;
    PumpMessages();
    int nDocs = 0;
    for (POSITION pos = g_pTemplate->GetFirstDocPosition(); pos != nullptr;
         g_pTemplate->GetNextDoc(pos)) {
        ++nDocs;
    }
    EXPECT_EQ(1, nDocs);
    EXPECT_EQ(nullptr, ::GetWindow(m_pFrame->MDIGetActive()->m_hWnd, GW_HWNDNEXT));
    CTestDoc* pSecond = NewDocument();
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ("VexoPr" + std::to_string(nFirst + 1), pSecond->GetTitle().str());
}

TEST_F(DocViewFrameTest, MenuBarSwitchesWithTheActiveChildAndBack)
{
    const HMENU hFrameMenu = m_pFrame->m_hMenuDefault;
    ASSERT_NE(nullptr, hFrameMenu);
    EXPECT_EQ(hFrameMenu, ::GetMenu(m_pFrame->m_hWnd));
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
    EXPECT_EQ(m_pFrame, m_pFrame->GetActiveFrame());

    CTestDoc* pFirst = NewDocument();
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(g_pTemplate->m_hMenuShared, ::GetMenu(m_pFrame->m_hWnd));
    CTestDoc* pSecond = NewDocument();
    ASSERT_NE(nullptr, pSecond);

    // Closing one of two children keeps the document menu.
    FirstView(pSecond)->GetParentFrame()->SendMessage(WM_CLOSE);
    PumpMessages();
    EXPECT_EQ(1, m_pFrame->MDIGetActive() != nullptr ? 1 : 0);
    EXPECT_EQ(g_pTemplate->m_hMenuShared, ::GetMenu(m_pFrame->m_hWnd));
    EXPECT_EQ("DocviewTest - " + pFirst->GetTitle().str(), WindowText(m_pFrame->m_hWnd));

    // The last one going brings back the frame's own menu and caption.
    FirstView(pFirst)->GetParentFrame()->SendMessage(WM_CLOSE);
    PumpMessages();
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
    EXPECT_EQ(hFrameMenu, ::GetMenu(m_pFrame->m_hWnd));
    EXPECT_EQ("DocviewTest", WindowText(m_pFrame->m_hWnd));
    EXPECT_EQ(nullptr, g_pTemplate->GetFirstDocPosition());
}

TEST_F(DocViewFrameTest, WindowMenuOfTheDocumentMenuListsTheChildren)
{
    ASSERT_NE(nullptr, NewDocument());
    ASSERT_NE(nullptr, NewDocument());
    // The MDI client appends one item per child to the "&Window" popup (index 3).
    HMENU hWindowMenu = ::GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 3);
    ASSERT_NE(nullptr, hWindowMenu);
    int nChildItems = 0;
    for (int i = 0; i < ::GetMenuItemCount(hWindowMenu); ++i) {
        if (::GetMenuItemID(hWindowMenu, i) >= AFX_IDM_FIRST_MDICHILD) {
            ++nChildItems;
        }
    }
    EXPECT_EQ(2, nChildItems);
}

TEST_F(DocViewFrameTest, NewViewIsActivatedAndInitialisedOnce)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    CTestView* pView = FirstView(pDoc);
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(1, pView->m_nInitialUpdates);
    EXPECT_EQ(pDoc, pView->GetDocument());
    CFrameWnd* pChild = pView->GetParentFrame();
    EXPECT_EQ(pView, pChild->GetActiveView());
    EXPECT_EQ(m_pFrame, pChild->GetTopLevelFrame());
    EXPECT_EQ(pView, g_pLastActivateView);
    bool bActivated = false;
    for (const ActivationCall& call : g_activations) {
        bActivated =
            bActivated || (call.bActivate && call.pView == pView && call.pActivateView == pView);
    }
    EXPECT_TRUE(bActivated);
    // The main frame itself has no active view in an MDI program.
    EXPECT_EQ(nullptr, m_pFrame->GetActiveView());
}

TEST_F(DocViewFrameTest, ClosingTheActiveViewLeavesNoActivatedViewBehind)
{
    CTestDoc* pFirst = NewDocument();
    CTestDoc* pSecond = NewDocument();
    ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr);
    CTestView* pSecondView = FirstView(pSecond);
    ASSERT_EQ(pSecondView, g_pLastActivateView);

    g_activations.clear();
    pSecondView->GetParentFrame()->SendMessage(WM_CLOSE);
    PumpMessages();
    // The view was told it lost the active state with no view taking it over, as its last
    // activation call.
    ASSERT_FALSE(g_activations.empty());
    const ActivationCall& last = g_activations.back();
    EXPECT_FALSE(last.bActivate);
    EXPECT_EQ(pSecondView, last.pView);
    EXPECT_EQ(nullptr, last.pActivateView);
    EXPECT_EQ(pSecondView, last.pDeactiveView);
    EXPECT_EQ(nullptr, g_pLastActivateView);

    // The remaining child still has its view, which a frame activation tells again.
    CMDIChildWnd* pChild = m_pFrame->MDIGetActive();
    ASSERT_NE(nullptr, pChild);
    EXPECT_EQ(FirstView(pFirst), pChild->GetActiveView());
    m_pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(FirstView(pFirst), g_pLastActivateView);
}

TEST_F(DocViewFrameTest, SetActiveViewDeactivatesTheOldViewBeforeActivatingTheNew)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    CTestView* pView = FirstView(pDoc);
    CFrameWnd* pChild = pView->GetParentFrame();

    static const char* const kClearThenSetTheActiveView[] = {
        "deactivate: activating none, deactivated view",
        "activate: activating view, deactivated none",
    };
    g_activations.clear();
    pChild->SetActiveView(nullptr);
    pChild->SetActiveView(pView);
    EXPECT_SEQUENCE(kClearThenSetTheActiveView, ActivationCalls(pView));
    // Setting the active view again changes nothing.
    pChild->SetActiveView(pView);
    EXPECT_SEQUENCE(kClearThenSetTheActiveView, ActivationCalls(pView));
}

TEST_F(DocViewFrameTest, NewWindowShowsTheDocumentTwiceAndTheDocumentGoesWithItsLastFrame)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    const std::string strTitle = pDoc->GetTitle().str();
    m_pFrame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    PumpMessages();

    std::vector<CView*> views;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != nullptr;) {
        views.push_back(pDoc->GetNextView(pos));
    }
    ASSERT_EQ(2u, views.size());
    EXPECT_EQ(strTitle + ":1", WindowText(views[0]->GetParentFrame()->m_hWnd));
    EXPECT_EQ(strTitle + ":2", WindowText(views[1]->GetParentFrame()->m_hWnd));
    // The main frame names the document without the child's number.
    EXPECT_EQ("DocviewTest - " + strTitle, WindowText(m_pFrame->m_hWnd));

    // Closing one frame keeps the document; the other frame loses its number.
    views[1]->GetParentFrame()->SendMessage(WM_CLOSE);
    PumpMessages();
    POSITION pos = g_pTemplate->GetFirstDocPosition();
    ASSERT_EQ(pDoc, g_pTemplate->GetNextDoc(pos));
    EXPECT_EQ(strTitle, WindowText(views[0]->GetParentFrame()->m_hWnd));
    views[0]->GetParentFrame()->SendMessage(WM_CLOSE);
    PumpMessages();
    EXPECT_EQ(nullptr, g_pTemplate->GetFirstDocPosition());
}

TEST_F(DocViewFrameTest, ExitClosesDocumentsAndTheMainWindow)
{
    ASSERT_NE(nullptr, NewDocument());
    ASSERT_NE(nullptr, NewDocument());
    const HWND hFrame = m_pFrame->m_hWnd;
    m_pFrame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(nullptr, theTestApp.m_pMainWnd);
    EXPECT_EQ(nullptr, g_pTemplate->GetFirstDocPosition());
    EXPECT_TRUE(g_bQuitPosted); // the message loop would end
}

TEST_F(DocViewFrameTest, ControlBarsFrameTheClientAndFollowTheirToggles)
{
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    CRect rcToolBar, rcStatus, rcMdi;
    m_pFrame->m_wndToolBar.GetWindowRect(&rcToolBar);
    m_pFrame->m_wndStatusBar.GetWindowRect(&rcStatus);
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rcMdi);
    m_pFrame->ScreenToClient(&rcToolBar);
    m_pFrame->ScreenToClient(&rcStatus);
    m_pFrame->ScreenToClient(&rcMdi);
    EXPECT_EQ(0, rcToolBar.top);
    EXPECT_EQ(rcClient.Width(), rcToolBar.Width());
    // Buttons are the resource's 20 x 18 images plus 7 pixels each way.
    EXPECT_EQ(MAKELONG(27, 25), (DWORD)m_pFrame->m_wndToolBar.SendMessage(TB_GETBUTTONSIZE));
    EXPECT_GE(rcToolBar.Height(), 25);
    EXPECT_EQ(rcClient.bottom, rcStatus.bottom);
    EXPECT_GT(rcStatus.Height(), 0);
    EXPECT_EQ(rcToolBar.bottom, rcMdi.top);
    EXPECT_EQ(rcStatus.top, rcMdi.bottom);

    // The toolbar toggle hides it and the client moves up.
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rcMdi);
    m_pFrame->ScreenToClient(&rcMdi);
    EXPECT_EQ(0, rcMdi.top);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());

    // A new size is laid out again.
    m_pFrame->SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->m_wndStatusBar.GetWindowRect(&rcStatus);
    m_pFrame->ScreenToClient(&rcStatus);
    EXPECT_EQ(rcClient.bottom, rcStatus.bottom);
    EXPECT_EQ(rcClient.Width(), rcStatus.Width());
}

} // namespace
