#include "framework/CCmdTarget.h"

#include "framework/CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, entries};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* pEntries, UINT nMsg,
                                                     UINT nCode, UINT nID)
{
    for (const AFX_MSGMAP_ENTRY* p = pEntries; p->pfn != nullptr; ++p) {
        if (p->nMessage == nMsg && p->nCode == nCode && nID >= p->nID && nID <= p->nLastID) {
            return p;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    if (nCode != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(nCode);
        nCode = LOWORD(nCode);
    }
    if (nMsg == 0) {
        nMsg = WM_COMMAND;
    }

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(pMap->lpEntries, nMsg, (UINT)nCode, nID);
        if (pEntry == nullptr) {
            continue;
        }
        if (pHandlerInfo != nullptr) {
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
