// Reads of process memory: ReadProcessBytes' result codes, and the bulk reader giving the same
// codes and bytes as ReadProcessBytes while opening once and reading far less.
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "inspect/ProcessCatalogue.h"
#include "inspect/ProcessMemoryReader.h"
#include "tests/support/ScriptedProcessPlatform.h"

namespace {

using R = MemoryRegion;
using Fault = ScriptedRegion::Fault;

ScriptedRegion Region(uint32_t size, uint32_t state, uint32_t protect, uint32_t type,
                      Fault fault = Fault::None)
{
    return CScriptedProcessPlatform::Region(size, state, protect, type, fault);
}

// A layout with every kind of page a whole-address-space read meets. Queries fail from
// 0x01000000 on, as they do past the end of a process's accessible range.
std::vector<ScriptedRegion> MixedLayout()
{
    return {
        Region(0x10000, R::kFree, R::kNoAccess, 0),
        Region(0x1000, R::kCommit, R::kReadWrite, R::kPrivate),
        Region(0xF000, R::kReserve, 0, R::kPrivate),
        Region(0x3000, R::kCommit, R::kReadOnly, R::kImage),
        Region(0x2000, R::kCommit, R::kExecuteRead, R::kImage),
        Region(0x1000, R::kCommit, R::kWriteCopy, R::kImage),
        Region(0x1000, R::kCommit, R::kNoAccess, R::kPrivate),
        Region(0x1000, R::kCommit, R::kReadWrite | R::kGuard, R::kPrivate),
        Region(0x1000, R::kCommit, R::kReadWrite | R::kNoCache, R::kPrivate),
        Region(0x1000, R::kCommit, R::kReadWrite | R::kWriteCombine, R::kPrivate),
        Region(0x1000, R::kCommit, R::kExecute, R::kPrivate),
        Region(0x2000, R::kCommit, R::kReadWrite, R::kMapped, Fault::Fail),
        Region(0x2000, R::kCommit, R::kReadWrite, R::kMapped, Fault::Short),
        Region(0x1000, R::kCommit, 0, R::kPrivate),
        Region(0x300000, R::kCommit, R::kReadWrite, R::kPrivate),
        Region(0x1000, R::kCommit, R::kReadOnly, R::kMapped),
        Region(0x2E000, R::kReserve, 0, R::kMapped),
        Region(0x80000, R::kCommit, R::kExecuteReadWrite, R::kPrivate),
        Region(0xC21000, R::kFree, R::kNoAccess, 0),
    };
}

class ReadTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        EXPECT_EQ(platform.openHandles, 0);
        EXPECT_EQ(platform.badCloses, 0);
    }

    ProcessRecord Record(uint32_t pid)
    {
        ProcessRecord record;
        record.processId = pid;
        return record;
    }

    CScriptedProcessPlatform platform;
};

TEST_F(ReadTest, ReadProcessBytesResultCodes)
{
    platform.Add(5).regions = MixedLayout();
    platform.Add(6).grantedRights = CProcessPlatform::kQueryInformation;
    const ProcessRecord record = Record(5);
    std::vector<uint8_t> buffer(0x2000);

    EXPECT_EQ(ReadProcessBytes(platform, nullptr, 0x10000, buffer.data(), 16), -1);
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x10000, nullptr, 16), -1);
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x10000, buffer.data(), 0), -1);
    EXPECT_TRUE(platform.openAttempts.empty()) << "bad arguments never open the process";

    const ProcessRecord refusing = Record(6);
    EXPECT_EQ(ReadProcessBytes(platform, &refusing, 0x10000, buffer.data(), 16), -2);
    const ProcessRecord gone = Record(7);
    EXPECT_EQ(ReadProcessBytes(platform, &gone, 0x10000, buffer.data(), 16), -2);
    EXPECT_EQ(platform.openAttempts.size(), 4u) << "both ways of opening were tried";

    ASSERT_EQ(ReadProcessBytes(platform, &record, 0x10000, buffer.data(), 0x1000), 0);
    for (uint32_t i = 0; i < 0x1000; ++i) {
        ASSERT_EQ(buffer[i], CScriptedProcessPlatform::ContentByte(0x10000 + i));
    }
    // Opened once, with the right to query regions besides the right to read.
    EXPECT_EQ(platform.openAttempts.size(), 5u);
    EXPECT_EQ(platform.openAttempts.back(),
              std::make_pair(5u, CProcessPlatform::kVmRead | CProcessPlatform::kQueryInformation));

    // Second half not committed.
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x10800, buffer.data(), 0x1000), -4);
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x0, buffer.data(), 16), -4) << "free";
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x12000, buffer.data(), 16), -4) << "reserved";
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x26000, buffer.data(), 16), -4) << "no access";
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x27000, buffer.data(), 16), -4) << "guard";
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x2A000, buffer.data(), 16), 0) << "execute";
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x2B000, buffer.data(), 16), -4) << "fault";
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x2D000, buffer.data(), 16), -5) << "short";
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x22000, buffer.data(), 0x2000), 0)
        << "across two readable regions";
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0xFFFFFFF0, buffer.data(), 0x20), -4)
        << "past 4 GiB";
}

