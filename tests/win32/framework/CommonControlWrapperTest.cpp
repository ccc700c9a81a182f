// CTreeCtrl and CListCtrl over real tree-view and list-view controls, subclassed from their
// parent as the tool windows do: what the members put in, what they read back, that the
// parent still hears the list's notifications, and what they answer once the window is gone.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "framework/Afx.h"

namespace {

const int kTreeId = 101;
const int kListId = 102;

// The controls' parent; it records the list notifications that the tool windows handle.
class CListParent : public CWnd
{
public:
    std::vector<int> m_changedRows; // iItem of each LVN_ITEMCHANGED
    int m_nDeleteAllNotices = 0;

protected:
    afx_msg void OnItemChangedList(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_changedRows.push_back(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iItem);
        *pResult = 0;
    }
    afx_msg void OnDeleteAllItemsList(NMHDR*, LRESULT* pResult)
    {
        ++m_nDeleteAllNotices;
        *pResult = TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListParent, CWnd)
    ON_NOTIFY(LVN_ITEMCHANGED, kListId, OnItemChangedList)
    ON_NOTIFY(LVN_DELETEALLITEMS, kListId, OnDeleteAllItemsList)
END_MESSAGE_MAP()

const ListColumn kColumns[] = {{"Address", 100}, {"Flags", 200}, {"ASCII Contents", 150}};

class CommonControlWrapperTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&init);
    }
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                      nullptr, nullptr));
        ASSERT_NE(nullptr, MakeChild(WC_TREEVIEWA, 0, kTreeId));
        ASSERT_NE(nullptr, MakeChild(WC_LISTVIEWA, LVS_REPORT, kListId));
        ASSERT_TRUE(m_tree.SubclassDlgItem(kTreeId, &m_parent));
        ASSERT_TRUE(m_list.SubclassDlgItem(kListId, &m_parent));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    HWND MakeChild(LPCSTR lpszClass, DWORD dwStyle, int nID)
    {
        return ::CreateWindowExA(0, lpszClass, "", WS_CHILD | WS_VISIBLE | dwStyle, 0, 0, 200, 100,
                                 m_parent.m_hWnd, reinterpret_cast<HMENU>((UINT_PTR)nID), nullptr,
                                 nullptr);
    }

    CListParent m_parent;
    CTreeCtrl m_tree;
    CListCtrl m_list;
};

