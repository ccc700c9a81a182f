#include "app/ChildFrame.h"

#include "app/MainFrame.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CChildFrame::CChildFrame()
{
}

CChildFrame::~CChildFrame()
{
}

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CMDIChildWnd::PreCreateWindow(cs);
}

// A run's worker may be composing into this window's view: the main frame then holds the close
// until the run has ended.
void CChildFrame::OnClose()
{
    CMainFrame* pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (pMainFrame != nullptr && pMainFrame->HoldCloseDuringRun(this)) {
        return;
    }
    CMDIChildWnd::OnClose();
}
