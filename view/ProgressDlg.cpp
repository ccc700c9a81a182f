#include "view/ProgressDlg.h"

#include "res/resource.h"

CProgressDlg::CProgressDlg(CWnd* pParent) : CDialog(IDD_PROGRESS, pParent)
{
}

BOOL CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndBar.SubclassDlgItem(IDC_PROGRESS_BAR, this);
    SendDlgItemMessage(IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendDlgItemMessage(IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
    SendDlgItemMessage(IDC_PROGRESS_BAR, PBM_SETSTEP, 1, 0);
    if (HWND hCancel = ::GetDlgItem(m_hWnd, IDC_PROGRESS_CANCEL)) {
        ::EnableWindow(hCancel, FALSE);
    }
    return TRUE;
}

void CProgressDlg::SetText(LPCSTR text)
{
    // Plain window calls: from a worker they become messages that the user-interface thread
    // serves while it pumps.
    ::SetDlgItemTextA(m_hWnd, IDC_PROGRESS_TEXT, text);
    ::SetWindowTextA(m_hWnd, text);
}
