// Reads of the helper target's memory: the known bytes and texts, Windows' failures for pages
// that cannot be read (Wine would copy zeros), and the bulk reader against ReadProcessBytes.
#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "inspect/ProcessCatalogue.h"
#include "inspect/ProcessMemoryReader.h"
#include "tests/support/TargetMarkers.h"
#include "tests/win32/inspect/CountingPlatform.h"
#include "tests/win32/inspect/TargetEnvironment.h"

namespace {

class TargetReadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        record = RefreshAndFindTarget(catalogue);
        ASSERT_NE(record, nullptr);
    }

    // The bytes at the item's address plus offset, or a failure code.
    int Read(const char* item, int offset, void* buffer, uint32_t size)
    {
        EXPECT_TRUE(Target().Has(item)) << item;
        return ReadProcessBytes(record, Target().Address(item) + offset, buffer, size);
    }

    std::string ReadText(const char* item, size_t length)
    {
        std::string text(length, '\0');
        EXPECT_EQ(Read(item, 0, &text[0], static_cast<uint32_t>(length)), 0) << item;
        return text;
    }

    CProcessCatalogue catalogue;
    const ProcessRecord* record = nullptr;
};

TEST_F(TargetReadTest, KnownBytesAndTexts)
{
    std::vector<uint8_t> page(4096);
    ASSERT_EQ(Read("bytes_all", 0, page.data(), 4096), 0);
    for (int i = 0; i < 4096; ++i) {
        ASSERT_EQ(page[i], i & 0xFF) << i;
    }

    uint8_t ctrl[sizeof kTargetCtrlBytes] = {};
    ASSERT_EQ(Read("bytes_ctrl", 0, ctrl, sizeof ctrl), 0);
    EXPECT_EQ(std::memcmp(ctrl, kTargetCtrlBytes, sizeof ctrl), 0);
    uint8_t hello[sizeof kTargetHelloBytes] = {};
    ASSERT_EQ(Read("bytes_hello", 0, hello, sizeof hello), 0);
    EXPECT_EQ(std::memcmp(hello, kTargetHelloBytes, sizeof hello), 0);

    EXPECT_EQ(ReadText("marker_ascii", sizeof kTargetAsciiMarker - 1), kTargetAsciiMarker);
    EXPECT_EQ(ReadText("marker_twice_1", sizeof kTargetTwiceMarker - 1), kTargetTwiceMarker);
    EXPECT_EQ(ReadText("marker_twice_2", sizeof kTargetTwiceMarker - 1), kTargetTwiceMarker);
    EXPECT_EQ(ReadText("marker_straddle", sizeof kTargetStraddleMarker - 1), kTargetStraddleMarker);
    EXPECT_EQ(Target().Address("marker_straddle") & 0xFFF, kTargetStraddleOffset);
    std::string wide;
    for (const char* c = kTargetWideMarker; *c; ++c) {
        wide += std::string(1, *c) + '\0';
    }
    EXPECT_EQ(ReadText("marker_utf16", wide.size()), wide);
}

TEST_F(TargetReadTest, EveryReadableProtectionReads)
{
    const struct
    {
        const char* item;
        uint8_t fill;
    } pages[] = {
        {"prot_readonly", 0x02},          {"prot_readwrite", 0x03},
        {"prot_writecopy", 0x04},         {"prot_execute", 0x05},
        {"prot_execute_read", 0x06},      {"prot_execute_readwrite", 0x07},
        {"prot_execute_writecopy", 0x08}, {"mapped_view", 0xA5},
        {"boundary_commit", 0x5A},
    };
    std::vector<uint8_t> page(4096);
    for (const auto& p : pages) {
        if (!Target().Has(p.item)) {
            continue;
        }
        ASSERT_EQ(Read(p.item, 0, page.data(), 4096), 0) << p.item;
        EXPECT_EQ(page[0], p.fill) << p.item;
        EXPECT_EQ(page[4095], p.fill) << p.item;
    }
    // Reading must not have touched the copy-on-write view: it is still copy-on-write.
    if (Target().Has("prot_writecopy")) {
        EXPECT_EQ(catalogue.QueryPageFlags(record, Target().Address("prot_writecopy")), 0x448u);
    }
}

TEST_F(TargetReadTest, UnreadablePagesFailAsAWhole)
{
    uint8_t bytes[32];
    EXPECT_EQ(Read("boundary_reserved", -16, bytes, 16), 0) << "the last committed bytes";
    EXPECT_EQ(bytes[15], 0x5A);
    EXPECT_EQ(Read("boundary_reserved", -8, bytes, 16), -4) << "committed then reserved";
    EXPECT_EQ(Read("boundary_reserved", 0, bytes, 16), -4) << "reserved";
    EXPECT_EQ(Read("reserve_rest", 0x3000, bytes, 16), -4) << "reserved";
    EXPECT_EQ(Read("prot_noaccess", 0, bytes, 16), -4) << "no access";
    EXPECT_EQ(Read("guard", 0, bytes, 16), -4) << "guard";
    EXPECT_EQ(ReadProcessBytes(record, 0, bytes, 16), -4) << "free";
    EXPECT_EQ(ReadProcessBytes(record, 0x7FFF0000, bytes, 16), -4) << "past the last region";
    EXPECT_EQ(ReadProcessBytes(record, 0xFFFFFFF8, bytes, 16), -4) << "past 4 GiB";
    // The guard page is still a guard page: nothing touched it.
    EXPECT_EQ(catalogue.QueryPageFlags(record, Target().Address("guard")), 0x853u);
}

