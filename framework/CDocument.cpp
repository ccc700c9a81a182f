#include "framework/CDocument.h"

#include <windows.h>
#include <commdlg.h>

#include "framework/AfxPosition.h"
#include "framework/CArchive.h"
#include "framework/CDocTemplate.h"
#include "framework/CFile.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

namespace {

const char kFailedToSave[] = "Failed to save document.";
const char kFailedToOpen[] = "Failed to open document.";

// The hourglass while a document is read or written.
class WaitCursor
{
public:
    WaitCursor() : m_hOld(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_hOld); }

private:
    HCURSOR m_hOld;
};

} // namespace

CDocument::CDocument()
    : m_bAutoDelete(TRUE),
      m_bEmbedded(FALSE),
      m_pDocTemplate(nullptr),
      m_bModified(FALSE)
{
}

// The views outlive a document only when the program deletes it directly; they then show
// no document.
CDocument::~CDocument()
{
    for (CView* pView : m_viewList) {
        pView->m_pDocument = nullptr;
    }
    m_viewList.clear();
    if (m_pDocTemplate != nullptr) {
        m_pDocTemplate->RemoveDocument(this);
    }
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    char szFull[MAX_PATH];
    LPSTR pFilePart = nullptr;
    const DWORD nLen = ::GetFullPathNameA(lpszPathName, MAX_PATH, szFull, &pFilePart);
    m_strPathName = (nLen > 0 && nLen < MAX_PATH) ? szFull : lpszPathName;
    m_bEmbedded = FALSE;

    char szTitle[MAX_PATH];
    if (::GetFileTitleA(m_strPathName, szTitle, MAX_PATH) == 0) {
        SetTitle(szTitle);
    }
    if (bAddToMRU && AfxGetApp() != nullptr) {
        AfxGetApp()->AddToRecentFileList(m_strPathName);
    }
}

POSITION CDocument::GetFirstViewPosition() const
{
    return AfxHeadPosition(m_viewList);
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return AfxGetNextAt(m_viewList, rPosition);
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* pView = GetNextView(pos);
        if (pView != pSender) {
            pView->OnUpdate(pSender, lHint, pHint);
        }
    }
}

void CDocument::AddView(CView* pView)
{
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList(); // last: it may update captions
}

void CDocument::RemoveView(CView* pView)
{
    for (auto it = m_viewList.begin(); it != m_viewList.end(); ++it) {
        if (*it == pView) {
            m_viewList.erase(it);
            break;
        }
    }
    pView->m_pDocument = nullptr;
    OnChangedViewList(); // last: it may delete the document
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.empty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

// Frames are numbered in the order of their first view; a frame alone gets no number.
void CDocument::UpdateFrameCounts()
{
    for (CView* pView : m_viewList) {
        if (CFrameWnd* pFrame = pView->GetParentFrame()) {
            pFrame->m_nWindow = -1;
        }
    }
    int nFrames = 0;
    for (CView* pView : m_viewList) {
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr && pFrame->m_nWindow == -1) {
            pFrame->m_nWindow = ++nFrames;
        }
    }
    int iFrame = 1;
    for (size_t i = 0; i < m_viewList.size(); ++i) {
        CFrameWnd* pFrame = m_viewList[i]->GetParentFrame();
        if (pFrame != nullptr && pFrame->m_nWindow == iFrame) {
            if (nFrames == 1) {
                pFrame->m_nWindow = 0;
            }
            pFrame->OnUpdateFrameTitle(TRUE);
            ++iFrame;
        }
    }
}

void CDocument::DeleteContents()
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite)) {
        AfxMessageBox(kFailedToOpen, MB_ICONEXCLAMATION);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(); // dirty while it loads
    WaitCursor wait;
    if (file.GetLength() != 0) {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    }
    file.Close();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    CFile file;
    if (!file.Open(lpszPathName,
                   CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive)) {
        AfxMessageBox(kFailedToSave, MB_ICONEXCLAMATION);
        return FALSE;
    }
    BOOL bWritten;
    {
        WaitCursor wait;
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        bWritten = ar.Close(); // FALSE when any write failed
        file.Close();
    }
    if (!bWritten) {
        AfxMessageBox(kFailedToSave, MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Keep the document alive while its frames go; the last view's removal would delete it.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty()) {
        CView* pView = m_viewList.front();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow(); // destroys the view too
        } else {
            pView->DestroyWindow();
        }
        if (!m_viewList.empty() && m_viewList.front() == pView) {
            RemoveView(pView); // a view that did not go with its window
        }
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete) {
        delete this;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    for (CView* pView : m_viewList) {
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr && pFrame->m_nWindow > 0) {
            return TRUE; // another frame still shows the document
        }
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    return TRUE;
}

void CDocument::PreCloseFrame(CFrameWnd* pFrame)
{
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
