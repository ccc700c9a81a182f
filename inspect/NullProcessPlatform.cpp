#include "inspect/NullProcessPlatform.h"

CProcessPlatform& SystemProcessPlatform()
{
    static CNullProcessPlatform platform;
    return platform;
}
