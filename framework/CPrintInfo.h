// State of one printing run: the print dialog with its device context, the page range and
// the page being printed.
#pragma once

#include "framework/CPrintDialog.h"
#include "framework/CRect.h"
#include "framework/CString.h"

struct CPrintInfo
{
    CPrintInfo();
    ~CPrintInfo();

    CPrintDialog* m_pPD; // owns the printer DC once the dialog has run
    BOOL m_bDocObject;
    BOOL m_bPreview;
    BOOL m_bDirect;           // print without asking the user
    BOOL m_bContinuePrinting; // OnPrepareDC clears it to end the run
    UINT m_nCurPage;
    UINT m_nNumPreviewPages;
    CString m_strPageDesc;
    LPVOID m_lpUserData;
    CRect m_rectDraw; // printable area of the current page

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = (WORD)nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = (WORD)nMaxPage; }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
    UINT GetToPage() const { return m_pPD->m_pd.nToPage; }

private:
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;
};
