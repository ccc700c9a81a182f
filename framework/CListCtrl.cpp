#include "framework/CListCtrl.h"

#include "framework/AfxSendIfAlive.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth,
                            int nSubItem)
{
    ASSERT(::IsWindow(m_hWnd));
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_TEXT;
    column.fmt = nFormat;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return (int)AfxSendIfAlive(m_hWnd, LVM_INSERTCOLUMNA, (WPARAM)nCol,
                               reinterpret_cast<LPARAM>(&column), -1);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    ASSERT(::IsWindow(m_hWnd));
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return (int)AfxSendIfAlive(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item), -1);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    ASSERT(::IsWindow(m_hWnd));
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return (BOOL)AfxSendIfAlive(m_hWnd, LVM_SETITEMTEXTA, (WPARAM)nItem,
                                reinterpret_cast<LPARAM>(&item), FALSE);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    ASSERT(::IsWindow(m_hWnd));
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return (BOOL)AfxSendIfAlive(m_hWnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item), FALSE);
}

BOOL CListCtrl::GetItem(LVITEMA* pItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return (BOOL)AfxSendIfAlive(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(pItem), FALSE);
}

BOOL CListCtrl::DeleteAllItems()
{
    ASSERT(::IsWindow(m_hWnd));
    return (BOOL)AfxSendIfAlive(m_hWnd, LVM_DELETEALLITEMS, 0, 0, FALSE);
}

int CListCtrl::GetItemCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return (int)AfxSendIfAlive(m_hWnd, LVM_GETITEMCOUNT, 0, 0, 0);
}

void CListCtrl::SetItemCount(int nItems)
{
    ASSERT(::IsWindow(m_hWnd));
    AfxSendIfAlive(m_hWnd, LVM_SETITEMCOUNT, (WPARAM)nItems, 0, FALSE);
}

UINT CListCtrl::GetSelectedCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return (UINT)AfxSendIfAlive(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0, 0);
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    ASSERT(::IsWindow(m_hWnd));
    return (int)AfxSendIfAlive(m_hWnd, LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0), -1);
}

int CListCtrl::GetSelectionMark() const
{
    ASSERT(::IsWindow(m_hWnd));
    return (int)AfxSendIfAlive(m_hWnd, LVM_GETSELECTIONMARK, 0, 0, -1);
}

void CListCtrl::SetRedraw(BOOL bRedraw)
{
    ASSERT(::IsWindow(m_hWnd));
    AfxSendIfAlive(m_hWnd, WM_SETREDRAW, (WPARAM)bRedraw, 0, 0);
}

int InsertListColumns(CListCtrl& list, const ListColumn* pColumns, int nCount)
{
    int nInserted = 0;
    for (int i = 0; i < nCount; ++i) {
        if (list.InsertColumn(i, pColumns[i].title, LVCFMT_LEFT, pColumns[i].width, i) >= 0) {
            ++nInserted;
        }
    }
    return nInserted;
}
