#include "framework/CFile.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_dwLastError(0)
{
}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(INVALID_HANDLE_VALUE), m_dwLastError(0)
{
    Open(lpszFileName, nOpenFlags);
}

CFile::~CFile()
{
    Close();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    Close();
    m_strFileName = lpszFileName;

    DWORD dwAccess = 0;
    switch (nOpenFlags & 3) {
    case modeRead:
        dwAccess = GENERIC_READ;
        break;
    case modeWrite:
        dwAccess = GENERIC_WRITE;
        break;
    default:
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        break;
    }

    DWORD dwShare = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite:
        dwShare = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        dwShare = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default: // shareCompat, shareExclusive
        dwShare = 0;
        break;
    }

    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};

    DWORD dwCreate = OPEN_EXISTING;
    if (nOpenFlags & modeCreate) {
        dwCreate = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    }

    HANDLE hFile = ::CreateFileA(lpszFileName, dwAccess, dwShare, &sa, dwCreate,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        m_dwLastError = ::GetLastError();
        if (pError != nullptr) {
            pError->m_lOsError = (LONG)m_dwLastError;
            pError->m_cause = CFileException::OsErrorToException((LONG)m_dwLastError);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    return TRUE;
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_hFile);
    }
    m_hFile = INVALID_HANDLE_VALUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    DWORD dwRead = 0;
    if (nCount == 0) {
        return 0;
    }
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, nullptr)) {
        m_dwLastError = ::GetLastError();
        return 0;
    }
    return (UINT)dwRead;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount)
{
    const BYTE* p = static_cast<const BYTE*>(lpBuf);
    while (nCount > 0) {
        DWORD dwWritten = 0;
        if (!::WriteFile(m_hFile, p, nCount, &dwWritten, nullptr)) {
            m_dwLastError = ::GetLastError();
            return FALSE;
        }
        if (dwWritten == 0) {
            m_dwLastError = ERROR_DISK_FULL;
            return FALSE;
        }
        p += dwWritten;
        nCount -= dwWritten;
    }
    return TRUE;
}

BOOL CFile::Flush()
{
    if (m_hFile == INVALID_HANDLE_VALUE) {
        return TRUE;
    }
    if (!::FlushFileBuffers(m_hFile)) {
        m_dwLastError = ::GetLastError();
        return FALSE;
    }
    return TRUE;
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER position;
    position.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, distance, &position, nFrom)) {
        m_dwLastError = ::GetLastError();
        return (ULONGLONG)-1;
    }
    return (ULONGLONG)position.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER distance;
    distance.QuadPart = 0;
    LARGE_INTEGER position;
    position.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT)) {
        return (ULONGLONG)-1;
    }
    return (ULONGLONG)position.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    size.QuadPart = 0;
    if (!::GetFileSizeEx(m_hFile, &size)) {
        return 0;
    }
    return (ULONGLONG)size.QuadPart;
}

BOOL CFile::SetLength(ULONGLONG dwNewLen)
{
    if (Seek((LONGLONG)dwNewLen, begin) == (ULONGLONG)-1) {
        return FALSE;
    }
    if (!::SetEndOfFile(m_hFile)) {
        m_dwLastError = ::GetLastError();
        return FALSE;
    }
    return TRUE;
}
