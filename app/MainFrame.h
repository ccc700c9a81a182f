#pragma once
// The program's top-level window: the MDI frame with its toolbar, status bar, the four tool
// windows, the hover timer of the tips and the right-button Tools menu.

#include <vector>

#include "framework/Afx.h"
#include "tools/FindToolDlg.h"
#include "tools/GotoAddressDlg.h"
#include "tools/MemoryContentsDlg.h"
#include "tools/ProcessTreeDlg.h"
#include "view/ProcessViewHost.h"

class CVexoProcessViewerView;

class CMainFrame : public CMDIFrameWnd, public IMemoryContentsHost
{
    DECLARE_DYNAMIC(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    // Hover timer: the pointer has to rest this long over a view before its tips show.
    static const UINT_PTR kHoverTimerId = 1234;
    static const UINT kHoverDelayMs = 750;

    bool m_bReady; // frame creation has completed
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CProcessTreeDlg m_wndProcessTree;
    CMemoryContentsDlg m_wndMemoryContents;
    CFindToolDlg m_wndFindTool;
    CGotoAddressDlg m_wndGotoAddress;
    BOOL m_bModuleLabels; // module labels wanted in the views
    BOOL m_bAddressPeek;  // address/contents tip wanted in the views
    BOOL m_bGotoShown;    // the goto window is believed to be shown
    bool m_bTipsShown;    // hover tips are shown now
    CPoint m_ptLastMouse; // last pointer position over the active view

    // Enables or disables the status bar, toolbar, process tree, find and goto windows and the
    // frame itself, around a background run. The memory contents window keeps its state.
    // Disabling marks a run under way; enabling ends it and carries out the closes held meanwhile.
    void EnableInteraction(BOOL bEnable);
    // A run (retrieval or search) is under way: its worker uses the documents, views and the
    // catalogue, so nothing may close and no command may start other work.
    bool IsRunUnderWay() const { return m_bRunUnderWay; }
    // Called by a frame (this one or a child window) asked to close: during a run the close is
    // held and carried out as soon as the run has ended. True when it was held.
    bool HoldCloseDuringRun(CWnd* pFrame);
    void HideAllTips();
    void ShowTipsAtCursor();
    // The views list a page in the memory contents window through this.
    void ShowMemoryContents(CProcessCatalogue* pCatalogue, const ProcessRecord* pRecord,
                            uint32_t address) override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    afx_msg void OnToolsProcessList();
    afx_msg void OnToolsMemoryContents();
    afx_msg void OnToolsFindText();
    afx_msg void OnToolsModuleLabels();
    afx_msg void OnToolsAddressPeek();
    afx_msg void OnToolsFitToWindow();
    afx_msg void OnToolsGotoAddress();
    afx_msg void OnViewRefresh();
    afx_msg void OnFileSave();
    afx_msg void OnUpdateToolsProcessList(CCmdUI* pCmdUI);
    afx_msg void OnUpdateToolsMemoryContents(CCmdUI* pCmdUI);
    afx_msg void OnUpdateToolsFindText(CCmdUI* pCmdUI);
    afx_msg void OnUpdateToolsModuleLabels(CCmdUI* pCmdUI);
    afx_msg void OnUpdateToolsAddressPeek(CCmdUI* pCmdUI);
    afx_msg void OnUpdateToolsGotoAddress(CCmdUI* pCmdUI);
    afx_msg void OnUpdateLeaveAsIs(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    int CreateBars();
    int CreateToolWindows();
    void PlaceProcessTreeAtCreation();
    void PlaceProcessTreeOnParentOpening();
    void RestartHoverTimer();
    void StopHoverTimer();
    void TrackMouseMove(const MSG* pMsg);
    void OpenToolsMenu(const MSG* pMsg);
    void KeepToolWindowsAbove();
    bool IsBelowFrame(HWND hwnd) const;
    static void ToggleVisibility(CWnd& wnd);
    void CarryOutHeldCloses();
    bool IsOurApplicationInFront() const;

    bool m_bRunUnderWay;
    std::vector<HWND> m_heldCloses; // frames whose close waits for the run's end
};
