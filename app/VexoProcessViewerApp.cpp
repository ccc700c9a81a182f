#include "app/VexoProcessViewerApp.h"

#include "app/AboutDlg.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "document/RetrieveRunner.h"
#include "document/VexoProcessViewerDoc.h"
#include "imagectl/ImageControlIds.h"
#include "res/resource.h"
#include "tools/SearchRunner.h"
#include "view/VexoProcessViewerView.h"

BEGIN_MESSAGE_MAP(CVexoProcessViewerApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CVexoProcessViewerApp theApp;

CVexoProcessViewerApp::CVexoProcessViewerApp() : m_pProgressDlg(nullptr), m_pActiveView(nullptr)
{
}

BOOL CVexoProcessViewerApp::InitInstance()
{
    // The view hosts the image control by its class identifier; the control's DLL sits beside
    // the program and is used without any registration step.
    AfxEnableControlContainer();
    AfxRegisterControlModule(CLSID_VexoImageControl, kImageControlDllName);
    Enable3dControls();
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    CMultiDocTemplate* pDocTemplate =
        new CMultiDocTemplate(IDR_PROCESSTYPE, RUNTIME_CLASS(CVexoProcessViewerDoc),
                              RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CVexoProcessViewerView));
    AddDocTemplate(pDocTemplate);

    CMainFrame* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr,
                               nullptr)) {
        return FALSE;
    }
    m_pMainWnd = pMainFrame;

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo)) {
        return FALSE;
    }

    // Always maximised, whatever show state the program was started with.
    m_nCmdShow = SW_SHOWMAXIMIZED;
    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->UpdateWindow();
    return TRUE;
}

void CVexoProcessViewerApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

void CVexoProcessViewerApp::EnableMainWindow(BOOL bEnable)
{
    if (CMainFrame* pMainFrame = DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd)) {
        pMainFrame->EnableInteraction(bEnable);
    }
}

// Only one run at a time: a request that reaches the program while one is under way (the
// windows that could give it are disabled, but messages can still be sent to them) is dropped.
bool CVexoProcessViewerApp::IsReadyForSelection() const
{
    const CMainFrame* pMainFrame = DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd);
    return pMainFrame != nullptr && pMainFrame->m_bReady;
}

bool CVexoProcessViewerApp::IsRunUnderWay() const
{
    return m_pProgressDlg != nullptr;
}

void CVexoProcessViewerApp::RefreshView(CVexoProcessViewerView* pView)
{
    if (IsRunUnderWay()) {
        return;
    }
    CRetrieveRunner runner(m_pMainWnd, m_pProgressDlg,
                           [this](BOOL bEnable) { EnableMainWindow(bEnable); });
    runner.RefreshView(pView);
}

void CVexoProcessViewerApp::RetrievePendingDocuments()
{
    if (IsRunUnderWay()) {
        return;
    }
    CRetrieveRunner runner(m_pMainWnd, m_pProgressDlg,
                           [this](BOOL bEnable) { EnableMainWindow(bEnable); });
    runner.RetrievePendingDocuments(this);
}

void CVexoProcessViewerApp::SearchMemory(const char* text)
{
    if (IsRunUnderWay()) {
        return;
    }
    CMainFrame* pMainFrame = DYNAMIC_DOWNCAST(CMainFrame, m_pMainWnd);
    CVexoProcessViewerView* pView = CVexoProcessViewerView::FromActiveFrame();
    CVexoProcessViewerDoc* pDocument =
        pView != nullptr ? DYNAMIC_DOWNCAST(CVexoProcessViewerDoc, pView->GetDocument()) : nullptr;
    if (pMainFrame == nullptr || pDocument == nullptr) {
        return;
    }
    CProcessCatalogue& catalogue = pMainFrame->m_wndProcessTree.GetCatalogue();
    const ProcessRecord* pRecord = catalogue.FindProcess(pDocument->m_dwProcessId);
    if (pRecord == nullptr) {
        return;
    }
    CSearchRunner runner(m_pMainWnd, m_pProgressDlg,
                         [this](BOOL bEnable) { EnableMainWindow(bEnable); });
    runner.Run(catalogue, pRecord, &pMainFrame->m_wndFindTool, text);
}

CVexoProcessViewerView* CVexoProcessViewerApp::GetActiveProcessView() const
{
    return m_pActiveView;
}

void CVexoProcessViewerApp::SetActiveProcessView(CVexoProcessViewerView* pView)
{
    m_pActiveView = pView;
}
