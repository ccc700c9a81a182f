#pragma once
// The "Memory Contents" tool window: 4096 bytes of the inspected process from an address, as
// 256 rows of 16 bytes (address, hex, characters), and twelve check boxes with the attributes
// of the page that holds the address. Filled by the view; it has no input of its own.

#include <cstdint>
#include <memory>

#include "app/LayoutFractions.h"
#include "framework/Afx.h"

class CProcessCatalogue;
struct ProcessRecord;

class CMemoryContentsDlg : public CDialog
{
public:
    explicit CMemoryContentsDlg(CWnd* pParent = NULL);
    virtual ~CMemoryContentsDlg();

    // Replaces the listing with the 4096 bytes at address of the record's process (one read:
    // all bytes or "?? " for all) and sets the check boxes from the page's flags word.
    void ShowMemory(CProcessCatalogue* pCatalogue, const ProcessRecord* pRecord, uint32_t address);

protected:
    virtual BOOL OnInitDialog();
    // Enter does nothing (the window takes no input); Escape hides it.
    virtual void OnOK() override;
    virtual void OnCancel() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void InsertColumns();
    void SetAttributeChecks(uint32_t flags);

    std::unique_ptr<LayoutEntry[]> m_pLayout;
    CFont m_font;
};
