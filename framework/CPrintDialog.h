// The standard print and print-setup dialogs of the common dialog library, holding the
// printer selection (PRINTDLG) that printing reads its device context from.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "framework/CObject.h"
#include "framework/CString.h"

class CWnd;

class CPrintDialog : public CObject
{
public:
    // bPrintSetupOnly: the printer setup dialog instead of the print dialog.
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);

    PRINTDLG m_pd;

    // Shows the dialog modally: IDOK or IDCANCEL.
    virtual INT_PTR DoModal();
    // Fills m_pd with the default printer without showing anything; FALSE when there is none.
    BOOL GetDefaults();
    // A device context for the selected printer, kept in m_pd.hDC; NULL on failure.
    HDC CreatePrinterDC();

    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;

private:
    CString DevNamesField(WORD DEVNAMES::*offset) const;

    CWnd* m_pParentWnd;
};
