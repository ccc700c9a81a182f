// CWinApp's document handling: the templates (through the document manager), the new,
// open and printer-setup commands, the command line, printer defaults and the recent files.
#include "framework/AfxRes.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CDocManager.h"
#include "framework/CDocTemplate.h"
#include "framework/CPrintDialog.h"
#include "framework/CRecentFileList.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"

#include <stdlib.h>

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == nullptr) {
        m_pDocManager = new CDocManager;
    }
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager != nullptr ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    if (m_pDocManager == nullptr) {
        pos = nullptr;
        return nullptr;
    }
    return m_pDocManager->GetNextDocTemplate(pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    return m_pDocManager != nullptr ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

// The list is written back at once, so the settings hold it even if the program never
// reaches its normal end.
void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList == nullptr) {
        return;
    }
    m_pRecentFileList->Add(lpszPathName);
    m_pRecentFileList->WriteList();
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager == nullptr || m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != nullptr) {
        m_pDocManager->CloseAllDocuments(bEndSession);
    }
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != nullptr) {
        m_pDocManager->OnFileNew();
    }
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager != nullptr) {
        m_pDocManager->OnFileOpen();
    }
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    const int nIndex = (int)nID - ID_FILE_MRU_FILE1;
    if (m_pRecentFileList == nullptr || nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() ||
        (*m_pRecentFileList)[nIndex].IsEmpty()) {
        return FALSE;
    }
    if (OpenDocumentFile((*m_pRecentFileList)[nIndex]) == nullptr) {
        m_pRecentFileList->Remove(nIndex); // the file is gone
    }
    return TRUE;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr) {
        m_pMainWnd->SendMessage(WM_CLOSE);
    }
}

// ---- Command line -----------------------------------------------------------------------------

// Each argument in turn; a leading '-' or '/' makes it a flag.
void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; i++) {
        LPCSTR pszParam = __argv[i];
        BOOL bFlag = FALSE;
        if (pszParam[0] == '-' || pszParam[0] == '/') {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, i + 1 == __argc);
    }
}

// New document, open a file, or print a file and end. FALSE ends the program's start-up.
BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) {
            OnFileNew();
        }
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        // Printed on the default printer, then the program ends.
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr && m_pMainWnd != nullptr) {
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        }
        return FALSE;
    case CCommandLineInfo::AppUnregister:
        return FALSE; // nothing is registered; just end
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::FileNothing:
    default:
        return TRUE;
    }
}

// ---- Printer selection ------------------------------------------------------------------------

// The program's printer (the system default until the user picks another).
BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg)
{
    if (m_hDevNames == nullptr) {
        CPrintDialog pd(TRUE);
        if (pd.GetDefaults()) {
            m_hDevMode = pd.m_pd.hDevMode;
            m_hDevNames = pd.m_pd.hDevNames;
        }
    }
    if (m_hDevNames == nullptr) {
        return FALSE;
    }
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return TRUE;
}

// Runs a print or print-setup dialog on the program's printer and keeps the user's choice.
int CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    const int nResponse = (int)pPD->DoModal();
    m_hDevMode = pPD->m_pd.hDevMode;
    m_hDevNames = pPD->m_pd.hDevNames;
    return nResponse;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog pd(TRUE);
    DoPrintDialog(&pd);
}

// ---- Clean-up ---------------------------------------------------------------------------------

void CWinApp::ReleaseDocManagerAndProfile()
{
    delete m_pDocManager;
    m_pDocManager = nullptr;
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    free(const_cast<LPSTR>(m_pszRegistryKey));
    m_pszRegistryKey = nullptr;
    free(const_cast<LPSTR>(m_pszProfileName));
    m_pszProfileName = nullptr;
    if (m_hDevMode != nullptr) {
        ::GlobalFree(m_hDevMode);
    }
    m_hDevMode = nullptr;
    if (m_hDevNames != nullptr) {
        ::GlobalFree(m_hDevNames);
    }
    m_hDevNames = nullptr;
}
