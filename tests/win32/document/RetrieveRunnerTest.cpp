// Retrievals run by the runner with a real worker thread behind a real progress window, and the
// document's own retrieval steps.

#include "document/RetrieveRunner.h"

#include <thread>

#include "res/resource.h"
#include "tests/support/ExpectSequence.h"
#include "tests/support/PictureHarness.h"

using namespace picturetest;

namespace {

// A runner that records what the progress window was told, and can be made to fail.
class CRecordingRunner : public CRetrieveRunner
{
public:
    CRecordingRunner(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg, std::vector<BOOL>& enables)
        : CRetrieveRunner(pMainWnd, rpProgressDlg,
                          [&enables](BOOL bEnable) { enables.push_back(bEnable); })
    {
    }

    bool failProgressWindow = false;
    bool failWorker = false;
    // Run right after the progress window is up, before the worker starts.
    std::function<void()> beforeWorker;
    CProgressRecorder recorder;
    HWND progressWindow = nullptr;

protected:
    BOOL CreateProgressWindow(CProgressDlg* pProgressDlg) override
    {
        if (failProgressWindow) {
            return FALSE;
        }
        if (!CRetrieveRunner::CreateProgressWindow(pProgressDlg)) {
            return FALSE;
        }
        progressWindow = pProgressDlg->m_hWnd;
        recorder.Attach(pProgressDlg);
        return TRUE;
    }
    CWinThread* BeginWorker(RetrieveJob* pJob) override
    {
        if (beforeWorker) {
            beforeWorker();
        }
        return failWorker ? nullptr : CRetrieveRunner::BeginWorker(pJob);
    }
};

// The main window and the tool windows are disabled for a run and enabled again after it.
const BOOL kRunEnables[] = {FALSE, TRUE};

class RetrieveRunnerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(harness.view, nullptr); }

    CViewHarness harness;
    CProgressDlg* progressDlg = nullptr;
    std::vector<BOOL> enables;
};

// The bar takes a position at once and draws it when its thread is idle, so that positions sent
// faster than it can draw do not each wait for a drawing.
TEST_F(RetrieveRunnerTest, TheProgressBarDrawsItsPositionWhenIdle)
{
    CProgressDlg progress(nullptr);
    ASSERT_TRUE(progress.Create(IDD_PROGRESS, harness.frame));
    progress.ShowWindow(SW_SHOW);
    Pump();
    HWND hBar = ::GetDlgItem(progress.m_hWnd, IDC_PROGRESS_BAR);
    EXPECT_EQ(::SendMessageA(hBar, PBM_SETPOS, 40, 0), 0) << "the previous position";
    EXPECT_EQ(::SendMessageA(hBar, PBM_GETPOS, 0, 0), 40);
    EXPECT_TRUE(::GetUpdateRect(hBar, nullptr, FALSE)) << "not drawn inside PBM_SETPOS";
    Pump();
    EXPECT_FALSE(::GetUpdateRect(hBar, nullptr, FALSE)) << "drawn once the thread was idle";
    progress.DestroyWindow();
}

