// The one file of the inspection layer that talks to Windows itself.
#include "inspect/Win32ProcessPlatform.h"

// The process status functions of psapi.dll, which every 32-bit Windows has.
#define PSAPI_VERSION 1
#include <windows.h>

#include <cstdint>

#include <psapi.h>

namespace {

HANDLE AsHandle(CProcessPlatform::Handle process)
{
    return static_cast<HANDLE>(process);
}

LPCVOID AsPointer(uint32_t address)
{
    return reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address));
}

// Wine answers from whatever the Linux process has mapped, which is every reserved range too.
bool RunsUnderWine()
{
    static const bool underWine =
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return underWine;
}

} // namespace

bool CWin32ProcessPlatform::ListProcesses(uint32_t* ids, uint32_t bytes, uint32_t* bytesWritten)
{
    DWORD written = 0;
    if (!::EnumProcesses(reinterpret_cast<DWORD*>(ids), bytes, &written)) {
        return false;
    }
    *bytesWritten = written;
    return true;
}

CProcessPlatform::Handle CWin32ProcessPlatform::OpenProcess(uint32_t access, uint32_t processId)
{
    return ::OpenProcess(access, FALSE, processId);
}

void CWin32ProcessPlatform::CloseProcess(Handle process)
{
    ::CloseHandle(AsHandle(process));
}

bool CWin32ProcessPlatform::ListModules(Handle process, uint32_t* bases, uint32_t bytes,
                                        uint32_t* bytesNeeded)
{
    DWORD needed = 0;
    if (!::EnumProcessModules(AsHandle(process), reinterpret_cast<HMODULE*>(bases), bytes,
                              &needed)) {
        return false;
    }
    *bytesNeeded = needed;
    return true;
}

uint32_t CWin32ProcessPlatform::GetModulePath(Handle process, uint32_t moduleBase, char* name,
                                              uint32_t size)
{
    HMODULE module = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(moduleBase));
    return ::GetModuleFileNameExA(AsHandle(process), module, name, size);
}

bool CWin32ProcessPlatform::QueryRegion(Handle process, uint32_t address, MemoryRegion* region)
{
    MEMORY_BASIC_INFORMATION info;
    if (::VirtualQueryEx(AsHandle(process), AsPointer(address), &info, sizeof info) == 0) {
        return false;
    }
    region->baseAddress = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(info.BaseAddress));
    region->regionSize = static_cast<uint32_t>(info.RegionSize);
    region->state = info.State;
    region->protect = info.Protect;
    region->type = info.Type;
    return true;
}

// Wine copies zeros out of reserved, free, no-access and guard pages where Windows fails the
// whole read; asking for the regions first gives Windows' answer on both. A handle without the
// right to query leaves the answer to ReadProcessMemory, which is Windows' own; under Wine that
// answer cannot tell a free page from a page of zeros, so no such read is trusted there.
bool CWin32ProcessPlatform::ReadMemory(Handle process, uint32_t address, void* buffer,
                                       uint32_t size, uint32_t* bytesRead)
{
    *bytesRead = 0;
    const RangeCheck check = CheckRange(process, address, size);
    if (check == RangeCheck::Unreadable || (check == RangeCheck::NotAllowed && RunsUnderWine())) {
        return false;
    }
    SIZE_T copied = 0;
    if (!::ReadProcessMemory(AsHandle(process), AsPointer(address), buffer, size, &copied)) {
        return false;
    }
    *bytesRead = static_cast<uint32_t>(copied);
    return true;
}

CWin32ProcessPlatform::RangeCheck CWin32ProcessPlatform::CheckRange(Handle process,
                                                                    uint32_t address, uint32_t size)
{
    const uint64_t end = static_cast<uint64_t>(address) + size;
    uint64_t at = address;
    while (at < end) {
        MemoryRegion region;
        if (at > UINT32_MAX) {
            return RangeCheck::Unreadable;
        }
        if (!QueryRegion(process, static_cast<uint32_t>(at), &region)) {
            const bool denied = ::GetLastError() == ERROR_ACCESS_DENIED;
            return denied && at == address ? RangeCheck::NotAllowed : RangeCheck::Unreadable;
        }
        const uint64_t regionBase = region.baseAddress;
        const uint64_t regionEnd = regionBase + region.regionSize;
        if (!IsRegionReadable(region) || regionBase > at || regionEnd <= at) {
            return RangeCheck::Unreadable;
        }
        at = regionEnd;
    }
    return RangeCheck::Readable;
}

uint32_t CWin32ProcessPlatform::GetPageSize()
{
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    return info.dwPageSize;
}

CProcessPlatform& SystemProcessPlatform()
{
    static CWin32ProcessPlatform platform;
    return platform;
}
