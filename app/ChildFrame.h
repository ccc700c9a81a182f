#pragma once
// The MDI child window that holds one process view. It has no behaviour of its own.

#include "framework/Afx.h"

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)

public:
    CChildFrame();
    virtual ~CChildFrame();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    DECLARE_MESSAGE_MAP()
};
