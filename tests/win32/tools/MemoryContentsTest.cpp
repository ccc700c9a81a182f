// The memory contents window from template 101 listing the helper target's memory.

#include <cstdio>

#include "res/resource.h"
#include "tests/support/ExpectSequence.h"
#include "tests/support/PictureHarness.h"
#include "tests/support/TargetMarkers.h"
#include "tools/MemoryContentsDlg.h"

using namespace picturetest;

namespace {

class MemoryContentsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create(IDD_MEMORY_CONTENTS, nullptr));
        list = ::GetDlgItem(dialog.m_hWnd, IDC_MEMORY_LIST);
        ASSERT_NE(list, (HWND) nullptr);
        record = TargetRecord();
        ASSERT_NE(record, nullptr);
    }
    void TearDown() override { dialog.DestroyWindow(); }

    std::string Cell(int row, int column)
    {
        char text[256] = {};
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int Rows() { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

    // The ids of the checked attribute boxes, in id order.
    std::vector<int> Checked()
    {
        std::vector<int> ids;
        for (int id = IDC_ATTR_READ; id <= IDC_ATTR_PRIVATE; ++id) {
            if (dialog.IsDlgButtonChecked(id) == BST_CHECKED) {
                ids.push_back(id);
            }
        }
        return ids;
    }

    static std::string Hex(uint32_t value)
    {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08x", value);
        return text;
    }

    CMemoryContentsDlg dialog;
    HWND list = nullptr;
    const ProcessRecord* record = nullptr;
};

TEST_F(MemoryContentsTest, ColumnsAndFixedPitchFontOfTheList)
{
    HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    ASSERT_EQ(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);
    const char* titles[] = {"Start  Address", "Hex   Contents", "ASCII Contents"};
    const int widths[] = {150, 400, 150};
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(::SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(text, titles[i]);
        EXPECT_EQ(column.cx, widths[i]);
    }
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(list, WM_GETFONT, 0, 0));
    LOGFONTA logFont = {};
    ASSERT_TRUE(::GetObjectA(font, sizeof logFont, &logFont));
    EXPECT_EQ(logFont.lfHeight, 16);
    EXPECT_EQ(logFont.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
}

TEST_F(MemoryContentsTest, ListsTheTargetsKnownBytes)
{
    // The control bytes lie at offset 0x100 of their page, the hello bytes at 0x200.
    const uint32_t page = Env().target.Address("bytes_ctrl") - 0x100;
    dialog.ShowMemory(&Env().catalogue, record, page);
    ASSERT_EQ(Rows(), 256);
    EXPECT_EQ(Cell(0, 0), Hex(page));
    EXPECT_EQ(Cell(255, 0), Hex(page + 0xFF0));
    EXPECT_EQ(Cell(16, 0), Hex(page + 0x100));
    EXPECT_EQ(Cell(16, 1), "41 00 42 0d 0a 09 43 08 07 0c 00 00 00 00 00 00 ");
    EXPECT_EQ(Cell(16, 2), "A B   C \x07\x0c      ");
    EXPECT_EQ(Cell(32, 1).substr(0, 24), "48 65 6c 6c 6f 00 0d 0a ");
    EXPECT_EQ(Cell(32, 2).substr(0, 8), "Hello   ");
    EXPECT_EQ(Cell(0, 2), std::string(16, ' '));
    static const int kReadWritePageBoxes[] = {IDC_ATTR_READ, IDC_ATTR_WRITE, IDC_ATTR_COMMITTED,
                                              IDC_ATTR_PRIVATE};
    EXPECT_SEQUENCE(kReadWritePageBoxes, Checked());
}

TEST_F(MemoryContentsTest, UnalignedAddressesStartTheRowsWhereTheyAre)
{
    // The ASCII marker sits in four committed pages: 4096 bytes from it can all be read.
    const uint32_t address = Env().target.Address("marker_ascii") + 3;
    dialog.ShowMemory(&Env().catalogue, record, address);
    EXPECT_EQ(Cell(0, 0), Hex(address));
    EXPECT_EQ(Cell(1, 0), Hex(address + 16));
    EXPECT_EQ(Cell(0, 2), std::string(kTargetAsciiMarker + 3, 16));
    EXPECT_EQ(Cell(0, 1).substr(0, 15), "6f 41 73 63 69 ");

    // From offset 3 of a lone page the range runs 3 bytes into memory that cannot be read:
    // the whole listing fails, and the boxes still describe the page of the start address.
    const uint32_t all = Env().target.Address("bytes_all");
    if (Env().catalogue.QueryPageFlags(record, all + 4096) & MAPF_COMMITTED) {
        GTEST_SKIP() << "the page after bytes_all is committed here";
    }
    dialog.ShowMemory(&Env().catalogue, record, all + 3);
    EXPECT_EQ(Cell(0, 1).substr(0, 6), "?? ?? ");
    EXPECT_EQ(Cell(0, 2), std::string(16, ' '));
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_ATTR_COMMITTED), (UINT)BST_CHECKED);
}

