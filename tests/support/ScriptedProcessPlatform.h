#pragma once
// A process platform that plays a script: processes with the rights they grant, their modules,
// their region layout (or a raw sequence of region answers) and the faults of their reads. It
// counts what the code under test asked of it, so tests can check every handle was closed.

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "inspect/ProcessPlatform.h"

struct ScriptedRegion
{
    enum class Fault
    {
        None,
        Fail,
        Short
    };

    uint32_t size = 0;
    uint32_t state = 0;
    uint32_t protect = 0;
    uint32_t type = 0;
    Fault readFault = Fault::None; // Fail: reads touching it fail; Short: they copy one byte less
};

struct ScriptedProcess
{
    uint32_t processId = 0;
    uint32_t grantedRights = CProcessPlatform::kAllAccess; // an open asking for more is refused
    bool modulesFail = false; // module listing fails whatever the rights
    std::vector<uint32_t> moduleBases;
    std::vector<std::string> moduleNames; // "" when the name cannot be read
    bool namesUnterminated = false;       // a cut name fills the buffer without terminator
    std::vector<ScriptedRegion> regions;  // consecutive from address 0
    // When not empty, the region queries get these answers in order whatever the address
    // (false: the query fails), and fail once they are used up.
    std::vector<std::pair<bool, MemoryRegion>> answers;
};

class CScriptedProcessPlatform : public CProcessPlatform
{
public:
    std::vector<ScriptedProcess> processes;
    bool enumFails = false;
    uint32_t pageSize = 4096;

    // What was asked.
    std::vector<std::pair<uint32_t, uint32_t>> openAttempts; // process id, rights
    int openHandles = 0;
    int badCloses = 0; // closes of handles that were not open
    int queryCount = 0;
    int readCount = 0;
    uint64_t bytesAskedToRead = 0;

    // The byte that a readable address holds.
    static uint8_t ContentByte(uint32_t address)
    {
        return static_cast<uint8_t>((address >> 12) * 7 + address * 13 + (address >> 20));
    }

    static ScriptedRegion Region(uint32_t size, uint32_t state, uint32_t protect, uint32_t type,
                                 ScriptedRegion::Fault fault = ScriptedRegion::Fault::None)
    {
        ScriptedRegion region;
        region.size = size;
        region.state = state;
        region.protect = protect;
        region.type = type;
        region.readFault = fault;
        return region;
    }

    ScriptedProcess& Add(uint32_t processId)
    {
        processes.emplace_back();
        processes.back().processId = processId;
        return processes.back();
    }

    bool ListProcesses(uint32_t* ids, uint32_t bytes, uint32_t* bytesWritten) override
    {
        if (enumFails) {
            return false;
        }
        uint32_t n = 0;
        for (; n < processes.size() && (n + 1) * 4 <= bytes; ++n) {
            ids[n] = processes[n].processId;
        }
        *bytesWritten = n * 4;
        return true;
    }

    Handle OpenProcess(uint32_t access, uint32_t processId) override
    {
        openAttempts.emplace_back(processId, access);
        // Searched from where the last open was found: callers go through the list in order.
        for (size_t k = 0; k < processes.size(); ++k) {
            const size_t i = (m_openHint + k) % processes.size();
            const ScriptedProcess& p = processes[i];
            if (p.processId != processId) {
                continue;
            }
            m_openHint = i;
            if ((access & ~p.grantedRights) != 0 || access == 0) {
                return nullptr;
            }
            ++openHandles;
            ++m_nextHandle;
            m_handles[m_nextHandle] = OpenHandle{i, access, 0};
            return reinterpret_cast<Handle>(m_nextHandle);
        }
        return nullptr;
    }

    void CloseProcess(Handle process) override
    {
        if (m_handles.erase(reinterpret_cast<uintptr_t>(process)) == 1) {
            --openHandles;
        } else {
            ++badCloses;
        }
    }

    bool ListModules(Handle process, uint32_t* bases, uint32_t bytes,
                     uint32_t* bytesNeeded) override
    {
        const ScriptedProcess* p = Find(process, kQueryInformation | kVmRead);
        if (!p || p->modulesFail) {
            return false;
        }
        for (uint32_t j = 0; j < p->moduleBases.size() && (j + 1) * 4 <= bytes; ++j) {
            bases[j] = p->moduleBases[j];
        }
        *bytesNeeded = static_cast<uint32_t>(p->moduleBases.size() * 4);
        return true;
    }

