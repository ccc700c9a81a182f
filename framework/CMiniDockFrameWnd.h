// The small tool-window frame a floating control bar sits in: owned by the bar's frame, with a
// caption (the bar's window text), a sizing border and a close box. Resizing it wraps the bar's
// items into rows; its caption drags the bar like the gripper does, and a double click on it
// docks the bar again. Closing it hides the bar. A click on it leaves the main frame active, so
// that the keyboard stays with the document. It deletes itself when its window goes.
#pragma once

#include "framework/CWnd.h"

class CControlBar;
class CFrameWnd;

class CMiniDockFrameWnd : public CWnd
{
    DECLARE_DYNAMIC(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    // A hidden frame owned by pDockSite, captioned lpszTitle.
    BOOL Create(CFrameWnd* pDockSite, LPCSTR lpszTitle);
    // The bar it holds (its only child); NULL when it holds none.
    CControlBar* GetControlBar() const;
    // Wraps the bar to the client width and fits the frame's height to the bar's rows.
    void RecalcLayout();
    // The frame's window size for a client area of sizeClient.
    static CSize CalcWindowSize(CSize sizeClient);

protected:
    void PostNcDestroy() override;

    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // Keeps the frame's screen rectangle in the bar's dock context, for the next float.
    void RememberPlace();
    // The width the bar's rows may take in a client area cxClient wide.
    static int WrapWidth(CControlBar* pBar, int cxClient);

    BOOL m_bInRecalcLayout;
};
