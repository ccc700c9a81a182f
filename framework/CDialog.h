// A dialog box from a resource template, modal (DoModal) or modeless (Create). The object is
// attached to the dialog window before WM_INITDIALOG, so its message map sees everything
// from then on.
#pragma once

#include "framework/CWnd.h"

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless creation; a NULL parent means the application's main window.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    // Runs the dialog modally; returns the value given to EndDialog, -1 on failure.
    virtual int DoModal();

    // Initialisation when the dialog is created: the default transfers the member values to
    // the controls (UpdateData(FALSE)) and returns TRUE to let the system set the focus.
    virtual BOOL OnInitDialog();
    // Ends a modal dialog with nResult; hides a modeless one (it is not destroyed).
    void EndDialog(int nResult);

    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl)
    {
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->GetSafeHwnd(), 1L);
    }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }

    // Gives a modeless dialog the keyboard handling of the dialog manager (IsDialogMessage)
    // for input addressed to it or its controls.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    DECLARE_MESSAGE_MAP()

    // IDOK: UpdateData(TRUE), then EndDialog(IDOK) when the data validated.
    virtual void OnOK();
    // IDCANCEL (also Escape and the close box): EndDialog(IDCANCEL).
    virtual void OnCancel();

    static INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND ParentForCreation(CWnd* pParentWnd) const;
};
