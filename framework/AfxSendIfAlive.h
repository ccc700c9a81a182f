// The one call the control wrappers (CTreeCtrl, CListCtrl) make: a message to the control,
// sent only while its window exists. A wrapper outliving its control then answers with a
// result that means "nothing there" instead of sending to a handle that may by now belong
// to another window.
#pragma once

#include "framework/AfxDefs.h"

// The control's answer to the message, or lGone when hWnd is not a window.
inline LRESULT AfxSendIfAlive(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT lGone)
{
    return ::IsWindow(hWnd) ? ::SendMessageA(hWnd, message, wParam, lParam) : lGone;
}
