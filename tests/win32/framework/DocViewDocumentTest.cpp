// Documents and files on real windows: saving and opening through Serialize, the save-error
// message, the Open dialog, the recent-file list in the registry and the print dialogs.
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "DocViewTestApp.h"

namespace {

const char kRegistryKey[] = "VexoFrameworkDocviewTests";

std::string TempPath(const char* pszName)
{
    char szDir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    return std::string(szDir) + pszName;
}

std::string ReadFileBytes(const std::string& strPath)
{
    std::ifstream in(strPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int CountDocuments()
{
    int nDocs = 0;
    for (POSITION pos = g_pTemplate->GetFirstDocPosition(); pos != nullptr;
         g_pTemplate->GetNextDoc(pos)) {
        ++nDocs;
    }
    return nDocs;
}

class DocViewDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = SetUpFrame();
        ASSERT_NE(nullptr, m_pFrame);
        m_strFile = TempPath("vexo_docview_test.dat");
        ::DeleteFileA(m_strFile.c_str());
    }
    void TearDown() override
    {
        TearDownFrame();
        ::DeleteFileA(m_strFile.c_str());
    }
    CTestDoc* NewDocument()
    {
        m_pFrame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        PumpMessages();
        CMDIChildWnd* pChild = m_pFrame->MDIGetActive();
        return pChild != nullptr ? static_cast<CTestDoc*>(pChild->GetActiveDocument()) : nullptr;
    }

    CTestMainFrame* m_pFrame = nullptr;
    std::string m_strFile;
};

TEST_F(DocViewDocumentTest, SaveWritesThroughSerializeAndClearsTheModifiedFlag)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strContent = "hello";
    pDoc->SetModifiedFlag(TRUE);
    ASSERT_TRUE(pDoc->OnSaveDocument(m_strFile.c_str()));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(std::string("\x05hello", 6), ReadFileBytes(m_strFile));

    // Saving again truncates what was there.
    pDoc->m_strContent = "hi";
    ASSERT_TRUE(pDoc->OnSaveDocument(m_strFile.c_str()));
    EXPECT_EQ(std::string("\x02hi", 3), ReadFileBytes(m_strFile));
}

TEST_F(DocViewDocumentTest, SaveToAnUnwritablePathShowsTheSaveErrorAndFails)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    pDoc->SetModifiedFlag(TRUE);
    DialogCloser closer("DocviewTest", IDOK);
    EXPECT_FALSE(pDoc->OnSaveDocument("C:\\vexo-no-such-directory\\sub\\file.dat"));
    EXPECT_EQ("Failed to save document.", closer.Result());
    EXPECT_TRUE(pDoc->IsModified());
}

TEST_F(DocViewDocumentTest, OpeningAFileReadsItIntoANewDocumentOnce)
{
    {
        CTestDoc* pDoc = NewDocument();
        ASSERT_NE(nullptr, pDoc);
        pDoc->m_strContent = "stored text";
        ASSERT_TRUE(pDoc->OnSaveDocument(m_strFile.c_str()));
        theTestApp.CloseAllDocuments(FALSE);
        PumpMessages();
    }
    CTestDoc* pDoc = static_cast<CTestDoc*>(theTestApp.OpenDocumentFile(m_strFile.c_str()));
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ("stored text", std::string(pDoc->m_strContent));
    EXPECT_EQ(0, lstrcmpiA(m_strFile.c_str(), pDoc->GetPathName()));
    char szTitle[MAX_PATH];
    ASSERT_EQ(0, ::GetFileTitleA(m_strFile.c_str(), szTitle, MAX_PATH));
    EXPECT_EQ(std::string(szTitle), pDoc->GetTitle().str());
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(pDoc, m_pFrame->MDIGetActive()->GetActiveDocument());

    // The same file again is the open document, not a second one.
    EXPECT_EQ(pDoc, theTestApp.OpenDocumentFile(m_strFile.c_str()));
    EXPECT_EQ(1, CountDocuments());
}

