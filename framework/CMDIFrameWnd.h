// The MDI frame: the main window that holds the MDI client with its child frames. Routes
// commands to the active child frame first, switches the menu bar with the active child and
// runs the Window menu's commands.
#pragma once

#include "framework/CFrameWnd.h"

class CMDIChildWnd;

// Command id of the first item of the MDI window list in the Window menu.
#define AFX_IDM_FIRST_MDICHILD 0xFF00

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNAMIC(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    HWND m_hWndMDIClient;

    // The active child frame; NULL when there is none. *pbMaximized tells whether it is
    // maximised.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDICascade();
    void MDITile(int nType);
    void MDIIconArrange();
    // Puts menu bar hMenu in place through the MDI client, pWindowMenu being its Window popup.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    // The popup of hMenuBar that holds the Window commands; NULL when there is none.
    static HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // The active child frame, or this frame when no child is open.
    CFrameWnd* GetActiveFrame() override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Accelerators of the frame, then the MDI system keys (Ctrl+F4, Ctrl+F6).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The active child frame's route first, then this frame's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnWindowNew();
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
