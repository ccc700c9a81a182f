#include "inspect/ProcessPlatform.h"

bool IsRegionReadable(const MemoryRegion& region)
{
    if (region.state != MemoryRegion::kCommit || (region.protect & MemoryRegion::kGuard) != 0) {
        return false;
    }
    const uint32_t base = region.protect & ~(MemoryRegion::kNoCache | MemoryRegion::kWriteCombine);
    switch (base) {
    case MemoryRegion::kReadOnly:
    case MemoryRegion::kReadWrite:
    case MemoryRegion::kWriteCopy:
    case MemoryRegion::kExecute:
    case MemoryRegion::kExecuteRead:
    case MemoryRegion::kExecuteReadWrite:
    case MemoryRegion::kExecuteWriteCopy:
        return true;
    default:
        return false;
    }
}
