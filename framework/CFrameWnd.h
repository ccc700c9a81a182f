// A frame window: holds a view (or, for the MDI frame, the MDI client) and control bars,
// routes commands to its active view first, runs the menus' update handlers, keeps the
// status bar's message pane and shows the active document's title in its caption.
#pragma once

#include <vector>

#include "framework/AfxRes.h"
#include "framework/CControlBar.h"
#include "framework/CWnd.h"

class CDocument;
class CView;

// Frame styles (class-specific bits of the window style).
#define FWS_ADDTOTITLE 0x00008000L  // the caption shows the active document's title
#define FWS_PREFIXTITLE 0x00004000L // the document's title before the frame's own
#define FWS_SNAPTOBARS 0x00002000L

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault; // lets the system place and size the window

    CFrameWnd();
    ~CFrameWnd() override;

    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Creates the frame from resource nIDResource: its menu, icon, accelerators and the
    // caption (the first field of string nIDResource).
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCSTR lpszResourceName);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // Active view and document.
    virtual CDocument* GetActiveDocument();
    CView* GetActiveView() const { return m_pViewActive; }
    // Deactivates the old view and activates the new one (OnActivateView) as a pair.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CFrameWnd* GetActiveFrame() { return this; }
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // Control bars.
    // The edges bars may dock on (CBRS_ALIGN_ bits), each where the bar allows it too.
    void EnableDocking(DWORD dwDockStyle);
    DWORD GetDockStyle() const { return m_dwDockStyle; }
    // Docks pBar on the edge nDockBarID names (AFX_IDW_DOCKBAR_TOP...); 0 keeps the bar's own
    // edge, or takes the first it may dock on. A floating bar comes back into this frame.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    // Floats pBar in a frame of its own whose top-left corner is at point (screen); a floating
    // bar lies horizontally, whatever dwStyle says.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // Shows or hides a bar, docked or floating (with its floating frame).
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // Places the bars at the edges and the client pane in what remains.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The client area less the bars that do not dock (the status bar): where docking bars and
    // the client pane share the space, as RecalcLayout last laid it out.
    void GetDockingArea(LPRECT lpRect) const { *lpRect = m_rectDockingArea; }

    // The status bar's message pane.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();

    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual HACCEL GetDefaultAccelerator();
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }

    BOOL IsFrameWnd() const override { return TRUE; }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The active view (and its document), then this frame, then the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoMenuEnable; // menu items without any handler are disabled
    int m_nWindow;          // number of this frame among its document's frames (0: alone)
    HMENU m_hMenuDefault;   // the menu the frame was created with
    HACCEL m_hAccelTable;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void UpdateFrameTitleForDocument(LPCSTR lpszDocName);
    // Sets a caption only when it changes, so captions do not flicker.
    static void SetWindowTextIfChanged(HWND hWnd, LPCSTR lpszNew);
    // The window class of a frame with icon nIDResource (the default class without it).
    LPCSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);

    DECLARE_MESSAGE_MAP()

    CString m_strTitle;    // the frame's own part of the caption
    UINT m_nIDHelp;        // resource id the frame was loaded from
    UINT m_nIDTracking;    // string id the message pane should show
    UINT m_nIDLastMessage; // string id the message pane shows
    CView* m_pViewActive;
    DWORD m_dwDockStyle;
    std::vector<CControlBar*> m_listControlBars;
    CRect m_rectDockingArea;

private:
    // Lays the visible docked bars out from the edges of rect, leaving in it what remains;
    // bDocking selects the bars that dock (or those that do not).
    void LayoutBars(CRect& rect, BOOL bDocking);
    // Puts a floating bar back into this frame; its floating frame goes.
    void ReclaimFloatingBar(CControlBar* pBar);
};
