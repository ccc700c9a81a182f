#include "view/VexoProcessViewerView.h"

#include <new>

#include "common/PictureGeometry.h"
#include "common/ProgressStepper.h"
#include "inspect/ProcessCatalogue.h"
#include "res/resource.h"
#include "view/PixelFeed.h"
#include "view/ProcessViewHost.h"
#include "view/ProgressDlg.h"
#include "view/TipText.h"

namespace {

// Sent to the view by a composition that finds an earlier label list still in place: label
// windows belong to the user-interface thread and can only be destroyed there.
constexpr UINT WM_VEXO_RELEASE_LABELS = WM_APP + 0x2A1;

// The control's notification function, registered for both of its callbacks. Nothing in the
// view needs the notifications.
long __stdcall ImageNotification(long, long)
{
    return 0;
}

IActiveViewHost* ActiveViewHost()
{
    return dynamic_cast<IActiveViewHost*>(AfxGetApp());
}

IMemoryContentsHost* MemoryContentsHost()
{
    return dynamic_cast<IMemoryContentsHost*>(AfxGetMainWnd());
}

} // namespace

IMPLEMENT_DYNCREATE(CVexoProcessViewerView, CView)

BEGIN_MESSAGE_MAP(CVexoProcessViewerView, CView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
    ON_MESSAGE(WM_VEXO_RELEASE_LABELS, OnReleaseLabels)
END_MESSAGE_MAP()

CVexoProcessViewerView::CVexoProcessViewerView()
    : m_bWorkerUse(false),
      m_bModuleLabelsShown(1),
      m_bAddressPeekShown(1),
      m_pImageWindow(nullptr),
      m_pModuleLabels(nullptr),
      m_nModuleLabelCount(0),
      m_pComposedRecord(nullptr),
      m_pixelTransfer(PixelTransfer::Runs)
{
}

CVexoProcessViewerView::~CVexoProcessViewerView()
{
    ForgetActiveView();
    m_nModuleLabelCount.store(0, std::memory_order_release);
    delete[] m_pModuleLabels.exchange(nullptr);
    DestroyImageWindow();
}

// The module label windows are children of the control's window and go with it.
void CVexoProcessViewerView::DestroyImageWindow()
{
    if (m_pImageWindow == nullptr) {
        return;
    }
    if (::IsWindow(m_pImageWindow->m_hWnd)) {
        m_pImageWindow->DestroyWindow();
    }
    delete m_pImageWindow;
    m_pImageWindow = nullptr;
}

IProcessViewDocument* CVexoProcessViewerView::GetProcessDocument() const
{
    return dynamic_cast<IProcessViewDocument*>(CView::GetDocument());
}

CVexoProcessViewerView* CVexoProcessViewerView::FromActiveFrame()
{
    CFrameWnd* pMainFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    CFrameWnd* pFrame = pMainFrame != nullptr ? pMainFrame->GetActiveFrame() : nullptr;
    return pFrame != nullptr ? DYNAMIC_DOWNCAST(CVexoProcessViewerView, pFrame->GetActiveView())
                             : nullptr;
}

std::vector<CVexoProcessViewerView*> CVexoProcessViewerView::ViewsOf(CDocument* pDocument)
{
    std::vector<CVexoProcessViewerView*> views;
    POSITION pos = pDocument != nullptr ? pDocument->GetFirstViewPosition() : nullptr;
    while (pos != nullptr) {
        if (CVexoProcessViewerView* pView =
                DYNAMIC_DOWNCAST(CVexoProcessViewerView, pDocument->GetNextView(pos))) {
            views.push_back(pView);
        }
    }
    return views;
}

std::vector<CVexoProcessViewerView*> CVexoProcessViewerView::AllViews()
{
    std::vector<CVexoProcessViewerView*> views;
    CWinApp* pApp = AfxGetApp();
    POSITION posTemplate = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr;
    while (posTemplate != nullptr) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(posTemplate);
        POSITION posDocument = pTemplate->GetFirstDocPosition();
        while (posDocument != nullptr) {
            const std::vector<CVexoProcessViewerView*> ofDocument =
                ViewsOf(pTemplate->GetNextDoc(posDocument));
            views.insert(views.end(), ofDocument.begin(), ofDocument.end());
        }
    }
    return views;
}

