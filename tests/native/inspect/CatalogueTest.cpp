// The process catalogue against a scripted platform: what Refresh takes, in which order it asks
// for access, its limits, and what the lookups give.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "inspect/ProcessCatalogue.h"
#include "tests/support/ExpectSequence.h"
#include "tests/support/ScriptedProcessPlatform.h"

namespace {

// The rights Refresh asks for, one at a time, until an open succeeds: all access first, then
// each single right in this order.
const uint32_t kRightsOfAProcessThatRefusesAll[] = {0x1F0FFF, 0x80, 0x2, 0x40, 0x400,
                                                    0x200,    0x1,  0x8, 0x10, 0x20};
// A process that grants all access is opened at the first try.
const uint32_t kRightsOfAnOpenProcess[] = {0x1F0FFF};
// Processes that grant the read right (0x10) or the query right (0x400) alone.
const uint32_t kRightsUntilTheReadRight[] = {0x1F0FFF, 0x80, 0x2, 0x40, 0x400,
                                             0x200,    0x1,  0x8, 0x10};
const uint32_t kRightsUntilTheQueryRight[] = {0x1F0FFF, 0x80, 0x2, 0x40, 0x400};

std::vector<uint32_t> RightsAskedFor(const CScriptedProcessPlatform& platform, uint32_t pid)
{
    std::vector<uint32_t> rights;
    for (const auto& attempt : platform.openAttempts) {
        if (attempt.first == pid) {
            rights.push_back(attempt.second);
        }
    }
    return rights;
}

class CatalogueTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        EXPECT_EQ(platform.openHandles, 0) << "every handle is closed";
        EXPECT_EQ(platform.badCloses, 0);
    }

    ScriptedProcess& AddWithModules(uint32_t pid, std::vector<uint32_t> bases,
                                    std::vector<std::string> names)
    {
        ScriptedProcess& p = platform.Add(pid);
        p.moduleBases = std::move(bases);
        p.moduleNames = std::move(names);
        return p;
    }

    CScriptedProcessPlatform platform;
    CProcessCatalogue catalogue{platform};
};

TEST_F(CatalogueTest, EmptyUntilRefreshed)
{
    EXPECT_EQ(catalogue.GetCount(), 0);
    EXPECT_EQ(catalogue.FindProcess(0), nullptr);
    EXPECT_EQ(catalogue.GetAt(0), nullptr);
    EXPECT_EQ(catalogue.GetPageCount(), 1048576);
}

TEST_F(CatalogueTest, RefreshTakesProcessesAndModulesInPlatformOrder)
{
    AddWithModules(40, {0x00400000, 0x7C800000}, {"C:\\a\\one.exe", "C:\\w\\kernel32.dll"});
    AddWithModules(8, {0x01000000}, {"C:\\b\\two.exe"});
    AddWithModules(120, {}, {});
    ASSERT_EQ(catalogue.Refresh(), 0);

    ASSERT_EQ(catalogue.GetCount(), 3);
    const ProcessRecord* first = catalogue.GetAt(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->processId, 40u);
    ASSERT_EQ(first->moduleCount, 2);
    EXPECT_EQ(first->moduleBases[0], 0x00400000u);
    EXPECT_EQ(first->moduleBases[1], 0x7C800000u);
    EXPECT_EQ(first->moduleNames[0], "C:\\a\\one.exe");
    EXPECT_EQ(first->moduleNames[1], "C:\\w\\kernel32.dll");
    EXPECT_EQ(catalogue.GetAt(1)->processId, 8u);
    EXPECT_EQ(catalogue.GetAt(1)->moduleNames[0], "C:\\b\\two.exe");

    // A process that reports no modules keeps only its identifier.
    const ProcessRecord* none = catalogue.GetAt(2);
    EXPECT_EQ(none->processId, 120u);
    EXPECT_EQ(none->moduleCount, 0);
    EXPECT_EQ(none->moduleBases, nullptr);
    EXPECT_EQ(none->moduleNames, nullptr);

    EXPECT_EQ(catalogue.FindProcess(8), catalogue.GetAt(1));
    EXPECT_EQ(catalogue.FindProcess(9), nullptr);
    EXPECT_EQ(catalogue.GetAt(-1), nullptr);
    EXPECT_EQ(catalogue.GetAt(3), nullptr);
    // Each process is opened once, with the first right that works.
    EXPECT_SEQUENCE(kRightsOfAnOpenProcess, RightsAskedFor(platform, 40));
}

TEST_F(CatalogueTest, FindProcessGivesTheFirstOfDuplicateIdentifiers)
{
    AddWithModules(5, {0x10000}, {"first.exe"});
    AddWithModules(5, {0x20000}, {"second.exe"});
    ASSERT_EQ(catalogue.Refresh(), 0);
    EXPECT_EQ(catalogue.FindProcess(5), catalogue.GetAt(0));
}

TEST_F(CatalogueTest, ProcessRefusingEveryRightIsListedWithoutModules)
{
    AddWithModules(0, {0x400000}, {"idle"}).grantedRights = 0;
    ASSERT_EQ(catalogue.Refresh(), 0);
    EXPECT_SEQUENCE(kRightsOfAProcessThatRefusesAll, RightsAskedFor(platform, 0));
    const ProcessRecord* idle = catalogue.FindProcess(0);
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->moduleCount, 0);
}

