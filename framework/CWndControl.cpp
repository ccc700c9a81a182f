// CWnd's control hosting: creation of an automation control as a child window and calls of
// its dispatch interface. The work is done by the control site and the dispatch engine.
#include "framework/CWnd.h"
#include "framework/ControlSite.h"
#include "framework/DispatchCall.h"

#include <stdarg.h>

BOOL CWnd::CreateControl(REFCLSID clsid, LPCSTR pszWindowName, DWORD dwStyle, const RECT& rect,
                         CWnd* pParentWnd, UINT nID)
{
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    CControlSite* pSite = nullptr;
    if (FAILED(CControlSite::CreateControl(clsid, pszWindowName, dwStyle, rect,
                                           pParentWnd->GetSafeHwnd(), nID, &pSite)) ||
        pSite == nullptr) {
        return FALSE;
    }
    // Routing the control's window through this object lets it see the window go away.
    if (pSite->GetControlWindow() == nullptr || !SubclassWindow(pSite->GetControlWindow())) {
        pSite->Destroy();
        return FALSE;
    }
    m_pCtrlSite = pSite;
    m_pCtrlDispatch = pSite->GetDispatch();
    return TRUE;
}

void CWnd::ReleaseControl()
{
    CControlSite* pSite = static_cast<CControlSite*>(m_pCtrlSite);
    m_pCtrlSite = nullptr;
    m_pCtrlDispatch = nullptr;
    if (pSite != nullptr) {
        pSite->Destroy();
    }
}

// Safe from any thread: it touches only the dispatch interface.
void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                        const BYTE* pbParamInfo, ...)
{
    va_list args;
    va_start(args, pbParamInfo);
    AfxDispatchInvokeV(m_pCtrlDispatch, dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
    va_end(args);
}

void CWnd::SetProperty(DISPID dwDispID, UINT vtProp, ...)
{
    va_list args;
    va_start(args, vtProp);
    AfxDispatchSetPropertyV(m_pCtrlDispatch, dwDispID, static_cast<VARTYPE>(vtProp), args);
    va_end(args);
}

void CWnd::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    AfxDispatchInvoke(m_pCtrlDispatch, dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}
