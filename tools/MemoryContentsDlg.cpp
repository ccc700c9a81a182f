#include "tools/MemoryContentsDlg.h"

#include <algorithm>
#include <cstring>

#include "inspect/ProcessCatalogue.h"
#include "res/resource.h"
#include "tools/ToolWindowLayout.h"
#include "view/BlurbWnd.h"

namespace {

// Controls laid out proportionally: the list, the twelve check boxes, the four group boxes.
const int kLayoutIds[] = {
    IDC_MEMORY_LIST,      IDC_ATTR_READ,        IDC_ATTR_WRITE,        IDC_ATTR_EXECUTE,
    IDC_ATTR_COPYONWRITE, IDC_ATTR_GUARDED,     IDC_ATTR_NOCACHE,      IDC_ATTR_COMMITTED,
    IDC_ATTR_FREE,        IDC_ATTR_RESERVED,    IDC_ATTR_IMAGE,        IDC_ATTR_MAPPED,
    IDC_ATTR_PRIVATE,     IDC_GROUP_PAGE_STATE, IDC_GROUP_PAGE_ACCESS, IDC_GROUP_PAGE_TYPE,
    IDC_GROUP_PAGE_FLAGS,
};
constexpr int kLayoutCount = sizeof kLayoutIds / sizeof kLayoutIds[0];

// Check box of page flag bit i (MAPF_READ 0x001 ... MAPF_PRIVATE 0x800): ids in bit order.
constexpr int kAttributeCount = 12;

const ListColumn kColumns[] = {
    {"Start  Address", 150},
    {"Hex   Contents", 400},
    {"ASCII Contents", 150},
};

void CopyText(const std::string& text, char* buffer, int size)
{
    if (buffer == nullptr || size <= 0) {
        return;
    }
    const size_t count = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

} // namespace

BEGIN_MESSAGE_MAP(CMemoryContentsDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_NOTIFY(LVN_GETDISPINFOA, IDC_MEMORY_LIST, OnGetDispInfoList)
    ON_NOTIFY(LVN_ODFINDITEMA, IDC_MEMORY_LIST, OnFindItemList)
    ON_NOTIFY(LVN_ODFINDITEMW, IDC_MEMORY_LIST, OnFindItemList)
END_MESSAGE_MAP()

CMemoryContentsDlg::CMemoryContentsDlg(CWnd* pParent)
    : CDialog(IDD_MEMORY_CONTENTS, pParent),
      m_nListAddress(0),
      m_bListRead(false),
      m_nTextRow(-1)
{
}

CMemoryContentsDlg::~CMemoryContentsDlg()
{
    m_pLayout.reset();
    m_font.DeleteObject();
}

BOOL CMemoryContentsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_wndList.SubclassDlgItem(IDC_MEMORY_LIST, this);

    m_font.DeleteObject();
    CreateFixedPitchFont(m_font);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    if (m_wndList.GetSafeHwnd() != nullptr) {
        InsertListColumns(m_wndList, kColumns);
        m_wndList.SetFont(&m_font);
        // A new listing repaints the rows only: the header above them stays as it is, and its
        // drawing would cost more than the rows'.
        m_wndList.ModifyStyle(0, WS_CLIPCHILDREN);
    }

    m_pLayout = CaptureToolWindowLayout(*this, kLayoutIds, kLayoutCount);
    return TRUE;
}

void CMemoryContentsDlg::OnOK()
{
}

void CMemoryContentsDlg::OnCancel()
{
    ShowWindow(SW_HIDE);
}

void CMemoryContentsDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    ApplyToolWindowLayout(*this, m_pLayout.get(), kLayoutCount);
}

void CMemoryContentsDlg::OnDestroy()
{
    CDialog::OnDestroy();
    m_font.DeleteObject();
}

