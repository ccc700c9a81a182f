#include "tools/ProcessTreeDlg.h"

#include "document/VexoProcessViewerDoc.h"
#include "res/resource.h"
#include "tools/ToolWindowHost.h"
#include "tools/ToolWindowLayout.h"

namespace {

// Controls laid out proportionally, in layout order.
const int kLayoutIds[] = {IDC_PROCESS_TREE, IDC_REFRESH_PROCESSES};
const int kLayoutCount = sizeof(kLayoutIds) / sizeof(kLayoutIds[0]);

HTREEITEM InsertTextItem(HWND hTree, HTREEITEM hParent, const CString& text)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(text));
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

LPARAM ItemData(HWND hTree, HTREEITEM hItem)
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = hItem;
    if (!::SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
        return -1;
    }
    return item.lParam;
}

void SetItemData(HWND hTree, HTREEITEM hItem, LPARAM data)
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = hItem;
    item.lParam = data;
    ::SendMessageA(hTree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

} // namespace

BEGIN_MESSAGE_MAP(CProcessTreeDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_REFRESH_PROCESSES, OnRefreshProcesses)
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_PROCESS_TREE, OnSelChangedProcessTree)
    ON_NOTIFY(TVN_SELCHANGEDW, IDC_PROCESS_TREE, OnSelChangedProcessTree)
END_MESSAGE_MAP()

CProcessTreeDlg::CProcessTreeDlg(CWnd* pParent)
    : CDialog(IDD_PROCESS_TREE, pParent),
      m_bFilling(false)
{
}

CProcessTreeDlg::~CProcessTreeDlg()
{
}

// Runs inside the base initialisation; the tree is about to be filled.
void CProcessTreeDlg::DoDataExchange(CDataExchange* pDX)
{
    m_bFilling = true;
}

// The dialog's default Enter would run the data exchange, which raises the filling flag, and
// hide the window: every later selection would then be ignored. Enter does nothing here.
void CProcessTreeDlg::OnOK()
{
}

// Escape hides the window, as its close box does; the catalogue and the tree stay as they are.
void CProcessTreeDlg::OnCancel()
{
    ShowWindow(SW_HIDE);
}

BOOL CProcessTreeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pLayout = CaptureToolWindowLayout(*this, kLayoutIds, kLayoutCount);

    // Fixed pitch, modern family, 16 units high, any face the font mapper picks.
    m_font.DeleteObject();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                      FIXED_PITCH | FF_MODERN, NULL);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);

    FillProcessTree();
    return TRUE;
}

void CProcessTreeDlg::OnDestroy()
{
    CDialog::OnDestroy();
    m_font.DeleteObject();
}

void CProcessTreeDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    ApplyToolWindowLayout(*this, m_pLayout.get(), kLayoutCount);
}

// The window is disabled while a run is under way, and its worker reads the catalogue: a
// refresh that reaches it all the same (a message sent by another program) is dropped.
void CProcessTreeDlg::OnRefreshProcesses()
{
    if (!IsWindowEnabled()) {
        return;
    }
    FillProcessTree();
}

// Rebuilds the catalogue and shows it: one root item per process (item data: its catalogue
// index) with its modules after the executable as children. The selection changes caused by
// deleting the items must not touch any document, hence the filling flag.
void CProcessTreeDlg::FillProcessTree()
{
    m_bFilling = true;
    const HWND hTree = ::GetDlgItem(m_hWnd, IDC_PROCESS_TREE);
    ::SendMessageA(hTree, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    ::SendMessageA(hTree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));

    m_catalogue.Refresh();
    const int count = m_catalogue.GetCount();
    for (int i = 0; i < count; ++i) {
        const ProcessRecord* pRecord = m_catalogue.GetAt(i);
        CString text;
        if (pRecord->moduleCount <= 0) {
            text.Format("[0x%08x] : <Process Image Name Not Available>", pRecord->processId);
        } else {
            text.Format("[0x%08x] : %s", pRecord->processId, pRecord->moduleNames[0].c_str());
        }
        const HTREEITEM hProcess = InsertTextItem(hTree, TVI_ROOT, text);
        if (hProcess == NULL) {
            continue;
        }
        SetItemData(hTree, hProcess, i);
        for (int module = 1; module < pRecord->moduleCount; ++module) {
            text.Format("[0x%08x] : %s", pRecord->moduleBases[module],
                        pRecord->moduleNames[module].c_str());
            InsertTextItem(hTree, hProcess, text);
        }
    }
    m_bFilling = false;
}

void CProcessTreeDlg::ScrollToProcess(uint32_t dwProcessId)
{
    const HWND hTree = ::GetDlgItem(m_hWnd, IDC_PROCESS_TREE);
    if (hTree == NULL) {
        return;
    }
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    while (hItem != NULL) {
        const ProcessRecord* pRecord = m_catalogue.GetAt(static_cast<int>(ItemData(hTree, hItem)));
        if (pRecord != NULL && pRecord->processId == dwProcessId) {
            ::SendMessageA(hTree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE,
                           reinterpret_cast<LPARAM>(hItem));
            return;
        }
        hItem = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(hItem)));
    }
}

void CProcessTreeDlg::OnSelChangedProcessTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bFilling) {
        return;
    }
    const HWND hTree = pNMHDR->hwndFrom;
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (hItem == NULL) {
        return;
    }
    // A module stands for its process.
    const HTREEITEM hParent = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(hItem)));
    if (hParent != NULL) {
        hItem = hParent;
    }
    SelectProcess(static_cast<int>(ItemData(hTree, hItem)));
}

// Points the active document at the process of catalogue index and retrieves it. Nothing
// happens before the main frame has finished its creation or while no document is open.
void CProcessTreeDlg::SelectProcess(int index)
{
    // Disabled while a run is under way: retargeting the document under its worker is never
    // right, whoever changed the tree's selection.
    if (!IsWindowEnabled()) {
        return;
    }
    IToolWindowHost* pHost = dynamic_cast<IToolWindowHost*>(AfxGetApp());
    if (pHost == NULL || !pHost->IsReadyForSelection()) {
        return;
    }
    CFrameWnd* pMainFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    CFrameWnd* pFrame = pMainFrame != NULL ? pMainFrame->GetActiveFrame() : NULL;
    CVexoProcessViewerDoc* pDocument =
        pFrame != NULL ? DYNAMIC_DOWNCAST(CVexoProcessViewerDoc, pFrame->GetActiveDocument()) : NULL;
    if (pDocument == NULL) {
        return;
    }
    const ProcessRecord* pRecord = m_catalogue.GetAt(index);
    if (pRecord == NULL) {
        return;
    }
    pDocument->SetTarget(&m_catalogue, pRecord->processId);
    pHost->RetrievePendingDocuments();
}
