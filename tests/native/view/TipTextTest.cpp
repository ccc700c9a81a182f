#include "view/TipText.h"

#include <gtest/gtest.h>
#include <string>

TEST(TipTextTest, AddressOnlyAndFullTip)
{
    EXPECT_EQ(AddressTipText(0x00401000, nullptr), "Address: 0x00401000");

    uint8_t bytes[kTipByteCount] = {0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x00, 0x0D, 0x0A};
    for (size_t i = 8; i < kTipByteCount; ++i) {
        bytes[i] = static_cast<uint8_t>(0x80 + i);
    }
    bytes[8] = 0x08;
    bytes[9] = 0x09;
    bytes[10] = 0x07;
    const std::string tip = AddressTipText(0xFFFFF000, bytes);
    EXPECT_EQ(tip.size(), kTipTextMax);

    const std::string head = "Address: 0xfffff000\n\nHex Bytes                  ASCII\n";
    ASSERT_EQ(tip.substr(0, head.size()), head);
    const std::string first = tip.substr(head.size(), 36);
    EXPECT_EQ(first, "48 65 6c 6c 6f 00 0d 0a    Hello   \n");
    // "ASCII" stands above the byte text.
    EXPECT_EQ(head.find("ASCII") - head.find("Hex"), first.find("Hello"));
    const std::string second = tip.substr(head.size() + 36, 36);
    EXPECT_EQ(second.substr(0, 27), "08 09 07 8b 8c 8d 8e 8f    ");
    EXPECT_EQ(second.substr(27), std::string("  \x07\x8b\x8c\x8d\x8e\x8f\n"));
    const std::string last = tip.substr(tip.size() - 36);
    EXPECT_EQ(last, "f8 f9 fa fb fc fd fe ff    \xf8\xf9\xfa\xfb\xfc\xfd\xfe\xff\n");
}
