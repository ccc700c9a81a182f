// Message maps: tables that bind window messages, commands, notifications and update
// handlers to member functions. Each entry holds a captureless lambda that casts the target
// to the class of the map and calls the handler with the message's parameters unpacked, so
// handler signatures are checked by the compiler. Above each ON_ macro: the signature of the
// handler it calls.
#pragma once

#include "framework/AfxDefs.h"

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage; // window message; WM_COMMAND or WM_NOTIFY for routed entries
    UINT nCode;    // control notification or CN_ code; 0 for window messages
    UINT nID;      // first command / control id
    UINT nLastID;  // last command / control id (same as nID unless a range)
    AFX_PMSG pfn;  // NULL marks the end of the table
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const \
    { \
        return GetThisMessageMap(); \
    } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
    { \
        0, 0, 0, 0, nullptr \
    } \
    } \
    ; \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, _messageEntries}; \
    return &messageMap; \
    }

// An entry for window message `msg`; the body sees pThis, wParam and lParam and returns the
// message's result.
#define AFX_WM_ENTRY(msg, ...) \
    {(UINT)(msg), 0, 0, 0, [](CCmdTarget* pTarget_, WPARAM wParam, LPARAM lParam) -> LRESULT { \
         ThisClass* pThis = static_cast<ThisClass*>(pTarget_); \
         (void)pThis; \
         (void)wParam; \
         (void)lParam; \
         __VA_ARGS__ \
     }},

#define AFX_POINT_LPARAM CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))

// ---- Window messages ------------------------------------------------------------------
// LRESULT memberFxn(WPARAM wParam, LPARAM lParam)
#define ON_MESSAGE(message, memberFxn) \
    AFX_WM_ENTRY(message, return pThis->memberFxn(wParam, lParam);)
// int OnCreate(LPCREATESTRUCT lpCreateStruct)
#define ON_WM_CREATE() \
    AFX_WM_ENTRY(WM_CREATE, \
                 return (LRESULT)pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));)
// void OnDestroy()
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, pThis->OnDestroy(); return 0;)
// void OnNcDestroy()
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, pThis->OnNcDestroy(); return 0;)
// void OnClose()
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, pThis->OnClose(); return 0;)
// void OnSize(UINT nType, int cx, int cy)
#define ON_WM_SIZE() \
    AFX_WM_ENTRY(WM_SIZE, pThis->OnSize((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); return 0;)
// void OnMove(int x, int y)
#define ON_WM_MOVE() \
    AFX_WM_ENTRY(WM_MOVE, pThis->OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)); return 0;)
// void OnShowWindow(BOOL bShow, UINT nStatus)
#define ON_WM_SHOWWINDOW() \
    AFX_WM_ENTRY(WM_SHOWWINDOW, pThis->OnShowWindow((BOOL)wParam, (UINT)lParam); return 0;)
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, pThis->OnTimer((UINT_PTR)wParam); return 0;)
// void OnPaint()
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, pThis->OnPaint(); return 0;)
// BOOL OnEraseBkgnd(CDC* pDC)
#define ON_WM_ERASEBKGND() \
    AFX_WM_ENTRY(WM_ERASEBKGND, return (LRESULT)pThis->OnEraseBkgnd( \
                                    CDC::FromHandle(reinterpret_cast<HDC>(wParam)));)
// void OnContextMenu(CWnd* pWnd, CPoint pos)
#define ON_WM_CONTEXTMENU() \
    AFX_WM_ENTRY( \
        WM_CONTEXTMENU, \
        pThis->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), AFX_POINT_LPARAM); \
        return 0;)
// void OnLButtonDown(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDOWN() \
    AFX_WM_ENTRY(WM_LBUTTONDOWN, pThis->OnLButtonDown((UINT)wParam, AFX_POINT_LPARAM); return 0;)
// void OnLButtonUp(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONUP() \
    AFX_WM_ENTRY(WM_LBUTTONUP, pThis->OnLButtonUp((UINT)wParam, AFX_POINT_LPARAM); return 0;)
// void OnLButtonDblClk(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDBLCLK() \
    AFX_WM_ENTRY(WM_LBUTTONDBLCLK, pThis->OnLButtonDblClk((UINT)wParam, AFX_POINT_LPARAM); \
                 return 0;)
