#pragma once
// The process platform of a build without Win32: no processes, nothing to open.

#include "inspect/ProcessPlatform.h"

class CNullProcessPlatform : public CProcessPlatform
{
public:
    bool ListProcesses(uint32_t*, uint32_t, uint32_t*) override { return false; }
    Handle OpenProcess(uint32_t, uint32_t) override { return nullptr; }
    void CloseProcess(Handle) override {}
    bool ListModules(Handle, uint32_t*, uint32_t, uint32_t*) override { return false; }
    uint32_t GetModulePath(Handle, uint32_t, char*, uint32_t) override { return 0; }
    bool QueryRegion(Handle, uint32_t, MemoryRegion*) override { return false; }
    bool ReadMemory(Handle, uint32_t, void*, uint32_t, uint32_t*) override { return false; }
    uint32_t GetPageSize() override { return 4096; }
};
