// The user-interface item of one command (a menu item, a toolbar button, a control) as seen
// by update handlers: they enable, check or retitle it without knowing what it is.
#pragma once

#include "framework/AfxDefs.h"

class CMenu;

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID;
    UINT m_nIndex;     // position of the item in m_pMenu
    CMenu* m_pMenu;    // menu that holds the item, or NULL
    CMenu* m_pSubMenu; // popup the item opens, or NULL
    CMenu* m_pParentMenu;
    CWnd* m_pOther; // window that shows the item when it is not a menu item
    UINT m_nIndexMax;
    BOOL m_bEnableChanged; // set by Enable: the item has an update handler that enabled it
    BOOL m_bContinueRouting;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1); // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    void ContinueRouting();

    // Runs the update handler of m_nID found through pTarget's routing; the item is then as
    // the handler left it. Without an update handler, and with bDisableIfNoHndler, the item
    // is enabled exactly when a command handler exists.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
