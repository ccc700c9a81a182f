// The page flags word, the walk of an address space into the page map and the single-region
// query, against scripted region layouts and raw answer sequences.
#include <gtest/gtest.h>
#include <vector>

#include "inspect/ProcessCatalogue.h"
#include "tests/support/ScriptedProcessPlatform.h"

namespace {

using R = MemoryRegion;
const uint32_t kUntouched = 0xDEADBEEF;
const uint32_t kEntries = 1048576;

MemoryRegion Answer(uint32_t size, uint32_t state, uint32_t protect, uint32_t type)
{
    MemoryRegion region;
    region.regionSize = size;
    region.state = state;
    region.protect = protect;
    region.type = type;
    return region;
}

TEST(RegionPageFlagsTest, EachBaseProtection)
{
    struct Row
    {
        uint32_t protect;
        uint32_t access;
    };
    const Row rows[] = {
        {R::kReadOnly, 0x001},
        {R::kReadWrite, 0x003},
        {R::kWriteCopy, 0x008},
        {R::kExecute, 0x004},
        {R::kExecuteRead, 0x005},
        {R::kExecuteReadWrite, 0x007},
        {R::kExecuteWriteCopy, 0x00C},
        {R::kNoAccess, 0},
        {0, 0},
        {0x03, 0},
        {R::kReadWrite | R::kWriteCombine, 0},
        {R::kReadOnly | R::kWriteCombine | R::kNoCache, MAPF_NOCACHE},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RegionPageFlags(Answer(4096, R::kCommit, row.protect, R::kPrivate)),
                  MAPF_COMMITTED | row.access | MAPF_PRIVATE)
            << std::hex << row.protect;
    }
}

TEST(RegionPageFlagsTest, StatesTypesAndModifiers)
{
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kFree, R::kNoAccess, 0)), 0x080u);
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kReserve, 0, R::kPrivate)), 0x900u);
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kReserve, 0, R::kMapped)), 0x500u);
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kCommit, R::kReadOnly, R::kImage)), 0x241u);
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kCommit, R::kReadWrite, R::kPrivate)), 0x843u);
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kCommit, R::kWriteCopy, R::kImage)), 0x248u);
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kCommit, R::kExecuteWriteCopy, R::kImage)), 0x24Cu);
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kCommit, R::kReadWrite | R::kGuard, R::kPrivate)),
              0x853u);
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kCommit, R::kReadWrite | R::kNoCache, R::kPrivate)),
              0x863u);
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kCommit, 0x404, R::kPrivate)), 0x840u);
    EXPECT_EQ(RegionPageFlags(Answer(4096, R::kCommit, 0x404, R::kMapped)), 0x440u);
    // Values matching no row contribute nothing.
    EXPECT_EQ(RegionPageFlags(Answer(4096, 0x4000, 0, 0x80000)), 0u);
}

TEST(RegionPageFlagsTest, HighBitsAndStateBitsStayClean)
{
    const uint32_t states[] = {0, R::kCommit, R::kReserve, R::kFree, R::kCommit | R::kFree};
    const uint32_t types[] = {0, R::kImage, R::kMapped, R::kPrivate, R::kImage | R::kPrivate};
    for (uint32_t state : states) {
        for (uint32_t type : types) {
            for (uint32_t protect = 0; protect < 0x1000; ++protect) {
                const uint32_t flags = RegionPageFlags(Answer(4096, state, protect, type));
                ASSERT_EQ(flags & ~0xFFFu, 0u);
                const uint32_t stateBits = flags & (MAPF_COMMITTED | MAPF_FREE | MAPF_RESERVED);
                ASSERT_EQ(stateBits & (stateBits - 1), 0u) << "at most one state bit";
                const uint32_t typeBits = flags & (MAPF_IMAGE | MAPF_MAPPED | MAPF_PRIVATE);
                ASSERT_EQ(typeBits & (typeBits - 1), 0u) << "at most one type bit";
            }
        }
    }
}

class PageMapTest : public ::testing::Test
{
protected:
    void SetUp() override { map.assign(kEntries + 1, kUntouched); }