TEST_F(DocViewDocumentTest, AFileThatCannotBeOpenedLeavesNoDocument)
{
    DialogCloser closer("DocviewTest", IDOK);
    EXPECT_EQ(nullptr, theTestApp.OpenDocumentFile(TempPath("vexo_no_such_file.dat").c_str()));
    EXPECT_EQ("Failed to open document.", closer.Result());
    EXPECT_EQ(0, CountDocuments());
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
}

TEST_F(DocViewDocumentTest, OpenCommandAsksWithTheStandardDialog)
{
    {
        CTestDoc* pDoc = NewDocument();
        ASSERT_NE(nullptr, pDoc);
        pDoc->m_strContent = "picked";
        ASSERT_TRUE(pDoc->OnSaveDocument(m_strFile.c_str()));
        theTestApp.CloseAllDocuments(FALSE);
    }
    {
        // Cancelled: nothing opens. The template names no file type, so the dialog offers
        // all files (its file type box is cmb1).
        DialogCloser closer("Open", IDCANCEL, 10000, 0, nullptr, 0x470);
        m_pFrame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
        EXPECT_EQ("All Files (*.*)", closer.Result());
        EXPECT_EQ(0, CountDocuments());
    }
    // A file name typed into the dialog (its file-name box is cmb13) opens that file.
    DialogCloser closer("Open", IDOK, 10000, 0x47C, m_strFile.c_str());
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
    ASSERT_TRUE(closer.Seen());
    PumpMessages();
    ASSERT_EQ(1, CountDocuments());
    CTestDoc* pDoc = static_cast<CTestDoc*>(m_pFrame->MDIGetActive()->GetActiveDocument());
    EXPECT_EQ("picked", std::string(pDoc->m_strContent));
}

TEST_F(DocViewDocumentTest, SettingsAndRecentFilesLiveInTheRegistry)
{
    theTestApp.SetRegistryKey(kRegistryKey);
    theTestApp.LoadStdProfileSettings(2);
    const std::string strAppKey = std::string("Software\\") + kRegistryKey + "\\DocviewTest";
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, (strAppKey + "\\Settings").c_str(),
                                             0, KEY_READ, &hKey));
    ::RegCloseKey(hKey);

    EXPECT_TRUE(theTestApp.WriteProfileInt("Settings", "Answer", 42));
    DWORD dwValue = 0;
    DWORD dwSize = sizeof(dwValue);
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegGetValueA(HKEY_CURRENT_USER, (strAppKey + "\\Settings").c_str(), "Answer",
                             RRF_RT_REG_DWORD, nullptr, &dwValue, &dwSize));
    EXPECT_EQ(42u, dwValue);
    EXPECT_EQ(42u, theTestApp.GetProfileInt("Settings", "Answer", 7));
    EXPECT_EQ(7u, theTestApp.GetProfileInt("Settings", "Missing", 7));
    EXPECT_TRUE(theTestApp.WriteProfileString("Settings", "Name", "value"));
    EXPECT_EQ("value", theTestApp.GetProfileString("Settings", "Name").str());
    EXPECT_TRUE(theTestApp.WriteProfileString("Settings", "Name", nullptr));
    EXPECT_EQ("gone", theTestApp.GetProfileString("Settings", "Name", "gone").str());

    // Opened files go to the front of the list, which is stored at once and at exit.
    const std::string strOther = TempPath("vexo_docview_other.dat");
    for (const std::string& strPath : {m_strFile, strOther}) {
        CTestDoc* pDoc = NewDocument();
        ASSERT_NE(nullptr, pDoc);
        ASSERT_TRUE(pDoc->OnSaveDocument(strPath.c_str()));
        theTestApp.CloseAllDocuments(FALSE);
        ASSERT_NE(nullptr, theTestApp.OpenDocumentFile(strPath.c_str()));
    }
    ASSERT_NE(nullptr, theTestApp.OpenDocumentFile(m_strFile.c_str())); // already open
    theTestApp.AddToRecentFileList(m_strFile.c_str());
    theTestApp.SaveStdProfileSettings();
    char szValue[MAX_PATH] = "";
    DWORD cbValue = sizeof(szValue);
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegGetValueA(HKEY_CURRENT_USER, (strAppKey + "\\Recent File List").c_str(), "File1",
                             RRF_RT_REG_SZ, nullptr, szValue, &cbValue));
    EXPECT_EQ(0, lstrcmpiA(m_strFile.c_str(), szValue));
    cbValue = sizeof(szValue);
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegGetValueA(HKEY_CURRENT_USER, (strAppKey + "\\Recent File List").c_str(), "File2",
                             RRF_RT_REG_SZ, nullptr, szValue, &cbValue));
    EXPECT_EQ(0, lstrcmpiA(strOther.c_str(), szValue));

    // The first entry is the File MRU 1 command.
    theTestApp.CloseAllDocuments(FALSE);
    EXPECT_TRUE(theTestApp.OnCmdMsg(ID_FILE_MRU_FILE1, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(1, CountDocuments());

    ::DeleteFileA(strOther.c_str());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kRegistryKey).c_str());
}

