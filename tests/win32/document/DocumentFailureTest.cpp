// What the document and the runner do when memory, the worker or the thread's exit code fail
// them: each run still ends, nothing is left behind, and the user sees a consistent outcome.

#include <atomic>
#include <cstdio>
#include <new>
#include <thread>

#include "document/DumpFormat.h"
#include "document/RetrieveRunner.h"
#include "tests/support/ExpectSequence.h"
#include "tests/support/PictureHarness.h"

using namespace picturetest;

namespace {

// The next nothrow array allocation of exactly this many bytes fails (0: none does).
std::atomic<size_t> g_failArraySize(0);

} // namespace

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    size_t expected = size;
    if (size != 0 && g_failArraySize.compare_exchange_strong(expected, 0)) {
        return nullptr;
    }
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}

namespace {

class CRunner : public CRetrieveRunner
{
public:
    CRunner(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg, std::vector<BOOL>& enables)
        : CRetrieveRunner(pMainWnd, rpProgressDlg,
                          [&enables](BOOL bEnable) { enables.push_back(bEnable); })
    {
    }
    bool failResume = false;

protected:
    bool ResumeWorker(CWinThread* pThread) override
    {
        return failResume ? false : CRetrieveRunner::ResumeWorker(pThread);
    }
};

long ColourAt(CVexoProcessViewerView* pView, uint32_t address)
{
    return pView->GetImageControl()->GetPixelColor((address >> 12) & 0x3FF,
                                                   1023 - static_cast<long>(address >> 22));
}

// Closes the first message box of this process that appears and keeps its text.
class CMessageBoxCloser
{
public:
    CMessageBoxCloser()
        : m_thread([this] {
              for (int i = 0; i < 2000 && m_text.empty(); ++i) {
                  ::EnumWindows(&CMessageBoxCloser::Visit, reinterpret_cast<LPARAM>(this));
                  ::Sleep(10);
              }
          })
    {
    }
    ~CMessageBoxCloser() { Join(); }
    void Join()
    {
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    const std::string& Text() const { return m_text; }

private:
    static BOOL CALLBACK Visit(HWND hwnd, LPARAM lParam)
    {
        CMessageBoxCloser* pThis = reinterpret_cast<CMessageBoxCloser*>(lParam);
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hwnd, &processId);
        char className[16] = {};
        ::GetClassNameA(hwnd, className, sizeof className);
        if (processId != ::GetCurrentProcessId() || lstrcmpA(className, "#32770") != 0 ||
            !::IsWindowVisible(hwnd)) {
            return TRUE;
        }
        char text[256] = {};
        ::GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);
        pThis->m_text = text[0] != '\0' ? text : "(no text)";
        ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
        return FALSE;
    }

    std::string m_text;
    std::thread m_thread;
};

// The main window and the tool windows are disabled for a run and enabled again after it.
const BOOL kRunEnables[] = {FALSE, TRUE};

class DocumentFailureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(harness.view, nullptr);
        ASSERT_NE(TargetRecord(), nullptr);
        harness.document->SetTarget(&Env().catalogue, Env().target.GetProcessId());
    }
    void TearDown() override { g_failArraySize = 0; }

    CViewHarness harness;
    CProgressDlg* progressDlg = nullptr;
    std::vector<BOOL> enables;
};

TEST_F(DocumentFailureTest, WithoutMemoryForThePageMapTheNewProcessShowsAsUnreadable)
{
    // First a real picture, so that an old picture would show through.
    {
        CRunner runner(harness.frame, progressDlg, enables);
        runner.RefreshView(harness.view);
    }
    const uint32_t committed = Env().target.Address("reserve_commit");
    ASSERT_EQ(ColourAt(harness.view, committed), 0x0000FF);
    harness.document->SetTitle("old");

    g_failArraySize = Env().catalogue.GetPageCount() * sizeof(uint32_t);
    {
        CRunner runner(harness.frame, progressDlg, enables);
        runner.RefreshView(harness.view);
    }
    EXPECT_EQ(g_failArraySize, 0u) << "the page map's allocation was the one refused";
    EXPECT_EQ(ColourAt(harness.view, committed), 0xBEBEBE) << "grey, not the old picture";
    EXPECT_EQ(harness.document->GetTitle(), TargetRecord()->moduleNames[0].c_str());
    EXPECT_FALSE(harness.document->m_bRetrievePending);
}

TEST_F(DocumentFailureTest, AWorkerThatCannotBeResumedLeavesTheDocumentPendingAndTheWindowsEnabled)
{
    harness.document->SetTitle("untouched");
    {
        CRunner runner(harness.frame, progressDlg, enables);
        runner.failResume = true;
        EXPECT_FALSE(runner.RunDocument(harness.document));
    }
    EXPECT_EQ(progressDlg, nullptr);
    EXPECT_TRUE(harness.document->m_bRetrievePending);
    EXPECT_FALSE(harness.document->IsRetrieving());
    EXPECT_EQ(harness.document->GetTitle(), "untouched");

    enables.clear();
    {
        CRunner runner(harness.frame, progressDlg, enables);
        runner.failResume = true;
        runner.RefreshView(harness.view);
    }
    EXPECT_SEQUENCE(kRunEnables, enables) << "enabled again afterwards";
}

DWORD WINAPI SleepAWhile(LPVOID)
{
    ::Sleep(300);
    return 0;
}

// A handle that may only be waited on cannot read the exit code: the pump then waits for the
// handle instead of taking the worker for ended at once.
TEST(RetrieveRunnerPumpTest, AWorkerWhoseExitCodeCannotBeReadIsWaitedForByItsHandle)
{
    HANDLE worker = ::CreateThread(nullptr, 0, &SleepAWhile, nullptr, 0, nullptr);
    ASSERT_NE(worker, (HANDLE) nullptr);
    HANDLE waitOnly = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), worker, ::GetCurrentProcess(), &waitOnly,
                                  SYNCHRONIZE, FALSE, 0));
    DWORD exitCode = 0;
    ASSERT_FALSE(::GetExitCodeThread(waitOnly, &exitCode)) << "the handle lacks the query right";

    CRetrieveRunner::PumpUntilEnded(waitOnly, nullptr);
    EXPECT_EQ(::WaitForSingleObject(worker, 0), WAIT_OBJECT_0);
    ::CloseHandle(waitOnly);
    ::CloseHandle(worker);
}

TEST_F(DocumentFailureTest, ADumpWithoutMemoryForItsBuffersSaysItFailed)
{
    char folder[MAX_PATH];
    ::GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "vexo-failed-dump.txt";
    g_failArraySize = kDumpPageSize + 1;
    CMessageBoxCloser closer;
    EXPECT_FALSE(harness.document->OnSaveDocument(path.c_str()));
    closer.Join();
    EXPECT_EQ(closer.Text(), "Failed to save document.");
    ::DeleteFileA(path.c_str());
}

} // namespace
