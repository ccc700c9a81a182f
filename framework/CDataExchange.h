// The context of one data exchange between a window's controls and its member variables.
#pragma once

#include "framework/AfxDefs.h"

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl;
    BOOL m_bFailed; // set by Fail: a value did not validate

    // The window of control nIDC, remembered as the one to focus should validation fail.
    HWND PrepareCtrl(int nIDC);
    // Marks the exchange failed and puts the focus on the last prepared control. (Where the
    // classic framework throws, this one records the failure; UpdateData returns FALSE.)
    void Fail();
};
