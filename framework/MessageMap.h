// Message maps: tables that bind window messages, commands, notifications and update
// handlers to member functions. Each entry holds a captureless lambda that casts the target
// to the class of the map and calls the handler with the message's parameters unpacked, so
// handler signatures are checked by the compiler.
#ifndef VEXO_FRAMEWORK_MESSAGEMAP_H
#define VEXO_FRAMEWORK_MESSAGEMAP_H

#include "framework/AfxDefs.h"

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // window message; WM_COMMAND or WM_NOTIFY for routed entries
    UINT nCode;      // control notification or CN_ code; 0 for window messages
    UINT nID;        // first command / control id
    UINT nLastID;    // last command / control id (same as nID unless a range)
    AFX_PMSG pfn;    // NULL marks the end of the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, NULL } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, _messageEntries }; \
        return &messageMap; \
    }

// An entry for window message `msg`; the body sees pThis, wParam and lParam and returns the
// message's result.
#define AFX_WM_ENTRY(msg, ...) \
    { (UINT)(msg), 0, 0, 0, \
      [](CCmdTarget* pTarget_, WPARAM wParam, LPARAM lParam) -> LRESULT { \
          ThisClass* pThis = static_cast<ThisClass*>(pTarget_); \
          (void)pThis; (void)wParam; (void)lParam; \
          __VA_ARGS__ } },

#define AFX_POINT_LPARAM CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))

// ---- Window messages ------------------------------------------------------------------
#define ON_MESSAGE(message, memberFxn) \
    AFX_WM_ENTRY(message, return pThis->memberFxn(wParam, lParam);)
#define ON_WM_CREATE() \
    AFX_WM_ENTRY(WM_CREATE, return (LRESULT)pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, pThis->OnDestroy(); return 0;)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, pThis->OnNcDestroy(); return 0;)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, pThis->OnClose(); return 0;)
#define ON_WM_SIZE() \
    AFX_WM_ENTRY(WM_SIZE, pThis->OnSize((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_MOVE() \
    AFX_WM_ENTRY(WM_MOVE, pThis->OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)); return 0;)
#define ON_WM_SHOWWINDOW() \
    AFX_WM_ENTRY(WM_SHOWWINDOW, pThis->OnShowWindow((BOOL)wParam, (UINT)lParam); return 0;)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, pThis->OnTimer((UINT_PTR)wParam); return 0;)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, pThis->OnPaint(); return 0;)
#define ON_WM_ERASEBKGND() \
    AFX_WM_ENTRY(WM_ERASEBKGND, \
        return (LRESULT)pThis->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));)
#define ON_WM_CONTEXTMENU() \
    AFX_WM_ENTRY(WM_CONTEXTMENU, \
        pThis->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), AFX_POINT_LPARAM); \
        return 0;)
#define ON_WM_LBUTTONDOWN() \
    AFX_WM_ENTRY(WM_LBUTTONDOWN, pThis->OnLButtonDown((UINT)wParam, AFX_POINT_LPARAM); return 0;)
#define ON_WM_LBUTTONUP() \
    AFX_WM_ENTRY(WM_LBUTTONUP, pThis->OnLButtonUp((UINT)wParam, AFX_POINT_LPARAM); return 0;)
#define ON_WM_LBUTTONDBLCLK() \
    AFX_WM_ENTRY(WM_LBUTTONDBLCLK, pThis->OnLButtonDblClk((UINT)wParam, AFX_POINT_LPARAM); return 0;)
#define ON_WM_RBUTTONDOWN() \
    AFX_WM_ENTRY(WM_RBUTTONDOWN, pThis->OnRButtonDown((UINT)wParam, AFX_POINT_LPARAM); return 0;)
#define ON_WM_RBUTTONUP() \
    AFX_WM_ENTRY(WM_RBUTTONUP, pThis->OnRButtonUp((UINT)wParam, AFX_POINT_LPARAM); return 0;)
#define ON_WM_MOUSEMOVE() \
    AFX_WM_ENTRY(WM_MOUSEMOVE, pThis->OnMouseMove((UINT)wParam, AFX_POINT_LPARAM); return 0;)
#define ON_WM_MOUSEWHEEL() \
    AFX_WM_ENTRY(WM_MOUSEWHEEL, return (LRESULT)pThis->OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), \
        GET_WHEEL_DELTA_WPARAM(wParam), AFX_POINT_LPARAM);)
#define ON_WM_MOUSEACTIVATE() \
    AFX_WM_ENTRY(WM_MOUSEACTIVATE, return (LRESULT)pThis->OnMouseActivate( \
        CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));)
