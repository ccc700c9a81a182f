#include "inspect/ProcessCatalogue.h"

#include <cstring>
#include <new>

#include "common/PageSize.h"
#include "inspect/ProcessHandle.h"

namespace {

const uint32_t kBufferBytes = 40960;

// The rights tried, one at a time and in this order, when a process is opened for listing.
const uint32_t kOpenRights[] = {
    CProcessPlatform::kAllAccess,        CProcessPlatform::kCreateProcess,
    CProcessPlatform::kCreateThread,     CProcessPlatform::kDupHandle,
    CProcessPlatform::kQueryInformation, CProcessPlatform::kSetInformation,
    CProcessPlatform::kTerminate,        CProcessPlatform::kVmOperation,
    CProcessPlatform::kVmRead,           CProcessPlatform::kVmWrite,
};

uint32_t AccessBits(uint32_t baseProtection)
{
    switch (baseProtection) {
    case MemoryRegion::kReadOnly:
        return MAPF_READ;
    case MemoryRegion::kReadWrite:
        return MAPF_READ | MAPF_WRITE;
    case MemoryRegion::kWriteCopy:
        return MAPF_COPYONWRITE;
    case MemoryRegion::kExecute:
        return MAPF_EXECUTE;
    case MemoryRegion::kExecuteRead:
        return MAPF_EXECUTE | MAPF_READ;
    case MemoryRegion::kExecuteReadWrite:
        return MAPF_EXECUTE | MAPF_READ | MAPF_WRITE;
    case MemoryRegion::kExecuteWriteCopy:
        return MAPF_EXECUTE | MAPF_COPYONWRITE;
    default:
        return 0;
    }
}

// The right to query regions lets the platform refuse reads of pages that cannot be read before
// it reads (Wine would copy zeros out of them); reading needs only the read right.
CProcessPlatform::Handle OpenForReading(CProcessPlatform& platform, uint32_t processId)
{
    CProcessPlatform::Handle process = platform.OpenProcess(
        CProcessPlatform::kVmRead | CProcessPlatform::kQueryInformation, processId);
    if (!process) {
        process = platform.OpenProcess(CProcessPlatform::kVmRead, processId);
    }
    return process;
}

} // namespace

uint32_t RegionPageFlags(const MemoryRegion& region)
{
    uint32_t flags = 0;
    switch (region.state) {
    case MemoryRegion::kCommit:
        flags |= MAPF_COMMITTED;
        break;
    case MemoryRegion::kFree:
        flags |= MAPF_FREE;
        break;
    case MemoryRegion::kReserve:
        flags |= MAPF_RESERVED;
        break;
    default:
        break;
    }
    flags |= AccessBits(region.protect & ~(MemoryRegion::kGuard | MemoryRegion::kNoCache));
    if (region.protect & MemoryRegion::kGuard) {
        flags |= MAPF_GUARDED;
    }
    if (region.protect & MemoryRegion::kNoCache) {
        flags |= MAPF_NOCACHE;
    }
    switch (region.type) {
    case MemoryRegion::kImage:
        flags |= MAPF_IMAGE;
        break;
    case MemoryRegion::kMapped:
        flags |= MAPF_MAPPED;
        break;
    case MemoryRegion::kPrivate:
        flags |= MAPF_PRIVATE;
        break;
    default:
        break;
    }
    return flags;
}

CProcessCatalogue::CProcessCatalogue() : m_platform(SystemProcessPlatform())
{
}

CProcessCatalogue::CProcessCatalogue(CProcessPlatform& platform) : m_platform(platform)
{
}

CProcessCatalogue::~CProcessCatalogue() = default;

int CProcessCatalogue::Refresh()
{
    std::unique_ptr<uint32_t[]> ids(new (std::nothrow) uint32_t[kBufferBytes / 4]);
    if (!ids) {
        return kRefreshNoIdBuffer;
    }
    std::unique_ptr<uint32_t[]> bases(new (std::nothrow) uint32_t[kBufferBytes / 4]);
    if (!bases) {
        return kRefreshNoListing;
    }
    uint32_t bytesWritten = 0;
    if (!m_platform.ListProcesses(ids.get(), kBufferBytes, &bytesWritten)) {
        return kRefreshNoListing;
    }

    int32_t count = static_cast<int32_t>(bytesWritten / 4);
    if (count > kMaxProcesses) {
        count = kMaxProcesses;
    }
    m_pRecords.reset();
    m_nCount = 0;
    if (count == 0) {
        return kRefreshDone;
    }
    m_pRecords.reset(new (std::nothrow) ProcessRecord[count]);
    if (!m_pRecords) {
        return kRefreshNoRecords;
    }
    m_nCount = count;

    for (int32_t i = 0; i < count; ++i) {
        ProcessRecord& record = m_pRecords[i];
        record.processId = ids[i];
        CProcessHandle process(m_platform, nullptr);
        for (uint32_t right : kOpenRights) {
            process.Reset(m_platform.OpenProcess(right, record.processId));
            if (process) {
                break;
            }
        }
        if (process) {
            TakeModules(record, process.Get(), bases.get());
        }
    }
    return kRefreshDone;
}

