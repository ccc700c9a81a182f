// Why a file operation failed. The framework returns it filled in rather than throwing it.
#pragma once

#include "framework/CObject.h"
#include "framework/CString.h"

class CFileException : public CObject
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;

    // The cause for a Win32 error code.
    static int OsErrorToException(LONG lOsError);
};
