#pragma once
// The MDI child window that holds one process view. Its only behaviour of its own: a close
// that arrives while a background run is under way waits for the run's end.

#include "framework/Afx.h"

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)

public:
    CChildFrame();
    ~CChildFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    afx_msg void OnClose();

    DECLARE_MESSAGE_MAP()
};
