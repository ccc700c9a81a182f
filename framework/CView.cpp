#include "framework/CView.h"

#include <algorithm>

#include "framework/CCmdUI.h"
#include "framework/CCreateContext.h"
#include "framework/CDC.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CPaintDC.h"
#include "framework/CPrintInfo.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
    ON_UPDATE_COMMAND_UI(ID_NEXT_PANE, OnUpdateSplitCmd)
    ON_UPDATE_COMMAND_UI(ID_PREV_PANE, OnUpdateSplitCmd)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(nullptr)
{
}

CView::~CView()
{
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                           ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    // A sunken client edge instead of the flat border.
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

// Joins the document named in the creation context.
int CView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    CCreateContext* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr) {
        pContext->m_pCurrentDoc->AddView(this);
    }
    return 0;
}

// An active view that goes is deactivated first, so its frame never points at a dead view.
void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == this) {
        pFrame->SetActiveView(nullptr);
    }
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

// A click makes this the frame's active view (or gives it back the focus).
int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    const int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) {
        return nResult;
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr) {
        CView* pView = pParentFrame->GetActiveView();
        const HWND hWndFocus = ::GetFocus();
        if (pView == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus)) {
            OnActivateView(TRUE, this, this);
        } else {
            pParentFrame->SetActiveView(this);
        }
    }
    return nResult;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// The active view takes the focus while its top-level window is active.
void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate) {
        const HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT);
        if (hTop != nullptr && hTop == ::GetForegroundWindow()) {
            SetFocus();
        }
    }
}

void CView::OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd)
{
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    Invalidate(TRUE);
}

// Without splitter windows there is no other pane to switch to.
void CView::OnUpdateSplitCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

// When the length of the document is not known, print one page.
void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo != nullptr) {
        pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
    }
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

// Asks the user with the standard print dialog (or takes the default printer when printing
// directly); TRUE with a printer DC in pInfo->m_pPD when printing should go ahead.
BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    PRINTDLG& pd = pInfo->m_pPD->m_pd;
    if (pd.nMinPage > pd.nMaxPage) {
        pd.nMaxPage = pd.nMinPage;
    }
    pd.nFromPage = (WORD)pInfo->GetMinPage();
    pd.nToPage = (WORD)pInfo->GetMaxPage();

    CWinApp* pApp = AfxGetApp();
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        if (pd.hDC == nullptr) {
            if (!pApp->GetPrinterDeviceDefaults(&pd) && pApp->DoPrintDialog(pInfo->m_pPD) != IDOK) {
                return FALSE;
            }
            if (pd.hDC == nullptr && pInfo->m_pPD->CreatePrinterDC() == nullptr) {
                return FALSE;
            }
        }
    } else if (pApp->DoPrintDialog(pInfo->m_pPD) != IDOK) {
        return FALSE;
    }
    return pd.hDC != nullptr;
}

void CView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
}

void CView::OnFilePrint()
{
    CPrintInfo printInfo;
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg != nullptr && pMsg->message == WM_COMMAND &&
        LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT) {
        printInfo.m_bDirect = TRUE;
    }
    if (!OnPreparePrinting(&printInfo)) {
        return;
    }

    CDC dcPrint;
    dcPrint.Attach(printInfo.m_pPD->m_pd.hDC); // CPrintInfo deletes the DC
    OnBeginPrinting(&dcPrint, &printInfo);
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr) {
        pMainWnd->EnableWindow(FALSE);
    }
    const BOOL bStarted = PrintPages(dcPrint, printInfo);
    if (pMainWnd != nullptr) {
        pMainWnd->EnableWindow(TRUE);
    }
    OnEndPrinting(&dcPrint, &printInfo);
    dcPrint.Detach();
    if (!bStarted) {
        AfxMessageBox("Failed to start printing.", MB_ICONEXCLAMATION);
    }
}

// Prints the chosen page range; FALSE when the print job could not be started.
BOOL CView::PrintPages(CDC& dcPrint, CPrintInfo& printInfo)
{
    const HDC hDC = dcPrint.m_hDC;
    CString strTitle;
    if (m_pDocument != nullptr) {
        strTitle = m_pDocument->GetTitle();
    }
    if (strTitle.GetLength() > 31) {
        strTitle = strTitle.Left(31);
    }
    DOCINFOA docInfo = {};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = strTitle;
    if (::StartDocA(hDC, &docInfo) <= 0) {
        return FALSE;
    }

    UINT nStartPage = printInfo.GetFromPage();
    UINT nEndPage = printInfo.GetToPage();
    nStartPage = std::max(printInfo.GetMinPage(), std::min(nStartPage, printInfo.GetMaxPage()));
    nEndPage = std::max(printInfo.GetMinPage(), std::min(nEndPage, printInfo.GetMaxPage()));
    BOOL bError = FALSE;
    for (printInfo.m_nCurPage = nStartPage; printInfo.m_nCurPage <= nEndPage;
         ++printInfo.m_nCurPage) {
        OnPrepareDC(&dcPrint, &printInfo);
        if (!printInfo.m_bContinuePrinting) {
            break;
        }
        printInfo.m_rectDraw.SetRect(0, 0, ::GetDeviceCaps(hDC, HORZRES),
                                     ::GetDeviceCaps(hDC, VERTRES));
        ::DPtoLP(hDC, reinterpret_cast<LPPOINT>(static_cast<RECT*>(&printInfo.m_rectDraw)), 2);
        if (::StartPage(hDC) <= 0) {
            bError = TRUE;
            break;
        }
        OnPrepareDC(&dcPrint, &printInfo); // StartPage resets the DC's attributes
        OnPrint(&dcPrint, &printInfo);
        if (::EndPage(hDC) <= 0) {
            bError = TRUE;
            break;
        }
        if (printInfo.m_nCurPage == 0xFFFF) {
            break;
        }
    }
    if (bError) {
        ::AbortDoc(hDC);
    } else {
        ::EndDoc(hDC);
    }
    return TRUE;
}

// No preview window of our own: the preview runs the print dialog and prints, so the user
// sees what the view puts on paper.
void CView::OnFilePrintPreview()
{
    OnFilePrint();
}
