// Dialogs from a resource template: modeless creation, initialisation order, data exchange,
// EndDialog hiding a modeless dialog, its keyboard handling, and modal runs.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "CoreTestIds.h"
#include "framework/Afx.h"
#include "tests/support/ExpectSequence.h"

namespace {

const UINT_PTR kTimerEnd = 1;
const UINT_PTR kTimerOk = 2;

class CTestDlg : public CDialog
{
public:
    CTestDlg() : CDialog(IDD_TEST_DIALOG) {}

    std::vector<std::string> m_log;
    CString m_strText = "initial";
    BOOL m_bRejectInput = FALSE;
    UINT_PTR m_nTimerOnInit = 0;
    int m_nEndCode = 0;
    HWND m_hWndOwnerSeen = nullptr;
    HWND m_hWndWatched = nullptr; // a window whose enabled state is recorded at the end
    BOOL m_bWatchedEnabled = TRUE;

    BOOL OnInitDialog() override
    {
        m_log.push_back("init begin");
        CDialog::OnInitDialog();
        m_log.push_back(GetDlgItem(IDC_TEST_EDIT) != nullptr ? "init has controls"
                                                             : "init no controls");
        if (m_nTimerOnInit != 0) {
            SetTimer(m_nTimerOnInit, 20, nullptr);
        }
        return TRUE;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (pDX->m_bSaveAndValidate) {
            m_log.push_back("ddx save");
            pDX->PrepareCtrl(IDC_TEST_EDIT);
            if (m_bRejectInput) {
                pDX->Fail();
                return;
            }
            GetDlgItemText(IDC_TEST_EDIT, m_strText);
        } else {
            m_log.push_back("ddx load");
            SetDlgItemText(IDC_TEST_EDIT, m_strText);
        }
    }
    void OnCancel() override
    {
        m_log.push_back("cancel");
        CDialog::OnCancel();
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        if (nIDEvent == kTimerEnd) {
            m_hWndOwnerSeen = ::GetWindow(m_hWnd, GW_OWNER);
            if (m_hWndWatched != nullptr) {
                m_bWatchedEnabled = ::IsWindowEnabled(m_hWndWatched);
            }
            EndDialog(m_nEndCode);
        } else if (nIDEvent == kTimerOk) {
            SetDlgItemText(IDC_TEST_EDIT, "typed");
            // As if the OK button were pressed.
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        (LPARAM)::GetDlgItem(m_hWnd, IDOK));
            if (m_bRejectInput) {
                SetTimer(kTimerEnd, 50, nullptr);
            }
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(ModelessDialogTest, CreateInitialisesThenEndDialogHides)
{
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    ASSERT_NE(nullptr, dlg.m_hWnd);
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    static const char* const kModelessCreation[] = {"init begin", "ddx load", "init has controls"};
    EXPECT_SEQUENCE(kModelessCreation, dlg.m_log);
    CString text;
    dlg.GetDlgItemText(IDC_TEST_EDIT, text);
    EXPECT_STREQ("initial", text);
    CWnd* pEdit = dlg.GetDlgItem(IDC_TEST_EDIT);
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(IDC_TEST_EDIT, pEdit->GetDlgCtrlID());

    dlg.ShowWindow(SW_SHOW);
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.EndDialog(IDOK);
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));

    // The Cancel button's command reaches the virtual handler through the message map.
    dlg.ShowWindow(SW_SHOW);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    (LPARAM)::GetDlgItem(dlg.m_hWnd, IDCANCEL));
    EXPECT_EQ("cancel", dlg.m_log.back());
    EXPECT_FALSE(dlg.IsWindowVisible());

    HWND hWnd = dlg.m_hWnd;
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(ModelessDialogTest, PreTranslateTakesKeyboardInputForTheDialogOnly)
{
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    dlg.ShowWindow(SW_SHOW);
    HWND hEdit = ::GetDlgItem(dlg.m_hWnd, IDC_TEST_EDIT);

    MSG key = {};
    key.hwnd = hEdit;
    key.message = WM_KEYDOWN;
    key.wParam = VK_TAB;
    EXPECT_TRUE(dlg.PreTranslateMessage(&key));

    MSG other = {};
    other.hwnd = hEdit;
    other.message = WM_APP;
    EXPECT_FALSE(dlg.PreTranslateMessage(&other));

    CWnd outside;
    ASSERT_TRUE(
        outside.CreateEx(0, nullptr, "outside", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr));
    key.hwnd = outside.m_hWnd;
    EXPECT_FALSE(dlg.PreTranslateMessage(&key));
    outside.DestroyWindow();
    dlg.DestroyWindow();
}

TEST(ModelessDialogTest, AMissingTemplateFailsCreation)
{
    CDialog dlg;
    EXPECT_FALSE(dlg.Create(9999));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(ModalDialogTest, DoModalReturnsTheEndDialogCode)
{
    CTestDlg dlg;
    dlg.m_nTimerOnInit = kTimerEnd;
    dlg.m_nEndCode = 42;
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ("init has controls", dlg.m_log.back());
    // The object runs again.
    dlg.m_nEndCode = 7;
    EXPECT_EQ(7, dlg.DoModal());
}

TEST(ModalDialogTest, OkSavesTheControlsBeforeEnding)
{
    CTestDlg dlg;
    dlg.m_nTimerOnInit = kTimerOk;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("typed", dlg.m_strText);
    EXPECT_EQ("ddx save", dlg.m_log.back());
}

TEST(ModalDialogTest, OkWithInvalidInputKeepsTheDialogOpen)
{
    CTestDlg dlg;
    dlg.m_nTimerOnInit = kTimerOk;
    dlg.m_bRejectInput = TRUE;
    dlg.m_nEndCode = IDCANCEL;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("initial", dlg.m_strText);
    EXPECT_EQ("ddx save", dlg.m_log.back());
}

TEST(ModalDialogTest, TheOwnerAndTheTopLevelWindowAboveItAreDisabledWhileItRuns)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                             nullptr, nullptr));
    CWnd tool;
    ASSERT_TRUE(tool.CreateEx(0, nullptr, "tool", WS_POPUP | WS_CAPTION | WS_VISIBLE, 20, 20, 100,
                              100, top.m_hWnd, nullptr));
    CTestDlg dlg;
    dlg.m_pParentWnd = &tool;
    dlg.m_nTimerOnInit = kTimerEnd;
    dlg.m_nEndCode = IDOK;
    dlg.m_hWndWatched = top.m_hWnd;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(tool.m_hWnd, dlg.m_hWndOwnerSeen);
    EXPECT_FALSE(dlg.m_bWatchedEnabled);
    EXPECT_TRUE(top.IsWindowEnabled());
    EXPECT_TRUE(tool.IsWindowEnabled());
    tool.DestroyWindow();
    top.DestroyWindow();
}

TEST(ModalDialogTest, AMissingTemplateFailsTheRun)
{
    CDialog dlg(9999);
    EXPECT_EQ(-1, dlg.DoModal());
}

} // namespace