#define ON_WM_SETCURSOR() \
    AFX_WM_ENTRY(WM_SETCURSOR, return (LRESULT)pThis->OnSetCursor( \
        CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));)
#define ON_WM_KEYDOWN() \
    AFX_WM_ENTRY(WM_KEYDOWN, pThis->OnKeyDown((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_KEYUP() \
    AFX_WM_ENTRY(WM_KEYUP, pThis->OnKeyUp((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_CHAR() \
    AFX_WM_ENTRY(WM_CHAR, pThis->OnChar((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_SETFOCUS() \
    AFX_WM_ENTRY(WM_SETFOCUS, pThis->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;)
#define ON_WM_KILLFOCUS() \
    AFX_WM_ENTRY(WM_KILLFOCUS, pThis->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, pThis->OnEnable((BOOL)wParam); return 0;)
#define ON_WM_ACTIVATE() \
    AFX_WM_ENTRY(WM_ACTIVATE, pThis->OnActivate(LOWORD(wParam), \
        CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), (BOOL)HIWORD(wParam)); return 0;)
#define ON_WM_NCACTIVATE() \
    AFX_WM_ENTRY(WM_NCACTIVATE, return (LRESULT)pThis->OnNcActivate((BOOL)wParam);)
#define ON_WM_CHILDACTIVATE() AFX_WM_ENTRY(WM_CHILDACTIVATE, pThis->OnChildActivate(); return 0;)
#define ON_WM_MDIACTIVATE() \
    AFX_WM_ENTRY(WM_MDIACTIVATE, \
        pThis->OnMDIActivate(reinterpret_cast<HWND>(lParam) == pThis->m_hWnd, \
            CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), \
            CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;)
#define ON_WM_GETMINMAXINFO() \
    AFX_WM_ENTRY(WM_GETMINMAXINFO, pThis->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 0;)
#define ON_WM_SYSCOMMAND() \
    AFX_WM_ENTRY(WM_SYSCOMMAND, pThis->OnSysCommand((UINT)wParam, lParam); return 0;)
#define ON_WM_INITMENUPOPUP() \
    AFX_WM_ENTRY(WM_INITMENUPOPUP, \
        pThis->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), \
            (BOOL)HIWORD(lParam)); return 0;)
#define ON_WM_MENUSELECT() \
    AFX_WM_ENTRY(WM_MENUSELECT, pThis->OnMenuSelect(LOWORD(wParam), HIWORD(wParam), \
        reinterpret_cast<HMENU>(lParam)); return 0;)
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, \
        pThis->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); return 0;)

// ---- Commands, update handlers and notifications ---------------------------------------
// Command entries are called with (id, extra data) and return whether they handled it.
#define AFX_CMD_ENTRY(msg, code, id, idLast, ...) \
    { (UINT)(msg), (UINT)(code), (UINT)(WORD)(id), (UINT)(WORD)(idLast), \
      [](CCmdTarget* pTarget_, WPARAM wParam, LPARAM lParam) -> LRESULT { \
          ThisClass* pThis = static_cast<ThisClass*>(pTarget_); \
          (void)pThis; (void)wParam; (void)lParam; \
          __VA_ARGS__ } },

#define ON_COMMAND(id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, pThis->memberFxn(); return TRUE;)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, pThis->memberFxn((UINT)wParam); return TRUE;)
#define ON_COMMAND_EX(id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, return (LRESULT)pThis->memberFxn((UINT)wParam);)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, return (LRESULT)pThis->memberFxn((UINT)wParam);)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, id, id, \
        pThis->memberFxn(reinterpret_cast<CCmdUI*>(lParam)); return TRUE;)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, id, idLast, \
        pThis->memberFxn(reinterpret_cast<CCmdUI*>(lParam)); return TRUE;)
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, wNotifyCode, id, id, pThis->memberFxn(); return TRUE;)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

#define AFX_NOTIFY_ARGS \
    reinterpret_cast<AFX_NOTIFY*>(lParam)->pNMHDR, reinterpret_cast<AFX_NOTIFY*>(lParam)->pResult
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    AFX_CMD_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, id, \
        pThis->memberFxn(AFX_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, idLast, \
        pThis->memberFxn((UINT)wParam, AFX_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    AFX_CMD_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, id, \
        return (LRESULT)pThis->memberFxn((UINT)wParam, AFX_NOTIFY_ARGS);)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, idLast, \
        return (LRESULT)pThis->memberFxn((UINT)wParam, AFX_NOTIFY_ARGS);)

#endif // VEXO_FRAMEWORK_MESSAGEMAP_H