// A process that grants the read right but not the right to query its regions.
class CReadOnlyPlatform : public CCountingPlatform
{
public:
    Handle OpenProcess(uint32_t access, uint32_t processId) override
    {
        if (access & kQueryInformation) {
            return nullptr;
        }
        return CCountingPlatform::OpenProcess(access, processId);
    }
};

// Without the right to query, Windows still fails reads of pages that cannot be read. Wine would
// copy zeros out of them, which cannot be told from real bytes there, so no such read is trusted.
TEST_F(TargetReadTest, ReadsWithTheReadRightAloneNeverShowZerosOfUnreadablePages)
{
    CReadOnlyPlatform platform;
    uint8_t bytes[16];
    EXPECT_EQ(ReadProcessBytes(platform, record, Target().Address("boundary_reserved"), bytes, 16),
              -4);
    EXPECT_EQ(ReadProcessBytes(platform, record, Target().Address("prot_noaccess"), bytes, 16), -4);
    CProcessMemoryReader reader(platform, record);
    std::vector<uint8_t> page(4096);
    EXPECT_EQ(reader.ReadPage(Target().Address("reserve_rest") + 0x3000, page.data()), -4);
}

// Compares the bulk reader with ReadProcessBytes on every page of the first 16 MiB and on the
// pages around the target's items: the same result codes everywhere, the same bytes on every
// committed page that the target does not write. (Wine answers a region query of another process
// inside that process, on a thread's stack there, so stack pages change between two reads.)
TEST_F(TargetReadTest, BulkReaderAgreesWithReadProcessBytes)
{
    std::vector<uint32_t> map(catalogue.GetPageCount());
    ASSERT_EQ(catalogue.BuildPageMap(record->processId, map.data()), 0);
    std::vector<std::pair<uint32_t, bool>> pages; // address, compare the bytes
    for (uint32_t k = 0; k < 0x1000; ++k) {
        const bool written = (map[k] & (MAPF_PRIVATE | MAPF_WRITE)) == (MAPF_PRIVATE | MAPF_WRITE);
        pages.emplace_back(k << 12, (map[k] & MAPF_COMMITTED) && !written);
    }
    for (const char* item :
         {"reserve_commit", "prot_noaccess", "prot_readonly", "guard", "nocache", "writecombine",
          "mapped_view", "boundary_commit", "bytes_all", "marker_ascii"}) {
        const uint32_t page = Target().Address(item) & ~0xFFFu;
        for (uint32_t address = page - 0x3000; address <= page + 0x3000; address += 0x1000) {
            pages.emplace_back(address, true);
        }
    }

    CProcessMemoryReader reader(record);
    std::vector<uint8_t> expected(4096), actual(4096);
    int compared = 0;
    for (const auto& page : pages) {
        const uint32_t address = page.first;
        const int want = ReadProcessBytes(record, address, expected.data(), 4096);
        const int got = reader.ReadPage(address, actual.data());
        ASSERT_EQ(got, want) << std::hex << "page 0x" << address;
        if (want == 0 && page.second) {
            ++compared;
            ASSERT_EQ(std::memcmp(actual.data(), expected.data(), 4096), 0) << std::hex << address;
        }
    }
    EXPECT_GT(compared, 20);
    std::printf("bulk reader matched ReadProcessBytes on %zu pages (bytes of %d)\n", pages.size(),
                compared);
}

TEST_F(TargetReadTest, BulkReaderOverTheWholeAddressSpace)
{
    std::vector<uint32_t> map(catalogue.GetPageCount());
    ASSERT_EQ(catalogue.BuildPageMap(record->processId, map.data()), 0);

    CCountingPlatform counting;
    std::vector<uint8_t> page(4096);
    int readable = 0;
    int readableByMap = 0;
    const DWORD start = GetTickCount();
    {
        CProcessMemoryReader reader(counting, record);
        for (uint64_t address = 0; address < (1ull << 32); address += 4096) {
            const uint32_t flags = map[address >> 12];
            readableByMap += (flags & MAPF_COMMITTED) && !(flags & MAPF_GUARDED) &&
                             (flags & (MAPF_READ | MAPF_EXECUTE | MAPF_COPYONWRITE));
            readable += reader.ReadPage(static_cast<uint32_t>(address), page.data()) == 0;
        }
    }
    const DWORD bulkMs = GetTickCount() - start;
    std::printf("bulk reader, all 1048576 pages: %lu ms, %d readable, %lld opens, %lld queries, "
                "%lld reads\n",
                bulkMs, readable, static_cast<long long>(counting.opens),
                static_cast<long long>(counting.queries), static_cast<long long>(counting.reads));
    // Write-combine pages have no access bits in the map, yet they read.
    const int writeCombine = Target().Has("writecombine") && !IsWine() ? 1 : 0;
    EXPECT_EQ(readable, readableByMap + writeCombine);
    EXPECT_EQ(counting.opens, 1);
}

} // namespace
