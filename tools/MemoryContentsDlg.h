#pragma once
// The "Memory Contents" tool window: 4096 bytes of the inspected process from an address, as
// 256 rows of 16 bytes (address, hex, characters), and twelve check boxes with the attributes
// of the page that holds the address. Filled by the view; it has no input of its own.

#include <cstdint>
#include <memory>

#include "common/LayoutFractions.h"
#include "framework/Afx.h"
#include "tools/MemoryRows.h"

class CProcessCatalogue;
struct ProcessRecord;

class CMemoryContentsDlg : public CDialog
{
public:
    explicit CMemoryContentsDlg(CWnd* pParent = nullptr);
    ~CMemoryContentsDlg() override;

    // Replaces the listing with the 4096 bytes at address of the record's process (one read:
    // all bytes or "?? " for all) and sets the check boxes from the page's flags word.
    void ShowMemory(CProcessCatalogue* pCatalogue, const ProcessRecord* pRecord, uint32_t address);

protected:
    BOOL OnInitDialog() override;
    // Enter does nothing (the window takes no input); Escape hides it.
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnGetDispInfoList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnFindItemList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SetAttributeChecks(uint32_t flags);
    const MemoryRowTexts& RowTexts(int row);
    bool IsListAtRest() const;

    std::unique_ptr<LayoutEntry[]> m_pLayout;
    // The listing (IDC_MEMORY_LIST), subclassed in OnInitDialog.
    CListCtrl m_wndList;
    CFont m_font;
    // The listing shown. The list keeps no texts of its own (a virtual list): it asks for the
    // cells it draws or is asked for, which are made from these.
    uint32_t m_nListAddress;
    bool m_bListRead;
    uint8_t m_listBytes[kMemoryListBytes];
    // The row asked for last: a row's three cells are asked for one after another.
    int m_nTextRow;
    MemoryRowTexts m_textRow;
};