    uint32_t GetModulePath(Handle process, uint32_t moduleBase, char* name, uint32_t size) override
    {
        const ScriptedProcess* p = Find(process, kQueryInformation | kVmRead);
        if (!p || size == 0) {
            return 0;
        }
        for (size_t k = 0; k < p->moduleBases.size(); ++k) {
            const size_t j = (m_moduleHint + k) % p->moduleBases.size();
            if (p->moduleBases[j] != moduleBase || j >= p->moduleNames.size()) {
                continue;
            }
            m_moduleHint = j;
            const std::string& text = p->moduleNames[j];
            if (text.empty()) {
                return 0;
            }
            if (p->namesUnterminated && text.size() >= size) {
                std::memcpy(name, text.data(), size);
                return size;
            }
            const size_t n = text.size() < size - 1 ? text.size() : size - 1;
            std::memcpy(name, text.data(), n);
            name[n] = '\0';
            return static_cast<uint32_t>(n);
        }
        return 0;
    }

    bool QueryRegion(Handle process, uint32_t address, MemoryRegion* region) override
    {
        ++queryCount;
        const ScriptedProcess* p = Find(process, kQueryInformation);
        if (!p) {
            return false;
        }
        if (!p->answers.empty()) {
            size_t& next = m_handles[reinterpret_cast<uintptr_t>(process)].nextAnswer;
            if (next >= p->answers.size()) {
                return false;
            }
            const auto& answer = p->answers[next++];
            if (answer.first) {
                *region = answer.second;
            }
            return answer.first;
        }
        uint64_t start = 0;
        for (const ScriptedRegion& r : p->regions) {
            const uint64_t end = start + r.size;
            if (address >= start && address < end) {
                uint64_t base = address & ~static_cast<uint64_t>(pageSize - 1);
                if (base < start) {
                    base = start;
                }
                region->baseAddress = static_cast<uint32_t>(base);
                region->regionSize = static_cast<uint32_t>(end - base);
                region->state = r.state;
                region->protect = r.protect;
                region->type = r.type;
                return true;
            }
            start = end;
        }
        return false;
    }

    bool ReadMemory(Handle process, uint32_t address, void* buffer, uint32_t size,
                    uint32_t* bytesRead) override
    {
        ++readCount;
        bytesAskedToRead += size;
        *bytesRead = 0;
        const ScriptedProcess* p = Find(process, kVmRead);
        if (!p) {
            return false;
        }
        const uint64_t begin = address;
        const uint64_t end = begin + size;
        bool shortRead = false;
        uint64_t covered = begin;
        uint64_t start = 0;
        for (const ScriptedRegion& r : p->regions) {
            const uint64_t regionEnd = start + r.size;
            if (regionEnd > begin && start < end) {
                MemoryRegion info;
                info.state = r.state;
                info.protect = r.protect;
                info.type = r.type;
                if (!IsRegionReadable(info) || r.readFault == ScriptedRegion::Fault::Fail) {
                    return false;
                }
                shortRead = shortRead || r.readFault == ScriptedRegion::Fault::Short;
                covered = regionEnd;
            }
            start = regionEnd;
        }
        if (covered < end) {
            return false;
        }
        uint8_t* out = static_cast<uint8_t*>(buffer);
        for (uint32_t i = 0; i < size; ++i) {
            out[i] = ContentByte(address + i);
        }
        *bytesRead = shortRead ? size - 1 : size;
        return true;
    }

    uint32_t GetPageSize() override { return pageSize; }

private:
    struct OpenHandle
    {
        size_t process;
        uint32_t rights;
        size_t nextAnswer;
    };

    const ScriptedProcess* Find(Handle process, uint32_t needed) const
    {
        auto it = m_handles.find(reinterpret_cast<uintptr_t>(process));
        if (it == m_handles.end() || (it->second.rights & needed) != needed) {
            return nullptr;
        }
        return &processes[it->second.process];
    }

    std::map<uintptr_t, OpenHandle> m_handles;
    uintptr_t m_nextHandle = 0;
    size_t m_openHint = 0;
    size_t m_moduleHint = 0;
};
