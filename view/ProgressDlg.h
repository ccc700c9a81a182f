#pragma once
#include "framework/Afx.h"
#include "view/IdlePaintProgressBar.h"

// The small window put up around a worker run: a text line, a bar from 0 to 100 and a Cancel
// button that stays disabled (a run cannot be cancelled). Made modeless for each run and deleted
// after it. Workers reach it only by window messages: SetText, and PBM_SETPOS sent to the bar
// (control IDC_PROGRESS_BAR), which draws new positions when its thread is idle.
class CProgressDlg : public CDialog
{
public:
    explicit CProgressDlg(CWnd* pParent = nullptr);

    // Shows text in the text line and makes it the window's caption. Safe on a worker thread.
    void SetText(LPCSTR text);

protected:
    BOOL OnInitDialog() override;

private:
    CIdlePaintProgressBar m_wndBar;
};