// Reads every page of [0, end) and a set of odd ranges both ways and compares.
void ExpectSameAsReadProcessBytes(CScriptedProcessPlatform& platform, const ProcessRecord& record,
                                  uint32_t end)
{
    CProcessMemoryReader reader(platform, &record);
    std::vector<uint8_t> expected(0x2000), actual(0x2000);
    for (uint32_t address = 0; address < end; address += 0x1000) {
        std::memset(actual.data(), 0xCC, 0x1000);
        const int want = ReadProcessBytes(platform, &record, address, expected.data(), 0x1000);
        const int got = reader.ReadPage(address, actual.data());
        ASSERT_EQ(got, want) << std::hex << "page 0x" << address;
        if (want == 0) {
            ASSERT_EQ(std::memcmp(actual.data(), expected.data(), 0x1000), 0)
                << std::hex << address;
        }
    }
    // Unaligned ranges across region edges, in no particular order.
    const std::pair<uint32_t, uint32_t> ranges[] = {
        {0x10FF0, 0x20},  {0x1FFF8, 0x10},      {0x22FFC, 0x8},     {0x20010, 0x1FF0},
        {0x2CFFE, 0x4},   {0x30100, 0x1800},    {0x32F000, 0x2000}, {0x0FFFFFF0, 0x20},
        {0x3300F0, 0x10}, {0x00FFF800, 0x1000}, {0x2D800, 0x900},
    };
    for (const auto& range : ranges) {
        const int want =
            ReadProcessBytes(platform, &record, range.first, expected.data(), range.second);
        const int got = reader.Read(range.first, actual.data(), range.second);
        ASSERT_EQ(got, want) << std::hex << "range 0x" << range.first;
        if (want == 0) {
            ASSERT_EQ(std::memcmp(actual.data(), expected.data(), range.second), 0);
        }
    }
}

TEST_F(ReadTest, ReadRightAloneIsEnough)
{
    ScriptedProcess& p = platform.Add(8);
    p.regions = MixedLayout();
    p.grantedRights = CProcessPlatform::kVmRead;
    const ProcessRecord record = Record(8);
    std::vector<uint8_t> buffer(16);
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x10000, buffer.data(), 16), 0);
    EXPECT_EQ(buffer[3], CScriptedProcessPlatform::ContentByte(0x10003));
    EXPECT_EQ(ReadProcessBytes(platform, &record, 0x12000, buffer.data(), 16), -4);
    EXPECT_EQ(platform.openAttempts.back(), std::make_pair(8u, CProcessPlatform::kVmRead));
}

TEST_F(ReadTest, BulkReaderGivesTheSameAnswersAsReadProcessBytes)
{
    platform.Add(5).regions = MixedLayout();
    const ProcessRecord record = Record(5);
    ExpectSameAsReadProcessBytes(platform, record, 0x01100000);
}

TEST_F(ReadTest, BulkReaderOpensOnceAndReadsInBlocks)
{
    platform.Add(5).regions = MixedLayout();
    const ProcessRecord record = Record(5);
    std::vector<uint8_t> page(0x1000);
    {
        CProcessMemoryReader reader(platform, &record);
        for (uint32_t address = 0; address < 0x01100000; address += 0x1000) {
            reader.ReadPage(address, page.data());
        }
    }
    EXPECT_EQ(platform.openAttempts.size(), 1u);
    EXPECT_EQ(platform.openAttempts[0].second,
              CProcessPlatform::kVmRead | CProcessPlatform::kQueryInformation);
    // Readable regions are read in blocks, the faulty ones page by page after a failed block;
    // nothing is read of free, reserved, no-access or guard pages or past the last region.
    EXPECT_LE(platform.readCount, 20);
    EXPECT_LE(platform.queryCount, 60);
    EXPECT_LE(platform.bytesAskedToRead, 0x400000u);
}

TEST_F(ReadTest, BulkReaderWithReadRightOnlyStillGivesTheSameAnswers)
{
    ScriptedProcess& p = platform.Add(5);
    p.regions = MixedLayout();
    p.grantedRights = CProcessPlatform::kVmRead;
    const ProcessRecord record = Record(5);
    ExpectSameAsReadProcessBytes(platform, record, 0x00400000);
    EXPECT_EQ(platform.queryCount, 0);
}

TEST_F(ReadTest, BulkReaderRefusedOrWithoutRecord)
{
    platform.Add(5).grantedRights = CProcessPlatform::kQueryInformation;
    const ProcessRecord record = Record(5);
    std::vector<uint8_t> page(0x1000);
    CProcessMemoryReader refused(platform, &record);
    EXPECT_EQ(refused.ReadPage(0x10000, page.data()), -2);
    EXPECT_EQ(refused.ReadPage(0x10000, nullptr), -1);
    EXPECT_EQ(refused.Read(0x10000, page.data(), 0), -1);
    CProcessMemoryReader none(platform, nullptr);
    EXPECT_EQ(none.ReadPage(0x10000, page.data()), -1);
}

} // namespace
