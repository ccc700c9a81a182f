// Basic definitions shared by every framework class: Windows headers, the framework's
// private window messages, command codes and the small helper types of command routing.
#pragma once

#ifndef STRICT
#define STRICT
#endif
#include <windows.h>
#include <commctrl.h>
#include <tchar.h>
#include <stddef.h>

// Signed coordinates packed in a message's lParam (<windowsx.h> is not used: its macros
// clash with member names such as SubclassWindow).
#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#endif

#ifndef afx_msg
#define afx_msg
#endif

// Checks and traces of debug builds; release builds (NDEBUG) compile them away. A failed
// check reports file, line and expression to the debugger and ends the program, so that a
// broken invariant is seen where it breaks, not later as a crash somewhere else.
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#define TRACE(...) ((void)0)
#else
void AfxAssertFailed(const char* lpszFile, int nLine, const char* lpszExpression);
void AfxTrace(const char* lpszFormat, ...);
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailed(__FILE__, __LINE__, #f))
#define TRACE(...) AfxTrace(__VA_ARGS__)
#endif
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)

// Private window messages of the framework (values in the 0x0360 range reserved for it).
#define WM_SETMESSAGESTRING 0x0362 // wParam = string id, or lParam = LPCSTR
#define WM_IDLEUPDATECMDUI 0x0363  // wParam = bDisableIfNoHandler
#define WM_INITIALUPDATE 0x0364
#define WM_KICKIDLE 0x036A

// Codes for CCmdTarget::OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-1)

class CCmdTarget;
class CCmdUI;
class CArchive;
class CWnd;
struct CCreateContext;

// Handler thunk of a message-map entry: the framework calls it with the target object and
// the message's parameters (for commands: id and the extra routing data).
typedef LRESULT (*AFX_PMSG)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

// Filled by OnCmdMsg when it is asked only whether a handler exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// Extra routing data of a WM_NOTIFY notification.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Opaque iterator of the framework's lists.
struct __POSITION
{};
typedef __POSITION* POSITION;
