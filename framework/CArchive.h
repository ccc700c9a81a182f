// A buffered binary stream over a CFile, in one direction (store or load), with the
// framework's encodings of numbers (little-endian) and strings (a length header, then the
// characters). Failures make the archive fail: later operations do nothing, and Flush / Close
// report it.
#pragma once

#include <memory>

#include "framework/CString.h"

class CFile;
class CDocument;

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2
    };

    // The buffer is large: big documents write gigabytes through it.
    static const int kDefaultBufferSize = 1 << 20;

    CArchive(CFile* pFile, UINT nMode, int nBufSize = kDefaultBufferSize, void* lpBuf = nullptr);
    ~CArchive(); // closes (flushes) the archive unless bNoFlushOnDelete was given

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }
    // TRUE once a write or read has failed (disk full, end of data, ...).
    BOOL IsFailed() const { return m_bFailed; }

    // Reads up to nMax bytes; the number read.
    UINT Read(void* lpBuf, UINT nMax);
    // Writes nMax bytes; FALSE if the archive failed.
    BOOL Write(const void* lpBuf, UINT nMax);
    // Writes the buffer out (store) or drops what was read ahead (load).
    BOOL Flush();
    // Flushes and detaches from the file; FALSE if anything failed.
    BOOL Close();
    // Detaches from the file without writing the buffer.
    void Abort();
    // Makes the archive fail, for a Serialize that cannot go on (no memory): later operations
    // do nothing and Close reports the failure, so the caller can say so.
    void MarkFailed() { m_bFailed = TRUE; }

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(int i) { return operator<<((LONG)i); }
    CArchive& operator<<(const CString& str);
    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(int& i);
    CArchive& operator>>(CString& str);

    CDocument* m_pDocument; // the document being serialized, for its Serialize

private:
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL FillBuffer();
    UINT ReadStringLength();

    CFile* m_pFile;
    UINT m_nMode;
    BOOL m_bFailed;
    BOOL m_bClosed;
    std::unique_ptr<BYTE[]> m_pOwnBuffer;
    BYTE* m_lpBufStart;
    UINT m_nBufSize;
    UINT m_nBufPos; // store: bytes waiting in the buffer; load: next byte to hand out
    UINT m_nBufLen; // load: bytes in the buffer
};
