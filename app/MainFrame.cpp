#include "app/MainFrame.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "app/FramePlacement.h"
#include "app/VexoProcessViewerApp.h"
#include "res/resource.h"
#include "view/RectConversion.h"
#include "view/VexoProcessViewerView.h"

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_ENDSESSION, OnEndSession)
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_CONTEXTMENU()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND(ID_TOOLS_PROCESS_LIST, OnToolsProcessList)
    ON_COMMAND(ID_TOOLS_MEMORY_CONTENTS, OnToolsMemoryContents)
    ON_COMMAND(ID_TOOLS_FIND_TEXT, OnToolsFindText)
    ON_COMMAND(ID_TOOLS_MODULE_LABELS, OnToolsModuleLabels)
    ON_COMMAND(ID_TOOLS_ADDRESS_PEEK, OnToolsAddressPeek)
    ON_COMMAND(ID_TOOLS_FIT_TO_WINDOW, OnToolsFitToWindow)
    ON_COMMAND(ID_TOOLS_GOTO_ADDRESS, OnToolsGotoAddress)
    ON_COMMAND(ID_VIEW_REFRESH, OnViewRefresh)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_PROCESS_LIST, OnUpdateToolsProcessList)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_MEMORY_CONTENTS, OnUpdateToolsMemoryContents)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_FIND_TEXT, OnUpdateToolsFindText)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_MODULE_LABELS, OnUpdateToolsModuleLabels)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_ADDRESS_PEEK, OnUpdateToolsAddressPeek)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_GOTO_ADDRESS, OnUpdateToolsGotoAddress)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_FIT_TO_WINDOW, OnUpdateLeaveAsIs)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateLeaveAsIs)
END_MESSAGE_MAP()

namespace {

const UINT kIndicators[] = {
    ID_SEPARATOR,
    ID_INDICATOR_CAPS,
    ID_INDICATOR_NUM,
    ID_INDICATOR_SCRL,
};

// Toolbar positions whose buttons stay pressed while their command is checked, in the order
// their style is set.
const int kCheckButtonPositions[] = {1, 2, 3, 5, 4};

// A position no pointer message can report (they carry signed 16-bit values), so that the
// first move over the active view always counts as a change.
const CPoint kNoMousePosition(INT_MIN, INT_MIN);

CPoint MessagePoint(const MSG* pMsg)
{
    return CPoint(static_cast<short>(LOWORD(pMsg->lParam)),
                  static_cast<short>(HIWORD(pMsg->lParam)));
}

} // namespace

CMainFrame::CMainFrame()
    : m_bReady(false),
      m_wndProcessTree(nullptr),
      m_wndMemoryContents(nullptr),
      m_wndFindTool(nullptr),
      m_wndGotoAddress(nullptr),
      m_bModuleLabels(TRUE),
      m_bAddressPeek(TRUE),
      m_bGotoShown(FALSE),
      m_bTipsShown(false),
      m_ptLastMouse(kNoMousePosition),
      m_bRunUnderWay(false)
{
}

CMainFrame::~CMainFrame()
{
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CMDIFrameWnd::PreCreateWindow(cs);
}

// While a run is under way the frame is disabled and takes no commands. One posted all the same
// could close a document that the worker uses or start a second run, so it is dropped; only the
// exit request goes on, and its close is held until the run has ended.
BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_bRunUnderWay && LOWORD(wParam) != ID_APP_EXIT) {
        return TRUE;
    }
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

void CMainFrame::OnClose()
{
    if (HoldCloseDuringRun(this)) {
        return;
    }
    CMDIFrameWnd::OnClose();
}

// The session ends: close as for any close request, so that the settings are saved; during a run
// the close waits for its end like any other (the system may end the program before that, which
// frees nothing under the worker either).
LRESULT CMainFrame::OnEndSession(WPARAM wParam, LPARAM lParam)
{
    if (wParam) {
        SendMessage(WM_CLOSE);
    }
    return 0;
}

bool CMainFrame::HoldCloseDuringRun(CWnd* pFrame)
{
    if (!m_bRunUnderWay || pFrame == nullptr) {
        return false;
    }
    const HWND hFrame = pFrame->GetSafeHwnd();
    if (std::find(m_heldCloses.begin(), m_heldCloses.end(), hFrame) == m_heldCloses.end()) {
        m_heldCloses.push_back(hFrame);
    }
    return true;
}

// Posted, not sent: the close runs from the message loop once the run's caller has returned.
void CMainFrame::CarryOutHeldCloses()
{
    std::vector<HWND> held;
    held.swap(m_heldCloses);
    for (HWND hFrame : held) {
        if (::IsWindow(hFrame)) {
            ::PostMessage(hFrame, WM_CLOSE, 0, 0);
        }
    }
}