// Fills the record's modules from an open process; leaves it without modules when they
// cannot be listed or their arrays cannot be allocated.
void CProcessCatalogue::TakeModules(ProcessRecord& record, CProcessPlatform::Handle process,
                                    uint32_t* bases)
{
    uint32_t bytesNeeded = 0;
    if (!m_platform.ListModules(process, bases, kBufferBytes, &bytesNeeded)) {
        return;
    }
    int32_t count = static_cast<int32_t>(bytesNeeded / 4);
    if (count > kMaxModules) {
        count = kMaxModules;
    }
    if (count == 0) {
        return;
    }
    std::unique_ptr<uint32_t[]> moduleBases(new (std::nothrow) uint32_t[count]);
    std::unique_ptr<std::string[]> moduleNames(new (std::nothrow) std::string[count]);
    if (!moduleBases || !moduleNames) {
        return;
    }

    char name[kNameBufferBytes];
    for (int32_t j = 0; j < count; ++j) {
        std::memset(name, 0, sizeof name);
        moduleBases[j] = bases[j];
        if (m_platform.GetModulePath(process, bases[j], name, sizeof name) == 0) {
            continue;
        }
        try {
            // A path that filled the buffer without a terminator is cut to what fits.
            moduleNames[j].assign(name, strnlen(name, sizeof name - 1));
        } catch (const std::bad_alloc&) {
            moduleNames[j].clear();
        }
    }
    record.moduleCount = count;
    record.moduleBases = std::move(moduleBases);
    record.moduleNames = std::move(moduleNames);
}

ProcessRecord* CProcessCatalogue::FindProcess(uint32_t processId) const
{
    for (int32_t i = 0; HasRecords() && i < m_nCount; ++i) {
        if (m_pRecords[i].processId == processId) {
            return &m_pRecords[i];
        }
    }
    return nullptr;
}

int CProcessCatalogue::GetCount() const
{
    return m_nCount;
}

ProcessRecord* CProcessCatalogue::GetAt(int index) const
{
    if (!HasRecords() || index < 0 || index >= m_nCount) {
        return nullptr;
    }
    return &m_pRecords[index];
}

int CProcessCatalogue::GetPageCount() const
{
    return kPageMapEntries;
}

int CProcessCatalogue::BuildPageMap(uint32_t processId, uint32_t* map)
{
    if (!HasRecords() || !map) {
        return kPageMapNoRecords;
    }
    for (int32_t i = 0; i < m_nCount; ++i) {
        if (m_pRecords[i].processId == processId) {
            return BuildPageMapAt(i, map);
        }
    }
    return kPageMapNoSuchProcess;
}

int CProcessCatalogue::BuildPageMapAt(int index, uint32_t* map)
{
    if (!HasRecords() || !map) {
        return kPageMapNoRecords;
    }
    if (index < 0 || index >= m_nCount) {
        return kPageMapNoSuchProcess;
    }
    CProcessHandle process(m_platform, m_platform.OpenProcess(CProcessPlatform::kQueryInformation,
                                                              m_pRecords[index].processId));
    if (!process) {
        return kPageMapCannotOpen;
    }
    WalkRegions(process.Get(), map);
    return kPageMapDone;
}

// Expands region after region, from address 0, into the map. The walk ends when the platform
// stops answering, when the map is full, or on an answer that would not move the walk forward
// (a zero size, or a size that wraps past 4 GiB), which would otherwise repeat for ever.
void CProcessCatalogue::WalkRegions(CProcessPlatform::Handle process, uint32_t* map)
{
    uint32_t pageSize = m_platform.GetPageSize();
    if (pageSize == 0) {
        pageSize = kPageSize;
    }
    uint32_t address = 0;
    uint32_t entry = 0;
    MemoryRegion region;
    while (entry < static_cast<uint32_t>(kPageMapEntries)) {
        if (!m_platform.QueryRegion(process, address, &region)) {
            break;
        }
        const uint32_t flags = RegionPageFlags(region);
        uint32_t pages = region.regionSize / pageSize;
        if (pages > kPageMapEntries - entry) {
            pages = kPageMapEntries - entry;
        }
        for (uint32_t end = entry + pages; entry < end; ++entry) {
            map[entry] = flags;
        }
        const uint32_t next = address + region.regionSize;
        if (next <= address) {
            break;
        }
        address = next;
    }
}

uint32_t CProcessCatalogue::QueryPageFlags(const ProcessRecord* record, uint32_t address)
{
    if (!HasRecords() || !record) {
        return 0;
    }
    CProcessHandle process(
        m_platform, m_platform.OpenProcess(CProcessPlatform::kQueryInformation, record->processId));
    if (!process) {
        return 0;
    }
    MemoryRegion region;
    if (!m_platform.QueryRegion(process.Get(), address, &region)) {
        return 0;
    }
    return RegionPageFlags(region);
}

bool CProcessCatalogue::HasRecords() const
{
    return m_nCount > 0 && m_pRecords;
}

int ReadProcessBytes(const ProcessRecord* record, uint32_t address, void* buffer, uint32_t size)
{
    return ReadProcessBytes(SystemProcessPlatform(), record, address, buffer, size);
}

int ReadProcessBytes(CProcessPlatform& platform, const ProcessRecord* record, uint32_t address,
                     void* buffer, uint32_t size)
{
    if (!record || !buffer || size == 0) {
        return kReadBadArguments;
    }
    CProcessHandle process(platform, OpenForReading(platform, record->processId));
    if (!process) {
        return kReadCannotOpen;
    }
    uint32_t bytesRead = 0;
    if (!platform.ReadMemory(process.Get(), address, buffer, size, &bytesRead)) {
        return kReadFailed;
    }
    return bytesRead < size ? kReadShort : kReadDone;
}
