#include "framework/CMultiDocTemplate.h"

#include <algorithm>

#include "framework/AfxPosition.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

namespace {

const char kFailedToCreate[] = "Failed to create empty document.";

} // namespace

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                     CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass),
      m_hMenuShared(nullptr),
      m_hAccelTable(nullptr),
      m_nUntitledCount(0)
{
    CMultiDocTemplate::LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open lose their template rather than point at a dead one.
    for (CDocument* pDoc : std::vector<CDocument*>(m_docList)) {
        CDocTemplate::RemoveDocument(pDoc);
    }
    if (m_hMenuShared != nullptr) {
        ::DestroyMenu(m_hMenuShared);
    }
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource != 0 && m_hMenuShared == nullptr) {
        HINSTANCE hInst = AfxGetResourceHandle();
        m_hMenuShared = ::LoadMenuA(hInst, MAKEINTRESOURCEA(m_nIDResource));
        m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(m_nIDResource));
    }
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.push_back(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), pDoc), m_docList.end());
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return AfxHeadPosition(m_docList);
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return AfxGetNextAt(m_docList, rPos);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == nullptr) {
        AfxMessageBox(kFailedToCreate, MB_ICONEXCLAMATION);
        return nullptr;
    }
    // Not deleted with its view should the frame fail half-way.
    const BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == nullptr) {
        AfxMessageBox(kFailedToCreate, MB_ICONEXCLAMATION);
        delete pDocument;
        return nullptr;
    }

    if (lpszPathName == nullptr) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible) {
            pDocument->m_bEmbedded = TRUE;
        }
        if (!pDocument->OnNewDocument()) {
            pFrame->DestroyWindow(); // takes the document with its view
            return nullptr;
        }
        m_nUntitledCount++; // only documents that were made count
    } else {
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            pFrame->DestroyWindow();
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

// The document name and the next running number: VexoPr1, VexoPr2, ...
void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (GetDocString(strDocName, docName) && !strDocName.IsEmpty()) {
        CString strNumber;
        strNumber.Format("%u", m_nUntitledCount + 1);
        strDocName += strNumber;
    } else {
        strDocName = "Untitled";
    }
    pDocument->SetTitle(strDocName);
}