BOOL CMainFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                           CCreateContext* pContext)
{
    return CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

// Frame creation: bars, tool windows, the process tree's place, the hover timer. Any failure
// fails the creation (and with it LoadFrame).
int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    if (CreateBars() == -1 || CreateToolWindows() == -1) {
        return -1;
    }

    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    for (int position : kCheckButtonPositions) {
        m_wndToolBar.SetButtonStyle(position, TBBS_CHECKBOX);
    }
    m_wndToolBar.EnableToolTips(TRUE);

    m_wndProcessTree.ShowWindow(SW_SHOW);
    PlaceProcessTreeAtCreation();
    m_wndProcessTree.ScrollToProcess(::GetCurrentProcessId());

    SetTimer(kHoverTimerId, kHoverDelayMs, nullptr);
    m_bReady = true;
    return 0;
}

int CMainFrame::CreateBars()
{
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                   CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME)) {
        return -1;
    }
    m_wndToolBar.SetWindowText("Toolbar"); // the caption of the toolbar's floating frame
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0]))) {
        return -1;
    }
    return 0;
}

int CMainFrame::CreateToolWindows()
{
    if (!m_wndProcessTree.Create(IDD_PROCESS_TREE, this) ||
        !m_wndMemoryContents.Create(IDD_MEMORY_CONTENTS, this) ||
        !m_wndFindTool.Create(IDD_FIND_TOOL, this) ||
        !m_wndGotoAddress.Create(IDD_GOTO_ADDRESS, this)) {
        return -1;
    }
    return 0;
}

// At creation the process tree covers the frame's right third, from its window rectangle.
void CMainFrame::PlaceProcessTreeAtCreation()
{
    CRect frame;
    GetWindowRect(&frame);
    const WindowPlacement place = PlaceProcessTree(ToPlainRect(frame));
    m_wndProcessTree.SetWindowPos(nullptr, place.x, place.y, place.width, place.height,
                                  SWP_NOZORDER);
}

// When the frame's parent opens, the same rule from the client rectangle, and on top. Without
// activating it: Wine drops the topmost state of an owned window that the call activates.
void CMainFrame::PlaceProcessTreeOnParentOpening()
{
    CRect client;
    GetClientRect(&client);
    const WindowPlacement place = PlaceProcessTree(ToPlainRect(client));
    m_wndProcessTree.SetWindowPos(&CWnd::wndTopMost, place.x, place.y, place.width, place.height,
                                  SWP_NOACTIVATE);
}

void CMainFrame::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CMDIFrameWnd::OnShowWindow(bShow, nStatus);
    if (nStatus == SW_PARENTOPENING) {
        PlaceProcessTreeOnParentOpening();
    }
}

void CMainFrame::OnDestroy()
{
    CMDIFrameWnd::OnDestroy();
    KillTimer(kHoverTimerId);
}

// The Tools menu opens on the right button's press (see PreTranslateMessage), so the system's
// context-menu notification opens nothing.
void CMainFrame::OnContextMenu(CWnd* pWnd, CPoint pos)
{
}

// Idle time: the framework updates the bars; then any shown tool window that lies below the
// frame is put back above it. Owned windows stay above their owner on Windows, so there this
// finds nothing; Wine raises an activated frame above its owned windows, which would bury the
// tool windows under the maximised frame.
LRESULT CMainFrame::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CMDIFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    KeepToolWindowsAbove();
    return result;
}