TEST_F(RetrieveRunnerTest, RefreshRetrievesTheTargetBehindTheProgressWindow)
{
    const ProcessRecord* pRecord = TargetRecord();
    ASSERT_NE(pRecord, nullptr);
    harness.document->SetTarget(&Env().catalogue, pRecord->processId);
    harness.document->m_bRetrievePending = FALSE; // the refresh marks it again

    // The window's text and caption are set once.
    static const char* const kRefreshTexts[] = {
        "Retrieving memory map for process: VexoTarget.exe"};
    // 0 as the window opens, 10 after the walk, the composition's 10 to 99, then 100.
    static const std::vector<int> kRefreshPositions =
        expectsequence::Joined({{0, 10}, expectsequence::Run(10, 99), {100}});
    CRecordingRunner runner(harness.frame, progressDlg, enables);
    runner.RefreshView(harness.view);

    EXPECT_SEQUENCE(kRunEnables, enables);
    EXPECT_EQ(progressDlg, nullptr);
    EXPECT_FALSE(::IsWindow(runner.progressWindow));
    EXPECT_SEQUENCE(kRefreshTexts, runner.recorder.texts);
    EXPECT_SEQUENCE(kRefreshTexts, runner.recorder.captions);
    EXPECT_SEQUENCE(kRefreshPositions, runner.recorder.positions);

    EXPECT_EQ(harness.document->GetTitle(), pRecord->moduleNames[0].c_str());
    EXPECT_FALSE(harness.document->m_bRetrievePending);
    EXPECT_EQ(harness.view->GetModuleLabelCount(), pRecord->moduleCount);
    const uint32_t reserved = Env().target.Address("reserve_rest");
    EXPECT_EQ(harness.view->GetImageControl()->GetPixelColor((reserved >> 12) & 0x3FF,
                                                             1023 - (reserved >> 22)),
              0xFF0000);
}

TEST_F(RetrieveRunnerTest, TwoViewsComposeInTurnAndUnpendingDocumentsAreLeftAlone)
{
    // Each view's composition runs from 10 to 99: the second starts over.
    static const std::vector<int> kTwoViewPositions = expectsequence::Joined(
        {{0, 10}, expectsequence::Run(10, 99), expectsequence::Run(10, 99), {100}});
    CVexoProcessViewerView* pSecond = harness.AddView();
    ASSERT_NE(pSecond, nullptr);
    harness.document->SetTarget(&Env().catalogue, Env().target.GetProcessId());
    {
        CRecordingRunner runner(harness.frame, progressDlg, enables);
        ASSERT_TRUE(runner.RunDocument(harness.document));
        EXPECT_SEQUENCE(kTwoViewPositions, runner.recorder.positions);
    }
    const int labels = pSecond->GetModuleLabelCount();
    EXPECT_GT(labels, 0);

    // Not pending: the worker does nothing, yet the labels go and the title is set again.
    harness.document->SetTitle("before");
    CRecordingRunner runner(harness.frame, progressDlg, enables);
    ASSERT_TRUE(runner.RunDocument(harness.document));
    EXPECT_TRUE(runner.recorder.positions.empty());
    EXPECT_TRUE(runner.recorder.texts.empty());
    EXPECT_EQ(pSecond->GetModuleLabelCount(), 0);
    EXPECT_EQ(harness.document->GetTitle(), TargetRecord()->moduleNames[0].c_str());
}

TEST_F(RetrieveRunnerTest, ProcessesWithoutAUsableNameAreTitledModuleNameUnavailable)
{
    // An identifier that is not in the catalogue.
    static const char* const kUnknownProcessTexts[] = {
        "Retrieving memory map for process: 0xfffffff0"};
    harness.document->SetTarget(&Env().catalogue, 0xFFFFFFF0u);
    CRecordingRunner runner(harness.frame, progressDlg, enables);
    runner.RefreshView(harness.view);
    EXPECT_EQ(harness.document->GetTitle(), "Module name unavailable");
    EXPECT_SEQUENCE(kUnknownProcessTexts, runner.recorder.texts);
    EXPECT_EQ(harness.view->GetModuleLabelCount(), 0);

    // A process whose modules cannot be listed (here the system's 64-bit processes).
    for (int i = 0; i < Env().catalogue.GetCount(); ++i) {
        const ProcessRecord* pRecord = Env().catalogue.GetAt(i);
        if (pRecord->moduleCount != 0) {
            continue;
        }
        harness.document->SetTarget(&Env().catalogue, pRecord->processId);
        CRecordingRunner other(harness.frame, progressDlg, enables);
        other.RefreshView(harness.view);
        EXPECT_EQ(harness.document->GetTitle(), "Module name unavailable");
        return;
    }
    std::printf("no process without modules in the catalogue; that case was not run\n");
}

