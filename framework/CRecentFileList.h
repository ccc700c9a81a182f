// The list of recently used documents, most recent first, kept in the application's
// settings as one section with entries File1, File2, ...
#pragma once

#include <vector>

#include "framework/CString.h"

class CRecentFileList
{
public:
    // nStart: first menu command of the list (kept for the interface, no menu shows it);
    // lpszEntryFormat: printf format of an entry name with the 1-based number.
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = 30);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return (int)m_arrNames.size(); }
    CString& operator[](int nIndex) { return m_arrNames[(size_t)nIndex]; }

    // Puts the full path of lpszPathName first, removing an older entry of the same file.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();

protected:
    CString EntryName(int nIndex) const;

    std::vector<CString> m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
};
