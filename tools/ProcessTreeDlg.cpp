#include "tools/ProcessTreeDlg.h"

#include "document/VexoProcessViewerDoc.h"
#include "res/resource.h"
#include "tools/ToolWindowHost.h"
#include "tools/ToolWindowLayout.h"

namespace {

// Controls laid out proportionally, in layout order.
const int kLayoutIds[] = {IDC_PROCESS_TREE, IDC_REFRESH_PROCESSES};
const int kLayoutCount = sizeof(kLayoutIds) / sizeof(kLayoutIds[0]);

// The catalogue index a root item keeps as its data; -1 when the item cannot be read.
int CatalogueIndex(const CTreeCtrl& tree, HTREEITEM hItem)
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = hItem;
    if (!tree.GetItem(&item)) {
        return -1;
    }
    return static_cast<int>(item.lParam);
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
    m_wndTree.SubclassDlgItem(IDC_PROCESS_TREE, this);
    m_pLayout = CaptureToolWindowLayout(*this, kLayoutIds, kLayoutCount);

    // Fixed pitch, modern family, 16 units high, any face the font mapper picks.
    m_font.DeleteObject();
    m_font.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
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
    m_wndTree.SetFont(&m_font);
    m_wndTree.DeleteAllItems();

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
        const HTREEITEM hProcess = m_wndTree.InsertItem(text);
        if (hProcess == nullptr) {
            continue;
        }
        m_wndTree.SetItemData(hProcess, i);
        for (int module = 1; module < pRecord->moduleCount; ++module) {
            text.Format("[0x%08x] : %s", pRecord->moduleBases[module],
                        pRecord->moduleNames[module].c_str());
            m_wndTree.InsertItem(text, hProcess);
        }
    }
    m_bFilling = false;
}

void CProcessTreeDlg::ScrollToProcess(uint32_t dwProcessId)
{
    if (m_wndTree.GetSafeHwnd() == nullptr) {
        return;
    }
    for (HTREEITEM hItem = m_wndTree.GetRootItem(); hItem != nullptr;
         hItem = m_wndTree.GetNextSiblingItem(hItem)) {
        const ProcessRecord* pRecord = m_catalogue.GetAt(CatalogueIndex(m_wndTree, hItem));
        if (pRecord != nullptr && pRecord->processId == dwProcessId) {
            m_wndTree.SelectSetFirstVisible(hItem);
            return;
        }
    }
}

void CProcessTreeDlg::OnSelChangedProcessTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bFilling) {
        return;
    }
    HTREEITEM hItem = m_wndTree.GetSelectedItem();
    if (hItem == nullptr) {
        return;
    }
    // A module stands for its process.
    const HTREEITEM hParent = m_wndTree.GetParentItem(hItem);
    if (hParent != nullptr) {
        hItem = hParent;
    }
    SelectProcess(CatalogueIndex(m_wndTree, hItem));
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
    if (pHost == nullptr || !pHost->IsReadyForSelection()) {
        return;
    }
    CFrameWnd* pMainFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    CFrameWnd* pFrame = pMainFrame != nullptr ? pMainFrame->GetActiveFrame() : nullptr;
    CVexoProcessViewerDoc* pDocument =
        pFrame != nullptr ? DYNAMIC_DOWNCAST(CVexoProcessViewerDoc, pFrame->GetActiveDocument())
                          : nullptr;
    if (pDocument == nullptr) {
        return;
    }
    const ProcessRecord* pRecord = m_catalogue.GetAt(index);
    if (pRecord == nullptr) {
        return;
    }
    pDocument->SetTarget(&m_catalogue, pRecord->processId);
    pHost->RetrievePendingDocuments();
}
