#include "tools/MemoryRows.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(MemoryRowsTest, ReadListing)
{
    std::vector<uint8_t> bytes(kMemoryListBytes, 0x30);
    const uint8_t example[] = {0x41, 0x42, 0x00, 0x0a, 0x7f, 0x07, 0x1b, 0x08,
                               0x09, 0x0d, 0x80, 0xff, 0x20, 0x61, 0x01, 0x7e};
    std::copy(std::begin(example), std::end(example), bytes.begin());
    bytes[4095] = 0xab;

    const MemoryRowTexts first = FormatMemoryRow(0x00120000, 0, bytes.data());
    EXPECT_EQ(first.address, "0x00120000");
    EXPECT_EQ(first.hex, "41 42 00 0a 7f 07 1b 08 09 0d 80 ff 20 61 01 7e ");
    EXPECT_EQ(first.characters, std::string("AB  \x7f\x07\x1b   \x80\xff a\x01~"));

    const MemoryRowTexts last = FormatMemoryRow(0x00120000, 255, bytes.data());
    EXPECT_EQ(last.address, "0x00120ff0");
    EXPECT_EQ(last.hex.substr(last.hex.size() - 6), "30 ab ");
    EXPECT_EQ(last.characters, "000000000000000\xab");
}

TEST(MemoryRowsTest, FailedReadAndWrappingAddresses)
{
    const MemoryRowTexts failed = FormatMemoryRow(0xFFFFF008, 0, nullptr);
    EXPECT_EQ(failed.address, "0xfffff008");
    std::string unknown;
    for (int i = 0; i < kMemoryRowBytes; ++i) {
        unknown += "?? ";
    }
    EXPECT_EQ(failed.hex, unknown);
    EXPECT_EQ(failed.characters, std::string(16, ' '));

    // Unaligned start, rows are start + 16 r in 32 bits.
    EXPECT_EQ(FormatMemoryRow(0xFFFFF008, 254, nullptr).address, "0xffffffe8");
    EXPECT_EQ(FormatMemoryRow(0xFFFFF008, 255, nullptr).address, "0xfffffff8");
    EXPECT_EQ(FormatMemoryRow(0xFFFFF010, 255, nullptr).address, "0x00000000");
    EXPECT_EQ(FormatMemoryRow(0xFFFFF000, 255, nullptr).address, "0xfffffff0");
}

// The list's own search over the address column: rows 0x00120000, 0x00120010, ... 0x00120ff0.
TEST(MemoryRowsTest, FindRowByAddressText)
{
    EXPECT_EQ(FindMemoryRow(0x00120000, "0x0012001", true, 0, false), 1);
    EXPECT_EQ(FindMemoryRow(0x00120000, "0X00120FF0", false, 0, false), 255) << "case is ignored";
    EXPECT_EQ(FindMemoryRow(0x00120000, "0x0012001", false, 0, false), -1) << "exact needs all";
    EXPECT_EQ(FindMemoryRow(0x00120000, "0x00120", true, 7, false), 7) << "from its start row on";
    EXPECT_EQ(FindMemoryRow(0x00120000, "0x0012001", true, 2, false), -1);
    EXPECT_EQ(FindMemoryRow(0x00120000, "0x0012001", true, 2, true), 1) << "wrapping to row 0";
    EXPECT_EQ(FindMemoryRow(0x00120000, "0x00130000", true, 0, true), -1);
    EXPECT_EQ(FindMemoryRow(0xFFFFF010, "0x00000000", false, 0, false), 255) << "wrapped rows";
}
