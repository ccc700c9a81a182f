#pragma once
// The "Find Tool" window: the search text, the Find button and the list of hits. Selecting a
// hit moves the most recently activated view to its address.

#include <memory>

#include "common/LayoutFractions.h"
#include "framework/Afx.h"

struct SearchHit;

class CFindToolDlg : public CDialog
{
public:
    explicit CFindToolDlg(CWnd* pParent = nullptr);
    ~CFindToolDlg() override;

    // Removes every row of the result list (at the start of a search).
    void DeleteAllResults();
    // Appends the row of one hit: address, flag text, context, and last its item data, the
    // hit's address. Setting the item data is a change of the row, which moves the view to the
    // hit; with bFollow FALSE the view stays where it is (only the last row of a batch moves it).
    void AppendResult(const SearchHit& hit, const char* flagText, BOOL bFollow);
    // Holds (TRUE) or releases (FALSE) the result list's redraw around a batch of rows.
    void HoldResultsRedraw(BOOL bHold);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter in the text searches; elsewhere it does nothing. Escape hides the window and keeps
    // the results.
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnFind();
    afx_msg void OnItemChangedResults(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteAllItemsResults(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<LayoutEntry[]> m_pLayout;
    // The result list (IDC_FIND_RESULTS), subclassed in OnInitDialog.
    CListCtrl m_wndResults;
    // Row changes that must not move the view (while a row is being appended).
    bool m_bHoldFollow;
};