// void OnRButtonDown(UINT nFlags, CPoint point)
#define ON_WM_RBUTTONDOWN() \
    AFX_WM_ENTRY(WM_RBUTTONDOWN, pThis->OnRButtonDown((UINT)wParam, AFX_POINT_LPARAM); return 0;)
// void OnRButtonUp(UINT nFlags, CPoint point)
#define ON_WM_RBUTTONUP() \
    AFX_WM_ENTRY(WM_RBUTTONUP, pThis->OnRButtonUp((UINT)wParam, AFX_POINT_LPARAM); return 0;)
// void OnMouseMove(UINT nFlags, CPoint point)
#define ON_WM_MOUSEMOVE() \
    AFX_WM_ENTRY(WM_MOUSEMOVE, pThis->OnMouseMove((UINT)wParam, AFX_POINT_LPARAM); return 0;)
// BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
#define ON_WM_MOUSEWHEEL() \
    AFX_WM_ENTRY(WM_MOUSEWHEEL, return (LRESULT)pThis->OnMouseWheel( \
                                    GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), \
                                    AFX_POINT_LPARAM);)
// int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
#define ON_WM_MOUSEACTIVATE() \
    AFX_WM_ENTRY(WM_MOUSEACTIVATE, return (LRESULT)pThis->OnMouseActivate( \
                                       CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                       LOWORD(lParam), HIWORD(lParam));)
// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
#define ON_WM_SETCURSOR() \
    AFX_WM_ENTRY(WM_SETCURSOR, return (LRESULT)pThis->OnSetCursor( \
                                   CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                   LOWORD(lParam), HIWORD(lParam));)
// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYDOWN() \
    AFX_WM_ENTRY(WM_KEYDOWN, pThis->OnKeyDown((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); \
                 return 0;)
// void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYUP() \
    AFX_WM_ENTRY(WM_KEYUP, pThis->OnKeyUp((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); return 0;)
// void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_CHAR() \
    AFX_WM_ENTRY(WM_CHAR, pThis->OnChar((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); return 0;)
// void OnSetFocus(CWnd* pOldWnd)
#define ON_WM_SETFOCUS() \
    AFX_WM_ENTRY(WM_SETFOCUS, pThis->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); \
                 return 0;)
// void OnKillFocus(CWnd* pNewWnd)
#define ON_WM_KILLFOCUS() \
    AFX_WM_ENTRY(WM_KILLFOCUS, \
                 pThis->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); \
                 return 0;)
// void OnEnable(BOOL bEnable)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, pThis->OnEnable((BOOL)wParam); return 0;)
// void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
#define ON_WM_ACTIVATE() \
    AFX_WM_ENTRY(WM_ACTIVATE, pThis->OnActivate(LOWORD(wParam), \
                                                CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), \
                                                (BOOL)HIWORD(wParam)); \
                 return 0;)
// BOOL OnNcActivate(BOOL bActive)
#define ON_WM_NCACTIVATE() \
    AFX_WM_ENTRY(WM_NCACTIVATE, return (LRESULT)pThis->OnNcActivate((BOOL)wParam);)
// void OnChildActivate()
#define ON_WM_CHILDACTIVATE() AFX_WM_ENTRY(WM_CHILDACTIVATE, pThis->OnChildActivate(); return 0;)
// void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
#define ON_WM_MDIACTIVATE() \
    AFX_WM_ENTRY(WM_MDIACTIVATE, \
                 pThis->OnMDIActivate(reinterpret_cast<HWND>(lParam) == pThis->m_hWnd, \
                                      CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), \
                                      CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); \
                 return 0;)
// void OnGetMinMaxInfo(MINMAXINFO* lpMMI)
#define ON_WM_GETMINMAXINFO() \
    AFX_WM_ENTRY(WM_GETMINMAXINFO, pThis->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); \
                 return 0;)
// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND() \
    AFX_WM_ENTRY(WM_SYSCOMMAND, pThis->OnSysCommand((UINT)wParam, lParam); return 0;)
// void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
#define ON_WM_INITMENUPOPUP() \
    AFX_WM_ENTRY(WM_INITMENUPOPUP, \
                 pThis->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), \
                                        LOWORD(lParam), (BOOL)HIWORD(lParam)); \
                 return 0;)
// void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
#define ON_WM_MENUSELECT() \
    AFX_WM_ENTRY(WM_MENUSELECT, pThis->OnMenuSelect(LOWORD(wParam), HIWORD(wParam), \
                                                    reinterpret_cast<HMENU>(lParam)); \
                 return 0;)
