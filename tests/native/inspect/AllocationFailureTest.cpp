// Refresh when its allocations fail. The nothrow array allocation is replaced for this program
// so that a chosen one of them fails; all others go to the ordinary allocator.
#include <gtest/gtest.h>
#include <new>

#include "inspect/ProcessCatalogue.h"
#include "tests/support/ScriptedProcessPlatform.h"

namespace {
int g_nothrowArraysUntilFailure = 0; // 0: none fails
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    if (g_nothrowArraysUntilFailure > 0 && --g_nothrowArraysUntilFailure == 0) {
        return nullptr;
    }
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}

namespace {

class AllocationFailureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (uint32_t pid : {31u, 32u}) {
            ScriptedProcess& p = platform.Add(pid);
            p.moduleBases = {0x400000, 0x10000000};
            p.moduleNames = {"main.exe", "lib.dll"};
        }
        ASSERT_EQ(catalogue.Refresh(), 0);
        platform.Add(33);
    }

    int RefreshFailingAllocation(int which)
    {
        g_nothrowArraysUntilFailure = which;
        const int result = catalogue.Refresh();
        g_nothrowArraysUntilFailure = 0;
        return result;
    }

    void TearDown() override { EXPECT_EQ(platform.openHandles, 0); }

    CScriptedProcessPlatform platform;
    CProcessCatalogue catalogue{platform};
};

TEST_F(AllocationFailureTest, WorkingBuffersKeepThePreviousRecords)
{
    const ProcessRecord* before = catalogue.FindProcess(31);
    EXPECT_EQ(RefreshFailingAllocation(1), -1);
    EXPECT_EQ(catalogue.GetCount(), 2);
    EXPECT_EQ(RefreshFailingAllocation(2), -2);
    EXPECT_EQ(catalogue.GetCount(), 2);
    EXPECT_EQ(catalogue.FindProcess(31), before);
    EXPECT_EQ(before->moduleNames[1], "lib.dll");
    EXPECT_EQ(catalogue.FindProcess(33), nullptr);
}

TEST_F(AllocationFailureTest, NewRecordsLeaveTheCatalogueEmpty)
{
    EXPECT_EQ(RefreshFailingAllocation(3), -3);
    EXPECT_EQ(catalogue.GetCount(), 0);
    EXPECT_EQ(catalogue.FindProcess(31), nullptr);
    EXPECT_EQ(catalogue.GetAt(0), nullptr);
    std::vector<uint32_t> map(catalogue.GetPageCount());
    EXPECT_EQ(catalogue.BuildPageMapAt(0, map.data()), -1);
    // The next refresh that can allocate fills it again.
    EXPECT_EQ(catalogue.Refresh(), 0);
    EXPECT_EQ(catalogue.GetCount(), 3);
}

TEST_F(AllocationFailureTest, ModuleArraysLeaveTheProcessWithoutModules)
{
    EXPECT_EQ(RefreshFailingAllocation(4), 0); // the first process's base addresses
    ASSERT_EQ(catalogue.GetCount(), 3);
    EXPECT_EQ(catalogue.FindProcess(31)->moduleCount, 0);
    EXPECT_EQ(catalogue.FindProcess(31)->moduleBases, nullptr);
    EXPECT_EQ(catalogue.FindProcess(32)->moduleCount, 2);
    EXPECT_EQ(RefreshFailingAllocation(7), 0); // the second process's names
    EXPECT_EQ(catalogue.FindProcess(31)->moduleCount, 2);
    EXPECT_EQ(catalogue.FindProcess(32)->moduleCount, 0);
    EXPECT_EQ(catalogue.FindProcess(32)->moduleNames, nullptr);
}

} // namespace
