#include "framework/CString.h"

#include <algorithm>

#include "framework/AfxGlobals.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

CString::CString(LPCSTR lpsz)
{
    // A resource id in the pointer (MAKEINTRESOURCE) means that string of the string table.
    if (lpsz != nullptr && IS_INTRESOURCE(lpsz)) {
        LoadString(LOWORD(reinterpret_cast<UINT_PTR>(lpsz)));
    } else if (lpsz != nullptr) {
        m_str = lpsz;
    }
}

CString::CString(LPCSTR lpch, int nLength)
{
    if (lpch != nullptr && nLength > 0) {
        m_str.assign(lpch, (size_t)nLength);
    }
}

CString::CString(char ch, int nRepeat)
{
    if (nRepeat > 0) {
        m_str.assign((size_t)nRepeat, ch);
    }
}

CString& CString::operator=(LPCSTR lpsz)
{
    if (lpsz == nullptr) {
        m_str.clear();
    } else {
        m_str = lpsz;
    }
    return *this;
}

CString& CString::operator=(char ch)
{
    m_str.assign(1, ch);
    return *this;
}

const CString& CString::operator+=(LPCSTR lpsz)
{
    if (lpsz != nullptr) {
        m_str += lpsz;
    }
    return *this;
}

int CString::Compare(LPCSTR lpsz) const
{
    return strcmp(m_str.c_str(), lpsz != nullptr ? lpsz : "");
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    return _stricmp(m_str.c_str(), lpsz != nullptr ? lpsz : "");
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - std::max(nFirst, 0));
}

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = std::max(nFirst, 0);
    if (nFirst >= GetLength() || nCount <= 0) {
        return CString();
    }
    nCount = std::min(nCount, GetLength() - nFirst);
    return CString(m_str.substr((size_t)nFirst, (size_t)nCount));
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::min(std::max(nCount, 0), GetLength());
    return Mid(GetLength() - nCount, nCount);
}

void CString::MakeUpper()
{
    for (char& c : m_str) {
        c = (char)toupper((unsigned char)c);
    }
}

void CString::MakeLower()
{
    for (char& c : m_str) {
        c = (char)tolower((unsigned char)c);
    }
}

void CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && isspace((unsigned char)m_str[n])) {
        ++n;
    }
    m_str.erase(0, n);
}

void CString::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && isspace((unsigned char)m_str[n - 1])) {
        --n;
    }
    m_str.erase(n);
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength()) {
        return -1;
    }
    size_t pos = m_str.find(ch, (size_t)nStart);
    return pos == std::string::npos ? -1 : (int)pos;
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (lpszSub == nullptr || nStart < 0 || nStart > GetLength()) {
        return -1;
    }
    size_t pos = m_str.find(lpszSub, (size_t)nStart);
    return pos == std::string::npos ? -1 : (int)pos;
}

int CString::ReverseFind(char ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : (int)pos;
}

void CString::Format(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    va_list args;
    va_copy(args, argList);
    int n = vsnprintf(nullptr, 0, lpszFormat, args);
    va_end(args);
    if (n <= 0) {
        m_str.clear();
        return;
    }
    std::string result((size_t)n + 1, '\0');
    vsnprintf(&result[0], result.size(), lpszFormat, argList);
    result.resize((size_t)n);
    m_str.swap(result);
}

BOOL CString::LoadString(UINT nID)
{
    // A string resource is at most 4096 characters long.
    char buffer[4097];
    int n = ::LoadStringA(AfxGetResourceHandle(), nID, buffer, (int)sizeof(buffer));
    if (n <= 0) {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(buffer, (size_t)n);
    return TRUE;
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength()) {
        m_str.resize((size_t)nMinBufLength);
    }
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0) {
        nNewLength = (int)strlen(m_str.c_str());
    }
    m_str.resize((size_t)nNewLength);
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize((size_t)std::max(nNewLength, 0));
    return &m_str[0];
}

CString operator+(const CString& string1, const CString& string2)
{
    CString s(string1);
    s += string2;
    return s;
}

CString operator+(const CString& string, LPCSTR lpsz)
{
    CString s(string);
    s += lpsz;
    return s;
}

CString operator+(LPCSTR lpsz, const CString& string)
{
    CString s(lpsz);
    s += string;
    return s;
}

CString operator+(const CString& string, char ch)
{
    CString s(string);
    s += ch;
    return s;
}

CString operator+(char ch, const CString& string)
{
    CString s(ch);
    s += string;
    return s;
}

bool operator==(const CString& s1, const CString& s2)
{
    return s1.str() == s2.str();
}
bool operator==(const CString& s1, LPCSTR s2)
{
    return s1.Compare(s2) == 0;
}
bool operator==(LPCSTR s1, const CString& s2)
{
    return s2.Compare(s1) == 0;
}
bool operator!=(const CString& s1, const CString& s2)
{
    return !(s1 == s2);
}
bool operator!=(const CString& s1, LPCSTR s2)
{
    return !(s1 == s2);
}
bool operator!=(LPCSTR s1, const CString& s2)
{
    return !(s1 == s2);
}
bool operator<(const CString& s1, const CString& s2)
{
    return s1.str() < s2.str();
}
