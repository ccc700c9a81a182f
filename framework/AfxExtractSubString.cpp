#include "framework/AfxExtractSubString.h"

#include <string.h>

BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep)
{
    rString.Empty();
    if (lpszFullString == nullptr || iSubString < 0) {
        return FALSE;
    }
    while (iSubString-- > 0) {
        lpszFullString = strchr(lpszFullString, chSep);
        if (lpszFullString == nullptr) {
            return FALSE;
        }
        ++lpszFullString; // past the separator
    }
    const char* pEnd = strchr(lpszFullString, chSep);
    const int nLen = pEnd == nullptr ? (int)strlen(lpszFullString) : (int)(pEnd - lpszFullString);
    rString = CString(lpszFullString, nLen);
    return TRUE;
}
