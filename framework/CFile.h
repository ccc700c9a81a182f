// A binary file on disk. Failures are reported by the return values (and, for Open, an
// optional CFileException), never thrown.
#pragma once

#include "framework/CFileException.h"

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition
    {
        begin = 0x0,
        current = 0x1,
        end = 0x2
    };

    CFile();
    CFile(LPCSTR lpszFileName, UINT nOpenFlags); // check m_hFile for success
    ~CFile() override;                           // closes the file

    HANDLE m_hFile; // INVALID_HANDLE_VALUE when closed

    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual void Close();
    // Reads up to nCount bytes; the number read (0 at the end or on failure).
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes; FALSE on failure (disk full, ...).
    virtual BOOL Write(const void* lpBuf, UINT nCount);
    virtual BOOL Flush();
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    void SeekToBegin() { Seek(0, begin); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual BOOL SetLength(ULONGLONG dwNewLen);
    CString GetFilePath() const { return m_strFileName; }
    // The Win32 error of the last failed operation.
    DWORD GetLastError() const { return m_dwLastError; }

    static BOOL Remove(LPCSTR lpszFileName) { return ::DeleteFileA(lpszFileName); }

protected:
    CString m_strFileName;
    DWORD m_dwLastError;
};
