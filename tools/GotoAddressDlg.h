#pragma once
// The "Goto Address" tool window: a typed hexadecimal address is shown by the active view.

#include "framework/Afx.h"

class CGotoAddressDlg : public CDialog
{
public:
    explicit CGotoAddressDlg(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter goes to the typed address, as the Goto button does; Escape hides the window.
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnGoto();

    DECLARE_MESSAGE_MAP()
};
