#pragma once
// The "Find Tool" window: the search text, the Find button and the list of hits. Selecting a
// hit moves the most recently activated view to its address.

#include <memory>

#include "app/LayoutFractions.h"
#include "framework/Afx.h"


class CFindToolDlg : public CDialog
{
public:
    explicit CFindToolDlg(CWnd* pParent = NULL);
    virtual ~CFindToolDlg();

protected:
    virtual BOOL OnInitDialog() override;
    virtual void DoDataExchange(CDataExchange* pDX) override;
    // Enter does nothing harmful; Escape hides the window and keeps the results.
    virtual void OnOK() override;
    virtual void OnCancel() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnItemChangedResults(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<LayoutEntry[]> m_pLayout;
};
