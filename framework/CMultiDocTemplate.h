// The template of an MDI program: any number of documents, each in its own child frame; all
// its child frames share one menu (and accelerator table) loaded from the resource id. New
// documents are titled with the document name and a running number (Doc1, Doc2, ...).
#pragma once

#include <vector>

#include "framework/CDocTemplate.h"

class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    HMENU m_hMenuShared;
    HACCEL m_hAccelTable;

protected:
    std::vector<CDocument*> m_docList;
    UINT m_nUntitledCount; // new documents made so far; the next is titled with this + 1
};
