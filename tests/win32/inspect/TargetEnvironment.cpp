#include "tests/win32/inspect/TargetEnvironment.h"

#include <windows.h>

namespace {
CTargetEnvironment* g_environment = nullptr;
}

void CTargetEnvironment::SetUp()
{
    g_environment = this;
    if (!target.Start(&startError)) {
        std::printf("helper target: %s\n", startError.c_str());
    }
}

void CTargetEnvironment::TearDown()
{
    if (target.IsRunning()) {
        EXPECT_EQ(target.Stop(), 0) << "the target exits with 0 when its input gets a line";
    }
}

CTargetEnvironment& CTargetEnvironment::Get()
{
    return *g_environment;
}

const CTargetProcess& Target()
{
    const CTargetEnvironment& environment = CTargetEnvironment::Get();
    EXPECT_TRUE(environment.target.IsRunning()) << environment.startError;
    return environment.target;
}

bool IsWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

const ProcessRecord* RefreshAndFindTarget(CProcessCatalogue& catalogue)
{
    EXPECT_EQ(catalogue.Refresh(), 0);
    return catalogue.FindProcess(Target().GetProcessId());
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new CTargetEnvironment);
    return RUN_ALL_TESTS();
}
