// A small ANSI string with the common members of MFC's CString.
#pragma once

#include <string>

#include "framework/AfxDefs.h"

#include <stdarg.h>

class CString
{
public:
    CString() = default;
    CString(const CString& stringSrc) = default;
    CString(CString&& stringSrc) noexcept = default;
    CString(LPCSTR lpsz); // NULL gives an empty string; MAKEINTRESOURCE(id) loads string id
    CString(LPCSTR lpch, int nLength);
    CString(char ch, int nRepeat = 1);
    CString(const std::string& str) : m_str(str) {}

    CString& operator=(const CString& stringSrc) = default;
    CString& operator=(CString&& stringSrc) noexcept = default;
    CString& operator=(LPCSTR lpsz);
    CString& operator=(char ch);

    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator LPCSTR() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    char GetAt(int nIndex) const { return m_str[(size_t)nIndex]; }
    char operator[](int nIndex) const { return m_str[(size_t)nIndex]; }
    void SetAt(int nIndex, char ch) { m_str[(size_t)nIndex] = ch; }

    const CString& operator+=(const CString& string)
    {
        m_str += string.m_str;
        return *this;
    }
    const CString& operator+=(LPCSTR lpsz);
    const CString& operator+=(char ch)
    {
        m_str += ch;
        return *this;
    }

    int Compare(LPCSTR lpsz) const;
    int CompareNoCase(LPCSTR lpsz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    void MakeUpper();
    void MakeLower();
    void TrimLeft();
    void TrimRight();

    int Find(char ch) const { return Find(ch, 0); }
    int Find(char ch, int nStart) const;
    int Find(LPCSTR lpszSub) const { return Find(lpszSub, 0); }
    int Find(LPCSTR lpszSub, int nStart) const;
    int ReverseFind(char ch) const;

    // printf-style formatting; the result replaces the contents.
    void Format(LPCSTR lpszFormat, ...);
    void FormatV(LPCSTR lpszFormat, va_list argList);

    // Loads string resource nID of the application; FALSE (and empty) when it is missing.
    BOOL LoadString(UINT nID);

    // Direct access to a buffer of at least nMinBufLength characters plus the terminator;
    // ReleaseBuffer takes the new length (-1: up to the first NUL).
    LPSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPSTR GetBufferSetLength(int nNewLength);

private:
    std::string m_str;
};

CString operator+(const CString& string1, const CString& string2);
CString operator+(const CString& string, LPCSTR lpsz);
CString operator+(LPCSTR lpsz, const CString& string);
CString operator+(const CString& string, char ch);
CString operator+(char ch, const CString& string);

bool operator==(const CString& s1, const CString& s2);
bool operator==(const CString& s1, LPCSTR s2);
bool operator==(LPCSTR s1, const CString& s2);
bool operator!=(const CString& s1, const CString& s2);
bool operator!=(const CString& s1, LPCSTR s2);
bool operator!=(LPCSTR s1, const CString& s2);
bool operator<(const CString& s1, const CString& s2);
