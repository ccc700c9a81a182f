#pragma once
// The process platform of Windows: the process status and memory functions of the system.

#include "inspect/ProcessPlatform.h"

class CWin32ProcessPlatform : public CProcessPlatform
{
public:
    bool ListProcesses(uint32_t* ids, uint32_t bytes, uint32_t* bytesWritten) override;
    Handle OpenProcess(uint32_t access, uint32_t processId) override;
    void CloseProcess(Handle process) override;
    bool ListModules(Handle process, uint32_t* bases, uint32_t bytes,
                     uint32_t* bytesNeeded) override;
    uint32_t GetModulePath(Handle process, uint32_t moduleBase, char* name, uint32_t size) override;
    bool QueryRegion(Handle process, uint32_t address, MemoryRegion* region) override;
    bool ReadMemory(Handle process, uint32_t address, void* buffer, uint32_t size,
                    uint32_t* bytesRead) override;
    uint32_t GetPageSize() override;

private:
    enum class RangeCheck
    {
        Readable,
        Unreadable,
        NotAllowed
    };

    // Whether the regions of the range can all be read, as far as the handle may ask.
    RangeCheck CheckRange(Handle process, uint32_t address, uint32_t size);
};
