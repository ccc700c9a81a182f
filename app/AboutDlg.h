#pragma once
// The About box: program name, version and copyright from dialog resource 100.

#include "framework/Afx.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

protected:
    DECLARE_MESSAGE_MAP()
};
