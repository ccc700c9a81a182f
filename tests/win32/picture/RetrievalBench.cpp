// Times one full retrieval of the helper target (page-map walk, composition of one view into the
// image control, progress updates) under the real runner, and compares it with what a progress
// update for every page would cost. Prints figures; checks nothing.
//
//   vexo_retrieval_bench [runs] [--messages N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "document/ProgressDlg.h"
#include "document/RetrieveRunner.h"
#include "document/VexoProcessViewerDoc.h"
#include "framework/Afx.h"
#include "imagectl/ImageControlIds.h"
#include "inspect/ProcessCatalogue.h"
#include "res/resource.h"
#include "tests/support/TargetProcess.h"
#include "view/VexoProcessViewerView.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
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
    for (int i = 0; i < pJob->count; ++i)
        ::SendMessageA(pJob->bar, PBM_SETPOS, 10 + (i * 90LL) / pJob->count, 0);
    return 0;
}

// Runs a worker to its end with the user-interface thread polling without pause: one waiting
// message at a time, then the worker's exit code, again at once when nothing waits.
void RunSpinning(AFX_THREADPROC proc, LPVOID param)
{
    CWinThread* pThread = AfxBeginThread(proc, param, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    DWORD code = STILL_ACTIVE;
    do {
        MSG msg;
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE) && ::GetMessageA(&msg, NULL, 0, 0)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::GetExitCodeThread(pThread->m_hThread, &code);
    } while (code == STILL_ACTIVE);
    delete pThread;
}

// Runs a worker to its end under the program's own pump.
void RunWithRunnerPump(AFX_THREADPROC proc, LPVOID param)
{
    CWinThread* pThread = AfxBeginThread(proc, param, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    CRetrieveRunner::PumpUntilEnded(pThread, NULL);
    delete pThread;
}

// Mean time of one cross-thread PBM_SETPOS from a worker to a progress bar under pump.
double SecondsPerProgressMessage(CWnd* pParent, int messages, void (*pump)(AFX_THREADPROC, LPVOID))
{
    CProgressDlg progress(NULL);
    progress.Create(IDD_PROGRESS, pParent);
    SendJob job = {::GetDlgItem(progress.m_hWnd, IDC_PROGRESS_BAR), messages};
    const auto start = Clock::now();
    pump(SendPositions, &job);
    const double each = SecondsSince(start) / messages;
    progress.DestroyWindow();
    return each;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 3;
    int messages = 2000;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--messages") == 0 && i + 1 < argc)
            messages = std::atoi(argv[++i]);
        else
            runs = std::max(1, std::atoi(argv[i]));
    }

    AfxWinInit(::GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    ::InitCommonControls();
    AfxEnableControlContainer();
    AfxRegisterControlModule(CLSID_VexoImageControl, kImageControlDllName);

    CTargetProcess target;
    std::string error;
    if (!target.Start(&error)) {
        std::printf("the helper target did not start: %s\n", error.c_str());
        return 1;
    }
    CProcessCatalogue catalogue;
    catalogue.Refresh();

    CVexoProcessViewerDoc* pDocument =
        static_cast<CVexoProcessViewerDoc*>(RUNTIME_CLASS(CVexoProcessViewerDoc)->CreateObject());
    pDocument->m_bAutoDelete = FALSE;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CVexoProcessViewerView);
    context.m_pCurrentDoc = pDocument;
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->Create(NULL, "Retrieval benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        CRect(0, 0, 800, 700), NULL, NULL, 0, &context)) {
        std::printf("the frame with its view could not be made\n");
        return 1;
    }
    Pump();
    pDocument->SetTarget(&catalogue, target.GetProcessId());

    std::vector<uint32_t> map(catalogue.GetPageCount());
    int coloured = 0;
    {
        const auto start = Clock::now();
        catalogue.BuildPageMap(target.GetProcessId(), map.data());
        std::printf("page-map walk alone:                         %8.2f s\n", SecondsSince(start));
        for (uint32_t flags : map)
            coloured += (flags & (MAPF_FREE | MAPF_RESERVED | MAPF_COMMITTED)) != 0;
        std::printf("pages with a colour (one control call each): %8d of %zu\n", coloured,
                    map.size());
    }

    // The program's path: the runner's worker walks and composes, the bar hears only changes.
    std::vector<double> runner;
    CProgressDlg* pProgressDlg = NULL;
    for (int i = 0; i < runs; ++i) {
        CRetrieveRunner retrieval(pFrame, pProgressDlg, nullptr);
        POSITION pos = pDocument->GetFirstViewPosition();
        CView* pView = pDocument->GetNextView(pos);
        const auto start = Clock::now();
        retrieval.RefreshView(pView);
        runner.push_back(SecondsSince(start));
    }
    std::printf("full retrieval, runner (walk+compose+90 progress updates), median of %d: %8.2f s\n",
                runs, Median(runner));

    // The same worker under a user-interface thread that polls without pause.
    std::vector<double> spinning;
    for (int i = 0; i < runs; ++i) {
        CProgressDlg progress(NULL);
        progress.Create(IDD_PROGRESS, pFrame);
        pDocument->m_bRetrievePending = TRUE;
        pDocument->ReleaseModuleLabels();
        RetrieveJob job = {pDocument, &progress};
        const auto start = Clock::now();
        RunSpinning(RetrieveThreadProc, &job);
        spinning.push_back(SecondsSince(start));
        progress.DestroyWindow();
    }
    std::printf("full retrieval, UI thread polling without pause, median of %d: %8.2f s\n", runs,
                Median(spinning));

    // A progress update for every page: measure the cross-thread message, extrapolate.
    const double runnerEach = SecondsPerProgressMessage(pFrame, messages, RunWithRunnerPump);
    const double spinningEach = SecondsPerProgressMessage(pFrame, std::max(1, messages / 10),
                                                          RunSpinning);
    const double extraPages = 1048576 - 90;
    std::printf("one cross-thread PBM_SETPOS, runner's pump:    %8.3f ms\n", runnerEach * 1000.0);
    std::printf("one cross-thread PBM_SETPOS, polling pump:     %8.3f ms\n", spinningEach * 1000.0);
    std::printf("full retrieval with a progress update per page (extrapolated), runner's pump: "
                "%8.1f s (%.1f min)\n",
                Median(runner) + runnerEach * extraPages,
                (Median(runner) + runnerEach * extraPages) / 60.0);
    std::printf("full retrieval with a progress update per page (extrapolated), polling pump: "
                "%8.1f s (%.1f min)\n",
                Median(spinning) + spinningEach * extraPages,
                (Median(spinning) + spinningEach * extraPages) / 60.0);

    pFrame->DestroyWindow();
    Pump();
    delete pDocument;
    target.Stop();
    return 0;
}
