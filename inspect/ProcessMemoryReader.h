#pragma once
// Reads a process's memory page after page for whole-address-space work (the text dump, the text
// search). Each read gives the result code and bytes that ReadProcessBytes would give, but the
// process is opened once, pages that cannot be read are answered from the region layout without
// a read, and readable regions are read in large blocks from which the pages are served.

#include <cstdint>
#include <memory>

#include "common/PageSize.h"
#include "inspect/ProcessCatalogue.h"
#include "inspect/ProcessHandle.h"

class CProcessMemoryReader
{
public:
    static constexpr uint32_t kPageBytes = kPageSize;
    static constexpr uint32_t kBlockBytes = 1024 * 1024;

    // Opens the record's process of the system platform.
    explicit CProcessMemoryReader(const ProcessRecord* record);
    // Opens the record's process of the given platform, which must outlive the reader.
    CProcessMemoryReader(CProcessPlatform& platform, const ProcessRecord* record);

    CProcessMemoryReader(const CProcessMemoryReader&) = delete;
    CProcessMemoryReader& operator=(const CProcessMemoryReader&) = delete;

    // The 4,096 bytes at address; the ReadResult that ReadProcessBytes would give.
    int ReadPage(uint32_t address, void* buffer);
    // size bytes at address; the ReadResult that ReadProcessBytes would give.
    int Read(uint32_t address, void* buffer, uint32_t size);

private:
    struct Span
    {
        uint64_t begin = 0;
        uint64_t end = 0; // empty when begin == end
        bool readable = false;
    };

    void Open();
    bool IsRangeReadable(uint64_t begin, uint64_t end, uint64_t* readableEnd);
    bool RegionAt(uint64_t address, Span* span);
    bool FillBlock(uint64_t begin, uint64_t end);
    int ReadDirect(uint32_t address, void* buffer, uint32_t size);

    CProcessPlatform& m_platform;
    const ProcessRecord* m_pRecord;
    CProcessHandle m_process;
    bool m_bKnowsRegions = false;        // opened with the right to query regions
    Span m_region;                       // the region last learnt
    uint64_t m_nQueryLimit = 1ull << 32; // where the region queries stop answering
    Span m_block;                        // the bytes held in m_pBlock
    Span m_failedBlock;                  // the last block that could not be read whole
    std::unique_ptr<uint8_t[]> m_pBlock;
};