TEST_F(DocViewDocumentTest, PrintAndPrintSetupUseTheStandardDialogs)
{
    // This machine has no printer: the standard dialogs say so and nothing is printed.
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    POSITION pos = pDoc->GetFirstViewPosition();
    CTestView* pView = static_cast<CTestView*>(pDoc->GetNextView(pos));
    {
        DialogCloser closer("Print", IDCANCEL);
        m_pFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
        EXPECT_TRUE(closer.Seen());
    }
    EXPECT_EQ(1, pView->m_nPreparePrinting);
    EXPECT_EQ(0, pView->m_nBeginPrinting);
    {
        DialogCloser closer("Print", IDCANCEL);
        m_pFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_SETUP);
        EXPECT_TRUE(closer.Seen());
    }
    EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));
    EXPECT_TRUE(m_pFrame->IsWindowEnabled());

    // A DC on which no print job starts: the user is told, and the view's printing ends.
    pView->m_bOwnPrinterDC = TRUE;
    DialogCloser closer("DocviewTest", IDOK);
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ("Failed to start printing.", closer.Result());
    EXPECT_EQ(1, pView->m_nBeginPrinting);
    EXPECT_EQ(1, pView->m_nEndPrinting);
    EXPECT_TRUE(m_pFrame->IsWindowEnabled());
}

TEST(CCommandLineInfoTest, ArgumentsChooseTheShellCommand)
{
    CCommandLineInfo none;
    EXPECT_EQ(CCommandLineInfo::FileNew, none.m_nShellCommand);

    CCommandLineInfo open;
    open.ParseParam("C:\\some file.dat", FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FileOpen, open.m_nShellCommand);
    EXPECT_EQ("C:\\some file.dat", open.m_strFileName.str());

    CCommandLineInfo print;
    print.ParseParam("p", TRUE, FALSE);
    print.ParseParam("doc.dat", FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FilePrint, print.m_nShellCommand);
    EXPECT_EQ("doc.dat", print.m_strFileName.str());

    CCommandLineInfo printTo;
    for (const char* pszArg : {"doc.dat", "printer", "driver", "port"}) {
        printTo.ParseParam(pszArg, FALSE, FALSE);
    }
    printTo.ParseParam("pt", TRUE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FilePrintTo, printTo.m_nShellCommand);
}

TEST_F(DocViewDocumentTest, ShellCommandNewMakesTheFirstDocument)
{
    CCommandLineInfo info;
    EXPECT_TRUE(theTestApp.ProcessShellCommand(info));
    EXPECT_EQ(1, CountDocuments());
    info.m_nShellCommand = CCommandLineInfo::FileOpen;
    info.m_strFileName = TempPath("vexo_no_such_file.dat").c_str();
    DialogCloser closer("DocviewTest", IDOK);
    EXPECT_FALSE(theTestApp.ProcessShellCommand(info));
    EXPECT_FALSE(closer.Result().empty());
}

} // namespace
