#include "framework/CCmdUI.h"

#include "framework/CCmdTarget.h"
#include "framework/CMenu.h"
#include "framework/CWnd.h"

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pParentMenu(NULL),
      m_pOther(NULL), m_nIndexMax(0), m_bEnableChanged(FALSE), m_bContinueRouting(FALSE)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;   // popups are never disabled by their commands
        ::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex,
                         MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
        // Move the focus on before the window that has it is disabled.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            if (hParent != NULL)
                ::SendMessageA(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex,
                        MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
        if (::SendMessageA(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessageA(m_pOther->m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (lpszText == NULL)
        lpszText = "";
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        UINT nState = ::GetMenuState(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION);
        nState &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | MF_HILITE);
        ::ModifyMenuA(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID,
                      lpszText);
    } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
        ::SetWindowTextA(m_pOther->m_hWnd, lpszText);
    }
}

void CCmdUI::ContinueRouting()
{
    m_bContinueRouting = TRUE;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;   // separators and items without a command

    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, NULL);
    // An update handler owns its item: what it leaves alone stays as it is. Only items
    // without one follow whether a command handler exists.
    if (bDisableIfNoHndler && !bResult && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = { NULL, NULL };
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
