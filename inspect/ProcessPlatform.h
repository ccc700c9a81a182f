#pragma once
// The operating-system services that the process-inspection layer uses, behind one small
// interface so that tests can play exact region sequences and failures. The real implementation
// forwards to the Win32 process status and memory functions.

#include <cstdint>

// One answer of the region query: the run of pages with identical attributes that holds the
// queried address. The values are those of the platform's memory information record; the
// constants carry names of our own so that they never collide with the platform headers' macros.
struct MemoryRegion
{
    uint32_t baseAddress = 0;
    uint32_t regionSize = 0;
    uint32_t state = 0;
    uint32_t protect = 0;
    uint32_t type = 0;

    // state
    static constexpr uint32_t kCommit = 0x1000;
    static constexpr uint32_t kReserve = 0x2000;
    static constexpr uint32_t kFree = 0x10000;
    // type
    static constexpr uint32_t kImage = 0x1000000;
    static constexpr uint32_t kMapped = 0x40000;
    static constexpr uint32_t kPrivate = 0x20000;
    // base protections
    static constexpr uint32_t kNoAccess = 0x01;
    static constexpr uint32_t kReadOnly = 0x02;
    static constexpr uint32_t kReadWrite = 0x04;
    static constexpr uint32_t kWriteCopy = 0x08;
    static constexpr uint32_t kExecute = 0x10;
    static constexpr uint32_t kExecuteRead = 0x20;
    static constexpr uint32_t kExecuteReadWrite = 0x40;
    static constexpr uint32_t kExecuteWriteCopy = 0x80;
    // protection modifiers
    static constexpr uint32_t kGuard = 0x100;
    static constexpr uint32_t kNoCache = 0x200;
    static constexpr uint32_t kWriteCombine = 0x400;
};

// True when every byte of the region can be read by another process: committed, not guarded,
// and with a base protection that grants some access. Reads of anything else fail as a whole.
bool IsRegionReadable(const MemoryRegion& region);

class CProcessPlatform
{
public:
    // An open process handle; nullptr when none was obtained.
    using Handle = void*;

    // Process access rights, one at a time or combined.
    static constexpr uint32_t kAllAccess = 0x1F0FFF;
    static constexpr uint32_t kCreateProcess = 0x80;
    static constexpr uint32_t kCreateThread = 0x2;
    static constexpr uint32_t kDupHandle = 0x40;
    static constexpr uint32_t kQueryInformation = 0x400;
    static constexpr uint32_t kSetInformation = 0x200;
    static constexpr uint32_t kTerminate = 0x1;
    static constexpr uint32_t kVmOperation = 0x8;
    static constexpr uint32_t kVmRead = 0x10;
    static constexpr uint32_t kVmWrite = 0x20;

    virtual ~CProcessPlatform() = default;

    // Fills ids with up to bytes / 4 process identifiers; *bytesWritten gets the bytes used.
    virtual bool ListProcesses(uint32_t* ids, uint32_t bytes, uint32_t* bytesWritten) = 0;
    // Opens a process, not inheritable, with the given rights; nullptr when refused or gone.
    virtual Handle OpenProcess(uint32_t access, uint32_t processId) = 0;
    virtual void CloseProcess(Handle process) = 0;
    // Fills bases with up to bytes / 4 module base addresses, the executable first;
    // *bytesNeeded gets the bytes that all of the modules would need.
    virtual bool ListModules(Handle process, uint32_t* bases, uint32_t bytes,
                             uint32_t* bytesNeeded) = 0;
    // Writes the module's full path, terminated, into name; returns its length, 0 on failure.
    virtual uint32_t GetModulePath(Handle process, uint32_t moduleBase, char* name,
                                   uint32_t size) = 0;
    // Describes the region that holds address; false outside the accessible range or on failure.
    virtual bool QueryRegion(Handle process, uint32_t address, MemoryRegion* region) = 0;
    // Copies size bytes; fails as a whole when any byte of the range cannot be read, that is
    // when it lies outside the readable regions (IsRegionReadable) that QueryRegion describes.
    virtual bool ReadMemory(Handle process, uint32_t address, void* buffer, uint32_t size,
                            uint32_t* bytesRead) = 0;
    virtual uint32_t GetPageSize() = 0;
};

// The platform of the system the program runs on. In a build without Win32 there are no
// processes to see: every enumeration and every open fails.
CProcessPlatform& SystemProcessPlatform();
