// The catalogue against the real processes of the system: the helper target, this program, a
// process that has ended, and every other process there is (64-bit ones included under Wine).
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "inspect/ProcessCatalogue.h"
#include "tests/win32/inspect/CountingPlatform.h"
#include "tests/win32/inspect/TargetEnvironment.h"

namespace {

// Polls condition for up to ten seconds.
bool WaitUntil(const std::function<bool()>& condition)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > 10000) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

std::string OwnPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

TEST(TargetCatalogueTest, ListsTheTargetWithItsExecutableFirst)
{
    CProcessCatalogue catalogue;
    const ProcessRecord* record = RefreshAndFindTarget(catalogue);
    ASSERT_NE(record, nullptr);
    ASSERT_GE(record->moduleCount, 2) << "the executable and at least ntdll";
    EXPECT_EQ(_stricmp(record->moduleNames[0].c_str(), Target().GetExePath().c_str()), 0)
        << record->moduleNames[0] << " vs " << Target().GetExePath();
    for (int j = 0; j < record->moduleCount; ++j) {
        EXPECT_FALSE(record->moduleNames[j].empty()) << "module " << j;
    }

    // Module 0's base is the image: its first page starts with the DOS header.
    char header[2] = {};
    EXPECT_EQ(ReadProcessBytes(record, record->moduleBases[0], header, 2), 0);
    EXPECT_EQ(std::memcmp(header, "MZ", 2), 0);
    EXPECT_EQ(catalogue.QueryPageFlags(record, record->moduleBases[0]),
              MAPF_COMMITTED | MAPF_READ | MAPF_IMAGE);
}

TEST(TargetCatalogueTest, ListsThisProgram)
{
    CProcessCatalogue catalogue;
    ASSERT_EQ(catalogue.Refresh(), 0);
    const ProcessRecord* self = catalogue.FindProcess(GetCurrentProcessId());
    ASSERT_NE(self, nullptr);
    ASSERT_GE(self->moduleCount, 1);
    EXPECT_EQ(_stricmp(self->moduleNames[0].c_str(), OwnPath().c_str()), 0);
    EXPECT_EQ(self->moduleBases[0],
              static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))));
    EXPECT_EQ(catalogue.FindProcess(0) == nullptr || catalogue.FindProcess(0)->moduleCount == 0,
              true)
        << "process 0, when listed, has no modules";
}

TEST(TargetCatalogueTest, EndedProcessIsDroppedByTheNextRefresh)
{
    CTargetProcess second;
    std::string error;
    ASSERT_TRUE(second.Start(&error)) << error;
    const uint32_t pid = second.GetProcessId();
    CProcessCatalogue catalogue;
    ASSERT_EQ(catalogue.Refresh(), 0);
    ASSERT_NE(catalogue.FindProcess(pid), nullptr);
    ProcessRecord stale;
    stale.processId = pid;

    ASSERT_EQ(second.Stop(), 0);
    // The system may still list, and open, an ended process for a moment.
    EXPECT_TRUE(WaitUntil([&] { return catalogue.Refresh() == 0 && !catalogue.FindProcess(pid); }));
    EXPECT_EQ(catalogue.FindProcess(pid), nullptr);
    std::vector<uint32_t> map(catalogue.GetPageCount());
    EXPECT_EQ(catalogue.BuildPageMap(pid, map.data()), -2);

    char byte;
    EXPECT_TRUE(WaitUntil([&] { return ReadProcessBytes(&stale, 0, &byte, 1) == -2; }));
    EXPECT_EQ(catalogue.QueryPageFlags(&stale, 0), 0u);
}

// Every process of the system is walked to its end. Under Wine most of them are 64-bit: they
// have no modules for a 32-bit caller and answer region queries with sizes that wrap or are 0.
TEST(TargetCatalogueTest, EveryProcessCanBeWalked)
{
    CCountingPlatform platform;
    CProcessCatalogue catalogue(platform);
    ASSERT_EQ(catalogue.Refresh(), 0);
    ASSERT_GT(catalogue.GetCount(), 2);
    std::vector<uint32_t> map(catalogue.GetPageCount());
    int withoutModules = 0;
    int walked = 0;
    const DWORD start = GetTickCount();
    for (int i = 0; i < catalogue.GetCount(); ++i) {
        const ProcessRecord* record = catalogue.GetAt(i);
        std::fill(map.begin(), map.end(), 0u);
        const int64_t queriesBefore = platform.queries;
        const int result = catalogue.BuildPageMapAt(i, map.data());
        EXPECT_TRUE(result == 0 || result == -3) << record->processId;
        EXPECT_LE(platform.queries - queriesBefore, 1048577) << "one query per region at most";
        walked += result == 0;
        withoutModules += record->moduleCount == 0;
        std::printf("process 0x%08x: %d modules, walk %d, %lld queries, module 0 \"%s\"\n",
                    record->processId, record->moduleCount, result,
                    static_cast<long long>(platform.queries - queriesBefore),
                    record->moduleCount ? record->moduleNames[0].c_str() : "");
    }
    std::printf("%d processes, %d without modules, %d walked in %lu ms\n", catalogue.GetCount(),
                withoutModules, walked, GetTickCount() - start);
    EXPECT_GE(walked, 2);
}

} // namespace
