#include "tools/FindToolDlg.h"

#include <cstdint>

#include "app/VexoProcessViewerApp.h"
#include "res/resource.h"
#include "tools/ToolWindowLayout.h"
#include "view/VexoProcessViewerView.h"

namespace {

// Controls laid out proportionally, in layout order.
const int kLayoutIds[] = {IDC_FIND_TEXT, IDC_FIND_BUTTON, IDC_FIND_RESULTS};
const int kLayoutCount = sizeof(kLayoutIds) / sizeof(kLayoutIds[0]);

struct ResultColumn
{
    const char* title;
    int width;
};

const ResultColumn kResultColumns[] = {
    {"Address", 100},
    {"Flags", 200},
    {"ASCII Contents", 200},
};

} // namespace

BEGIN_MESSAGE_MAP(CFindToolDlg, CDialog)
    ON_WM_SIZE()
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_FIND_RESULTS, OnItemChangedResults)
END_MESSAGE_MAP()

CFindToolDlg::CFindToolDlg(CWnd* pParent) : CDialog(IDD_FIND_TOOL, pParent)
{
}

CFindToolDlg::~CFindToolDlg()
{
}

void CFindToolDlg::DoDataExchange(CDataExchange* pDX)
{
}

void CFindToolDlg::OnOK()
{
}

void CFindToolDlg::OnCancel()
{
    ShowWindow(SW_HIDE);
}

BOOL CFindToolDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const HWND hList = ::GetDlgItem(m_hWnd, IDC_FIND_RESULTS);
    for (int i = 0; i < static_cast<int>(sizeof(kResultColumns) / sizeof(kResultColumns[0])); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = kResultColumns[i].width;
        column.pszText = const_cast<LPSTR>(kResultColumns[i].title);
        column.iSubItem = i;
        ::SendMessageA(hList, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    m_pLayout = CaptureToolWindowLayout(*this, kLayoutIds, kLayoutCount);
    return TRUE;
}

void CFindToolDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    ApplyToolWindowLayout(*this, m_pLayout.get(), kLayoutCount);
}

// Any change of a row (selection, focus, data) moves the most recently activated view to that
// row's hit, as long as the view's window still exists.
void CFindToolDlg::OnItemChangedResults(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pChange = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = pChange->iItem;
    if (pChange->iItem < 0 ||
        !::SendMessageA(pNMHDR->hwndFrom, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
        return;
    }
    CVexoProcessViewerView* pView = theApp.m_pActiveView;
    if (pView != NULL && ::IsWindow(pView->GetSafeHwnd())) {
        pView->GoToAddress(static_cast<uint32_t>(item.lParam));
    }
}
