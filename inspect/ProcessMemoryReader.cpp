#include "inspect/ProcessMemoryReader.h"

#include <algorithm>
#include <cstring>
#include <new>

CProcessMemoryReader::CProcessMemoryReader(const ProcessRecord* record)
    : CProcessMemoryReader(SystemProcessPlatform(), record)
{
}

CProcessMemoryReader::CProcessMemoryReader(CProcessPlatform& platform, const ProcessRecord* record)
    : m_platform(platform),
      m_pRecord(record),
      m_process(platform, nullptr)
{
    if (m_pRecord) {
        Open();
    }
}

// A handle that can read and query lets unreadable pages be answered without reading; one that
// can only read still gives every answer, page by page.
void CProcessMemoryReader::Open()
{
    const uint32_t pid = m_pRecord->processId;
    m_process.Reset(m_platform.OpenProcess(
        CProcessPlatform::kVmRead | CProcessPlatform::kQueryInformation, pid));
    m_bKnowsRegions = static_cast<bool>(m_process);
    if (!m_process) {
        m_process.Reset(m_platform.OpenProcess(CProcessPlatform::kVmRead, pid));
    }
}

int CProcessMemoryReader::ReadPage(uint32_t address, void* buffer)
{
    return Read(address, buffer, kPageBytes);
}

int CProcessMemoryReader::Read(uint32_t address, void* buffer, uint32_t size)
{
    if (!m_pRecord || !buffer || size == 0) {
        return kReadBadArguments;
    }
    if (!m_process) {
        return kReadCannotOpen;
    }
    if (!m_bKnowsRegions) {
        return ReadDirect(address, buffer, size);
    }

    const uint64_t begin = address;
    const uint64_t end = begin + size;
    uint64_t readableEnd = 0;
    if (!IsRangeReadable(begin, end, &readableEnd)) {
        return kReadFailed;
    }
    if (begin < m_block.begin || end > m_block.end) {
        // Where a block read failed, the pages of that block are read one by one.
        if (begin >= m_failedBlock.begin && end <= m_failedBlock.end) {
            return ReadDirect(address, buffer, size);
        }
        const uint64_t blockEnd = std::max(end, std::min(begin + kBlockBytes, readableEnd));
        if (!FillBlock(begin, blockEnd)) {
            m_failedBlock.begin = begin;
            m_failedBlock.end = blockEnd;
            return ReadDirect(address, buffer, size);
        }
    }
    std::memcpy(buffer, m_pBlock.get() + (begin - m_block.begin), size);
    return kReadDone;
}

// Whether every byte of [begin, end) lies in regions that the platform can read; readableEnd
// gets the end of the last of them. A read of anything else fails as a whole, so it is not made.
bool CProcessMemoryReader::IsRangeReadable(uint64_t begin, uint64_t end, uint64_t* readableEnd)
{
    uint64_t at = begin;
    while (at < end) {
        Span span;
        if (!RegionAt(at, &span) || !span.readable) {
            return false;
        }
        at = span.end;
    }
    *readableEnd = at;
    return true;
}

// The region that holds address; false when the platform gives no usable answer for it.
// Queries that fail at one address fail at every higher one (the end of the process's
// accessible range), so a failure is remembered and those addresses are not asked again.
bool CProcessMemoryReader::RegionAt(uint64_t address, Span* span)
{
    if (address < m_region.begin || address >= m_region.end) {
        MemoryRegion region;
        if (address >= m_nQueryLimit) {
            return false;
        }
        if (!m_platform.QueryRegion(m_process.Get(), static_cast<uint32_t>(address), &region)) {
            m_nQueryLimit = address;
            return false;
        }
        const uint64_t begin = region.baseAddress;
        const uint64_t end = begin + region.regionSize;
        if (begin > address || end <= address) {
            return false;
        }
        m_region.begin = begin;
        m_region.end = end;
        m_region.readable = IsRegionReadable(region);
    }
    *span = m_region;
    return true;
}

bool CProcessMemoryReader::FillBlock(uint64_t begin, uint64_t end)
{
    m_block = Span();
    if (!m_pBlock) {
        m_pBlock.reset(new (std::nothrow) uint8_t[kBlockBytes]);
        if (!m_pBlock) {
            return false;
        }
    }
    const uint32_t size = static_cast<uint32_t>(end - begin);
    if (size > kBlockBytes) {
        return false;
    }
    uint32_t bytesRead = 0;
    if (!m_platform.ReadMemory(m_process.Get(), static_cast<uint32_t>(begin), m_pBlock.get(), size,
                               &bytesRead) ||
        bytesRead != size) {
        return false;
    }
    m_block.begin = begin;
    m_block.end = end;
    m_block.readable = true;
    return true;
}

int CProcessMemoryReader::ReadDirect(uint32_t address, void* buffer, uint32_t size)
{
    uint32_t bytesRead = 0;
    if (!m_platform.ReadMemory(m_process.Get(), address, buffer, size, &bytesRead)) {
        return kReadFailed;
    }
    return bytesRead < size ? kReadShort : kReadDone;
}
