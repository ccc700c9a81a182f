#include "framework/CTreeCtrl.h"

#include "framework/AfxSendIfAlive.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    ASSERT(::IsWindow(m_hWnd));
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPSTR>(lpszItem);
    return reinterpret_cast<HTREEITEM>(
        AfxSendIfAlive(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert), 0));
}

BOOL CTreeCtrl::DeleteAllItems()
{
    ASSERT(::IsWindow(m_hWnd));
    return (BOOL)AfxSendIfAlive(m_hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT),
                                FALSE);
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HTREEITEM>(AfxSendIfAlive(m_hWnd, TVM_GETNEXTITEM, TVGN_ROOT, 0, 0));
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HTREEITEM>(
        AfxSendIfAlive(m_hWnd, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(hItem), 0));
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HTREEITEM>(
        AfxSendIfAlive(m_hWnd, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(hItem), 0));
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HTREEITEM>(AfxSendIfAlive(m_hWnd, TVM_GETNEXTITEM, TVGN_CARET, 0, 0));
}

BOOL CTreeCtrl::GetItem(TVITEMA* pItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return (BOOL)AfxSendIfAlive(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(pItem), FALSE);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    ASSERT(::IsWindow(m_hWnd));
    TVITEMA item = {};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = hItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return (BOOL)AfxSendIfAlive(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item), FALSE);
}

BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM hItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return (BOOL)AfxSendIfAlive(m_hWnd, TVM_SELECTITEM, TVGN_FIRSTVISIBLE,
                                reinterpret_cast<LPARAM>(hItem), FALSE);
}