TEST_F(MemoryContentsTest, UnreadablePagesListQuestionMarksWithTheirAttributes)
{
    std::string questions;
    for (int i = 0; i < 16; ++i) {
        questions += "?? ";
    }

    dialog.ShowMemory(&Env().catalogue, record, Env().target.Address("reserve_rest"));
    EXPECT_EQ(Cell(0, 1), questions);
    EXPECT_EQ(Cell(255, 1), questions);
    EXPECT_EQ(Cell(7, 2), std::string(16, ' '));
    static const int kReservedPageBoxes[] = {IDC_ATTR_RESERVED, IDC_ATTR_PRIVATE};
    static const int kFreePageBoxes[] = {IDC_ATTR_FREE};
    EXPECT_SEQUENCE(kReservedPageBoxes, Checked());

    // A free page of the target.
    const std::vector<uint32_t> map = TargetPageMap();
    uint32_t freePage = 0;
    for (uint32_t page = 0x10; page < 0x7FFF0 && freePage == 0; ++page) {
        if (map[page] & MAPF_FREE) {
            freePage = page * 4096;
        }
    }
    ASSERT_NE(freePage, 0u);
    dialog.ShowMemory(&Env().catalogue, record, freePage);
    EXPECT_EQ(Cell(100, 1), questions);
    EXPECT_SEQUENCE(kFreePageBoxes, Checked());

    // The last page: the rows wrap past 0xfffffff0 to 0x00000000, and the read fails.
    dialog.ShowMemory(&Env().catalogue, record, 0xFFFFF010);
    EXPECT_EQ(Cell(0, 0), "0xfffff010");
    EXPECT_EQ(Cell(254, 0), "0xfffffff0");
    EXPECT_EQ(Cell(255, 0), "0x00000000");
    EXPECT_EQ(Cell(255, 1), questions);

    // A guarded page and a no-cache page show their modifiers.
    dialog.ShowMemory(&Env().catalogue, record, Env().target.Address("guard"));
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_ATTR_GUARDED), (UINT)BST_CHECKED);
    EXPECT_EQ(Cell(0, 1), questions);
    dialog.ShowMemory(&Env().catalogue, record, Env().target.Address("nocache"));
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_ATTR_NOCACHE), (UINT)BST_CHECKED);
    dialog.ShowMemory(&Env().catalogue, record, Env().target.Address("mapped_view"));
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_ATTR_MAPPED), (UINT)BST_CHECKED);
    dialog.ShowMemory(&Env().catalogue, record, record->moduleBases[0]);
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_ATTR_IMAGE), (UINT)BST_CHECKED);
}

// A new listing starts at its top with no row selected, whatever was done to the last one.
TEST_F(MemoryContentsTest, ANewListingStartsAtTheTopWithNothingSelected)
{
    const uint32_t address = Env().target.Address("marker_ascii");
    dialog.ShowMemory(&Env().catalogue, record, address);
    ::SendMessageA(list, LVM_ENSUREVISIBLE, 200, FALSE);
    LVITEMA selected = {};
    selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETITEMSTATE, 200, reinterpret_cast<LPARAM>(&selected));
    ASSERT_GT(::SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);

    dialog.ShowMemory(&Env().catalogue, record, address + 16);
    EXPECT_EQ(::SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), -1);
    EXPECT_EQ(Rows(), 256);
    EXPECT_EQ(Cell(200, 0), Hex(address + 16 + 200 * 16));
}

// Finding a row by its address text, as typing in the list does.
TEST_F(MemoryContentsTest, RowsAreFoundByTheirAddressText)
{
    const uint32_t address = Env().target.Address("marker_ascii");
    dialog.ShowMemory(&Env().catalogue, record, address);
    auto find = [&](int start, UINT flags, const std::string& text) {
        LVFINDINFOA info = {};
        info.flags = flags;
        info.psz = text.c_str();
        return static_cast<int>(
            ::SendMessageA(list, LVM_FINDITEMA, start, reinterpret_cast<LPARAM>(&info)));
    };
    EXPECT_EQ(find(-1, LVFI_STRING, Hex(address + 0x30)), 3);
    // The first row whose address shares the upper six digits.
    int sharing = 0;
    while (((address + 16 * sharing) >> 8) != ((address + 0x30) >> 8)) {
        ++sharing;
    }
    EXPECT_EQ(find(-1, LVFI_PARTIAL | LVFI_STRING, Hex(address + 0x30).substr(0, 8)), sharing);
    EXPECT_EQ(find(10, LVFI_STRING, Hex(address + 0x30)), -1) << "the start row is excluded";
    EXPECT_EQ(find(10, LVFI_STRING | LVFI_WRAP, Hex(address + 0x30)), 3);
    EXPECT_EQ(find(-1, LVFI_STRING, "0x"), -1);
}

TEST_F(MemoryContentsTest, ControlsKeepTheirProportionsWhenResized)
{
    CRect client, before;
    dialog.GetClientRect(&client);
    ::GetWindowRect(list, &before);
    dialog.ScreenToClient(&before);

    // Three fifths of the client area: three fifths of the list, give or take the border
    // (recorded from the client area, set as the outer rectangle) and rounding.
    CRect window;
    dialog.GetWindowRect(&window);
    const int cx = client.Width() * 3 / 5, cy = client.Height() * 3 / 5;
    dialog.SetWindowPos(nullptr, 0, 0, window.Width() - client.Width() + cx,
                        window.Height() - client.Height() + cy, SWP_NOZORDER | SWP_NOMOVE);
    CRect resized;
    dialog.GetClientRect(&resized);
    ASSERT_EQ(resized.Width(), cx);
    CRect after;
    ::GetWindowRect(list, &after);
    dialog.ScreenToClient(&after);
    EXPECT_NEAR(after.left, before.left * 3 / 5, 3);
    EXPECT_NEAR(after.right, before.right * 3 / 5, 4);
    EXPECT_NEAR(after.bottom, before.bottom * 3 / 5, 4);
}

} // namespace