TEST_F(CatalogueTest, ProcessOpenedOnlyWithRightsThatCannotListModulesHasNone)
{
    // Listing needs query and read rights on one handle; each attempt asks for one right.
    AddWithModules(11, {0x400000}, {"a.exe"}).grantedRights = CProcessPlatform::kVmRead;
    AddWithModules(12, {0x400000}, {"b.exe"}).grantedRights = CProcessPlatform::kQueryInformation;
    AddWithModules(13, {0x400000}, {"c.exe"}).grantedRights =
        CProcessPlatform::kQueryInformation | CProcessPlatform::kVmRead;
    ASSERT_EQ(catalogue.Refresh(), 0);

    EXPECT_SEQUENCE(kRightsUntilTheReadRight, RightsAskedFor(platform, 11));
    EXPECT_SEQUENCE(kRightsUntilTheQueryRight, RightsAskedFor(platform, 12));
    for (uint32_t pid : {11u, 12u, 13u}) {
        EXPECT_EQ(catalogue.FindProcess(pid)->moduleCount, 0) << pid;
    }
}

TEST_F(CatalogueTest, FailedModuleListingLeavesTheIdentifier)
{
    AddWithModules(3, {0x400000}, {"a.exe"}).modulesFail = true;
    ASSERT_EQ(catalogue.Refresh(), 0);
    EXPECT_EQ(catalogue.GetAt(0)->processId, 3u);
    EXPECT_EQ(catalogue.GetAt(0)->moduleCount, 0);
}

TEST_F(CatalogueTest, UnreadableModuleNameKeepsItsBase)
{
    AddWithModules(7, {0x400000, 0x10000000, 0x20000000}, {"a.exe", "", "c.dll"});
    ASSERT_EQ(catalogue.Refresh(), 0);
    const ProcessRecord* record = catalogue.FindProcess(7);
    ASSERT_EQ(record->moduleCount, 3);
    EXPECT_EQ(record->moduleBases[1], 0x10000000u);
    EXPECT_EQ(record->moduleNames[1], "");
    EXPECT_EQ(record->moduleNames[2], "c.dll");
}

TEST_F(CatalogueTest, LongPathsAreCutToTheNameBuffer)
{
    const std::string longPath = "C:\\" + std::string(3000, 'x') + ".exe";
    AddWithModules(1, {0x400000}, {longPath});
    AddWithModules(2, {0x400000}, {longPath}).namesUnterminated = true;
    ASSERT_EQ(catalogue.Refresh(), 0);
    EXPECT_EQ(catalogue.FindProcess(1)->moduleNames[0], longPath.substr(0, 2047));
    EXPECT_EQ(catalogue.FindProcess(2)->moduleNames[0], longPath.substr(0, 2047));
}

TEST_F(CatalogueTest, TakesAtMost10240Processes)
{
    for (uint32_t pid = 1; pid <= 10300; ++pid) {
        platform.Add(pid * 4);
    }
    ASSERT_EQ(catalogue.Refresh(), 0);
    ASSERT_EQ(catalogue.GetCount(), 10240);
    EXPECT_EQ(catalogue.GetAt(10239)->processId, 10240u * 4);
    EXPECT_EQ(catalogue.FindProcess(10241 * 4), nullptr);
}

TEST_F(CatalogueTest, TakesAtMost10240Modules)
{
    ScriptedProcess& p = platform.Add(9);
    for (uint32_t j = 0; j < 10300; ++j) {
        p.moduleBases.push_back(0x10000 * (j + 1));
        p.moduleNames.push_back("m" + std::to_string(j));
    }
    ASSERT_EQ(catalogue.Refresh(), 0);
    const ProcessRecord* record = catalogue.FindProcess(9);
    ASSERT_EQ(record->moduleCount, 10240);
    EXPECT_EQ(record->moduleBases[10239], 0x10000u * 10240);
    EXPECT_EQ(record->moduleNames[10239], "m10239");
}

TEST_F(CatalogueTest, FailedEnumerationKeepsThePreviousRecords)
{
    AddWithModules(21, {0x400000}, {"a.exe"});
    ASSERT_EQ(catalogue.Refresh(), 0);
    const ProcessRecord* before = catalogue.FindProcess(21);

    platform.enumFails = true;
    EXPECT_EQ(catalogue.Refresh(), -2);
    EXPECT_EQ(catalogue.GetCount(), 1);
    EXPECT_EQ(catalogue.FindProcess(21), before);
    EXPECT_EQ(before->moduleNames[0], "a.exe");
}

TEST_F(CatalogueTest, RefreshDropsEndedProcesses)
{
    AddWithModules(21, {0x400000}, {"a.exe"});
    AddWithModules(22, {0x400000}, {"b.exe"});
    ASSERT_EQ(catalogue.Refresh(), 0);
    platform.processes.erase(platform.processes.begin());
    ASSERT_EQ(catalogue.Refresh(), 0);
    EXPECT_EQ(catalogue.GetCount(), 1);
    EXPECT_EQ(catalogue.FindProcess(21), nullptr);
    EXPECT_EQ(catalogue.FindProcess(22)->moduleNames[0], "b.exe");

    platform.processes.clear();
    ASSERT_EQ(catalogue.Refresh(), 0);
    EXPECT_EQ(catalogue.GetCount(), 0);
    EXPECT_EQ(catalogue.FindProcess(22), nullptr);
}

TEST(SystemCatalogueTest, NativeBuildSeesNoProcesses)
{
#ifndef _WIN32
    CProcessCatalogue catalogue;
    EXPECT_EQ(catalogue.Refresh(), -2);
    EXPECT_EQ(catalogue.GetCount(), 0);
    ProcessRecord record;
    char byte;
    EXPECT_EQ(ReadProcessBytes(&record, 0x1000, &byte, 1), -2);
#else
    GTEST_SKIP() << "the Windows build sees real processes (tests/win32/inspect)";
#endif
}

} // namespace
