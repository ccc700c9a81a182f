#include "MemoryContentsDlg.h"

#include "inspect/ProcessCatalogue.h"
#include "res/resource.h"
#include "tools/MemoryRows.h"
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

struct ListColumn
{
    const char* title;
    int width;
};

const ListColumn kColumns[] = {
    {"Start  Address", 150},
    {"Hex   Contents", 400},
    {"ASCII Contents", 150},
};

void SetItemText(HWND hList, int item, int subItem, const std::string& text)
{
    LVITEMA lvItem = {};
    lvItem.iSubItem = subItem;
    lvItem.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(hList, LVM_SETITEMTEXTA, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&lvItem));
}

void InsertRow(HWND hList, int row, const MemoryRowTexts& texts)
{
    LVITEMA lvItem = {};
    lvItem.mask = LVIF_TEXT;
    lvItem.iItem = row;
    lvItem.pszText = const_cast<char*>(texts.address.c_str());
    const int item = static_cast<int>(
        ::SendMessageA(hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvItem)));
    if (item < 0)
        return;
    SetItemText(hList, item, 1, texts.hex);
    SetItemText(hList, item, 2, texts.characters);
}

} // namespace

BEGIN_MESSAGE_MAP(CMemoryContentsDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMemoryContentsDlg::CMemoryContentsDlg(CWnd* pParent) : CDialog(IDD_MEMORY_CONTENTS, pParent)
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

    m_font.DeleteObject();
    CreateFixedPitchFont(m_font);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    InsertColumns();
    SendDlgItemMessage(IDC_MEMORY_LIST, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject),
                       TRUE);

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

void CMemoryContentsDlg::InsertColumns()
{
    HWND hList = ::GetDlgItem(m_hWnd, IDC_MEMORY_LIST);
    if (hList == NULL)
        return;
    for (int i = 0; i < static_cast<int>(sizeof kColumns / sizeof kColumns[0]); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = kColumns[i].width;
        column.pszText = const_cast<char*>(kColumns[i].title);
        column.iSubItem = i;
        ::SendMessageA(hList, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&column));
    }
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
    HWND hList = ::GetDlgItem(m_hWnd, IDC_MEMORY_LIST);
    if (hList != NULL) {
        ::SendMessageA(hList, LVM_DELETEALLITEMS, 0, 0);
        uint8_t bytes[kMemoryListBytes];
        // One read for the whole listing: it succeeds or fails as a whole.
        const bool read = ReadProcessBytes(pRecord, address, bytes, kMemoryListBytes) == 0;
        // Drawing waits until the 256 rows are in.
        ::SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
        for (int row = 0; row < kMemoryRowCount; ++row)
            InsertRow(hList, row, FormatMemoryRow(address, row, read ? bytes : nullptr));
        ::SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(hList, NULL, TRUE);
    }
    const uint32_t flags = pCatalogue != NULL ? pCatalogue->QueryPageFlags(pRecord, address) : 0;
    SetAttributeChecks(flags);
}

void CMemoryContentsDlg::SetAttributeChecks(uint32_t flags)
{
    for (int bit = 0; bit < kAttributeCount; ++bit)
        CheckDlgButton(IDC_ATTR_READ + bit, (flags >> bit) & 1 ? BST_CHECKED : BST_UNCHECKED);
}
