#include "framework/AfxExtractSubString.h"

#include <string.h>

BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep)
{
    rString.Empty();
    if (lpszFullString == NULL || iSubString < 0)
        return FALSE;
    while (iSubString-- > 0) {
        lpszFullString = strchr(lpszFullString, chSep);
        if (lpszFullString == NULL)
            return FALSE;
        ++lpszFullString;   // past the separator
    }
    const char* pEnd = strchr(lpszFullString, chSep);
    const int nLen = pEnd == NULL ? (int)strlen(lpszFullString) : (int)(pEnd - lpszFullString);
    rString = CString(lpszFullString, nLen);
    return TRUE;
}
