#include "tools/FindToolDlg.h"

#include <cstdint>
#include <cstdio>

#include "res/resource.h"
#include "tools/MemorySearch.h"
#include "tools/ToolWindowHost.h"
#include "tools/ToolWindowLayout.h"
#include "view/ProcessViewHost.h"
#include "view/VexoProcessViewerView.h"

namespace {

// Controls laid out proportionally, in layout order.
const int kLayoutIds[] = {IDC_FIND_TEXT, IDC_FIND_BUTTON, IDC_FIND_RESULTS};
const int kLayoutCount = sizeof(kLayoutIds) / sizeof(kLayoutIds[0]);

const ListColumn kResultColumns[] = {
    {"Address", 100},
    {"Flags", 200},
    {"ASCII Contents", 200},
};

// The Find button reads at most this many characters of the search text.
const int kFindTextMax = 1023;

} // namespace

BEGIN_MESSAGE_MAP(CFindToolDlg, CDialog)
    ON_WM_SIZE()
    ON_BN_CLICKED(IDC_FIND_BUTTON, OnFind)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_FIND_RESULTS, OnItemChangedResults)
    ON_NOTIFY(LVN_DELETEALLITEMS, IDC_FIND_RESULTS, OnDeleteAllItemsResults)
END_MESSAGE_MAP()

CFindToolDlg::CFindToolDlg(CWnd* pParent) : CDialog(IDD_FIND_TOOL, pParent), m_bHoldFollow(false)
{
}

CFindToolDlg::~CFindToolDlg()
{
}

void CFindToolDlg::DoDataExchange(CDataExchange* pDX)
{
}

// Enter in the text searches, as the Find button does; elsewhere (the result list) it does
// nothing, so that a new search never starts by surprise.
void CFindToolDlg::OnOK()
{
    const HWND hFocus = ::GetFocus();
    if (hFocus != nullptr && hFocus == ::GetDlgItem(m_hWnd, IDC_FIND_TEXT)) {
        OnFind();
    }
}

void CFindToolDlg::OnCancel()
{
    ShowWindow(SW_HIDE);
}

BOOL CFindToolDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndResults.SubclassDlgItem(IDC_FIND_RESULTS, this);
    InsertListColumns(m_wndResults, kResultColumns);
    m_pLayout = CaptureToolWindowLayout(*this, kLayoutIds, kLayoutCount);
    return TRUE;
}

void CFindToolDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    ApplyToolWindowLayout(*this, m_pLayout.get(), kLayoutCount);
}

// Find: the application searches for the typed text; an empty text does nothing.
void CFindToolDlg::OnFind()
{
    char text[kFindTextMax + 1] = {};
    GetDlgItemText(IDC_FIND_TEXT, text, sizeof(text));
    if (text[0] == '\0') {
        return;
    }
    if (IToolWindowHost* pHost = dynamic_cast<IToolWindowHost*>(AfxGetApp())) {
        pHost->SearchMemory(text);
    }
}

void CFindToolDlg::DeleteAllResults()
{
    m_wndResults.DeleteAllItems();
}

void CFindToolDlg::AppendResult(const SearchHit& hit, const char* flagText, BOOL bFollow)
{
    char address[16];
    std::snprintf(address, sizeof(address), "0x%08x", static_cast<unsigned>(hit.address));

    // Only the change of the item data may move the view, and only when asked to.
    m_bHoldFollow = true;
    const int row = m_wndResults.InsertItem(m_wndResults.GetItemCount(), address);
    if (row >= 0) {
        m_wndResults.SetItemText(row, 1, flagText);
        m_wndResults.SetItemText(row, 2, hit.context);
        m_bHoldFollow = !bFollow;
        m_wndResults.SetItemData(row, static_cast<DWORD_PTR>(hit.address));
    }
    m_bHoldFollow = false;
}

void CFindToolDlg::HoldResultsRedraw(BOOL bHold)
{
    m_wndResults.SetRedraw(!bHold);
    if (!bHold) {
        m_wndResults.Invalidate();
    }
}

// The rows own nothing that needs freeing, so the list may drop them all without a notice per
// row (thousands of them after a search with many hits).
void CFindToolDlg::OnDeleteAllItemsResults(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = TRUE;
}

// Any change of a row (selection, focus, data) moves the most recently activated view to that
// row's hit, as long as the view's window still exists.
void CFindToolDlg::OnItemChangedResults(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bHoldFollow) {
        return;
    }
    const NMLISTVIEW* pChange = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = pChange->iItem;
    if (pChange->iItem < 0 || !m_wndResults.GetItem(&item)) {
        return;
    }
    IActiveViewHost* pHost = dynamic_cast<IActiveViewHost*>(AfxGetApp());
    CVexoProcessViewerView* pView = pHost != nullptr ? pHost->GetActiveProcessView() : nullptr;
    if (pView != nullptr && ::IsWindow(pView->GetSafeHwnd())) {
        pView->GoToAddress(static_cast<uint32_t>(item.lParam));
    }
}
