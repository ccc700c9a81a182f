#pragma once
#include <cstdint>

#include "framework/Afx.h"
#include "view/ProcessViewHost.h"

class CProcessCatalogue;
class CProgressDlg;

// One open document stands for one inspected process. It names its target (the catalogue and
// the process identifier, never the record, since a catalogue refresh releases the records),
// retrieves the page map on the retrieval worker and has each view compose its picture from it,
// and writes the process's memory out as a text dump when it is saved.
class CVexoProcessViewerDoc : public CDocument, public IProcessViewDocument
{
    DECLARE_DYNCREATE(CVexoProcessViewerDoc)

public:
    CVexoProcessViewerDoc();
    ~CVexoProcessViewerDoc() override;

    CProcessCatalogue* m_pCatalogue;
    uint32_t m_dwProcessId;
    BOOL m_bRetrievePending;

    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;

    // What its views read: the catalogue and the process identifier above.
    CProcessCatalogue* GetCatalogue() const override;
    uint32_t GetProcessId() const override;

    // Names the target process and marks the retrieval pending.
    void SetTarget(CProcessCatalogue* pCatalogue, uint32_t dwProcessId);
    // On the worker: builds the page map and has every view compose its picture. FALSE when
    // nothing was pending (nothing is then touched).
    BOOL RetrieveMemoryMap(CProgressDlg* pProgressDlg);
    // On the user-interface thread, before a retrieval: frees every view's module labels.
    void ReleaseModuleLabels();
    // On the user-interface thread, before the retrieval worker starts (TRUE) and after it has
    // ended (FALSE): the worker uses the document and its views in between, so none of them may
    // go. Closes are held meanwhile; the document and its views check it.
    void SetRetrieving(BOOL bRetrieving);
    BOOL IsRetrieving() const { return m_bRetrieving; }

    // Refused while the retrieval worker runs (see SetRetrieving).
    void OnCloseDocument() override;

protected:
    afx_msg void OnFileSave();

private:
    BOOL m_bRetrieving;

    DECLARE_MESSAGE_MAP()
};
