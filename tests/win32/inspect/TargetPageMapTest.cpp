// The page map and the region query of the helper target, item by item. Where Wine answers
// unlike Windows the test expects Wine's answer under Wine and says so in its output.
#include <windows.h>

#include <gtest/gtest.h>
#include <vector>

#include "inspect/ProcessCatalogue.h"
#include "tests/win32/inspect/CountingPlatform.h"
#include "tests/win32/inspect/TargetEnvironment.h"

namespace {

struct Expected
{
    const char* name;
    int pages;
    uint32_t windowsFlags;
    uint32_t wineFlags;
};

const Expected kItems[] = {
    {"reserve_commit", 1, 0x843, 0x843},
    {"reserve_rest", 15, 0x900, 0x900},
    {"prot_noaccess", 1, 0x840, 0x840},
    {"prot_readonly", 1, 0x841, 0x841},
    {"prot_readwrite", 1, 0x843, 0x843},
    {"prot_writecopy", 1, 0x448, 0x448},
    {"prot_execute", 1, 0x844, 0x844},
    {"prot_execute_read", 1, 0x845, 0x845},
    {"prot_execute_readwrite", 1, 0x847, 0x847},
    {"prot_execute_writecopy", 1, 0x44C, 0x44C},
    {"guard", 1, 0x853, 0x853},
    {"nocache", 1, 0x863, 0x863},
    // Wine's VirtualProtect drops the no-cache modifier; its VirtualAlloc keeps it.
    {"nocache_protected", 1, 0x863, 0x843},
    // Wine drops the write-combine modifier and reports a plain read-write page.
    {"writecombine", 1, 0x840, 0x843},
    {"mapped_view", 2, 0x443, 0x443},
    {"boundary_commit", 2, 0x843, 0x843},
    {"boundary_reserved", 14, 0x900, 0x900},
    {"bytes_all", 1, 0x843, 0x843},
    {"bytes_ctrl", 1, 0x843, 0x843},
    {"marker_ascii", 4, 0x843, 0x843},
};

uint32_t ExpectedFlags(const Expected& item)
{
    if (IsWine() && item.wineFlags != item.windowsFlags) {
        std::printf("note: Wine reports %s as 0x%03x where Windows reports 0x%03x\n", item.name,
                    item.wineFlags, item.windowsFlags);
        return item.wineFlags;
    }
    return item.windowsFlags;
}

class TargetPageMapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        record = RefreshAndFindTarget(catalogue);
        ASSERT_NE(record, nullptr);
        map.assign(catalogue.GetPageCount(), 0);
    }

    CProcessCatalogue catalogue;
    const ProcessRecord* record = nullptr;
    std::vector<uint32_t> map;
};

TEST_F(TargetPageMapTest, EachItemHasItsFlags)
{
    const DWORD start = GetTickCount();
    ASSERT_EQ(catalogue.BuildPageMap(Target().GetProcessId(), map.data()), 0);
    std::printf("BuildPageMap of the helper target: %lu ms\n", GetTickCount() - start);

    for (const Expected& item : kItems) {
        const uint32_t address = Target().Address(item.name);
        if (!Target().Has(item.name)) {
            std::printf("note: the target could not lay out %s\n", item.name);
            continue;
        }
        const uint32_t flags = ExpectedFlags(item);
        const uint32_t first = address >> 12;
        for (uint32_t k = first; k < first + item.pages; ++k) {
            EXPECT_EQ(map[k], flags) << item.name << " page " << k - first;
        }
        EXPECT_EQ(catalogue.QueryPageFlags(record, address), flags) << item.name;
    }
    EXPECT_EQ(map[0], MAPF_FREE) << "address 0 is never mapped";
    EXPECT_EQ(catalogue.QueryPageFlags(record, 0), MAPF_FREE);
}

TEST_F(TargetPageMapTest, MapEndsWhereTheQueriesStop)
{
    ASSERT_EQ(catalogue.BuildPageMap(Target().GetProcessId(), map.data()), 0);
    // A 32-bit process's queries stop at its highest address (0x7FFF0000 without the large
    // address flag); the entries from there on keep the zero the map was made with. Below it,
    // every entry has exactly one state bit: the regions follow each other without gaps.
    uint32_t end = static_cast<uint32_t>(map.size());
    while (end > 0 && map[end - 1] == 0) {
        --end;
    }
    EXPECT_EQ(end, 0x7FFF0u);
    for (uint32_t k = 0; k < end; ++k) {
        const uint32_t states = map[k] & (MAPF_COMMITTED | MAPF_FREE | MAPF_RESERVED);
        ASSERT_TRUE(states == MAPF_COMMITTED || states == MAPF_FREE || states == MAPF_RESERVED)
            << "entry " << k << " flags " << map[k];
    }
    EXPECT_EQ(catalogue.QueryPageFlags(record, 0x7FFF0000), 0u);
    EXPECT_EQ(catalogue.QueryPageFlags(record, 0xFFFFF000), 0u);
}

TEST_F(TargetPageMapTest, WalkAsksOncePerRegion)
{
    CCountingPlatform counting;
    CProcessCatalogue counted(counting);
    ASSERT_EQ(counted.Refresh(), 0);
    const DWORD start = GetTickCount();
    ASSERT_EQ(counted.BuildPageMap(Target().GetProcessId(), map.data()), 0);
    const DWORD elapsed = GetTickCount() - start;
    int changes = 1;
    for (size_t k = 1; k < 0x7FFF0; ++k) {
        changes += map[k] != map[k - 1];
    }
    std::printf("walk of the helper target: %lld region queries, %lu ms\n",
                static_cast<long long>(counting.queries), elapsed);
    EXPECT_GE(counting.queries, changes) << "every change of flags is a region of its own";
    EXPECT_LE(counting.queries, 0x7FFF0 / 4) << "not a query per page";
}

} // namespace
