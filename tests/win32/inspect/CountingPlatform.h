#pragma once
// Forwards to the system's process platform and counts the region queries and reads, so that
// tests against real processes can bound the work done and print what it cost.

#include <cstdint>

#include "inspect/ProcessPlatform.h"

class CCountingPlatform : public CProcessPlatform
{
public:
    int64_t queries = 0;
    int64_t reads = 0;
    int64_t opens = 0;

    bool ListProcesses(uint32_t* ids, uint32_t bytes, uint32_t* bytesWritten) override
    {
        return m_system.ListProcesses(ids, bytes, bytesWritten);
    }
    Handle OpenProcess(uint32_t access, uint32_t processId) override
    {
        ++opens;
        return m_system.OpenProcess(access, processId);
    }
    void CloseProcess(Handle process) override { m_system.CloseProcess(process); }
    bool ListModules(Handle process, uint32_t* bases, uint32_t bytes,
                     uint32_t* bytesNeeded) override
    {
        return m_system.ListModules(process, bases, bytes, bytesNeeded);
    }
    uint32_t GetModulePath(Handle process, uint32_t moduleBase, char* name, uint32_t size) override
    {
        return m_system.GetModulePath(process, moduleBase, name, size);
    }
    bool QueryRegion(Handle process, uint32_t address, MemoryRegion* region) override
    {
        ++queries;
        return m_system.QueryRegion(process, address, region);
    }
    bool ReadMemory(Handle process, uint32_t address, void* buffer, uint32_t size,
                    uint32_t* bytesRead) override
    {
        ++reads;
        return m_system.ReadMemory(process, address, buffer, size, bytesRead);
    }
    uint32_t GetPageSize() override { return m_system.GetPageSize(); }

private:
    CProcessPlatform& m_system = SystemProcessPlatform();
};