void CMemoryContentsDlg::ShowMemory(CProcessCatalogue* pCatalogue, const ProcessRecord* pRecord,
                                    uint32_t address)
{
    // One read for the whole listing: it succeeds or fails as a whole.
    m_bListRead = ReadProcessBytes(pRecord, address, m_listBytes, kMemoryListBytes) == kReadDone;
    m_nListAddress = address;
    m_nTextRow = -1;
    if (m_wndList.GetSafeHwnd() != nullptr) {
        // The rows of the old listing go, with their selection and the scrolling; the 256 of
        // the new one are made from the bytes as the list asks for them. A list that shows 256
        // rows from the top with none selected only needs its rows drawn again: emptying it
        // would hide and show its scroll bar, which costs more than the rows.
        if (IsListAtRest()) {
            m_wndList.Invalidate();
        } else {
            m_wndList.DeleteAllItems();
            m_wndList.SetItemCount(kMemoryRowCount);
        }
    }
    const uint32_t flags = pCatalogue != nullptr ? pCatalogue->QueryPageFlags(pRecord, address) : 0;
    SetAttributeChecks(flags);
}

// As a fresh listing leaves it: all rows, scrolled to the top left, no row selected or focused.
bool CMemoryContentsDlg::IsListAtRest() const
{
    return m_wndList.GetItemCount() == kMemoryRowCount && m_wndList.GetSelectedCount() == 0 &&
           m_wndList.GetNextItem(-1, LVNI_FOCUSED) == -1 && m_wndList.GetSelectionMark() == -1 &&
           ::GetScrollPos(m_wndList, SB_VERT) == 0 && ::GetScrollPos(m_wndList, SB_HORZ) == 0;
}

const MemoryRowTexts& CMemoryContentsDlg::RowTexts(int row)
{
    if (row != m_nTextRow) {
        m_textRow = FormatMemoryRow(m_nListAddress, row, m_bListRead ? m_listBytes : nullptr);
        m_nTextRow = row;
    }
    return m_textRow;
}

void CMemoryContentsDlg::OnGetDispInfoList(NMHDR* pNMHDR, LRESULT* pResult)
{
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item;
    *pResult = 0;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || item.iItem >= kMemoryRowCount) {
        return;
    }
    const MemoryRowTexts& texts = RowTexts(item.iItem);
    switch (item.iSubItem) {
    case 0:
        CopyText(texts.address, item.pszText, item.cchTextMax);
        break;
    case 1:
        CopyText(texts.hex, item.pszText, item.cchTextMax);
        break;
    default:
        CopyText(texts.characters, item.pszText, item.cchTextMax);
        break;
    }
}

// The list's own search (typing a row's address, LVM_FINDITEM) over the address column. The
// list may ask in either character width, whatever the dialog's own.
void CMemoryContentsDlg::OnFindItemList(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = -1;
    const NMLVFINDITEMA* pFind = reinterpret_cast<NMLVFINDITEMA*>(pNMHDR);
    const UINT flags = pFind->lvfi.flags;
    if (pFind->lvfi.psz == nullptr || !(flags & (LVFI_STRING | LVFI_PARTIAL)) ||
        m_wndList.GetItemCount() == 0) {
        return;
    }
    std::string text;
    if (pNMHDR->code == LVN_ODFINDITEMW) {
        for (LPCWSTR p = reinterpret_cast<const NMLVFINDITEMW*>(pNMHDR)->lvfi.psz; *p; ++p) {
            text += *p < 0x80 ? static_cast<char>(*p) : '?';
        }
    } else {
        text = pFind->lvfi.psz;
    }
    *pResult = FindMemoryRow(m_nListAddress, text, (flags & LVFI_PARTIAL) != 0, pFind->iStart,
                             (flags & LVFI_WRAP) != 0);
}

void CMemoryContentsDlg::SetAttributeChecks(uint32_t flags)
{
    for (int bit = 0; bit < kAttributeCount; ++bit) {
        CheckDlgButton(IDC_ATTR_READ + bit, (flags >> bit) & 1 ? BST_CHECKED : BST_UNCHECKED);
    }
}
