// Per-thread state of the framework: the handle maps, the message being processed (for
// Default) and the window whose creation is under way.
#pragma once

#include "framework/HandleMap.h"

class CWnd;
class CMenu;
class CDC;
class CGdiObject;

struct AfxThreadState
{
    CHandleMap<CWnd, HWND> wndMap;
    CHandleMap<CMenu, HMENU> menuMap;
    CHandleMap<CDC, HDC> dcMap;
    CHandleMap<CGdiObject, HGDIOBJ> gdiMap;
    MSG lastSentMsg = {};     // message being handled by AfxCallWndProc
    CWnd* pWndInit = nullptr; // window object to attach to the next new window
};

// The calling thread's state, made on first use.
AfxThreadState* AfxGetThreadState();
// Frees the calling thread's state; called when a framework thread ends.
void AfxFreeThreadState();
// Deletes the temporary wrappers of the calling thread (at idle time).
void AfxDeleteTempMaps();
