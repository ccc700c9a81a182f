#include "tools/GotoAddressDlg.h"

#include "res/resource.h"
#include "tools/AddressParser.h"
#include "view/VexoProcessViewerView.h"

BEGIN_MESSAGE_MAP(CGotoAddressDlg, CDialog)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_GOTO_BUTTON, OnGoto)
END_MESSAGE_MAP()

CGotoAddressDlg::CGotoAddressDlg(CWnd* pParent) : CDialog(IDD_GOTO_ADDRESS, pParent)
{
}

void CGotoAddressDlg::DoDataExchange(CDataExchange* pDX)
{
}

BOOL CGotoAddressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CGotoAddressDlg::OnOK()
{
    OnGoto();
}

void CGotoAddressDlg::OnCancel()
{
    ShowWindow(SW_HIDE);
}

// Showing and hiding are the main frame's decision.
void CGotoAddressDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
}

// Goto: a well-formed address goes to the active view; a malformed one is explained in a
// message box (OK only, no icon, owned by this window, captioned with the program's title).
void CGotoAddressDlg::OnGoto()
{
    // Disabled while a run is under way; a click that reaches it all the same does nothing.
    if (!IsWindowEnabled()) {
        return;
    }
    char text[kGotoTextMax + 1] = {};
    GetDlgItemText(IDC_GOTO_ADDRESS_EDIT, text, sizeof(text));
    const AddressParseResult parsed = ParseGotoAddress(text);
    if (!parsed.ok) {
        MessageBox(parsed.message, nullptr, MB_OK);
        return;
    }

    if (CVexoProcessViewerView* pView = CVexoProcessViewerView::FromActiveFrame()) {
        pView->GoToAddress(parsed.address);
    }
}
