#include "tools/AddressParser.h"

#include <gtest/gtest.h>

TEST(AddressParserTest, AcceptedTexts)
{
    const struct
    {
        const char* text;
        uint32_t address;
    } cases[] = {
        {"0x12345678", 0x12345678},
        {"0X1000", 0x1000},
        {"0x1000", 0x1000},
        {"0x12G4", 0x12},
        {"0x", 0},
        {"0xzz", 0},
        {"0x  7c80", 0x7c80},
        {"0xFFFFFFFF", 0xFFFFFFFF},
        {"0x00401234", 0x00401234},
        {"0xabcDEF", 0xabcdef},
        // As scanf reads "%x": a sign and a second prefix are accepted.
        {"0x-1", 0xFFFFFFFF},
        {"0x+10", 0x10},
        {"0x0x20", 0x20},
        {"0x0xg", 0},
    };
    for (const auto& c : cases) {
        const AddressParseResult r = ParseGotoAddress(c.text);
        EXPECT_TRUE(r.ok) << c.text;
        EXPECT_EQ(r.address, c.address) << c.text;
        EXPECT_STREQ(r.message, "") << c.text;
    }
}

TEST(AddressParserTest, RejectedTexts)
{
    const struct
    {
        const char* text;
        const char* message;
    } cases[] = {
        {"0x123456789", kGotoLengthMessage}, {"0x0012345678", kGotoLengthMessage},
        {"12345678901", kGotoLengthMessage}, {"x1000", kGotoPrefixMessage},
        {"1000", kGotoPrefixMessage},        {"", kGotoPrefixMessage},
        {"0", kGotoPrefixMessage},           {" 0x10", kGotoPrefixMessage},
        {"00x10", kGotoPrefixMessage},
    };
    for (const auto& c : cases) {
        const AddressParseResult r = ParseGotoAddress(c.text);
        EXPECT_FALSE(r.ok) << c.text;
        EXPECT_STREQ(r.message, c.message) << c.text;
    }
    EXPECT_STREQ(kGotoLengthMessage, "Address should be at most 10 characters as in 0x12345678");
    EXPECT_STREQ(kGotoPrefixMessage, "Address must be in Hex, starting with 0x....");
    EXPECT_FALSE(ParseGotoAddress(nullptr).ok);
}
