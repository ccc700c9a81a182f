#include "framework/CRecentFileList.h"

#include "framework/CWinApp.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_arrNames((size_t)(nSize > 0 ? nSize : 0)),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen)
{
}

CString CRecentFileList::EntryName(int nIndex) const
{
    CString strEntry;
    strEntry.Format(m_strEntryFormat, nIndex + 1);
    return strEntry;
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (m_arrNames.empty() || lpszPathName == nullptr || *lpszPathName == '\0') {
        return;
    }
    char szFull[MAX_PATH];
    LPSTR pFilePart = nullptr;
    const DWORD nLen = ::GetFullPathNameA(lpszPathName, MAX_PATH, szFull, &pFilePart);
    const CString strPath = (nLen > 0 && nLen < MAX_PATH) ? CString(szFull) : CString(lpszPathName);

    // The entry that moves to the front: the same file if listed, else the last one.
    size_t iMove = m_arrNames.size() - 1;
    for (size_t i = 0; i < m_arrNames.size(); ++i) {
        if (m_arrNames[i].CompareNoCase(strPath) == 0) {
            iMove = i;
            break;
        }
    }
    for (size_t i = iMove; i > 0; --i) {
        m_arrNames[i] = m_arrNames[i - 1];
    }
    m_arrNames[0] = strPath;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize()) {
        return;
    }
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.push_back(CString());
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    for (int i = 0; i < GetSize(); ++i) {
        m_arrNames[(size_t)i] = pApp->GetProfileString(m_strSectionName, EntryName(i), "");
    }
}

// Rewrites the whole section, so entries beyond the list's end do not survive.
void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < GetSize(); ++i) {
        if (!m_arrNames[(size_t)i].IsEmpty()) {
            pApp->WriteProfileString(m_strSectionName, EntryName(i), m_arrNames[(size_t)i]);
        }
    }
}
