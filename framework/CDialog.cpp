#include "framework/CDialog.h"

#include "framework/AfxGlobals.h"
#include "framework/AfxThreadState.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() : m_lpszTemplateName(nullptr), m_nIDHelp(0), m_pParentWnd(nullptr)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)),
      m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName),
      m_nIDHelp(0),
      m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    // A modeless dialog still open goes with its object (CWnd's destructor would too, but
    // only after this class's parts are gone).
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        DestroyWindow();
    }
}

// The dialog procedure of every framework dialog. The dialog manager calls it from inside
// the window procedure; the first call attaches the object being created and routes the
// window's messages through the message map. WM_INITDIALOG is the only message it handles.
INT_PTR CALLBACK CDialog::AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    AfxThreadState* pState = AfxGetThreadState();
    if (pState->pWndInit != nullptr && FromHandlePermanent(hWnd) == nullptr) {
        CWnd* pWnd = pState->pWndInit;
        pState->pWndInit = nullptr;
        pWnd->SubclassWindow(hWnd);
    }
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    CDialog* pDlg = dynamic_cast<CDialog*>(FromHandlePermanent(hWnd));
    if (pDlg == nullptr) {
        return FALSE;
    }
    try {
        return pDlg->OnInitDialog();
    } catch (...) {
        ::OutputDebugStringA("framework: exception caught in OnInitDialog\n");
        return FALSE;
    }
}

HWND CDialog::ParentForCreation(CWnd* pParentWnd) const
{
    if (pParentWnd == nullptr) {
        pParentWnd = AfxGetMainWnd();
    }
    return pParentWnd->GetSafeHwnd();
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd != nullptr) {
        m_pParentWnd = pParentWnd;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogParamA(AfxGetResourceHandle(), lpszTemplateName,
                                     ParentForCreation(pParentWnd), &CDialog::AfxDlgProc, 0);
    BOOL bAttached = AfxUnhookWindowCreate();
    if (hWnd == nullptr) {
        if (!bAttached) {
            PostNcDestroy();
        }
        return FALSE;
    }
    return TRUE;
}

int CDialog::DoModal()
{
    if (m_hWnd != nullptr || m_lpszTemplateName == nullptr) {
        return -1;
    }
    // The owner: the given parent, else the main window; a child window cannot own a popup,
    // so its first non-child ancestor stands in. The top-level window above the owner is
    // disabled too while the dialog runs, as the owner itself is by the dialog manager.
    HWND hWndParent = ParentForCreation(m_pParentWnd);
    while (hWndParent != nullptr && (::GetWindowLongA(hWndParent, GWL_STYLE) & WS_CHILD)) {
        hWndParent = ::GetParent(hWndParent);
    }
    HWND hWndTop = hWndParent;
    for (HWND h = hWndParent; h != nullptr; h = ::GetParent(h)) {
        hWndTop = h;
    }
    BOOL bDisabledTop = FALSE;
    if (hWndTop != nullptr && hWndTop != hWndParent && ::IsWindowEnabled(hWndTop)) {
        ::EnableWindow(hWndTop, FALSE);
        bDisabledTop = TRUE;
    }

    AfxHookWindowCreate(this);
    INT_PTR nResult = ::DialogBoxParamA(AfxGetResourceHandle(), m_lpszTemplateName, hWndParent,
                                        &CDialog::AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (bDisabledTop) {
        ::EnableWindow(hWndTop, TRUE);
    }
    // The window is gone and the object detached (WM_NCDESTROY) unless creation failed early.
    if (m_hWnd != nullptr && !::IsWindow(m_hWnd)) {
        Detach();
    }
    return (int)nResult;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    if (m_hWnd != nullptr) {
        ::EndDialog(m_hWnd, nResult);
    }
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    return PreTranslateInput(pMsg);
}