TEST_F(CommonControlWrapperTest, TreeItemsDataNavigationAndScrolling)
{
    std::vector<HTREEITEM> roots;
    for (int i = 0; i < 40; ++i) {
        roots.push_back(m_tree.InsertItem(std::to_string(i).c_str()));
    }
    const HTREEITEM hChild = m_tree.InsertItem("child", roots[0]);
    ASSERT_NE(nullptr, hChild);
    EXPECT_TRUE(m_tree.SetItemData(roots[1], 42));

    EXPECT_EQ(roots[0], m_tree.GetRootItem());
    EXPECT_EQ(roots[1], m_tree.GetNextSiblingItem(roots[0]));
    EXPECT_EQ(roots[0], m_tree.GetParentItem(hChild));
    EXPECT_EQ(nullptr, m_tree.GetParentItem(roots[0]));
    char text[16] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_HANDLE;
    item.hItem = roots[1];
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(m_tree.GetItem(&item));
    EXPECT_STREQ("1", text);
    EXPECT_EQ(42, item.lParam);

    // Scrolling an item to the top leaves the selection where it was.
    ::SendMessageA(m_tree.m_hWnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(roots[1]));
    EXPECT_EQ(roots[1], m_tree.GetSelectedItem());
    EXPECT_TRUE(m_tree.SelectSetFirstVisible(roots[20]));
    EXPECT_EQ(roots[20], reinterpret_cast<HTREEITEM>(
                             ::SendMessageA(m_tree.m_hWnd, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
    EXPECT_EQ(roots[1], m_tree.GetSelectedItem());

    EXPECT_TRUE(m_tree.DeleteAllItems());
    EXPECT_EQ(nullptr, m_tree.GetRootItem());
}

TEST_F(CommonControlWrapperTest, ListColumnsFromATable)
{
    EXPECT_EQ(3, InsertListColumns(m_list, kColumns));
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(
            ::SendMessageA(m_list.m_hWnd, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(kColumns[i].title, text);
        EXPECT_EQ(kColumns[i].width, column.cx);
        EXPECT_EQ(i, column.iSubItem);
    }
}

TEST_F(CommonControlWrapperTest, ListRowsTextsDataSelectionAndTheParentsNotifications)
{
    InsertListColumns(m_list, kColumns);
    EXPECT_EQ(0, m_list.InsertItem(m_list.GetItemCount(), "0x00001000"));
    EXPECT_EQ(1, m_list.InsertItem(m_list.GetItemCount(), "0x00002000"));
    EXPECT_TRUE(m_list.SetItemText(1, 2, "Hello"));
    m_parent.m_changedRows.clear();
    EXPECT_TRUE(m_list.SetItemData(1, 0x2000));

    EXPECT_EQ(2, m_list.GetItemCount());
    char text[16] = {};
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = 1;
    item.iSubItem = 2;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(m_list.GetItem(&item));
    EXPECT_STREQ("Hello", text);
    EXPECT_EQ(0x2000, item.lParam);
    item.iSubItem = 0;
    ASSERT_TRUE(m_list.GetItem(&item));
    EXPECT_STREQ("0x00002000", text);
    EXPECT_EQ(std::vector<int>{1}, m_parent.m_changedRows);

    EXPECT_EQ(0u, m_list.GetSelectedCount());
    EXPECT_EQ(-1, m_list.GetSelectionMark());
    LVITEMA state = {};
    state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(m_list.m_hWnd, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    ::SendMessageA(m_list.m_hWnd, LVM_SETSELECTIONMARK, 0, 1);
    EXPECT_EQ(1u, m_list.GetSelectedCount());
    EXPECT_EQ(1, m_list.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(1, m_list.GetSelectionMark());

    EXPECT_TRUE(m_list.DeleteAllItems());
    EXPECT_EQ(1, m_parent.m_nDeleteAllNotices);
    EXPECT_EQ(0, m_list.GetItemCount());
}

TEST_F(CommonControlWrapperTest, VirtualListTakesItsRowCount)
{
    CListCtrl virtualList;
    ASSERT_TRUE(
        virtualList.SubclassWindow(MakeChild(WC_LISTVIEWA, LVS_REPORT | LVS_OWNERDATA, 103)));
    virtualList.SetItemCount(256);
    EXPECT_EQ(256, virtualList.GetItemCount());
}

TEST_F(CommonControlWrapperTest, CallsOnAGoneWindowGiveTheSafeResults)
{
#ifndef NDEBUG
    GTEST_SKIP() << "debug builds stop at the wrappers' alive checks";
#endif
    // A subclassed control lets go of its object when it is destroyed.
    ::DestroyWindow(m_tree.m_hWnd);
    EXPECT_EQ(nullptr, m_tree.m_hWnd);
    EXPECT_EQ(nullptr, m_tree.InsertItem("gone"));
    EXPECT_EQ(nullptr, m_tree.GetRootItem());
    EXPECT_FALSE(m_tree.SetItemData(TVI_ROOT, 1));

    // A wrapper only attached to its control keeps the old handle.
    CListCtrl attached;
    HWND hList = m_list.UnsubclassWindow();
    ASSERT_TRUE(attached.Attach(hList));
    ::DestroyWindow(hList);
    EXPECT_EQ(hList, attached.m_hWnd);
    EXPECT_EQ(0, InsertListColumns(attached, kColumns));
    EXPECT_EQ(-1, attached.InsertItem(0, "gone"));
    EXPECT_EQ(0, attached.GetItemCount());
    EXPECT_EQ(-1, attached.GetSelectionMark());
    attached.Detach();
}

} // namespace
