#include "framework/CPrintDialog.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd)
{
    ZeroMemory(&m_pd, sizeof(m_pd));
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.hInstance = AfxGetInstanceHandle();
}

INT_PTR CPrintDialog::DoModal()
{
    CWnd* pOwner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    m_pd.hwndOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
    return ::PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    const DWORD dwFlags = m_pd.Flags;
    m_pd.Flags |= PD_RETURNDEFAULT;
    m_pd.hwndOwner = nullptr;
    const BOOL bResult = ::PrintDlgA(&m_pd);
    m_pd.Flags = dwFlags;
    return bResult;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDevNames == nullptr) {
        return nullptr;
    }
    if (m_pd.hDC != nullptr) {
        ::DeleteDC(m_pd.hDC);
    }
    const CString strDriver = GetDriverName();
    const CString strDevice = GetDeviceName();
    const CString strPort = GetPortName();
    const DEVMODEA* pDevMode = m_pd.hDevMode != nullptr
                                   ? static_cast<const DEVMODEA*>(::GlobalLock(m_pd.hDevMode))
                                   : nullptr;
    m_pd.hDC = ::CreateDCA(strDriver, strDevice, strPort, pDevMode);
    if (pDevMode != nullptr) {
        ::GlobalUnlock(m_pd.hDevMode);
    }
    return m_pd.hDC;
}

CString CPrintDialog::DevNamesField(WORD DEVNAMES::*offset) const
{
    if (m_pd.hDevNames == nullptr) {
        return CString();
    }
    const DEVNAMES* pNames = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
    if (pNames == nullptr) {
        return CString();
    }
    CString strField(reinterpret_cast<LPCSTR>(pNames) + pNames->*offset);
    ::GlobalUnlock(m_pd.hDevNames);
    return strField;
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesField(&DEVNAMES::wDeviceOffset);
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesField(&DEVNAMES::wDriverOffset);
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesField(&DEVNAMES::wOutputOffset);
}
