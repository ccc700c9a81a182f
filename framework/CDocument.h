// A document: the data that one or more views show. Knows its views, its title and path,
// its template; loads and stores itself through Serialize with CFile and CArchive.
#pragma once

#include <vector>

#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Sets the title and shows it in the captions of every frame of the document.
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Sets the full path (and the title from the file name); bAddToMRU puts the file in the
    // application's recent-file list.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);

    void AddView(CView* pView);
    void RemoveView(CView* pView);

    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Stores the document in lpszPathName (created or truncated) through Serialize; on
    // failure shows the framework's save-error message and returns FALSE.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Destroys every frame that shows the document, then the document (if m_bAutoDelete).
    virtual void OnCloseDocument();

    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Our documents are never changed by the user, so nothing is ever asked: TRUE.
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Called when a view is added or removed: closes the document after its last view.
    virtual void OnChangedViewList();
    // Numbers the frames of the document (Title:1, Title:2) and refreshes their captions.
    virtual void UpdateFrameCounts();

    virtual HMENU GetDefaultMenu() { return nullptr; }
    virtual HACCEL GetDefaultAccelerator() { return nullptr; }

    // Then the template's handlers.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete; // delete the document when its last view goes
    BOOL m_bEmbedded;

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    std::vector<CView*> m_viewList;
    BOOL m_bModified;

    friend class CDocTemplate;
};