TEST_F(RetrieveRunnerTest, FailuresToMakeTheWindowOrTheWorkerLeaveNothingBehind)
{
    harness.document->SetTarget(&Env().catalogue, Env().target.GetProcessId());
    harness.document->SetTitle("untouched");
    {
        CRecordingRunner runner(harness.frame, progressDlg, enables);
        runner.failProgressWindow = true;
        runner.RefreshView(harness.view);
    }
    EXPECT_SEQUENCE(kRunEnables, enables);
    EXPECT_EQ(progressDlg, nullptr);
    EXPECT_TRUE(harness.document->m_bRetrievePending) << "still to be retrieved";
    EXPECT_EQ(harness.document->GetTitle(), "untouched");

    enables.clear();
    {
        CRecordingRunner runner(harness.frame, progressDlg, enables);
        runner.failWorker = true;
        runner.RefreshView(harness.view);
        EXPECT_NE(runner.progressWindow, (HWND) nullptr);
        EXPECT_FALSE(::IsWindow(runner.progressWindow));
    }
    EXPECT_SEQUENCE(kRunEnables, enables);
    EXPECT_EQ(progressDlg, nullptr);
    EXPECT_EQ(harness.document->GetTitle(), "untouched");
}

TEST_F(RetrieveRunnerTest, ATargetThatExitsDuringTheRunIsSurvived)
{
    CTargetProcess second;
    std::string error;
    ASSERT_TRUE(second.Start(&error)) << error;
    CProcessCatalogue catalogue;
    ASSERT_EQ(catalogue.Refresh(), 0);
    harness.document->SetTarget(&catalogue, second.GetProcessId());

    // Ended from outside while the worker walks and composes.
    std::thread killer;
    const DWORD processId = second.GetProcessId();
    CRecordingRunner runner(harness.frame, progressDlg, enables);
    runner.beforeWorker = [&killer, processId] {
        killer = std::thread([processId] {
            ::Sleep(20);
            HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, processId);
            if (process != nullptr) {
                ::TerminateProcess(process, 3);
                ::CloseHandle(process);
            }
        });
    };
    runner.RefreshView(harness.view);
    killer.join();
    EXPECT_EQ(second.Stop(), 3) << "the target was ended from outside";
    EXPECT_EQ(runner.recorder.positions.back(), 100);
    EXPECT_EQ(progressDlg, nullptr);
    // The catalogue still knows it: the title is its path.
    EXPECT_NE(std::string(harness.document->GetTitle()).find("VexoTarget.exe"), std::string::npos);
}

TEST_F(RetrieveRunnerTest, AQuitRequestDuringARunReachesTheMessageLoopAfterwards)
{
    harness.document->SetTarget(&Env().catalogue, Env().target.GetProcessId());
    ::PostQuitMessage(7);
    {
        CRecordingRunner runner(harness.frame, progressDlg, enables);
        runner.RefreshView(harness.view);
    }
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(VexoProcessViewerDocTest, NewDocumentHasNoTargetAndRetrievesNothing)
{
    CViewHarness harness;
    ASSERT_NE(harness.view, nullptr);
    EXPECT_EQ(harness.document->m_pCatalogue, nullptr);
    EXPECT_EQ(harness.document->m_dwProcessId, 0u);
    EXPECT_FALSE(harness.document->m_bRetrievePending);
    EXPECT_FALSE(harness.document->RetrieveMemoryMap(nullptr));

    harness.document->SetTarget(&Env().catalogue, 1234);
    EXPECT_TRUE(harness.document->m_bRetrievePending);
    EXPECT_TRUE(harness.document->RetrieveMemoryMap(nullptr));
    EXPECT_FALSE(harness.document->m_bRetrievePending);
    EXPECT_FALSE(harness.document->RetrieveMemoryMap(nullptr)) << "nothing pending any more";
}

} // namespace
