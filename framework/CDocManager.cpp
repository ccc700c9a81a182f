#include "framework/CDocManager.h"

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "framework/AfxPosition.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

namespace {

const char kFailedToCreate[] = "Failed to create empty document.";
const char kFailedToOpen[] = "Failed to open document.";

// Appends "name\0pattern\0" to a filter list for GetOpenFileName.
void AppendFilter(std::string& filter, const CString& strName, const CString& strPattern)
{
    filter.append(strName, (size_t)strName.GetLength());
    filter.push_back('\0');
    filter.append(strPattern, (size_t)strPattern.GetLength());
    filter.push_back('\0');
}

} // namespace

CDocManager::~CDocManager()
{
    for (CDocTemplate* pTemplate : m_templateList) {
        if (pTemplate->m_bAutoDelete) {
            delete pTemplate;
        }
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr) {
        return;
    }
    pTemplate->LoadTemplate();
    m_templateList.push_back(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return AfxHeadPosition(m_templateList);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    return AfxGetNextAt(m_templateList, pos);
}

int CDocManager::GetOpenDocumentCount()
{
    int nCount = 0;
    for (CDocTemplate* pTemplate : m_templateList) {
        POSITION pos = pTemplate->GetFirstDocPosition();
        while (pos != nullptr) {
            pTemplate->GetNextDoc(pos);
            ++nCount;
        }
    }
    return nCount;
}

// With several templates the first one is taken; this framework has no choice dialog.
void CDocManager::OnFileNew()
{
    if (m_templateList.empty()) {
        AfxMessageBox(kFailedToCreate, MB_ICONEXCLAMATION);
        return;
    }
    m_templateList.front()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CString strFileName;
    if (!DoPromptFileName(strFileName, "Open", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE,
                          nullptr)) {
        return;
    }
    AfxGetApp()->OpenDocumentFile(strFileName);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, LPCSTR lpszTitle, DWORD lFlags,
                                   BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    std::string filter;
    CString strDefaultExt;
    for (CDocTemplate* pTempl : m_templateList) {
        if (pTemplate != nullptr && pTempl != pTemplate) {
            continue;
        }
        CString strFilterName;
        CString strFilterExt;
        if (pTempl->GetDocString(strFilterExt, CDocTemplate::filterExt) &&
            !strFilterExt.IsEmpty() &&
            pTempl->GetDocString(strFilterName, CDocTemplate::filterName) &&
            !strFilterName.IsEmpty()) {
            AppendFilter(filter, strFilterName, "*" + strFilterExt);
            if (strDefaultExt.IsEmpty()) {
                strDefaultExt = strFilterExt.Mid(1); // without the dot
            }
        }
    }
    AppendFilter(filter, "All Files (*.*)", "*.*");
    filter.push_back('\0');

    char szFile[MAX_PATH];
    lstrcpynA(szFile, fileName, MAX_PATH);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    CWnd* pMainWnd = AfxGetMainWnd();
    ofn.hwndOwner = pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = lpszTitle;
    ofn.lpstrDefExt = strDefaultExt.IsEmpty() ? nullptr : static_cast<LPCSTR>(strDefaultExt);
    ofn.Flags = lFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    const BOOL bResult = bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (bResult) {
        fileName = szFile;
    }
    return bResult;
}

CDocument* CDocManager::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (lpszFileName == nullptr || *lpszFileName == '\0') {
        return nullptr;
    }
    // A quoted name from the shell loses its quotes.
    CString strName(lpszFileName);
    if (strName.GetLength() >= 2 && strName[0] == '"') {
        strName = strName.Mid(1);
        const int nQuote = strName.Find('"');
        if (nQuote >= 0) {
            strName = strName.Left(nQuote);
        }
    }
    char szPath[MAX_PATH];
    LPSTR pFilePart = nullptr;
    const DWORD nLen = ::GetFullPathNameA(strName, MAX_PATH, szPath, &pFilePart);
    if (nLen == 0 || nLen >= MAX_PATH) {
        lstrcpynA(szPath, strName, MAX_PATH);
    }

    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    for (CDocTemplate* pTemplate : m_templateList) {
        CDocument* pMatch = nullptr;
        const CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pMatch);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pMatch;
            break;
        }
    }

    if (pOpenDocument != nullptr) {
        // Already open: bring its first frame forward.
        POSITION pos = pOpenDocument->GetFirstViewPosition();
        CView* pView = pos != nullptr ? pOpenDocument->GetNextView(pos) : nullptr;
        CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
        if (pFrame != nullptr) {
            pFrame->ActivateFrame();
        }
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != nullptr && pMainWnd != pFrame && pMainWnd->IsFrameWnd()) {
            static_cast<CFrameWnd*>(pMainWnd)->ActivateFrame();
        }
        return pOpenDocument;
    }
    if (pBestTemplate == nullptr) {
        AfxMessageBox(kFailedToOpen, MB_ICONEXCLAMATION);
        return nullptr;
    }
    return pBestTemplate->OpenDocumentFile(szPath);
}

BOOL CDocManager::SaveAllModified()
{
    for (CDocTemplate* pTemplate : m_templateList) {
        if (!pTemplate->SaveAllModified()) {
            return FALSE;
        }
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* pTemplate : m_templateList) {
        pTemplate->CloseAllDocuments(bEndSession);
    }
}