void CMainFrame::KeepToolWindowsAbove()
{
    // Only while the user works with this program: raising them while another program is in
    // front would put them over that program's windows.
    if (!IsOurApplicationInFront()) {
        return;
    }
    // The floating toolbar's frame is one of them.
    const HWND hToolBarFrame =
        m_wndToolBar.IsFloating() ? ::GetParent(m_wndToolBar.GetSafeHwnd()) : nullptr;
    const HWND tools[] = {m_wndProcessTree.GetSafeHwnd(), m_wndMemoryContents.GetSafeHwnd(),
                          m_wndFindTool.GetSafeHwnd(), m_wndGotoAddress.GetSafeHwnd(),
                          hToolBarFrame};
    for (HWND hTool : tools) {
        if (hTool != nullptr && ::IsWindowVisible(hTool) && IsBelowFrame(hTool)) {
            ::SetWindowPos(hTool, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

bool CMainFrame::IsOurApplicationInFront() const
{
    const HWND hForeground = ::GetForegroundWindow();
    DWORD processId = 0;
    if (hForeground == nullptr || ::GetWindowThreadProcessId(hForeground, &processId) == 0) {
        return false;
    }
    return processId == ::GetCurrentProcessId();
}

bool CMainFrame::IsBelowFrame(HWND hwnd) const
{
    for (HWND below = ::GetWindow(m_hWnd, GW_HWNDNEXT); below != nullptr;
         below = ::GetWindow(below, GW_HWNDNEXT)) {
        if (below == hwnd) {
            return true;
        }
    }
    return false;
}

// The frame does not clip its children, so filling its background would paint over the MDI
// client and the child windows in it, which a repaint of the frame alone does not redraw (the
// runner invalidates the frame after every background run). The bars ask for this background
// too (a flat toolbar shows it through), so it is filled everywhere but over the MDI client.
BOOL CMainFrame::OnEraseBkgnd(CDC* pDC)
{
    const int saved = ::SaveDC(pDC->m_hDC);
    if (m_hWndMDIClient != nullptr && ::IsWindowVisible(m_hWndMDIClient)) {
        CRect client;
        ::GetWindowRect(m_hWndMDIClient, &client);
        ScreenToClient(&client);
        ::ExcludeClipRect(pDC->m_hDC, client.left, client.top, client.right, client.bottom);
    }
    const BOOL erased = CMDIFrameWnd::OnEraseBkgnd(pDC);
    ::RestoreDC(pDC->m_hDC, saved);
    return erased;
}

void CMainFrame::EnableInteraction(BOOL bEnable)
{
    CWnd* const windows[] = {&m_wndStatusBar, &m_wndToolBar,     &m_wndProcessTree,
                             &m_wndFindTool,  &m_wndGotoAddress, this};
    for (CWnd* pWnd : windows) {
        if (pWnd->GetSafeHwnd() != nullptr) {
            pWnd->EnableWindow(bEnable);
        }
    }
    m_bRunUnderWay = !bEnable;
    if (bEnable) {
        CarryOutHeldCloses();
    }
}

void CMainFrame::ShowMemoryContents(CProcessCatalogue* pCatalogue, const ProcessRecord* pRecord,
                                    uint32_t address)
{
    m_wndMemoryContents.ShowMemory(pCatalogue, pRecord, address);
}

// ---- Hover tips -------------------------------------------------------------------------------

void CMainFrame::RestartHoverTimer()
{
    KillTimer(kHoverTimerId);
    SetTimer(kHoverTimerId, kHoverDelayMs, nullptr);
}

void CMainFrame::StopHoverTimer()
{
    KillTimer(kHoverTimerId);
}

void CMainFrame::HideAllTips()
{
    for (CVexoProcessViewerView* pView : CVexoProcessViewerView::AllViews()) {
        pView->HideTips();
    }
    m_bTipsShown = false;
}

// Asks every view under the pointer for its tips, also views of child windows that lie under
// another child window.
void CMainFrame::ShowTipsAtCursor()
{
    POINT cursor;
    if (::GetCursorPos(&cursor)) {
        for (CVexoProcessViewerView* pView : CVexoProcessViewerView::AllViews()) {
            CRect rect;
            pView->GetClientRect(&rect);
            pView->ClientToScreen(&rect);
            if (cursor.x >= rect.left && cursor.x < rect.right && cursor.y >= rect.top &&
                cursor.y < rect.bottom) {
                CPoint point(cursor.x, cursor.y);
                pView->ScreenToClient(&point);
                pView->ShowTipsAt(point.x, point.y);
            }
        }
    }
    m_bTipsShown = true;
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoverTimerId && !m_bTipsShown) {
        StopHoverTimer();
        HideAllTips();
        ShowTipsAtCursor();
    }
    CMDIFrameWnd::OnTimer(nIDEvent);
}

// ---- Pre-dispatch hook ------------------------------------------------------------------------

// Sees every queued message for the frame and the windows inside it; consumes none of them.
BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_KEYDOWN:
        if (pMsg->wParam == VK_F5) {
            OnViewRefresh();
        }
        break;
    case WM_MOUSEMOVE:
        TrackMouseMove(pMsg);
        break;
    case WM_RBUTTONDOWN:
        OpenToolsMenu(pMsg);
        break;
    case WM_MOUSEWHEEL:
        HideAllTips();
        RestartHoverTimer();
        break;
    default:
        break;
    }
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

// A move over the active view (or its picture) to a new position hides the tips and starts the
// delay again; with no child window open any move hides them and stops the timer.
void CMainFrame::TrackMouseMove(const MSG* pMsg)
{
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild == nullptr) {
        HideAllTips();
        StopHoverTimer();
        return;
    }
    CVexoProcessViewerView* pView =
        DYNAMIC_DOWNCAST(CVexoProcessViewerView, pChild->GetActiveView());
    if (pView == nullptr) {
        return;
    }
    const CWnd* pImage = pView->GetImageWindow();
    const HWND hImage = pImage != nullptr ? pImage->GetSafeHwnd() : nullptr;
    const bool overView = pMsg->hwnd == pView->GetSafeHwnd();
    const bool overImage = hImage != nullptr && pMsg->hwnd == hImage;
    if (!overView && !overImage) {
        return;
    }
    const CPoint point = MessagePoint(pMsg);
    if (point.x != m_ptLastMouse.x || point.y != m_ptLastMouse.y) {
        m_ptLastMouse = point;
        HideAllTips();
        RestartHoverTimer();
    }
}

// Right-button press: the Tools popup at the pointer, owned by the main window so that a chosen
// item arrives there as a command.
void CMainFrame::OpenToolsMenu(const MSG* pMsg)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_TOOLS_MENU)) {
        return;
    }
    CMenu* pPopup = menu.GetSubMenu(0);
    CWnd* pOwner = AfxGetMainWnd();
    if (pPopup != nullptr && pOwner != nullptr) {
        POINT point = MessagePoint(pMsg);
        ::ClientToScreen(pMsg->hwnd, &point);
        pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, pOwner);
    }
    menu.DestroyMenu();
}

