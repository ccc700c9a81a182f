// A list-view control: a CWnd over a "SysListView32" window (usually a dialog item,
// subclassed with SubclassDlgItem) whose members are the list-view messages, typed. Each
// member asserts that the window is alive and sends one ANSI message; on a window that is
// gone it answers as the control does when it has nothing: -1 for an index, 0 or FALSE
// otherwise. Beside the class: a report list's column table and the helper that inserts it.
#pragma once

#include "framework/CWnd.h"

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;

    // LVM_INSERTCOLUMNA: a column at index nCol; a width or subitem of -1 is left to the
    // control. Returns the new column's index, -1 on failure.
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);

    // LVM_INSERTITEMA: a row at index nItem with lpszItem in its first column. Returns the
    // row's index, -1 on failure.
    int InsertItem(int nItem, LPCSTR lpszItem);
    // LVM_SETITEMTEXTA: the text of one cell.
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    // LVM_SETITEMA: the row's application-defined value (lParam).
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    // LVM_GETITEMA: the fields of row pItem->iItem that pItem->mask asks for.
    BOOL GetItem(LVITEMA* pItem) const;
    // LVM_DELETEALLITEMS: every row goes (the parent hears LVN_DELETEALLITEMS first).
    BOOL DeleteAllItems();

    // LVM_GETITEMCOUNT: the number of rows.
    int GetItemCount() const;
    // LVM_SETITEMCOUNT: the number of rows of a virtual (owner-data) list; the list is
    // redrawn and may scroll.
    void SetItemCount(int nItems);
    // LVM_GETSELECTEDCOUNT: the number of selected rows.
    UINT GetSelectedCount() const;
    // LVM_GETNEXTITEM: the next row after nItem (-1: from the start) with the LVNI_ state
    // of nFlags; -1 when there is none.
    int GetNextItem(int nItem, int nFlags) const;
    // LVM_GETSELECTIONMARK: the row where a range selection starts; -1 when there is none.
    int GetSelectionMark() const;

    // WM_SETREDRAW: FALSE stops the list from drawing its changes until it is set back to
    // TRUE.
    void SetRedraw(BOOL bRedraw = TRUE);
};

// One column of a report list's column table: its heading and its width in pixels.
struct ListColumn
{
    const char* title;
    int width;
};

// Inserts nCount columns in table order, left-aligned, column i showing subitem i. Returns
// how many went in.
int InsertListColumns(CListCtrl& list, const ListColumn* pColumns, int nCount);

template <int N>
int InsertListColumns(CListCtrl& list, const ListColumn (&columns)[N])
{
    return InsertListColumns(list, columns, N);
}
