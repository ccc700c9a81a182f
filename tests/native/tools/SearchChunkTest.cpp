#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tools/AddressParser.h"
#include "tools/FlagText.h"
#include "tools/MemoryRows.h"
#include "tools/SearchChunk.h"

TEST(MemoryRows, ReadListing)
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

TEST(MemoryRows, FailedReadAndWrappingAddresses)
{
    const MemoryRowTexts failed = FormatMemoryRow(0xFFFFF008, 0, nullptr);
    EXPECT_EQ(failed.address, "0xfffff008");
    std::string unknown;
    for (int i = 0; i < kMemoryRowBytes; ++i) unknown += "?? ";
    EXPECT_EQ(failed.hex, unknown);
    EXPECT_EQ(failed.characters, std::string(16, ' '));

    // Unaligned start, rows are start + 16 r in 32 bits.
    EXPECT_EQ(FormatMemoryRow(0xFFFFF008, 254, nullptr).address, "0xffffffe8");
    EXPECT_EQ(FormatMemoryRow(0xFFFFF008, 255, nullptr).address, "0xfffffff8");
    EXPECT_EQ(FormatMemoryRow(0xFFFFF010, 255, nullptr).address, "0x00000000");
    EXPECT_EQ(FormatMemoryRow(0xFFFFF000, 255, nullptr).address, "0xfffffff0");
}

// The list's own search over the address column: rows 0x00120000, 0x00120010, ... 0x00120ff0.
TEST(MemoryRows, FindRowByAddressText)
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

TEST(FlagText, WordsInBitOrder)
{
    EXPECT_EQ(PageFlagText(0), "");
    EXPECT_EQ(PageFlagText(0x843), "Read-Write-Committed-Private");
    EXPECT_EQ(PageFlagText(0x080), "Free");
    EXPECT_EQ(PageFlagText(0x010), "Gaurded");
    EXPECT_EQ(PageFlagText(0xFFF),
              "Read-Write-Execute-Copy-On-Write-Gaurded-NoCache-Committed-Free-Reserved-"
              "Image-Mapped-Private");
    // Bits beyond the twelve known ones add nothing.
    EXPECT_EQ(PageFlagText(0xF000), "");
    EXPECT_EQ(PageFlagText(0x1000 | 0x400), "Mapped");
}

namespace {

struct Chunk {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(kSearchChunkSize, 0x2E); // '.'

    void Put(size_t offset, const void* data, size_t size)
    {
        std::memcpy(bytes.data() + offset, data, size);
    }
    void Put(size_t offset, const char* text) { Put(offset, text, std::strlen(text)); }
};

} // namespace

TEST(SearchChunk, FirstOccurrenceWithContext)
{
    Chunk chunk;
    chunk.Put(100, "0123456789abcdefNEEDLE0123456789ABCDEFxyz");
    chunk.Put(2000, "NEEDLE");
    SearchChunkMatch match;
    ASSERT_TRUE(SearchChunk(chunk.bytes.data(), "NEEDLE", match));
    EXPECT_EQ(match.offset, 116u);
    EXPECT_STREQ(match.context, "0123456789abcdefNEEDLE0123456789ABCDEF");
    EXPECT_FALSE(SearchChunk(chunk.bytes.data(), "needle", match));
    EXPECT_FALSE(SearchChunk(chunk.bytes.data(), "", match));

    // A zero byte inside the context shows as a blank; a partial match before the real one.
    Chunk second;
    second.Put(10, "NEEDNEEDLE\0!", 12);
    ASSERT_TRUE(SearchChunk(second.bytes.data(), "NEEDLE", match));
    EXPECT_EQ(match.offset, 14u);
    EXPECT_STREQ(match.context, "..........NEEDNEEDLE !..............");
}

TEST(SearchChunk, ContextAtTheChunkEdges)
{
    Chunk chunk;
    chunk.Put(0, "abc");
    chunk.Put(4096 - 5, "vwxyz");
    SearchChunkMatch match;
    ASSERT_TRUE(SearchChunk(chunk.bytes.data(), "abc", match));
    EXPECT_EQ(match.offset, 0u);
    EXPECT_EQ(std::string(match.context), "abc" + std::string(16, '.'));

    ASSERT_TRUE(SearchChunk(chunk.bytes.data(), "vwx", match));
    EXPECT_EQ(match.offset, 4091u);
    EXPECT_EQ(std::string(match.context), std::string(16, '.') + "vwxyz");

    ASSERT_TRUE(SearchChunk(chunk.bytes.data(), "xyz", match));
    EXPECT_EQ(std::string(match.context), std::string(14, '.') + "vwxyz");

    // A text straddling the end of the chunk is not found in it.
    Chunk straddle;
    straddle.Put(4090, "012345");
    EXPECT_FALSE(SearchChunk(straddle.bytes.data(), "0123456789", match));
    EXPECT_TRUE(SearchChunk(straddle.bytes.data(), "012345", match));
}