    void TearDown() override
    {
        EXPECT_EQ(map[kEntries], kUntouched) << "never written past the map's last entry";
        EXPECT_EQ(platform.openHandles, 0);
        EXPECT_EQ(platform.badCloses, 0);
    }

    ScriptedProcess& AddProcess(uint32_t pid)
    {
        ScriptedProcess& p = platform.Add(pid);
        p.moduleBases = {0x400000};
        p.moduleNames = {"target.exe"};
        return p;
    }

    int Walk(uint32_t pid)
    {
        if (catalogue.GetCount() == 0) {
            EXPECT_EQ(catalogue.Refresh(), 0);
        }
        return catalogue.BuildPageMap(pid, map.data());
    }

    // Checks entries [first, last] hold value.
    void ExpectEntries(uint32_t first, uint32_t last, uint32_t value)
    {
        for (uint32_t k = first; k <= last; ++k) {
            ASSERT_EQ(map[k], value) << "entry " << k;
        }
    }

    CScriptedProcessPlatform platform;
    CProcessCatalogue catalogue{platform};
    std::vector<uint32_t> map;
};

TEST_F(PageMapTest, FreeCommittedReservedThenTheQueryFails)
{
    AddProcess(50).regions = {
        CScriptedProcessPlatform::Region(0x10000, R::kFree, R::kNoAccess, 0),
        CScriptedProcessPlatform::Region(0x1000, R::kCommit, R::kReadWrite, R::kPrivate),
        CScriptedProcessPlatform::Region(0xF000, R::kReserve, 0, R::kPrivate),
    };
    ASSERT_EQ(Walk(50), 0);
    ExpectEntries(0, 15, 0x080);
    ExpectEntries(16, 16, 0x843);
    ExpectEntries(17, 31, 0x900);
    ExpectEntries(32, kEntries - 1, kUntouched);
    EXPECT_EQ(platform.queryCount, 4) << "once per region, then the failing one";
    EXPECT_EQ(platform.openAttempts.back(),
              std::make_pair(50u, CProcessPlatform::kQueryInformation));
}

TEST_F(PageMapTest, WholeAddressSpaceEndsAtTheLastEntry)
{
    AddProcess(51).regions = {
        CScriptedProcessPlatform::Region(0x10000, R::kFree, R::kNoAccess, 0),
        CScriptedProcessPlatform::Region(0x3000, R::kCommit, R::kReadOnly, R::kImage),
        CScriptedProcessPlatform::Region(0x1000, R::kCommit, R::kExecuteWriteCopy, R::kImage),
        CScriptedProcessPlatform::Region(0x7FFEC000, R::kFree, R::kNoAccess, 0),
        CScriptedProcessPlatform::Region(0x80000000, R::kReserve, 0, R::kPrivate),
    };
    ASSERT_EQ(Walk(51), 0);
    ExpectEntries(0, 15, 0x080);
    ExpectEntries(16, 18, 0x241);
    ExpectEntries(19, 19, 0x24C);
    ExpectEntries(20, 0x7FFFF, 0x080);
    ExpectEntries(0x80000, kEntries - 1, 0x900);
    EXPECT_EQ(platform.queryCount, 5) << "no query after the map is full";
}

TEST_F(PageMapTest, RegionReachingPastTheMapIsCut)
{
    AddProcess(52).answers = {
        {true, Answer(0xFFFFF000, R::kFree, R::kNoAccess, 0)},
        {true, Answer(0x5000, R::kCommit, R::kReadWrite, R::kPrivate)},
    };
    ASSERT_EQ(Walk(52), 0);
    ExpectEntries(0, kEntries - 2, 0x080);
    ExpectEntries(kEntries - 1, kEntries - 1, 0x843);
}

TEST_F(PageMapTest, ZeroSizeAnswerEndsTheWalk)
{
    AddProcess(53).answers = {
        {true, Answer(0x10000, R::kFree, R::kNoAccess, 0)},
        {true, Answer(0, R::kCommit, R::kReadWrite, R::kPrivate)},
        {true, Answer(0x1000, R::kReserve, 0, R::kPrivate)},
    };
    ASSERT_EQ(Walk(53), 0);
    ExpectEntries(0, 15, 0x080);
    ExpectEntries(16, kEntries - 1, kUntouched);
    EXPECT_EQ(platform.queryCount, 2);
}

