#include "framework/CArchive.h"

#include <new>
#include <vector>

#include "framework/CFile.h"

#include <string.h>

namespace {

const UINT kMinBufferSize = 128;

// Length header of a string: one byte below 255; 0xFF and a 16-bit word below 0xFFFE;
// otherwise 0xFF, 0xFFFF and a 32-bit word; all little-endian. (0xFFFE as the word marks a
// string of 16-bit characters.) Returns the header's size.
UINT EncodeStringLength(UINT nLength, BYTE (&header)[7])
{
    if (nLength < 0xFF) {
        header[0] = (BYTE)nLength;
        return 1;
    }
    header[0] = 0xFF;
    if (nLength < 0xFFFE) {
        header[1] = (BYTE)(nLength & 0xFF);
        header[2] = (BYTE)(nLength >> 8);
        return 3;
    }
    header[1] = 0xFF;
    header[2] = 0xFF;
    for (int i = 0; i < 4; ++i) {
        header[3 + i] = (BYTE)(nLength >> (8 * i));
    }
    return 7;
}

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(nullptr),
      m_pFile(pFile),
      m_nMode(nMode),
      m_bFailed(pFile == nullptr),
      m_bClosed(FALSE),
      m_lpBufStart(nullptr),
      m_nBufSize(0),
      m_nBufPos(0),
      m_nBufLen(0)
{
    UINT nSize = nBufSize > (int)kMinBufferSize ? (UINT)nBufSize : kMinBufferSize;
    if (lpBuf != nullptr && nBufSize > 0) {
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
        m_nBufSize = (UINT)nBufSize;
    } else {
        // Without its buffer the archive fails from the start, and its user says so.
        m_pOwnBuffer.reset(new (std::nothrow) BYTE[nSize]);
        m_lpBufStart = m_pOwnBuffer.get();
        m_nBufSize = m_pOwnBuffer ? nSize : 0;
        if (!m_pOwnBuffer) {
            m_bFailed = TRUE;
        }
    }
}

CArchive::~CArchive()
{
    if (m_bClosed) {
        return;
    }
    if (m_nMode & bNoFlushOnDelete) {
        Abort();
    } else {
        Close();
    }
}

BOOL CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (m_bFailed || m_bClosed || !IsStoring()) {
        return FALSE;
    }
    const BYTE* p = static_cast<const BYTE*>(lpBuf);
    // A block at least a buffer long, with nothing buffered before it, goes straight out.
    if (m_nBufPos == 0 && nMax >= m_nBufSize) {
        if (!m_pFile->Write(p, nMax)) {
            m_bFailed = TRUE;
            return FALSE;
        }
        return TRUE;
    }
    // Fill the buffer first, then write whole blocks straight through.
    UINT nCopy = nMax < m_nBufSize - m_nBufPos ? nMax : m_nBufSize - m_nBufPos;
    memcpy(m_lpBufStart + m_nBufPos, p, nCopy);
    m_nBufPos += nCopy;
    p += nCopy;
    nMax -= nCopy;
    if (nMax == 0) {
        return TRUE;
    }
    if (!Flush()) {
        return FALSE;
    }
    if (nMax >= m_nBufSize) {
        if (!m_pFile->Write(p, nMax)) {
            m_bFailed = TRUE;
            return FALSE;
        }
        return TRUE;
    }
    memcpy(m_lpBufStart, p, nMax);
    m_nBufPos = nMax;
    return TRUE;
}

BOOL CArchive::FillBuffer()
{
    m_nBufPos = 0;
    m_nBufLen = m_pFile->Read(m_lpBufStart, m_nBufSize);
    return m_nBufLen > 0;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (m_bFailed || m_bClosed || !IsLoading()) {
        return 0;
    }
    BYTE* p = static_cast<BYTE*>(lpBuf);
    UINT nRead = 0;
    while (nRead < nMax) {
        if (m_nBufPos == m_nBufLen && !FillBuffer()) {
            break;
        }
        UINT nAvail = m_nBufLen - m_nBufPos;
        UINT nCopy = nMax - nRead < nAvail ? nMax - nRead : nAvail;
        memcpy(p + nRead, m_lpBufStart + m_nBufPos, nCopy);
        m_nBufPos += nCopy;
        nRead += nCopy;
    }
    return nRead;
}

BOOL CArchive::Flush()
{
    if (m_bFailed) {
        return FALSE;
    }
    if (IsStoring()) {
        if (m_nBufPos > 0 && !m_pFile->Write(m_lpBufStart, m_nBufPos)) {
            m_bFailed = TRUE;
            m_nBufPos = 0;
            return FALSE;
        }
        m_nBufPos = 0;
    } else if (m_nBufPos < m_nBufLen) {
        // Give back what was read ahead, so the file position follows the data handed out.
        m_pFile->Seek(-(LONGLONG)(m_nBufLen - m_nBufPos), CFile::current);
        m_nBufPos = m_nBufLen = 0;
    }
    return TRUE;
}

