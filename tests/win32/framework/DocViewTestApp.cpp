#include "DocViewTestApp.h"

std::vector<std::string> g_routeLog;
std::string g_strRouteStop;
int g_nCheckState = 0;
int g_nCheckedRuns = 0;
int g_nHandledRuns = 0;
bool g_bFailNewDocument = false;
std::vector<ActivationCall> g_activations;
CView* g_pLastActivateView = nullptr;
bool g_bQuitPosted = false;
CTestTemplate* g_pTemplate = nullptr;

namespace {

BOOL RouteAt(const char* pszTarget)
{
    g_routeLog.push_back(pszTarget);
    return g_strRouteStop == pszTarget;
}

} // namespace

// ---- Document ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

BOOL CTestDoc::OnNewDocument()
{
    ++m_nNewDocumentCalls;
    if (g_bFailNewDocument || !CDocument::OnNewDocument()) {
        return FALSE;
    }
    m_strContent = "new document";
    return TRUE;
}

void CTestDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strContent;
    } else {
        ar >> m_strContent;
    }
}

BOOL CTestDoc::OnRoute(UINT)
{
    return RouteAt("document");
}

// ---- View -------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestView, CView)

BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

void CTestView::OnDraw(CDC*)
{
}

BOOL CTestView::OnPreparePrinting(CPrintInfo* pInfo)
{
    ++m_nPreparePrinting;
    if (m_bOwnPrinterDC) {
        // A metafile DC: not a printer, so the print job cannot start.
        pInfo->m_pPD->m_pd.hDC = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        return pInfo->m_pPD->m_pd.hDC != nullptr;
    }
    return DoPreparePrinting(pInfo);
}

void CTestView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    ++m_nEndPrinting;
    CView::OnEndPrinting(pDC, pInfo);
}

void CTestView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    ++m_nBeginPrinting;
    CView::OnBeginPrinting(pDC, pInfo);
}

void CTestView::OnInitialUpdate()
{
    ++m_nInitialUpdates;
    CView::OnInitialUpdate();
}

void CTestView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    g_activations.push_back({bActivate, pActivateView, pDeactiveView, this});
    g_pLastActivateView = pActivateView;
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

BOOL CTestView::OnRoute(UINT)
{
    return RouteAt("view");
}

// ---- Child frame, template --------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CTestChildFrame, CMDIChildWnd)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

BOOL CTestChildFrame::OnRoute(UINT)
{
    return RouteAt("child frame");
}

CTestTemplate::CTestTemplate()
    : CMultiDocTemplate(IDR_TEST_DOCTYPE, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChildFrame),
                        RUNTIME_CLASS(CTestView))
{
}

BEGIN_MESSAGE_MAP(CTestTemplate, CMultiDocTemplate)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

BOOL CTestTemplate::OnRoute(UINT)
{
    return RouteAt("template");
}

// ---- Main frame -------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CTestMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
    ON_COMMAND(ID_TEST_CHECKED, OnTestChecked)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateTestChecked)
    ON_COMMAND(ID_TEST_DISABLED, OnTestDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateTestDisabled)
    ON_COMMAND(ID_TEST_HANDLED, OnTestHandled)
END_MESSAGE_MAP()

// Bars as a program makes them: a flat toolbar with tooltips and flyby prompts, a status bar
// with the message pane and the three key indicators.
int CTestMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                   CBRS_FLYBY | CBRS_SIZE_DYNAMIC) ||
        !m_wndToolBar.LoadToolBar(IDR_TEST_MAINFRAME)) {
        return -1;
    }
    m_wndToolBar.SetWindowText("Test Bar");
    static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                       ID_INDICATOR_SCRL};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 4)) {
        return -1;
    }
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    m_wndToolBar.SetButtonStyle(2, TBBS_CHECKBOX);
    return 0;
}

BOOL CTestMainFrame::OnRoute(UINT)
{
    return RouteAt("main frame");
}

void CTestMainFrame::OnTestChecked()
{
    ++g_nCheckedRuns;
}

void CTestMainFrame::OnUpdateTestChecked(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_nCheckState);
}

void CTestMainFrame::OnTestDisabled()
{
}

void CTestMainFrame::OnUpdateTestDisabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CTestMainFrame::OnTestHandled()
{
    ++g_nHandledRuns;
}

// ---- Application ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
    ON_COMMAND_EX(ID_TEST_ROUTE, OnRoute)
END_MESSAGE_MAP()

CTestApp::CTestApp() : CWinApp("DocviewTest")
{
}

BOOL CTestApp::OnRoute(UINT)
{
    return RouteAt("application");
}

CTestApp theTestApp;

// ---- Helpers ----------------------------------------------------------------------------------

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            g_bQuitPosted = true;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

CTestMainFrame* SetUpFrame()
{
    static bool s_bInitialised = false;
    if (!s_bInitialised) {
        AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
        g_pTemplate = new CTestTemplate;
        theTestApp.AddDocTemplate(g_pTemplate);
        s_bInitialised = true;
    }
    g_routeLog.clear();
    g_strRouteStop.clear();
    g_nCheckState = 0;
    g_nCheckedRuns = 0;
    g_nHandledRuns = 0;
    g_activations.clear();
    g_pLastActivateView = nullptr;
    g_bQuitPosted = false;

    CTestMainFrame* pFrame = new CTestMainFrame;
    if (!pFrame->LoadFrame(IDR_TEST_MAINFRAME)) {
        return nullptr;
    }
    theTestApp.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    PumpMessages();
    return pFrame;
}

void TearDownFrame()
{
    theTestApp.CloseAllDocuments(FALSE);
    CWnd* pMainWnd = theTestApp.m_pMainWnd;
    theTestApp.m_pMainWnd = nullptr; // no WM_QUIT for the test's own message loop
    if (pMainWnd != nullptr) {
        pMainWnd->DestroyWindow();
    }
    PumpMessages();
}

DialogCloser::DialogCloser(const char* lpszCaption, int nButton, DWORD dwTimeoutMs, int nInputID,
                           const char* lpszInput, int nReadID)
    : m_strCaption(lpszCaption),
      m_nButton(nButton),
      m_nInputID(nInputID),
      m_strInput(lpszInput != nullptr ? lpszInput : ""),
      m_nReadID(nReadID),
      m_dwTimeoutMs(dwTimeoutMs)
{
    m_hThread = ::CreateThread(nullptr, 0, &DialogCloser::Run, this, 0, nullptr);
}

DialogCloser::~DialogCloser()
{
    Result();
}

bool DialogCloser::Seen()
{
    Result();
    return m_bSeen;
}

std::string DialogCloser::Result()
{
    if (m_hThread != nullptr) {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    return m_strText;
}

DWORD WINAPI DialogCloser::Run(LPVOID pParam)
{
    DialogCloser* pThis = static_cast<DialogCloser*>(pParam);
    const DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < pThis->m_dwTimeoutMs) {
        HWND hDlg = ::FindWindowA("#32770", pThis->m_strCaption.c_str());
        if (hDlg != nullptr && ::IsWindowVisible(hDlg)) {
            char szText[512] = "";
            ::GetDlgItemTextA(hDlg, pThis->m_nReadID, szText, sizeof(szText));
            pThis->m_strText = szText;
            pThis->m_bSeen = true;
            if (pThis->m_nInputID != 0) {
                ::SetDlgItemTextA(hDlg, pThis->m_nInputID, pThis->m_strInput.c_str());
            }
            ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(pThis->m_nButton, BN_CLICKED), 0);
            return 0;
        }
        ::Sleep(50);
    }
    return 0;
}