const ModuleBlurb* CVexoProcessViewerView::GetModuleLabel(int index) const
{
    const ModuleBlurb* pLabels = m_pModuleLabels.load(std::memory_order_acquire);
    if (pLabels == nullptr || index < 0 || index >= GetModuleLabelCount()) {
        return nullptr;
    }
    return &pLabels[index];
}

CWnd* CVexoProcessViewerView::GetImageWindow() const
{
    return m_pImageWindow;
}

// ---------------------------------------------------------------------------------------------
// Creation and destruction

BOOL CVexoProcessViewerView::PreCreateWindow(CREATESTRUCT& cs)
{
    return CView::PreCreateWindow(cs);
}

int CVexoProcessViewerView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }

    if (m_pImageWindow == nullptr) {
        CActiveXImageWindow* pImage = new CActiveXImageWindow;
        if (pImage->CreateImageControl("ImageWindow", WS_CHILD | WS_VISIBLE,
                                       CRect(0, 0, 1024, 1024), this, IDC_IMAGE_WINDOW)) {
            m_pImageWindow = pImage;
            m_pImageWindow->SetImageSize(kPictureSide, kPictureSide, kBackgroundColour);
            m_pImageWindow->SetDisplayFlag(TRUE, 0);
            const long function = static_cast<long>(reinterpret_cast<intptr_t>(&ImageNotification));
            const long context = static_cast<long>(reinterpret_cast<intptr_t>(this));
            m_pImageWindow->SetFirstCallback(function, context);
            m_pImageWindow->SetSecondCallback(function, context);
            m_pImageWindow->SetDisplayStyle(1);
        } else {
            // Without the control the view shows an empty window and never calls into it.
            delete pImage;
        }
    }

    m_wndAddressTip.Create(nullptr, "", WS_CHILD, CRect(0, 0, 300, 300), this, 0);
    return 0;
}

void CVexoProcessViewerView::OnDestroy()
{
    // Closes are held while a worker composes into the view, so it cannot go from under it.
    ASSERT(!m_bWorkerUse);
    CView::OnDestroy();
    ForgetActiveView();
    DestroyImageWindow();
    if (::IsWindow(m_wndAddressTip.m_hWnd)) {
        m_wndAddressTip.DestroyWindow();
    }
}

void CVexoProcessViewerView::ForgetActiveView()
{
    IActiveViewHost* pHost = ActiveViewHost();
    if (pHost != nullptr && pHost->GetActiveProcessView() == this) {
        pHost->SetActiveProcessView(nullptr);
    }
}

void CVexoProcessViewerView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    }
    if (m_pImageWindow != nullptr) {
        m_pImageWindow->FitToWindow();
    }
}

void CVexoProcessViewerView::OnActivateView(BOOL bActivate, CView* pActivateView,
                                            CView* pDeactiveView)
{
    if (IActiveViewHost* pHost = ActiveViewHost()) {
        pHost->SetActiveProcessView(DYNAMIC_DOWNCAST(CVexoProcessViewerView, pActivateView));
    }
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

// ---------------------------------------------------------------------------------------------
// Window messages

void CVexoProcessViewerView::OnDraw(CDC* pDC)
{
    // The picture is the control's; printed and previewed pages stay blank.
}

void CVexoProcessViewerView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_pImageWindow != nullptr) {
        m_pImageWindow->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_SHOWWINDOW);
    }
}

void CVexoProcessViewerView::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CView::OnShowWindow(bShow, nStatus);
    if (nStatus == SW_PARENTOPENING && m_pImageWindow != nullptr) {
        m_pImageWindow->FitToWindow();
    }
}

void CVexoProcessViewerView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CView::OnLButtonDown(nFlags, point);
}

void CVexoProcessViewerView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CVexoProcessViewerView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CView::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CVexoProcessViewerView::OnContextMenu(CWnd* pWnd, CPoint pos)
{
    // The Tools menu is the main frame's.
}

void CVexoProcessViewerView::OnFileSave()
{
    if (CDocument* pDocument = CView::GetDocument()) {
        pDocument->OnSaveDocument("test.txt");
    }
}

void CVexoProcessViewerView::OnUpdateFileSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