// void OnWindowPosChanged(WINDOWPOS* lpwndpos)
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, \
                 pThis->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); \
                 return 0;)

// void OnSizing(UINT fwSide, LPRECT pRect)
#define ON_WM_SIZING() \
    AFX_WM_ENTRY(WM_SIZING, pThis->OnSizing((UINT)wParam, reinterpret_cast<LPRECT>(lParam)); \
                 return TRUE;)
// void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
#define ON_WM_NCCALCSIZE() \
    AFX_WM_ENTRY(WM_NCCALCSIZE, \
                 pThis->OnNcCalcSize((BOOL)wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)); \
                 return 0;)
// void OnNcPaint()
#define ON_WM_NCPAINT() AFX_WM_ENTRY(WM_NCPAINT, pThis->OnNcPaint(); return 0;)
// LRESULT OnNcHitTest(CPoint point)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, return pThis->OnNcHitTest(AFX_POINT_LPARAM);)
// void OnNcLButtonDown(UINT nHitTest, CPoint point)
#define ON_WM_NCLBUTTONDOWN() \
    AFX_WM_ENTRY(WM_NCLBUTTONDOWN, pThis->OnNcLButtonDown((UINT)wParam, AFX_POINT_LPARAM); \
                 return 0;)
// void OnNcLButtonDblClk(UINT nHitTest, CPoint point)
#define ON_WM_NCLBUTTONDBLCLK() \
    AFX_WM_ENTRY(WM_NCLBUTTONDBLCLK, pThis->OnNcLButtonDblClk((UINT)wParam, AFX_POINT_LPARAM); \
                 return 0;)

// ---- Commands, update handlers and notifications ---------------------------------------
// Command entries are called with (id, extra data) and return whether they handled it.
#define AFX_CMD_ENTRY(msg, code, id, idLast, ...) \
    {(UINT)(msg), (UINT)(code), (UINT)(WORD)(id), (UINT)(WORD)(idLast), \
     [](CCmdTarget* pTarget_, WPARAM wParam, LPARAM lParam) -> LRESULT { \
         ThisClass* pThis = static_cast<ThisClass*>(pTarget_); \
         (void)pThis; \
         (void)wParam; \
         (void)lParam; \
         __VA_ARGS__ \
     }},

// void memberFxn()
#define ON_COMMAND(id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, pThis->memberFxn(); return TRUE;)
// void memberFxn(UINT nID)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, pThis->memberFxn((UINT)wParam); return TRUE;)
// BOOL memberFxn(UINT nID)
#define ON_COMMAND_EX(id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, return (LRESULT)pThis->memberFxn((UINT)wParam);)
// BOOL memberFxn(UINT nID)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, \
                  return (LRESULT)pThis->memberFxn((UINT)wParam);)
// void memberFxn(CCmdUI* pCmdUI)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, id, id, \
                  pThis->memberFxn(reinterpret_cast<CCmdUI*>(lParam)); \
                  return TRUE;)
// void memberFxn(CCmdUI* pCmdUI)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, id, idLast, \
                  pThis->memberFxn(reinterpret_cast<CCmdUI*>(lParam)); \
                  return TRUE;)
// void memberFxn()
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, wNotifyCode, id, id, pThis->memberFxn(); return TRUE;)
// void memberFxn()
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
// void memberFxn()
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
// void memberFxn()
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

#define AFX_NOTIFY_ARGS \
    reinterpret_cast<AFX_NOTIFY*>(lParam)->pNMHDR, reinterpret_cast<AFX_NOTIFY*>(lParam)->pResult
// void memberFxn(NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    AFX_CMD_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, id, pThis->memberFxn(AFX_NOTIFY_ARGS); \
                  return TRUE;)
// void memberFxn(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, idLast, \
                  pThis->memberFxn((UINT)wParam, AFX_NOTIFY_ARGS); \
                  return TRUE;)
// BOOL memberFxn(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    AFX_CMD_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, id, \
                  return (LRESULT)pThis->memberFxn((UINT)wParam, AFX_NOTIFY_ARGS);)
// BOOL memberFxn(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, idLast, \
                  return (LRESULT)pThis->memberFxn((UINT)wParam, AFX_NOTIFY_ARGS);)
