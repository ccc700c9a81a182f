// A tree-view control: a CWnd over a "SysTreeView32" window (usually a dialog item,
// subclassed with SubclassDlgItem) whose members are the tree-view messages, typed. Each
// member asserts that the window is alive and sends one ANSI message; on a window that is
// gone it answers NULL or FALSE.
#pragma once

#include "framework/CWnd.h"

class CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl() = default;

    // TVM_INSERTITEMA: a text item, last among the children of hParent; NULL on failure.
    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    // TVM_DELETEITEM of TVI_ROOT: every item goes.
    BOOL DeleteAllItems();

    // TVM_GETNEXTITEM with TVGN_ROOT: the first root item.
    HTREEITEM GetRootItem() const;
    // TVM_GETNEXTITEM with TVGN_NEXT: the item after hItem under the same parent.
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    // TVM_GETNEXTITEM with TVGN_PARENT: NULL for a root item.
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    // TVM_GETNEXTITEM with TVGN_CARET: the selected item.
    HTREEITEM GetSelectedItem() const;

    // TVM_GETITEMA: the fields of pItem->hItem that pItem->mask asks for.
    BOOL GetItem(TVITEMA* pItem) const;
    // TVM_SETITEMA: the item's application-defined value (lParam).
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);

    // TVM_SELECTITEM with TVGN_FIRSTVISIBLE: scrolls hItem to the top; the selection stays.
    BOOL SelectSetFirstVisible(HTREEITEM hItem);
};