LRESULT CVexoProcessViewerView::OnReleaseLabels(WPARAM, LPARAM)
{
    ReleaseModuleLabels();
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Printing: the standard dialog, nothing of the view's own.

BOOL CVexoProcessViewerView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CVexoProcessViewerView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CVexoProcessViewerView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

// ---------------------------------------------------------------------------------------------
// Mouse handling

bool CVexoProcessViewerView::PictureCellOfMessage(const MSG* pMsg, long& nColumn, long& nRow)
{
    POINT point = {GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam)};
    ::ClientToScreen(pMsg->hwnd, &point);
    ::ScreenToClient(m_pImageWindow->m_hWnd, &point);
    // Cells the control leaves unwritten count as off the picture.
    nColumn = -1;
    nRow = -1;
    m_pImageWindow->WindowToImage(point.x, point.y, &nColumn, &nRow);
    return IsInsidePicture(nColumn, nRow);
}

void CVexoProcessViewerView::HandlePictureClick(const MSG* pMsg)
{
    if (m_pImageWindow == nullptr || !::IsWindow(m_pImageWindow->m_hWnd)) {
        return;
    }

    long nColumn = -1;
    long nRow = -1;
    const bool inside = PictureCellOfMessage(pMsg, nColumn, nRow);

    if (pMsg->message == WM_LBUTTONDOWN) {
        if (!inside) {
            return;
        }
        m_pImageWindow->SelectPixel(nColumn, nRow);
        InvalidateImage();
        ShowPageMemory(AddressOfPixel(nColumn, nRow));
        return;
    }

    // Double-click: zoom in on the cell, or fit the whole picture when off it.
    if (inside) {
        ZoomInOn(ZoomPositionOfPixel(nColumn, nRow), nColumn, nRow);
        ShowPageMemory(AddressOfPixel(nColumn, nRow));
    } else {
        m_pImageWindow->FitToWindow();
        InvalidateImage();
        InvalidateRect(nullptr, TRUE);
    }
}

BOOL CVexoProcessViewerView::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        HandlePictureClick(pMsg);
        HideTips();
        break;
    case WM_MOUSEWHEEL:
        HideTips();
        break;
    default:
        break;
    }
    // Not consumed: the control gets the clicks and the wheel too.
    return CView::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------------------------
// Operations of the main frame and the tools

const ProcessRecord* CVexoProcessViewerView::FindDocumentRecord() const
{
    IProcessViewDocument* pDocument = GetProcessDocument();
    if (pDocument == nullptr || pDocument->GetCatalogue() == nullptr) {
        return nullptr;
    }
    return pDocument->GetCatalogue()->FindProcess(pDocument->GetProcessId());
}

void CVexoProcessViewerView::ShowPageMemory(uint32_t address)
{
    const ProcessRecord* pRecord = FindDocumentRecord();
    if (pRecord == nullptr) {
        return;
    }
    if (IMemoryContentsHost* pHost = MemoryContentsHost()) {
        pHost->ShowMemoryContents(GetProcessDocument()->GetCatalogue(), pRecord, address);
    }
}

void CVexoProcessViewerView::InvalidateImage()
{
    if (m_pImageWindow != nullptr && ::IsWindow(m_pImageWindow->m_hWnd)) {
        ::InvalidateRect(m_pImageWindow->m_hWnd, nullptr, TRUE);
    }
}

void CVexoProcessViewerView::FitImageToWindow()
{
    if (m_pImageWindow != nullptr) {
        m_pImageWindow->FitToWindow();
    }
    HideTips();
}

void CVexoProcessViewerView::GoToAddress(uint32_t address)
{
    if (m_pImageWindow != nullptr) {
        const PicturePixel pixel = PixelOfAddress(address);
        ZoomInOn(ZoomPositionOfAddress(address), pixel.column, pixel.row);
    }
    ShowPageMemory(address);
    InvalidateRect(nullptr, TRUE);
    HideTips();
}

// Shows the picture at the close-up zoom from the view position, with the cell selected.
void CVexoProcessViewerView::ZoomInOn(const PictureViewPosition& position, long nColumn, long nRow)
{
    m_pImageWindow->SetViewPosition(position.x, position.y);
    m_pImageWindow->SetZoom(kCloseUpZoom);
    m_pImageWindow->SelectPixel(nColumn, nRow);
    InvalidateImage();
}

void CVexoProcessViewerView::SetModuleLabelsShown(BOOL bShown)
{
    m_bModuleLabelsShown = bShown;
    if (!bShown) {
        HideModuleLabels();
    }
}

