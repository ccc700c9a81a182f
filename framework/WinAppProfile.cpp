// CWinApp's settings: with a registry key, values under
// HKCU\Software\<key>\<application>\<section>; without one, the program's .INI file.
// The standard settings are the recent-file list and the number of preview pages.
#include <vector>

#include "framework/CRecentFileList.h"
#include "framework/CWinApp.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char kFileSection[] = "Recent File List";
const char kFileEntry[] = "File%d";
const char kPreviewSection[] = "Settings";
const char kPreviewEntry[] = "PreviewPages";

// Pages shown by print preview; 0 means not set.
UINT g_nNumPreviewPages = 0;

// Opens (creating as needed) HKCU\Software\<key>\<profile>; NULL on failure.
HKEY OpenAppRegistryKey(LPCSTR lpszRegistryKey, LPCSTR lpszProfileName)
{
    HKEY hSoftKey = nullptr;
    HKEY hCompanyKey = nullptr;
    HKEY hAppKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) ==
        ERROR_SUCCESS) {
        DWORD dw;
        if (::RegCreateKeyExA(hSoftKey, lpszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, nullptr, &hCompanyKey, &dw) == ERROR_SUCCESS) {
            ::RegCreateKeyExA(hCompanyKey, lpszProfileName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, nullptr, &hAppKey, &dw);
        }
    }
    if (hSoftKey != nullptr) {
        ::RegCloseKey(hSoftKey);
    }
    if (hCompanyKey != nullptr) {
        ::RegCloseKey(hCompanyKey);
    }
    return hAppKey;
}

} // namespace

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    if (lpszRegistryKey == nullptr) {
        return;
    }
    free(const_cast<LPSTR>(m_pszRegistryKey));
    m_pszRegistryKey = _strdup(lpszRegistryKey);
    free(const_cast<LPSTR>(m_pszProfileName));
    m_pszProfileName = _strdup(m_pszAppName != nullptr ? m_pszAppName : "");
}

// ---- Where the settings live ------------------------------------------------------------------

namespace {

// The section's key, created if missing; NULL without a registry key or on failure.
HKEY OpenSectionKey(const CWinApp* pApp, LPCSTR lpszSection)
{
    if (pApp->m_pszRegistryKey == nullptr || pApp->m_pszProfileName == nullptr) {
        return nullptr;
    }
    HKEY hAppKey = OpenAppRegistryKey(pApp->m_pszRegistryKey, pApp->m_pszProfileName);
    if (hAppKey == nullptr) {
        return nullptr;
    }
    HKEY hSectionKey = nullptr;
    DWORD dw;
    ::RegCreateKeyExA(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE | KEY_READ, nullptr, &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

// The .INI file used without a registry key: the profile name, else the program's name.
CString IniFileName(const CWinApp* pApp)
{
    if (pApp->m_pszProfileName != nullptr) {
        return pApp->m_pszProfileName;
    }
    return CString(pApp->m_pszExeName != nullptr ? pApp->m_pszExeName : "") + ".INI";
}

} // namespace

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == nullptr) {
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, IniFileName(this));
    }
    HKEY hSecKey = OpenSectionKey(this, lpszSection);
    if (hSecKey == nullptr) {
        return (UINT)nDefault;
    }
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD dwCount = sizeof(dwValue);
    const LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType,
                                            reinterpret_cast<LPBYTE>(&dwValue), &dwCount);
    ::RegCloseKey(hSecKey);
    if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(dwValue)) {
        return (UINT)dwValue;
    }
    return (UINT)nDefault;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == nullptr) {
        char szValue[16];
        snprintf(szValue, sizeof(szValue), "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, szValue, IniFileName(this));
    }
    HKEY hSecKey = OpenSectionKey(this, lpszSection);
    if (hSecKey == nullptr) {
        return FALSE;
    }
    const DWORD dwValue = (DWORD)nValue;
    const LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    if (m_pszRegistryKey == nullptr) {
        char szValue[4096];
        ::GetPrivateProfileStringA(lpszSection, lpszEntry,
                                   lpszDefault != nullptr ? lpszDefault : "", szValue,
                                   sizeof(szValue), IniFileName(this));
        return szValue;
    }
    HKEY hSecKey = OpenSectionKey(this, lpszSection);
    if (hSecKey == nullptr) {
        return lpszDefault;
    }
    CString strValue = lpszDefault;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    if (::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, nullptr, &dwCount) ==
            ERROR_SUCCESS &&
        dwType == REG_SZ) {
        std::vector<char> buffer(dwCount + 1, '\0');
        if (::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType,
                               reinterpret_cast<LPBYTE>(buffer.data()),
                               &dwCount) == ERROR_SUCCESS) {
            strValue = buffer.data();
        }
    }
    ::RegCloseKey(hSecKey);
    return strValue;
}

// A NULL entry deletes the whole section; a NULL value deletes the entry.
BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (m_pszRegistryKey == nullptr) {
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, IniFileName(this));
    }
    LONG lResult;
    if (lpszEntry == nullptr) {
        HKEY hAppKey = OpenAppRegistryKey(m_pszRegistryKey, m_pszProfileName);
        if (hAppKey == nullptr) {
            return FALSE;
        }
        lResult = ::RegDeleteKeyA(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return lResult == ERROR_SUCCESS;
    }
    HKEY hSecKey = OpenSectionKey(this, lpszSection);
    if (hSecKey == nullptr) {
        return FALSE;
    }
    if (lpszValue == nullptr) {
        lResult = ::RegDeleteValueA(hSecKey, lpszEntry);
    } else {
        lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(lpszValue),
                                   (DWORD)strlen(lpszValue) + 1);
    }
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

// ---- Standard settings ------------------------------------------------------------------------

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU != 0) {
        delete m_pRecentFileList;
        m_pRecentFileList = new CRecentFileList(0, kFileSection, kFileEntry, (int)nMaxMRU);
        m_pRecentFileList->ReadList();
    }
    g_nNumPreviewPages = GetProfileInt(kPreviewSection, kPreviewEntry, 0);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != nullptr) {
        m_pRecentFileList->WriteList();
    }
    if (g_nNumPreviewPages != 0) {
        WriteProfileInt(kPreviewSection, kPreviewEntry, (int)g_nNumPreviewPages);
    }
}
