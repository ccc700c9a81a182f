// Times one full retrieval of the helper target (page-map walk, composition of one view into the
// image control, progress updates, the picture's paint) under the real runner, with the pixels
// handed over in runs and, the old way, one control call per pixel; takes a retrieval apart into
// its steps; and compares with what a progress update for every page would cost. With --dump it
// instead saves the target's text dump into the current folder and prints how long that took.
// Prints figures; checks nothing.
//
//   vexo_retrieval_bench [runs] [--messages N]
//   vexo_retrieval_bench --dump

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "document/RetrieveRunner.h"
#include "document/VexoProcessViewerDoc.h"
#include "framework/Afx.h"
#include "imagectl/ImageControlIds.h"
#include "inspect/ProcessCatalogue.h"
#include "res/resource.h"
#include "tests/support/BenchTiming.h"
#include "tests/support/TargetProcess.h"
#include "tools/MemoryContentsDlg.h"
#include "view/ProgressDlg.h"
#include "view/VexoProcessViewerView.h"

namespace {

using bench::Clock;
using bench::Median;
using bench::Pump;
using bench::SecondsSince;

// Median of runs timings of one action.
double MedianTime(int runs, const std::function<void()>& action)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        action();
        times.push_back(SecondsSince(start));
    }
    return Median(times);
}

struct SendJob
{
    HWND bar;
    int count;
};

UINT SendPositions(LPVOID pParam)
{
    SendJob* pJob = static_cast<SendJob*>(pParam);
    // Positions as a per-page update would send them: mostly unchanged, 90 steps in all.
    for (int i = 0; i < pJob->count; ++i) {
        ::SendMessageA(pJob->bar, PBM_SETPOS, 10 + (i * 90LL) / pJob->count, 0);
    }
    return 0;
}

struct ProgressJob
{
    HWND dialog;
    bool waitForEachPosition;
};

// What a retrieval tells its progress window: the text (line and caption), then 0, 10, the
// composition's 10 ... 99, and 100. The composition's positions go out without waiting, as the
// program sends them, or each waited for, as it did before.
UINT SendRetrievalProgress(LPVOID pParam)
{
    const ProgressJob* pJob = static_cast<const ProgressJob*>(pParam);
    const char text[] = "Retrieving memory map for process: VexoTarget.exe";
    ::SetDlgItemTextA(pJob->dialog, IDC_PROGRESS_TEXT, text);
    ::SetWindowTextA(pJob->dialog, text);
    HWND hBar = ::GetDlgItem(pJob->dialog, IDC_PROGRESS_BAR);
    ::SendMessageA(hBar, PBM_SETPOS, 0, 0);
    ::SendMessageA(hBar, PBM_SETPOS, 10, 0);
    for (int position = 10; position < 100; ++position) {
        if (pJob->waitForEachPosition) {
            ::SendMessageA(hBar, PBM_SETPOS, position, 0);
        } else {
            ::SendNotifyMessageA(hBar, PBM_SETPOS, position, 0);
        }
    }
    ::SendMessageA(hBar, PBM_SETPOS, 100, 0);
    return 0;
}

UINT DoNothing(LPVOID)
{
    return 0;
}