void CVexoProcessViewerView::HideModuleLabels()
{
    const ModuleBlurb* pLabels = m_pModuleLabels.load(std::memory_order_acquire);
    const int count = GetModuleLabelCount();
    for (int i = 0; pLabels != nullptr && i < count; ++i) {
        if (::IsWindow(pLabels[i].blurbWnd.m_hWnd)) {
            ::ShowWindow(pLabels[i].blurbWnd.m_hWnd, SW_HIDE);
        }
    }
}

void CVexoProcessViewerView::SetAddressPeekShown(BOOL bShown)
{
    m_bAddressPeekShown = bShown;
    if (!bShown && ::IsWindow(m_wndAddressTip.m_hWnd)) {
        m_wndAddressTip.ShowWindow(SW_HIDE);
    }
}

void CVexoProcessViewerView::HideTips()
{
    if (::IsWindow(m_wndAddressTip.m_hWnd)) {
        m_wndAddressTip.ShowWindow(SW_HIDE);
    }
    HideModuleLabels();
}

// ---------------------------------------------------------------------------------------------
// Tips

void CVexoProcessViewerView::ShowTipsAt(int x, int y)
{
    if (m_pImageWindow == nullptr || !::IsWindow(m_pImageWindow->m_hWnd)) {
        return;
    }
    // The control fills the client area from (0, 0): view and control points agree.
    long nColumn = -1;
    long nRow = -1;
    m_pImageWindow->WindowToImage(x, y, &nColumn, &nRow);

    if (m_bAddressPeekShown && IsInsidePicture(nColumn, nRow)) {
        ShowAddressTip(nColumn, nRow, x, y);
    } else if (::IsWindow(m_wndAddressTip.m_hWnd)) {
        m_wndAddressTip.ShowWindow(SW_HIDE);
    }

    ShowModuleLabels();
}

void CVexoProcessViewerView::ShowAddressTip(long nColumn, long nRow, int x, int y)
{
    const uint32_t address = AddressOfPixel(nColumn, nRow);
    uint8_t bytes[kTipByteCount];
    const ProcessRecord* pRecord = FindDocumentRecord();
    const bool read =
        pRecord != nullptr && ReadProcessBytes(pRecord, address, bytes, sizeof bytes) == kReadDone;
    const std::string text = AddressTipText(address, read ? bytes : nullptr);
    m_wndAddressTip.ShowAt(x, y, text.c_str());
}

void CVexoProcessViewerView::ShowModuleLabels()
{
    if (m_pComposedRecord.load(std::memory_order_acquire) == nullptr || !m_bModuleLabelsShown) {
        return;
    }
    const int count = GetModuleLabelCount();
    ModuleBlurb* pLabels = m_pModuleLabels.load(std::memory_order_acquire);
    for (int i = 0; pLabels != nullptr && i < count; ++i) {
        ModuleBlurb& label = pLabels[i];
        if (!::IsWindow(label.blurbWnd.m_hWnd)) {
            label.blurbWnd.m_hWnd = nullptr;
            label.blurbWnd.Create(nullptr, "", WS_CHILD, CRect(0, 0, 100, 100), m_pImageWindow,
                                  100 + i);
        }
        const PicturePixel anchor = LabelAnchorOfModule(label.baseAddress);
        long x = 0;
        long y = 0;
        m_pImageWindow->ImageToWindow(anchor.column, anchor.row, &x, &y);
        label.blurbWnd.ShowAt(x, y, label.labelText);
    }
}

void CVexoProcessViewerView::ReleaseModuleLabels()
{
    ModuleBlurb* pLabels = m_pModuleLabels.load(std::memory_order_acquire);
    if (pLabels == nullptr) {
        return;
    }
    const int count = GetModuleLabelCount();
    m_nModuleLabelCount.store(0, std::memory_order_release);
    for (int i = 0; i < count; ++i) {
        if (::IsWindow(pLabels[i].blurbWnd.m_hWnd)) {
            pLabels[i].blurbWnd.DestroyWindow();
        }
        pLabels[i].blurbWnd.m_hWnd = nullptr;
    }
    m_pModuleLabels.store(nullptr, std::memory_order_release);
    delete[] pLabels;
}

// ---------------------------------------------------------------------------------------------
// Composition