TEST(SearchChunk, BlanksMatchZeroBytes)
{
    Chunk chunk;
    const uint8_t ab[] = {0x61, 0x00, 0x62};
    chunk.Put(300, ab, sizeof(ab));
    const uint8_t wide[] = {'H', 0, 'e', 0, 'l', 0, 'l', 0, 'o', 0};
    chunk.Put(1000, wide, sizeof(wide));
    chunk.Put(3000, "ABC");
    SearchChunkMatch match;
    ASSERT_TRUE(SearchChunk(chunk.bytes.data(), "a b", match));
    EXPECT_EQ(match.offset, 300u);
    ASSERT_TRUE(SearchChunk(chunk.bytes.data(), "H e l l o", match));
    EXPECT_EQ(match.offset, 1000u);
    EXPECT_EQ(std::string(match.context), std::string(16, '.') + "H e l l o " + std::string(15, '.'));
    EXPECT_FALSE(SearchChunk(chunk.bytes.data(), "abc", match));
    ASSERT_TRUE(SearchChunk(chunk.bytes.data(), "ABC", match));
    EXPECT_EQ(match.offset, 3000u);
}

TEST(SearchChunk, LongTextsKeepTheFirst255ContextCharacters)
{
    Chunk chunk;
    std::string text(255, 'q');
    text[0] = '<';
    text[254] = '>';
    chunk.Put(2000, text.c_str());
    SearchChunkMatch match;
    std::memset(match.context, 'X', sizeof(match.context));
    ASSERT_TRUE(SearchChunk(chunk.bytes.data(), text.c_str(), match));
    EXPECT_EQ(match.offset, 2000u);
    EXPECT_EQ(std::strlen(match.context), 255u);
    EXPECT_EQ(std::string(match.context), std::string(16, '.') + text.substr(0, 239));

    // 223 characters plus 16 before and after fit exactly.
    const std::string fits = text.substr(0, 223);
    ASSERT_TRUE(SearchChunk(chunk.bytes.data(), fits.c_str(), match));
    EXPECT_EQ(std::string(match.context), std::string(16, '.') + fits + text.substr(223, 16));

    // Texts longer than the chunk are never found and never read past it.
    const std::string huge(5000, '.');
    EXPECT_FALSE(SearchChunk(chunk.bytes.data(), huge.c_str(), match));
}

TEST(SearchChunk, ChunkLoopBound)
{
    uint32_t chunks = 0;
    uint32_t last = 0;
    for (uint32_t a = 0; a < kSearchAddressLimit; a += kSearchChunkSize) {
        last = a;
        ++chunks;
    }
    EXPECT_EQ(chunks, kSearchChunkCount);
    EXPECT_EQ(last, 0xFFFFE000u);
}

TEST(AddressParser, AcceptedTexts)
{
    const struct { const char* text; uint32_t address; } cases[] = {
        {"0x12345678", 0x12345678}, {"0X1000", 0x1000}, {"0x1000", 0x1000},
        {"0x12G4", 0x12},           {"0x", 0},          {"0xzz", 0},
        {"0x  7c80", 0x7c80},       {"0xFFFFFFFF", 0xFFFFFFFF},
        {"0x00401234", 0x00401234}, {"0xabcDEF", 0xabcdef},
        // As scanf reads "%x": a sign and a second prefix are accepted.
        {"0x-1", 0xFFFFFFFF},       {"0x+10", 0x10},   {"0x0x20", 0x20}, {"0x0xg", 0},
    };
    for (const auto& c : cases) {
        const AddressParseResult r = ParseGotoAddress(c.text);
        EXPECT_TRUE(r.ok) << c.text;
        EXPECT_EQ(r.address, c.address) << c.text;
        EXPECT_STREQ(r.message, "") << c.text;
    }
}

TEST(AddressParser, RejectedTexts)
{
    const struct { const char* text; const char* message; } cases[] = {
        {"0x123456789", kGotoLengthMessage},
        {"0x0012345678", kGotoLengthMessage},
        {"12345678901", kGotoLengthMessage},
        {"x1000", kGotoPrefixMessage},
        {"1000", kGotoPrefixMessage},
        {"", kGotoPrefixMessage},
        {"0", kGotoPrefixMessage},
        {" 0x10", kGotoPrefixMessage},
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
