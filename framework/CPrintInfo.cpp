#include "framework/CPrintInfo.h"

// Printing asks for every page; unless the view says otherwise it prints one page (see
// CView::OnPrepareDC).
CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)),
      m_bDocObject(FALSE),
      m_bPreview(FALSE),
      m_bDirect(FALSE),
      m_bContinuePrinting(TRUE),
      m_nCurPage(1),
      m_nNumPreviewPages(0),
      m_lpUserData(nullptr)
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pPD->m_pd.hDC != nullptr) {
        ::DeleteDC(m_pPD->m_pd.hDC);
    }
    delete m_pPD;
}
