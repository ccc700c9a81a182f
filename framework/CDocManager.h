// The application's document templates and what works across them: new and open commands,
// opening a file with the template that suits it best, saving and closing every document.
#pragma once

#include <vector>

#include "framework/CObject.h"
#include "framework/CString.h"

class CDocTemplate;
class CDocument;

class CDocManager : public CObject
{
public:
    CDocManager() = default;
    // Deletes the templates marked m_bAutoDelete.
    ~CDocManager() override;

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    virtual POSITION GetFirstDocTemplatePosition() const;
    virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual int GetOpenDocumentCount();

    // A new document of the first template.
    virtual void OnFileNew();
    // The standard Open dialog, then OpenDocumentFile with the chosen file.
    virtual void OnFileOpen();
    // The document of lpszFileName: the open one if it is open, else a new one read by the
    // template that suits the file best. NULL (after telling the user) on failure.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    // Shows the Open (bOpenFileDialog) or Save As dialog with a filter for every template and
    // "All Files"; FALSE when the user cancels.
    virtual BOOL DoPromptFileName(CString& fileName, LPCSTR lpszTitle, DWORD lFlags,
                                  BOOL bOpenFileDialog, CDocTemplate* pTemplate);

protected:
    std::vector<CDocTemplate*> m_templateList;
};
