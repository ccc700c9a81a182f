#include "tools/SearchChunk.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Chunk
{
    std::vector<uint8_t> bytes = std::vector<uint8_t>(kSearchChunkSize, 0x2E); // '.'

    void Put(size_t offset, const void* data, size_t size)
    {
        std::memcpy(bytes.data() + offset, data, size);
    }
    void Put(size_t offset, const char* text) { Put(offset, text, std::strlen(text)); }
};

} // namespace

TEST(SearchChunkTest, FirstOccurrenceWithContext)
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

TEST(SearchChunkTest, ContextAtTheChunkEdges)
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

TEST(SearchChunkTest, BlanksMatchZeroBytes)
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
    EXPECT_EQ(std::string(match.context),
              std::string(16, '.') + "H e l l o " + std::string(15, '.'));
    EXPECT_FALSE(SearchChunk(chunk.bytes.data(), "abc", match));
    ASSERT_TRUE(SearchChunk(chunk.bytes.data(), "ABC", match));
    EXPECT_EQ(match.offset, 3000u);
}

TEST(SearchChunkTest, LongTextsKeepTheFirst255ContextCharacters)
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