int CVexoProcessViewerView::ComposeImage(const ProcessRecord* pRecord, const uint32_t* pageMap,
                                         int nWidth, int nHeight, CProgressDlg* pProgressDlg,
                                         int nProgressStart, int nProgressEnd, bool bFit)
{
    // Label windows can only be destroyed by their own thread; the runner has released them
    // already, so this only acts for a caller that did not.
    if (m_pModuleLabels.load(std::memory_order_acquire) != nullptr && ::IsWindow(m_hWnd)) {
        ::SendMessage(m_hWnd, WM_VEXO_RELEASE_LABELS, 0, 0);
    }

    CActiveXImageWindow* pImage = m_pImageWindow;
    float zoom = 0.0f;
    float positionX = 0.0f;
    float positionY = 0.0f;
    if (pImage != nullptr) {
        zoom = pImage->GetZoom();
        positionX = pImage->GetViewPositionX();
        positionY = pImage->GetViewPositionY();
        pImage->ResetImage();
        pImage->SetImageSize(nWidth, nHeight, kBackgroundColour);
    }

    if (pRecord != nullptr && pRecord->moduleNames && pRecord->moduleCount > 0 &&
        !pRecord->moduleNames[0].empty() && ::IsWindow(m_hWnd)) {
        ::SetWindowTextA(m_hWnd, pRecord->moduleNames[0].c_str());
    }

    HWND hBar = nullptr;
    if (pProgressDlg != nullptr && ::IsWindow(pProgressDlg->GetSafeHwnd())) {
        hBar = ::GetDlgItem(pProgressDlg->GetSafeHwnd(), IDC_PROGRESS_BAR);
    }

    // One pass over the map in page order. The bar is told only about positions that differ
    // from the previous one: a cross-thread message per page would cost far more than the
    // picture itself, and the bar would show the same positions. Before each position goes
    // out, the pages up to its own are in the control, handed over together in one call.
    // The positions are sent without waiting for the bar's thread to take each one: sent
    // messages reach a window in the order they were sent, so the bar gets them all, in order,
    // before any message that the worker sends after them and waits for (the document's 100).
    const uint32_t total = nWidth > 0 && nHeight > 0
                               ? static_cast<uint32_t>(nWidth) * static_cast<uint32_t>(nHeight)
                               : 0;
    CProgressStepper stepper(nProgressStart, nProgressEnd, total);
    CPixelFeed feed(pImage, pageMap, nWidth, m_pixelTransfer);
    uint32_t page = 0;
    int32_t position = 0;
    while (stepper.NextChange(page, position)) {
        feed.FeedThrough(page + 1);
        if (hBar != nullptr) {
            ::SendNotifyMessage(hBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
        }
    }
    feed.FeedThrough(total);

    m_pComposedRecord.store(pRecord, std::memory_order_release);
    BuildModuleLabels(pRecord);

    if (pImage != nullptr) {
        if (bFit) {
            pImage->FitToWindow();
        } else {
            pImage->SetZoom(zoom);
            pImage->SetViewPosition(positionX, positionY);
        }
        if (::IsWindow(pImage->m_hWnd)) {
            ::InvalidateRect(pImage->m_hWnd, nullptr, TRUE);
        }
    }
    return 0;
}

void CVexoProcessViewerView::SetPixelTransfer(PixelTransfer transfer)
{
    m_pixelTransfer = transfer;
}

void CVexoProcessViewerView::BuildModuleLabels(const ProcessRecord* pRecord)
{
    const int count = pRecord != nullptr ? pRecord->moduleCount : 0;
    ModuleBlurb* pLabels = nullptr;
    if (count > 0) {
        pLabels = new (std::nothrow) ModuleBlurb[count];
    }
    if (pLabels == nullptr) {
        m_pModuleLabels.store(nullptr, std::memory_order_release);
        return;
    }
    // The list first, then its records, then the count: the tips on the user-interface thread
    // read the count and only then the records.
    m_pModuleLabels.store(pLabels, std::memory_order_release);
    for (int i = 0; i < count; ++i) {
        const char* name = pRecord->moduleNames ? pRecord->moduleNames[i].c_str() : nullptr;
        WriteModuleLabel(name, pLabels[i].labelText, sizeof pLabels[i].labelText);
        pLabels[i].baseAddress = pRecord->moduleBases ? pRecord->moduleBases[i] : 0;
    }
    m_nModuleLabelCount.store(count, std::memory_order_release);
}
