// Picks one field out of a string of fields separated by chSep, as in document strings
// ("\nVexoPr\nVexoPr\n...") and command strings ("prompt\ntooltip").
#pragma once

#include "framework/CString.h"

// Field iSubString (from 0) of lpszFullString into rString; FALSE (and empty) when the string
// has fewer fields.
BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString,
                         char chSep = '\n');