TEST_F(PageMapTest, AnswerThatWrapsTheAddressEndsTheWalk)
{
    // Sizes that are not whole pages put the address ahead of the entries; an answer that then
    // wraps past 4 GiB would start the walk again from address 0.
    AddProcess(54).answers = {
        {true, Answer(0x1FFF, R::kFree, R::kNoAccess, 0)},
        {true, Answer(0xFFFFE001, R::kReserve, 0, R::kPrivate)},
        {true, Answer(0x1000, R::kCommit, R::kReadWrite, R::kPrivate)},
    };
    ASSERT_EQ(Walk(54), 0);
    ExpectEntries(0, 0, 0x080);
    ExpectEntries(1, kEntries - 2, 0x900);
    ExpectEntries(kEntries - 1, kEntries - 1, kUntouched);
    EXPECT_EQ(platform.queryCount, 2);
}

TEST_F(PageMapTest, FailuresLeaveTheMapUntouched)
{
    EXPECT_EQ(catalogue.BuildPageMap(1, map.data()), -1) << "never refreshed";
    EXPECT_EQ(catalogue.BuildPageMapAt(0, map.data()), -1);

    AddProcess(60).grantedRights = CProcessPlatform::kVmRead;
    AddProcess(61).regions = {CScriptedProcessPlatform::Region(0x1000, R::kFree, 1, 0)};
    ASSERT_EQ(catalogue.Refresh(), 0);
    EXPECT_EQ(catalogue.BuildPageMap(60, map.data()), -3);
    EXPECT_EQ(catalogue.BuildPageMap(62, map.data()), -2);
    EXPECT_EQ(catalogue.BuildPageMapAt(-1, map.data()), -2);
    EXPECT_EQ(catalogue.BuildPageMapAt(2, map.data()), -2);
    EXPECT_EQ(catalogue.BuildPageMapAt(0, map.data()), -3);
    EXPECT_EQ(catalogue.BuildPageMap(61, nullptr), -1);
    ExpectEntries(0, kEntries - 1, kUntouched);
    EXPECT_EQ(platform.queryCount, 0);

    EXPECT_EQ(catalogue.BuildPageMapAt(1, map.data()), 0);
    EXPECT_EQ(map[0], 0x080u);
    EXPECT_EQ(map[1], kUntouched);
}

TEST_F(PageMapTest, QueryPageFlagsOfOneRegion)
{
    AddProcess(70).regions = {
        CScriptedProcessPlatform::Region(0x10000, R::kFree, R::kNoAccess, 0),
        CScriptedProcessPlatform::Region(0x2000, R::kCommit, R::kReadWrite | R::kGuard,
                                         R::kPrivate),
        CScriptedProcessPlatform::Region(0x1000, R::kCommit, R::kWriteCopy, R::kImage),
    };
    AddProcess(71).grantedRights = CProcessPlatform::kVmRead;
    const ProcessRecord stranger;

    EXPECT_EQ(catalogue.QueryPageFlags(&stranger, 0x1000), 0u) << "empty catalogue";
    ASSERT_EQ(catalogue.Refresh(), 0);
    const ProcessRecord* record = catalogue.FindProcess(70);
    EXPECT_EQ(catalogue.QueryPageFlags(record, 0x0), 0x080u);
    EXPECT_EQ(catalogue.QueryPageFlags(record, 0xFFFF), 0x080u);
    EXPECT_EQ(catalogue.QueryPageFlags(record, 0x11ABC), 0x853u);
    EXPECT_EQ(catalogue.QueryPageFlags(record, 0x12000), 0x248u);
    EXPECT_EQ(catalogue.QueryPageFlags(record, 0x13000), 0u) << "the query fails";
    EXPECT_EQ(catalogue.QueryPageFlags(nullptr, 0x0), 0u);
    EXPECT_EQ(catalogue.QueryPageFlags(catalogue.FindProcess(71), 0x0), 0u) << "not opened";
}

} // namespace
