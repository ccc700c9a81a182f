// The application: the one CWinApp object of the program, constructed statically. WinMain
// finds it, calls InitInstance, and runs its message loop.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "framework/AfxGlobals.h"
#include "framework/CString.h"
#include "framework/CWinThread.h"

class CCommandLineInfo;
class CDocManager;
class CDocTemplate;
class CDocument;
class CPrintDialog;
class CRecentFileList;

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // A NULL name means the string resource AFX_IDS_APP_TITLE (else the executable's name).
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCSTR m_pszAppName; // the application's title
    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCSTR m_pszExeName; // file name of the executable without extension

    BOOL InitInstance() override;
    int ExitInstance() override; // saves the standard profile settings
    BOOL OnIdle(LONG lCount) override;
    BOOL Enable3dControls() { return TRUE; }

    // Shows a message box for AfxMessageBox: owned by the main window, titled with the
    // application's name.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // ---- Implemented with the document manager (WinAppDoc.cpp) --------------------------
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual void AddToRecentFileList(LPCSTR lpszPathName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg);
    int DoPrintDialog(CPrintDialog* pPD);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();
    afx_msg BOOL OnOpenRecentFile(UINT nID); // ID_FILE_MRU_FILE1..16, in CWinApp's map
    afx_msg void OnAppExit(); // ID_APP_EXIT, in CWinApp's map: closes the main window
    CDocManager* m_pDocManager;
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;

    // ---- Implemented with the profile settings (WinAppProfile.cpp) ----------------------
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    LPCSTR m_pszRegistryKey;
    LPCSTR m_pszProfileName;
    CRecentFileList* m_pRecentFileList;

protected:
    DECLARE_MESSAGE_MAP()

    CString m_strAppName;
    CString m_strExeName;

private:
    friend BOOL AfxWinInit(HINSTANCE, HINSTANCE, LPSTR, int);
    void SetCurrentHandles();
    // Frees what the document manager and the profile settings hold; defined with them.
    void ReleaseDocManagerAndProfile();
};
