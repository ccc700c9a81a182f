#pragma once
// Owns a process handle of a platform and closes it on every path out of the operation.

#include "inspect/ProcessPlatform.h"

class CProcessHandle
{
public:
    CProcessHandle(CProcessPlatform& platform, CProcessPlatform::Handle handle)
        : m_platform(platform),
          m_handle(handle)
    {
    }
    ~CProcessHandle() { Reset(nullptr); }

    CProcessHandle(const CProcessHandle&) = delete;
    CProcessHandle& operator=(const CProcessHandle&) = delete;

    CProcessPlatform::Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    void Reset(CProcessPlatform::Handle handle)
    {
        if (m_handle) {
            m_platform.CloseProcess(m_handle);
        }
        m_handle = handle;
    }

private:
    CProcessPlatform& m_platform;
    CProcessPlatform::Handle m_handle;
};
