#pragma once
// The "Windows Processes" tool window: every running process as a root item with its modules as
// children. It owns the program's one process catalogue; selecting an item points the active
// document at that process.

#include <cstdint>
#include <memory>

#include "common/LayoutFractions.h"
#include "framework/Afx.h"
#include "inspect/ProcessCatalogue.h"

class CProcessTreeDlg : public CDialog
{
public:
    explicit CProcessTreeDlg(CWnd* pParent = nullptr);
    ~CProcessTreeDlg() override;

    // Rebuilds the catalogue and the tree; also the "Refresh Processes" button.
    void FillProcessTree();
    // Makes the root item of that process the first visible item; selection stays as it is.
    void ScrollToProcess(uint32_t dwProcessId);

    CProcessCatalogue& GetCatalogue() { return m_catalogue; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter: nothing (selecting an item is what retrieves it). Escape: hides the window.
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnRefreshProcesses();
    afx_msg void OnSelChangedProcessTree(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    void SelectProcess(int index);

    CProcessCatalogue m_catalogue;
    // The tree of processes and modules (IDC_PROCESS_TREE), subclassed in OnInitDialog.
    CTreeCtrl m_wndTree;
    CFont m_font;
    bool m_bFilling;
    std::unique_ptr<LayoutEntry[]> m_pLayout;
};
