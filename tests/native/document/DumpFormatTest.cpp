#include "document/DumpFormat.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<uint8_t> Header(uint32_t length)
{
    uint8_t header[kArchiveLengthHeaderMax];
    const size_t size = EncodeArchiveStringLength(length, header);
    return std::vector<uint8_t>(header, header + size);
}

} // namespace

TEST(DumpFormatTest, ArchiveStringLengthForms)
{
    EXPECT_EQ(Header(0), (std::vector<uint8_t>{0x00}));
    EXPECT_EQ(Header(1), (std::vector<uint8_t>{0x01}));
    EXPECT_EQ(Header(254), (std::vector<uint8_t>{0xFE}));
    EXPECT_EQ(Header(255), (std::vector<uint8_t>{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(Header(4096), (std::vector<uint8_t>{0xFF, 0x00, 0x10}));
    EXPECT_EQ(Header(0xFFFD), (std::vector<uint8_t>{0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(Header(0xFFFE), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Header(0x10000), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}));
    EXPECT_EQ(Header(0x12345678), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}));
}

TEST(DumpFormatTest, PageTextAndChunk)
{
    std::vector<uint8_t> page(kDumpPageSize);
    for (size_t i = 0; i < page.size(); ++i) {
        page[i] = static_cast<uint8_t>(i);
    }
    const uint8_t example[] = {0x41, 0x00, 0x42, 0x0D, 0x0A, 0x09, 0x43, 0x08, 0x07, 0x0C};
    std::copy(std::begin(example), std::end(example), page.begin());

    std::vector<uint8_t> text(kDumpPageSize);
    MakeDumpPageText(page.data(), text.data());
    EXPECT_EQ(std::vector<uint8_t>(text.begin(), text.begin() + 10),
              (std::vector<uint8_t>{0x41, 0x20, 0x42, 0x20, 0x20, 0x20, 0x43, 0x20, 0x07, 0x0C}));
    // Every other byte value passes unchanged (bytes 256 .. 511 of the page are 0x00 .. 0xFF).
    for (size_t i = 256; i < 512; ++i) {
        const uint8_t b = page[i];
        const bool blanked = b == 0x00 || b == 0x08 || b == 0x09 || b == 0x0A || b == 0x0D;
        EXPECT_EQ(text[i], blanked ? 0x20 : b) << i;
    }

    std::vector<uint8_t> chunk(kDumpChunkSize, 0xEE);
    MakeDumpChunk(page.data(), chunk.data());
    EXPECT_EQ(chunk[0], 0xFF);
    EXPECT_EQ(chunk[1], 0x00);
    EXPECT_EQ(chunk[2], 0x10);
    EXPECT_TRUE(std::equal(text.begin(), text.end(), chunk.begin() + 3));
    EXPECT_EQ(chunk[4099], 0x01);
    EXPECT_EQ(chunk[4100], 0x0A);

    // A page that could not be read is all blanks.
    MakeDumpChunk(nullptr, chunk.data());
    EXPECT_EQ(std::count(chunk.begin() + 3, chunk.begin() + 3 + kDumpPageSize, 0x20),
              static_cast<long>(kDumpPageSize));
    EXPECT_EQ(chunk[4100], 0x0A);
}
