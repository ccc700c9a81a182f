// Base of the bars that a frame lays out along its edges (toolbar, status bar): keeps the
// bar style (alignment, tooltips, flyby) and runs the bar's update handlers at idle time. A bar
// enabled for docking draws its gripper, and a press on the gripper or on the bar's empty area
// drags it to another edge of its frame or out into a floating frame (CDockContext).
#pragma once

#include "framework/AfxRes.h"
#include "framework/CWnd.h"

class CDockContext;
class CFrameWnd;

// Bar styles: where the bar goes and what it shows. They travel in the window style given to
// the bar's Create and are taken out of it before the window is made.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    ~CControlBar() override;

    DWORD GetBarStyle() const { return m_dwStyle; }
    // Keeps the CBRS_ bits; a change of edge or of floating goes to OnBarStyleChange.
    virtual void SetBarStyle(DWORD dwStyle);
    // The sides the bar may dock on (CBRS_ALIGN_ bits); any side makes the bar draggable.
    void EnableDocking(DWORD dwDockStyle);
    DWORD GetDockStyle() const { return m_dwDockStyle; }
    BOOL IsVisible() const { return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0; }
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    // Horizontal when docked on the top or bottom edge, or floating.
    BOOL IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_VERT) == 0; }
    // Switches the bar's tooltips on or off.
    virtual BOOL EnableToolTips(BOOL bEnable = TRUE);

    // The bar's size when laid out along a frame edge (full length, natural thickness).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) = 0;
    // The bar's size when floating with rows no wider than cxMax; bApply lays the items out so.
    virtual CSize CalcFloatingLayout(int cxMax, BOOL bApply);
    // Runs the update handlers of the bar's items, routed through pTarget.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // Called after the bar changed edge or started or stopped floating.
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

    CFrameWnd* m_pDockSite;       // the frame that lays the bar out
    CDockContext* m_pDockContext; // drags the bar; NULL until EnableDocking

protected:
    CControlBar();

    // Registers the bar with its parent frame once its window exists.
    void AttachToFrame(CWnd* pParentWnd);
    // The frame whose update handlers serve the bar.
    CFrameWnd* GetTargetFrame() const;
    // Whether a press at this client point acts on an item of the bar (not a drag).
    virtual BOOL IsOverItem(CPoint point) const;
    // A docked bar with CBRS_GRIPPER keeps a band for its gripper outside its client area: at
    // the left when horizontal, at the top when vertical.
    BOOL HasGripper() const;
    // Fills the band and draws the gripper's two ridges in it (window coordinates).
    void DrawGripper(HDC hDC, const CRect& rectWindow) const;

    afx_msg void OnDestroy();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnEnable(BOOL bEnable);

    DECLARE_MESSAGE_MAP()

    DWORD m_dwStyle; // CBRS_ styles
    DWORD m_dwDockStyle;
};