// ---- Commands ---------------------------------------------------------------------------------

void CMainFrame::ToggleVisibility(CWnd& wnd)
{
    wnd.ShowWindow(wnd.IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CMainFrame::OnToolsProcessList()
{
    ToggleVisibility(m_wndProcessTree);
}

void CMainFrame::OnToolsMemoryContents()
{
    ToggleVisibility(m_wndMemoryContents);
}

void CMainFrame::OnToolsFindText()
{
    ToggleVisibility(m_wndFindTool);
}

// Works from the remembered state, which the update handler keeps equal to the real one: a goto
// window closed with its own close box is shown again by the next command.
void CMainFrame::OnToolsGotoAddress()
{
    m_bGotoShown = !m_bGotoShown;
    m_wndGotoAddress.ShowWindow(m_bGotoShown ? SW_SHOW : SW_HIDE);
}

void CMainFrame::OnToolsModuleLabels()
{
    m_bModuleLabels = !m_bModuleLabels;
    for (CVexoProcessViewerView* pView : CVexoProcessViewerView::AllViews()) {
        pView->SetModuleLabelsShown(m_bModuleLabels);
    }
}

void CMainFrame::OnToolsAddressPeek()
{
    m_bAddressPeek = !m_bAddressPeek;
    for (CVexoProcessViewerView* pView : CVexoProcessViewerView::AllViews()) {
        pView->SetAddressPeekShown(m_bAddressPeek);
    }
}

void CMainFrame::OnToolsFitToWindow()
{
    for (CVexoProcessViewerView* pView : CVexoProcessViewerView::AllViews()) {
        pView->FitImageToWindow();
        pView->InvalidateRect(nullptr, TRUE);
    }
}

// Save reaches the frame only when no view took it.
void CMainFrame::OnFileSave()
{
    if (CVexoProcessViewerView* pView = DYNAMIC_DOWNCAST(CVexoProcessViewerView, GetActiveView())) {
        pView->FitImageToWindow();
    }
}

// Refresh (command and F5): the active view of the active child window, if there is one.
void CMainFrame::OnViewRefresh()
{
    if (CVexoProcessViewerView* pView = CVexoProcessViewerView::FromActiveFrame()) {
        theApp.RefreshView(pView);
    }
}

// ---- Update handlers --------------------------------------------------------------------------

void CMainFrame::OnUpdateToolsProcessList(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndProcessTree.IsWindowVisible() ? 1 : 0);
}

void CMainFrame::OnUpdateToolsMemoryContents(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndMemoryContents.IsWindowVisible() ? 1 : 0);
}

void CMainFrame::OnUpdateToolsFindText(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndFindTool.IsWindowVisible() ? 1 : 0);
}

void CMainFrame::OnUpdateToolsGotoAddress(CCmdUI* pCmdUI)
{
    m_bGotoShown = m_wndGotoAddress.IsWindowVisible();
    pCmdUI->SetCheck(m_bGotoShown ? 1 : 0);
}

void CMainFrame::OnUpdateToolsModuleLabels(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bModuleLabels ? 1 : 0);
}

void CMainFrame::OnUpdateToolsAddressPeek(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bAddressPeek ? 1 : 0);
}

// Leaves the item as it is; being present, it keeps the framework from disabling the command.
void CMainFrame::OnUpdateLeaveAsIs(CCmdUI* pCmdUI)
{
}