// Runs a worker to its end with the user-interface thread polling without pause: one waiting
// message at a time, then the worker's exit code, again at once when nothing waits.
void RunSpinning(AFX_THREADPROC proc, LPVOID param)
{
    CWinThread* pThread = AfxBeginThread(proc, param, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    bench::SpinUntilEnded(pThread->m_hThread);
    delete pThread;
}

// Runs a worker to its end under the program's own pump, as the runner starts it.
void RunWithRunnerPump(AFX_THREADPROC proc, LPVOID param)
{
    CWinThread* pThread = AfxBeginThread(proc, param, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    CRetrieveRunner::PumpUntilEnded(pThread, nullptr);
    delete pThread;
}

// Mean time of one cross-thread PBM_SETPOS from a worker to a progress bar under pump.
double SecondsPerProgressMessage(CWnd* pParent, int messages, void (*pump)(AFX_THREADPROC, LPVOID))
{
    CProgressDlg progress(nullptr);
    progress.Create(IDD_PROGRESS, pParent);
    SendJob job = {::GetDlgItem(progress.m_hWnd, IDC_PROGRESS_BAR), messages};
    const auto start = Clock::now();
    pump(SendPositions, &job);
    const double each = SecondsSince(start) / messages;
    progress.DestroyWindow();
    return each;
}

// The harness: a frame with one view of a document whose target is the helper process.
struct Bench
{
    CProcessCatalogue catalogue;
    CVexoProcessViewerDoc* pDocument = nullptr;
    CFrameWnd* pFrame = nullptr;
    CVexoProcessViewerView* pView = nullptr;
};

bool MakeBench(Bench& bench, uint32_t processId)
{
    bench.catalogue.Refresh();
    bench.pDocument =
        static_cast<CVexoProcessViewerDoc*>(RUNTIME_CLASS(CVexoProcessViewerDoc)->CreateObject());
    bench.pDocument->m_bAutoDelete = FALSE;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CVexoProcessViewerView);
    context.m_pCurrentDoc = bench.pDocument;
    bench.pFrame = new CFrameWnd;
    if (!bench.pFrame->Create(nullptr, "Retrieval benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              CRect(0, 0, 800, 700), nullptr, nullptr, 0, &context)) {
        return false;
    }
    Pump();
    POSITION pos = bench.pDocument->GetFirstViewPosition();
    bench.pView = static_cast<CVexoProcessViewerView*>(bench.pDocument->GetNextView(pos));
    bench.pDocument->SetTarget(&bench.catalogue, processId);
    return true;
}

void DestroyBench(Bench& bench)
{
    bench.pFrame->DestroyWindow();
    Pump();
    delete bench.pDocument;
}

// Paints every window of the frame that waits for it, the picture above all.
void PaintNow(CFrameWnd* pFrame)
{
    ::RedrawWindow(pFrame->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The Refresh command's run, as the user waits for it: runner, then the picture on screen.
double RetrievalSeconds(Bench& bench, PixelTransfer transfer)
{
    bench.pView->SetPixelTransfer(transfer);
    CProgressDlg* pProgressDlg = nullptr;
    CRetrieveRunner runner(bench.pFrame, pProgressDlg, nullptr);
    const auto start = Clock::now();
    runner.RefreshView(bench.pView);
    PaintNow(bench.pFrame);
    return SecondsSince(start);
}

void PrintRetrievals(Bench& bench, int runs)
{
    // Alternating, so that a busy machine weighs on both ways alike.
    std::vector<double> runsWay, perPixelWay;
    for (int i = 0; i < runs; ++i) {
        runsWay.push_back(RetrievalSeconds(bench, PixelTransfer::Runs));
        perPixelWay.push_back(RetrievalSeconds(bench, PixelTransfer::PerPixel));
    }
    const double fast = Median(runsWay);
    const double slow = Median(perPixelWay);
    std::printf("retrieval median of %d (runner, pixels in runs, picture painted):  %8.3f s\n",
                runs, fast);
    std::printf("retrieval the old way (one SetPixelColor call per pixel), median:   %8.3f s\n",
                slow);
    std::printf("retrieval old way / new way:                                      %8.1f x\n",
                slow / fast);
}

// Each step of a retrieval timed on its own, as the runner and the worker do it.
void PrintProfile(Bench& bench, int runs)
{
    std::vector<uint32_t> map(bench.catalogue.GetPageCount());
    const uint32_t processId = bench.pDocument->m_dwProcessId;
    const ProcessRecord* pRecord = bench.catalogue.FindProcess(processId);

    const double walk = MedianTime(runs, [&] {
        std::fill(map.begin(), map.end(), 0u);
        bench.catalogue.BuildPageMap(processId, map.data());
    });
    auto compose = [&](PixelTransfer transfer) {
        bench.pView->SetPixelTransfer(transfer);
        return MedianTime(runs, [&] {
            bench.pView->ReleaseModuleLabels();
            bench.pView->ComposeImage(pRecord, map.data(), 1024, 1024, nullptr, 10, 100, false);
        });
    };
    const double composeRuns = compose(PixelTransfer::Runs);
    const double composePixels = compose(PixelTransfer::PerPixel);

    // The program's progress window, whose bar paints when idle, and a plain dialog on the same
    // template, whose bar paints every position at once, as the program's did before.
    CProgressDlg progress(nullptr);
    progress.Create(IDD_PROGRESS, bench.pFrame);
    progress.ShowWindow(SW_SHOW);
    ProgressJob job = {progress.m_hWnd, false};
    const double messages =
        MedianTime(runs, [&] { RunWithRunnerPump(SendRetrievalProgress, &job); });
    progress.DestroyWindow();
    CDialog plain(IDD_PROGRESS, nullptr);
    plain.Create(IDD_PROGRESS, bench.pFrame);
    plain.ShowWindow(SW_SHOW);
    ProgressJob waited = {plain.m_hWnd, true};
    const double oldMessages =
        MedianTime(runs, [&] { RunWithRunnerPump(SendRetrievalProgress, &waited); });
    plain.DestroyWindow();

    const double window = MedianTime(runs, [&] {
        CProgressDlg* pDlg = new CProgressDlg(nullptr);
        pDlg->Create(IDD_PROGRESS, bench.pFrame);
        pDlg->ShowWindow(SW_SHOW);
        pDlg->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        pDlg->DestroyWindow();
        delete pDlg;
    });
    const double thread = MedianTime(runs, [&] { RunWithRunnerPump(DoNothing, nullptr); });
    CWnd* pImage = bench.pView->GetImageWindow();
    const double paint = MedianTime(runs, [&] {
        if (pImage != nullptr) {
            ::InvalidateRect(pImage->m_hWnd, nullptr, TRUE);
            ::UpdateWindow(pImage->m_hWnd);
        }
    });

    std::printf("profile of a retrieval, medians of %d:\n", runs);
    std::printf("  page-map walk:                                   %8.3f s\n", walk);
    std::printf("  composition, pixels in runs:                     %8.3f s\n", composeRuns);
    std::printf("  composition, one call per pixel (old way):       %8.3f s\n", composePixels);
    std::printf("  progress text and 92 positions (runner's pump):  %8.3f s\n", messages);
    std::printf("  the same, each position waited for and painted:  %8.3f s (old way)\n",
                oldMessages);
    std::printf("  progress window made, shown, destroyed:          %8.3f s\n", window);
    std::printf("  worker thread started and ended:                 %8.3f s\n", thread);
    std::printf("  picture's first paint:                           %8.3f s\n", paint);
    std::printf("  sum of the steps (pixels in runs):               %8.3f s\n",
                walk + composeRuns + messages + window + thread + paint);
}

// The memory contents window listing a page again, as a click or a search hit has it do, and
// then painted.
void PrintListingRefill(Bench& bench, int runs)
{
    const ProcessRecord* pRecord = bench.catalogue.FindProcess(bench.pDocument->m_dwProcessId);
    CMemoryContentsDlg listing;
    listing.Create(IDD_MEMORY_CONTENTS, nullptr);
    listing.ShowWindow(SW_SHOW);
    Pump();
    uint32_t address = pRecord != nullptr && pRecord->moduleCount > 0 ? pRecord->moduleBases[0] : 0;
    const double refill = MedianTime(runs, [&] {
        address += 16;
        listing.ShowMemory(&bench.catalogue, pRecord, address);
    });
    const double painted = MedianTime(runs, [&] {
        address += 16;
        listing.ShowMemory(&bench.catalogue, pRecord, address);
        ::RedrawWindow(listing.m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
    listing.DestroyWindow();
    std::printf("memory contents listing refilled:                %8.1f ms, painted too: %.1f ms\n",
                refill * 1000.0, painted * 1000.0);
}

void PrintPerPageExtrapolation(Bench& bench, int runs, int messages)
{
    // The same worker under a user-interface thread that polls without pause.
    std::vector<double> spinning;
    bench.pView->SetPixelTransfer(PixelTransfer::Runs);
    for (int i = 0; i < runs; ++i) {
        CProgressDlg progress(nullptr);
        progress.Create(IDD_PROGRESS, bench.pFrame);
        bench.pDocument->m_bRetrievePending = TRUE;
        bench.pDocument->ReleaseModuleLabels();
        RetrieveJob job = {bench.pDocument, &progress};
        const auto start = Clock::now();
        RunSpinning(RetrieveThreadProc, &job);
        spinning.push_back(SecondsSince(start));
        progress.DestroyWindow();
    }
    const double runner = RetrievalSeconds(bench, PixelTransfer::Runs);
    std::printf("full retrieval, UI thread polling without pause, median of %d: %8.3f s\n", runs,
                Median(spinning));

    // A progress update for every page: measure the cross-thread message, extrapolate.
    const double runnerEach = SecondsPerProgressMessage(bench.pFrame, messages, RunWithRunnerPump);
    const double spinningEach =
        SecondsPerProgressMessage(bench.pFrame, std::max(1, messages / 10), RunSpinning);
    const double extraPages = 1048576 - 90;
    std::printf("one cross-thread PBM_SETPOS, runner's pump:    %8.3f ms\n", runnerEach * 1000.0);
    std::printf("one cross-thread PBM_SETPOS, polling pump:     %8.3f ms\n", spinningEach * 1000.0);
    std::printf("full retrieval with a progress update per page (extrapolated), runner's pump: "
                "%8.1f s (%.1f min)\n",
                runner + runnerEach * extraPages, (runner + runnerEach * extraPages) / 60.0);
    std::printf("full retrieval with a progress update per page (extrapolated), polling pump: "
                "%8.1f s (%.1f min)\n",
                Median(spinning) + spinningEach * extraPages,
                (Median(spinning) + spinningEach * extraPages) / 60.0);
}

// The view's Save command writes test.txt into the current folder.
void PrintDump(Bench& bench)
{
    const auto start = Clock::now();
    bench.pView->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    const double written = SecondsSince(start);
    HANDLE file = ::CreateFileA("test.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size = {};
    if (file != INVALID_HANDLE_VALUE) {
        ::GetFileSizeEx(file, &size);
        ::FlushFileBuffers(file);
        ::CloseHandle(file);
    }
    const double onDisk = SecondsSince(start);
    std::printf("dump bytes: %lld\n", static_cast<long long>(size.QuadPart));
    std::printf("dump written: %.3f s\n", written);
    std::printf("dump on disk: %.3f s\n", onDisk);
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 3;
    int messages = 2000;
    bool dump = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--messages") == 0 && i + 1 < argc) {
            messages = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--dump") == 0) {
            dump = true;
        } else {
            runs = std::max(1, std::atoi(argv[i]));
        }
    }

    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    ::InitCommonControls();
    AfxEnableControlContainer();
    AfxRegisterControlModule(CLSID_VexoImageControl, kImageControlDllName);

    CTargetProcess target;
    std::string error;
    if (!target.Start(&error)) {
        std::printf("the helper target did not start: %s\n", error.c_str());
        return 1;
    }
    Bench bench;
    if (!MakeBench(bench, target.GetProcessId())) {
        std::printf("the frame with its view could not be made\n");
        return 1;
    }

    if (dump) {
        PrintDump(bench);
    } else {
        // One run first, so that neither way pays for first use.
        RetrievalSeconds(bench, PixelTransfer::Runs);
        PrintRetrievals(bench, runs);
        PrintProfile(bench, runs);
        PrintListingRefill(bench, runs);
        if (messages > 0) {
            PrintPerPageExtrapolation(bench, runs, messages);
        }
    }

    DestroyBench(bench);
    target.Stop();
    return 0;
}
