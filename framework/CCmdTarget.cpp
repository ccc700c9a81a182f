#include "framework/CCmdTarget.h"

#include "framework/CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, NULL } };
    static const AFX_MSGMAP messageMap = { NULL, entries };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* pEntries,
                                                     UINT nMsg, UINT nCode, UINT nID)
{
    for (const AFX_MSGMAP_ENTRY* p = pEntries; p->pfn != NULL; ++p) {
        if (p->nMessage == nMsg && p->nCode == nCode && nID >= p->nID && nID <= p->nLastID)
            return p;
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    if (nCode != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(nCode);
        nCode = LOWORD(nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(pMap->lpEntries, nMsg, (UINT)nCode, nID);
        if (pEntry == NULL)
            continue;
        if (pHandlerInfo != NULL) {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = pEntry->pfn;
            return TRUE;
        }
        if (nCode == CN_UPDATE_COMMAND_UI) {
            // An update handler may ask for routing to continue to the next target.
            CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
            pCmdUI->m_bContinueRouting = FALSE;
            pEntry->pfn(this, nID, reinterpret_cast<LPARAM>(pCmdUI));
            BOOL bHandled = !pCmdUI->m_bContinueRouting;
            pCmdUI->m_bContinueRouting = FALSE;
            return bHandled;
        }
        return pEntry->pfn(this, nID, reinterpret_cast<LPARAM>(pExtra)) != 0;
    }
    return FALSE;
}
