#pragma once
// The snapshot of running processes and their modules, the walk of a process's address space
// into the page map, the attributes of one region, and reads of process memory.
// Every operation returns 0 for success and a small negative number for failure; none throws.

#include <cstdint>
#include <memory>
#include <string>

#include "inspect/ProcessPlatform.h"

// Page flags word: one per 4 KiB page of the page map, or for the region that holds an address.
constexpr uint32_t MAPF_READ = 0x001;
constexpr uint32_t MAPF_WRITE = 0x002;
constexpr uint32_t MAPF_EXECUTE = 0x004;
constexpr uint32_t MAPF_COPYONWRITE = 0x008;
constexpr uint32_t MAPF_GUARDED = 0x010;
constexpr uint32_t MAPF_NOCACHE = 0x020;
constexpr uint32_t MAPF_COMMITTED = 0x040;
constexpr uint32_t MAPF_FREE = 0x080;
constexpr uint32_t MAPF_RESERVED = 0x100;
constexpr uint32_t MAPF_IMAGE = 0x200;
constexpr uint32_t MAPF_MAPPED = 0x400;
constexpr uint32_t MAPF_PRIVATE = 0x800;

// The page flags word of a region: state bit, access bits of the base protection, the guard and
// no-cache modifiers, and the type bit. 0 when nothing of it is recognised.
uint32_t RegionPageFlags(const MemoryRegion& region);

// One process of the catalogue. Module 0 is the executable; its path names the process.
struct ProcessRecord
{
    uint32_t processId = 0;
    int32_t moduleCount = 0;                    // 0 when the modules could not be listed
    std::unique_ptr<uint32_t[]> moduleBases;    // moduleCount load addresses
    std::unique_ptr<std::string[]> moduleNames; // moduleCount full paths; "" when unreadable
};

// Result codes of the inspection layer: 0 for success, small negative numbers for failure. The
// numbers are fixed (callers compare with them); each operation gives the ones named for it.
enum RefreshResult : int
{
    kRefreshDone = 0,
    kRefreshNoIdBuffer = -1, // no working buffer for the identifiers; records kept
    kRefreshNoListing = -2,  // no buffer for module bases, or the listing failed; kept
    kRefreshNoRecords = -3,  // the new records cannot be allocated; catalogue empty
};
enum PageMapResult : int
{
    kPageMapDone = 0,
    kPageMapNoRecords = -1,     // an empty catalogue, or no map
    kPageMapNoSuchProcess = -2, // no record with that identifier (or index)
    kPageMapCannotOpen = -3,    // the process cannot be opened to query its regions
};
enum ReadResult : int
{
    kReadDone = 0,
    kReadBadArguments = -1, // no record, no buffer or size 0
    kReadCannotOpen = -2,   // the process cannot be opened for reading
    kReadFailed = -4,       // the read failed as a whole (some byte is unreadable)
    kReadShort = -5,        // fewer bytes were read than asked for
};

class CProcessCatalogue
{
public:
    static constexpr int kMaxProcesses = 10240;
    static constexpr int kMaxModules = 10240;
    static constexpr uint32_t kNameBufferBytes = 2048;
    static constexpr int kPageMapEntries = 1048576;

    // Uses the system's processes.
    CProcessCatalogue();
    // Uses the given platform, which must outlive the catalogue.
    explicit CProcessCatalogue(CProcessPlatform& platform);
    virtual ~CProcessCatalogue();

    CProcessCatalogue(const CProcessCatalogue&) = delete;
    CProcessCatalogue& operator=(const CProcessCatalogue&) = delete;

    // Rebuilds the records from the running processes; a RefreshResult.
    int Refresh();
    // The first record with that identifier; nullptr when there is none.
    ProcessRecord* FindProcess(uint32_t processId) const;
    int GetCount() const;
    // The record at index; nullptr outside 0 to count-1.
    ProcessRecord* GetAt(int index) const;

    // The number of entries of a page map: one per 4 KiB page of the 4 GiB address space.
    int GetPageCount() const;
    // Walks the process with that identifier into map (GetPageCount entries); a PageMapResult.
    int BuildPageMap(uint32_t processId, uint32_t* map);
    // Walks the process of record index into map; a PageMapResult (kPageMapNoSuchProcess for an
    // index out of range). Entries past the point where the platform stops answering keep what
    // the caller put there.
    int BuildPageMapAt(int index, uint32_t* map);
    // The page flags word of the region that holds address; 0 when nothing can be learnt.
    uint32_t QueryPageFlags(const ProcessRecord* record, uint32_t address);

private:
    bool HasRecords() const;
    void TakeModules(ProcessRecord& record, CProcessPlatform::Handle process, uint32_t* bases);
    void WalkRegions(CProcessPlatform::Handle process, uint32_t* map);

    int32_t m_nCount = 0;
    std::unique_ptr<ProcessRecord[]> m_pRecords;
    CProcessPlatform& m_platform;
};

// Reads size bytes at address of the record's process; a ReadResult. On any failure the
// buffer's contents are not to be used.
int ReadProcessBytes(const ProcessRecord* record, uint32_t address, void* buffer, uint32_t size);
int ReadProcessBytes(CProcessPlatform& platform, const ProcessRecord* record, uint32_t address,
                     void* buffer, uint32_t size);
