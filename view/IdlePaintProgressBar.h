#pragma once
#include "framework/Afx.h"

// The progress window's bar, subclassed: it takes every position the moment it is sent, but
// draws it only when its thread has nothing else waiting, as any window paints. The common
// control would otherwise draw each new position at once, which under emulation costs tens of
// milliseconds a position and made the bar, not the work, the length of a run.
class CIdlePaintProgressBar : public CWnd
{
public:
    CIdlePaintProgressBar();

protected:
    afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // True while the control handles a position: a paint asked for then is left for later.
    bool m_bHoldPaint;
};
