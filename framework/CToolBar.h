// A toolbar: the common-control toolbar with buttons and images from a toolbar resource
// (RT_TOOLBAR) and the bitmap of the same id. Its buttons' update handlers run at idle time;
// its tooltips and status-bar prompts come from the string table.
#pragma once

#include <vector>

#include "framework/CControlBar.h"

// Button styles: the low word holds the button's TBSTYLE_ bits, the high word its state,
// with the enabled bit turned into a disabled bit.
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP MAKELONG(TBSTYLE_CHECKGROUP, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: TBSTYLE_ bits of the control; dwStyle: window and CBRS_ bits.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    // Buttons from toolbar resource nIDResource, images from the bitmap of the same id.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCSTR lpszResourceName);
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    // One button per id, images in order; 0 makes a separator.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int GetCount() const;
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Wraps the buttons into rows no wider than cxMax (TBSTATE_WRAP on each row's last item).
    CSize CalcFloatingLayout(int cxMax, BOOL bApply) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL EnableToolTips(BOOL bEnable = TRUE) override;
    // Docked on the left or right the buttons stand in one column, on the top or bottom in one
    // row; the frame stays the window the control reports its commands and tooltips to.
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

protected:
    BOOL IsOverItem(CPoint point) const override;

    // Flyby: the prompt of the button under the pointer goes to the status bar.
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    BOOL GetButton(int nIndex, TBBUTTON* pButton) const;
    void ShowFlybyPrompt(UINT nID);
    // Sets or clears TBSTATE_WRAP of each item as wraps says (by index).
    void ApplyWraps(const std::vector<bool>& wraps);
    // The bounding box of the items as the control laid them out, plus the bar's margins.
    CSize MeasureItems() const;

    HBITMAP m_hbmImageWell;
    CSize m_sizeButton;
    CSize m_sizeImage;
    UINT m_nFlybyID; // command whose prompt the status bar shows; 0 for none
};
