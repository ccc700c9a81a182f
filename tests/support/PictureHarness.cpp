#include "tests/support/PictureHarness.h"

#include "imagectl/ImageControlIds.h"
#include "res/resource.h"

namespace picturetest {

namespace {

CTestApp g_app;
CTargetEnvironment* g_environment = nullptr;
CProgressRecorder* g_recorder = nullptr;

std::string TextOfSetText(LPARAM lParam)
{
    return lParam != 0 ? std::string(reinterpret_cast<const char*>(lParam)) : std::string();
}

} // namespace

CTestApp& App()
{
    return g_app;
}

// ---- Target ---------------------------------------------------------------------------------

void CTargetEnvironment::SetUp()
{
    g_environment = this;
    if (!target.Start(&startError)) {
        std::printf("helper target: %s\n", startError.c_str());
    }
    catalogue.Refresh();
}

void CTargetEnvironment::TearDown()
{
    if (target.IsRunning()) {
        target.Stop();
    }
}

CTargetEnvironment& Env()
{
    return *g_environment;
}

const ProcessRecord* TargetRecord()
{
    EXPECT_TRUE(Env().target.IsRunning()) << Env().startError;
    const ProcessRecord* pRecord = Env().catalogue.FindProcess(Env().target.GetProcessId());
    EXPECT_NE(pRecord, nullptr) << "the target is in the catalogue";
    return pRecord;
}

std::vector<uint32_t> TargetPageMap()
{
    std::vector<uint32_t> map(Env().catalogue.GetPageCount(), 0);
    EXPECT_EQ(Env().catalogue.BuildPageMap(Env().target.GetProcessId(), map.data()), 0);
    return map;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// ---- Frames and views ----------------------------------------------------------------------

namespace {

CFrameWnd* CreateViewFrame(CFrameWnd* pFrame, CVexoProcessViewerDoc* pDocument, const RECT& rect,
                           LPCSTR title)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CVexoProcessViewerView);
    context.m_pCurrentDoc = pDocument;
    if (!pFrame->Create(nullptr, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect, nullptr, nullptr, 0,
                        &context)) {
        return nullptr;
    }
    return pFrame;
}

CVexoProcessViewerView* ViewOf(CFrameWnd* pFrame)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST));
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CVexoProcessViewerView))) {
        return nullptr;
    }
    return static_cast<CVexoProcessViewerView*>(pWnd);
}

} // namespace

CViewHarness::CViewHarness()
{
    document =
        static_cast<CVexoProcessViewerDoc*>(RUNTIME_CLASS(CVexoProcessViewerDoc)->CreateObject());
    document->m_bAutoDelete = FALSE;
    frame = new CTestMainFrame;
    if (CreateViewFrame(frame, document, CRect(0, 0, 720, 620), "Picture test") == nullptr) {
        frame = nullptr;
        ADD_FAILURE() << "the test frame with its view could not be made";
        return;
    }
    App().m_pMainWnd = frame;
    view = ViewOf(frame);
    EXPECT_NE(view, nullptr);
    Pump();
}

CVexoProcessViewerView* CViewHarness::AddView()
{
    CFrameWnd* pFrame = CreateViewFrame(new CFrameWnd, document, CRect(30, 30, 600, 500), "Second");
    if (pFrame == nullptr) {
        return nullptr;
    }
    m_extraFrames.push_back(pFrame->m_hWnd);
    Pump();
    return ViewOf(pFrame);
}

CViewHarness::~CViewHarness()
{
    // A test may have closed one already (the frame object then deleted itself).
    for (HWND hFrame : m_extraFrames) {
        if (::IsWindow(hFrame)) {
            ::DestroyWindow(hFrame);
        }
    }
    if (frame != nullptr) {
        App().m_pMainWnd = nullptr;
        frame->DestroyWindow();
    }
    Pump();
    delete document;
}

// ---- Progress recording ----------------------------------------------------------------------

void CProgressRecorder::Attach(CProgressDlg* pDlg)
{
    g_recorder = this;
    m_hDialog = pDlg->GetSafeHwnd();
    m_hBar = ::GetDlgItem(m_hDialog, IDC_PROGRESS_BAR);
    m_hText = ::GetDlgItem(m_hDialog, IDC_PROGRESS_TEXT);
    m_oldBar = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_hBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BarProc)));
    m_oldText = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_hText, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextProc)));
    m_oldDialog = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_hDialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogProc)));
}

void CProgressRecorder::Detach()
{
    if (g_recorder != this) {
        return;
    }
    if (::IsWindow(m_hBar)) {
        ::SetWindowLongPtrA(m_hBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldBar));
    }
    if (::IsWindow(m_hText)) {
        ::SetWindowLongPtrA(m_hText, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldText));
    }
    if (::IsWindow(m_hDialog)) {
        ::SetWindowLongPtrA(m_hDialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldDialog));
    }
    g_recorder = nullptr;
}

LRESULT CALLBACK CProgressRecorder::BarProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PBM_SETPOS) {
        g_recorder->positions.push_back(static_cast<int>(wParam));
    }
    return ::CallWindowProcA(g_recorder->m_oldBar, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CProgressRecorder::TextProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT) {
        g_recorder->texts.push_back(TextOfSetText(lParam));
    }
    return ::CallWindowProcA(g_recorder->m_oldText, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CProgressRecorder::DialogProc(HWND hWnd, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    if (message == WM_SETTEXT) {
        g_recorder->captions.push_back(TextOfSetText(lParam));
    }
    WNDPROC old = g_recorder->m_oldDialog;
    // The window is going: put its own procedure back before the last messages.
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        g_recorder->m_hDialog = nullptr;
    }
    return ::CallWindowProcA(old, hWnd, message, wParam, lParam);
}

POINT PointOfCell(CActiveXImageWindow& image, long column, long rowFromTop)
{
    long x = 0, y = 0;
    image.ImageToWindow(column, rowFromTop, &x, &y);
    for (int d = 0; d < 4; ++d) {
        long c = -1, r = -1;
        image.WindowToImage(x + d, y + d, &c, &r);
        if (c == column && r == rowFromTop) {
            return POINT{x + d, y + d};
        }
    }
    ADD_FAILURE() << "no window point found for cell " << column << ", " << rowFromTop;
    return POINT{x, y};
}

} // namespace picturetest

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL)) {
        return 1;
    }
    ::InitCommonControls();
    AfxEnableControlContainer();
    AfxRegisterControlModule(CLSID_VexoImageControl, kImageControlDllName);
    ::testing::AddGlobalTestEnvironment(new picturetest::CTargetEnvironment);
    return RUN_ALL_TESTS();
}