BOOL CArchive::Close()
{
    if (m_bClosed) {
        return !m_bFailed;
    }
    BOOL bResult = Flush();
    m_bClosed = TRUE;
    m_pFile = nullptr;
    return bResult && !m_bFailed;
}

void CArchive::Abort()
{
    m_bClosed = TRUE;
    m_pFile = nullptr;
    m_nBufPos = m_nBufLen = 0;
}

CArchive& CArchive::operator<<(BYTE by)
{
    Write(&by, 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD w)
{
    BYTE b[2] = {(BYTE)w, (BYTE)(w >> 8)};
    Write(b, 2);
    return *this;
}

CArchive& CArchive::operator<<(DWORD dw)
{
    BYTE b[4] = {(BYTE)dw, (BYTE)(dw >> 8), (BYTE)(dw >> 16), (BYTE)(dw >> 24)};
    Write(b, 4);
    return *this;
}

CArchive& CArchive::operator<<(LONG l)
{
    return operator<<((DWORD)l);
}

CArchive& CArchive::operator<<(const CString& str)
{
    BYTE header[7];
    UINT nLength = (UINT)str.GetLength();
    Write(header, EncodeStringLength(nLength, header));
    Write((LPCSTR)str, nLength);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& by)
{
    by = 0;
    if (Read(&by, 1) != 1) {
        m_bFailed = TRUE;
    }
    return *this;
}

CArchive& CArchive::operator>>(WORD& w)
{
    BYTE b[2] = {0, 0};
    if (Read(b, 2) != 2) {
        m_bFailed = TRUE;
    }
    w = (WORD)(b[0] | (b[1] << 8));
    return *this;
}

CArchive& CArchive::operator>>(DWORD& dw)
{
    BYTE b[4] = {0, 0, 0, 0};
    if (Read(b, 4) != 4) {
        m_bFailed = TRUE;
    }
    dw = (DWORD)b[0] | ((DWORD)b[1] << 8) | ((DWORD)b[2] << 16) | ((DWORD)b[3] << 24);
    return *this;
}

CArchive& CArchive::operator>>(LONG& l)
{
    DWORD dw;
    operator>>(dw);
    l = (LONG)dw;
    return *this;
}

CArchive& CArchive::operator>>(int& i)
{
    DWORD dw;
    operator>>(dw);
    i = (int)dw;
    return *this;
}

// The length of the next string; (UINT)-1 for the marker of a 16-bit character string.
UINT CArchive::ReadStringLength()
{
    BYTE bLen = 0;
    operator>>(bLen);
    if (bLen < 0xFF) {
        return bLen;
    }
    WORD wLen = 0;
    operator>>(wLen);
    if (wLen == 0xFFFE) {
        return (UINT)-1;
    }
    if (wLen < 0xFFFF) {
        return wLen;
    }
    DWORD dwLen = 0;
    operator>>(dwLen);
    return dwLen;
}

CArchive& CArchive::operator>>(CString& str)
{
    str.Empty();
    UINT nLength = ReadStringLength();
    if (m_bFailed) {
        return *this;
    }
    if (nLength == (UINT)-1) {
        // 16-bit characters: read them and convert to the ANSI code page.
        nLength = ReadStringLength();
        if (m_bFailed || nLength == (UINT)-1 || nLength > 0x7FFFFFFF / sizeof(WCHAR)) {
            m_bFailed = TRUE;
            return *this;
        }
        std::vector<WCHAR> wide(nLength);
        if (nLength > 0 && Read(wide.data(), nLength * sizeof(WCHAR)) != nLength * sizeof(WCHAR)) {
            m_bFailed = TRUE;
            return *this;
        }
        int nBytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)nLength, nullptr, 0,
                                           nullptr, nullptr);
        LPSTR p = str.GetBufferSetLength(nBytes);
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)nLength, p, nBytes, nullptr, nullptr);
        return *this;
    }
    if (nLength > 0x7FFFFFFF) {
        m_bFailed = TRUE;
        return *this;
    }
    // Read in steps, so a corrupt length cannot make us allocate far more than the data.
    const UINT kStep = 1 << 20;
    UINT nDone = 0;
    while (nDone < nLength) {
        UINT nPart = nLength - nDone < kStep ? nLength - nDone : kStep;
        LPSTR p = str.GetBufferSetLength((int)(nDone + nPart));
        UINT nGot = Read(p + nDone, nPart);
        nDone += nGot;
        if (nGot != nPart) {
            str.Empty();
            m_bFailed = TRUE;
            return *this;
        }
    }
    return *this;
}
