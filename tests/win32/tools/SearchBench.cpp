// Times the memory text search of the helper target's whole address space as the program runs
// it (worker, progress window, rows in the Find Tool window, the view and the memory contents
// window following the hits): once for a text with no hits, once for a text with one hit in each
// of many pages, and meanwhile how long the user-interface thread left a message unanswered.
// Then the chunk-by-chunk way that it replaced (per chunk one ReadProcessBytes, which opens the
// process, and one synchronous progress update, under a user-interface thread that polls without
// pause and adds one row per pass), measured on a sample of chunks and extrapolated to all
// 1,048,575. Prints figures; checks nothing.
//
//   vexo_search_bench [--pages N] [--sample N] [--runs N]

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <thread>
#include <vector>

#include "common/ProgressStepper.h"
#include "document/VexoProcessViewerDoc.h"
#include "framework/Afx.h"
#include "imagectl/ImageControlIds.h"
#include "inspect/ProcessCatalogue.h"
#include "inspect/ProcessMemoryReader.h"
#include "res/resource.h"
#include "tests/support/BenchTiming.h"
#include "tests/support/TargetMarkers.h"
#include "tests/support/TargetProcess.h"
#include "tools/FindToolDlg.h"
#include "tools/FlagText.h"
#include "tools/MemoryContentsDlg.h"
#include "tools/MemorySearch.h"
#include "tools/SearchChunk.h"
#include "tools/SearchRunner.h"
#include "view/ProcessViewHost.h"
#include "view/ProgressDlg.h"
#include "view/VexoProcessViewerView.h"

namespace {

using bench::Clock;
using bench::Median;
using bench::Pump;
using bench::SecondsSince;

// Not in the target: a text with no hits.
const char kAbsentText[] = "VexoAbsentText-41c";

class CBenchApp : public CWinApp, public IActiveViewHost
{
public:
    CVexoProcessViewerView* m_pActiveView = nullptr;
    CVexoProcessViewerView* GetActiveProcessView() const override { return m_pActiveView; }
    void SetActiveProcessView(CVexoProcessViewerView* pView) override { m_pActiveView = pView; }
};
CBenchApp g_app;

// Stands in for the main frame: the views list pages in a real memory contents window.
class CBenchFrame : public CFrameWnd, public IMemoryContentsHost
{
public:
    CMemoryContentsDlg m_wndMemoryContents;
    void ShowMemoryContents(CProcessCatalogue* pCatalogue, const ProcessRecord* pRecord,
                            uint32_t address) override
    {
        m_wndMemoryContents.ShowMemory(pCatalogue, pRecord, address);
    }
};

// Sends a message to a window of the user-interface thread every 10 ms from another thread and
// keeps the longest time one took to be answered.
class CResponsivenessProbe
{
public:
    explicit CResponsivenessProbe(HWND hwnd)
        : m_thread([this, hwnd] {
              while (!m_stop) {
                  const auto start = Clock::now();
                  DWORD_PTR result = 0;
                  ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
                  m_longest = std::max(m_longest.load(), SecondsSince(start));
                  ::Sleep(10);
              }
              m_done = true;
          })
    {
    }
    // The longest wait in seconds; stops the probe, answering its last message.
    double Stop()
    {
        m_stop = true;
        while (!m_done) {
            Pump();
            ::Sleep(1);
        }
        m_thread.join();
        return m_longest;
    }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    std::atomic<double> m_longest{0.0};
    std::thread m_thread;
};

// ---- The chunk-by-chunk way, on a sample of chunks -------------------------------------------

struct LiteralSearch
{
    const ProcessRecord* pRecord;
    HWND hBar;
    const char* text;
    std::vector<uint32_t> chunks;
    CRITICAL_SECTION lock;
    std::deque<SearchHit> queue;
};

UINT LiteralThreadProc(LPVOID pParam)
{
    LiteralSearch* pSearch = static_cast<LiteralSearch*>(pParam);
    std::vector<uint8_t> chunk(kSearchChunkSize + 1);
    for (uint32_t address : pSearch->chunks) {
        SearchChunkMatch match;
        if (ReadProcessBytes(pSearch->pRecord, address, chunk.data(), kSearchChunkSize) == 0 &&
            SearchChunk(chunk.data(), pSearch->text, match)) {
            SearchHit hit;
            std::memcpy(hit.context, match.context, sizeof(hit.context));
            hit.address = address + match.offset;
            ::EnterCriticalSection(&pSearch->lock);
            pSearch->queue.push_back(hit);
            ::LeaveCriticalSection(&pSearch->lock);
        }
        ::SendMessageA(pSearch->hBar, PBM_SETPOS, SearchProgressPosition(address), 0);
    }
    return 0;
}

// One row per pass, under the lock, the view following every row.
bool AppendOneRow(LiteralSearch& search, CProcessCatalogue& catalogue, CFindToolDlg& findTool)
{
    ::EnterCriticalSection(&search.lock);
    const bool any = !search.queue.empty();
    if (any) {
        const SearchHit hit = search.queue.front();
        search.queue.pop_front();
        const uint32_t flags = catalogue.QueryPageFlags(search.pRecord, hit.address);
        findTool.AppendResult(hit, PageFlagText(flags).c_str(), TRUE);
    }
    ::LeaveCriticalSection(&search.lock);
    return any;
}

// Seconds for the chunks, searched one by one with the user-interface thread polling.
double TimeChunkByChunk(CWnd* pParent, CProcessCatalogue& catalogue, const ProcessRecord* pRecord,
                        CFindToolDlg& findTool, const char* text, std::vector<uint32_t> chunks)
{
    CProgressDlg progress(nullptr);
    progress.Create(IDD_PROGRESS, pParent);
    LiteralSearch search = {
        pRecord, ::GetDlgItem(progress.m_hWnd, IDC_PROGRESS_BAR), text, std::move(chunks), {}, {}};
    ::InitializeCriticalSection(&search.lock);
    findTool.DeleteAllResults();

    const auto start = Clock::now();
    CWinThread* pThread =
        AfxBeginThread(LiteralThreadProc, &search, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    bench::SpinUntilEnded(pThread->m_hThread, [&] { AppendOneRow(search, catalogue, findTool); });
    while (AppendOneRow(search, catalogue, findTool)) {
    }
    const double seconds = SecondsSince(start);

    delete pThread;
    ::DeleteCriticalSection(&search.lock);
    progress.DestroyWindow();
    return seconds;
}

// ---- The program's way ------------------------------------------------------------------------

struct Timing
{
    double seconds;
    double longestUnanswered;
    int rows;
};

Timing TimeSearch(CFrameWnd* pFrame, CProcessCatalogue& catalogue, const ProcessRecord* pRecord,
                  CFindToolDlg& findTool, const char* text)
{
    CProgressDlg* pProgressDlg = nullptr;
    CSearchRunner runner(pFrame, pProgressDlg, nullptr);
    CResponsivenessProbe probe(pFrame->m_hWnd);
    const auto start = Clock::now();
    runner.Run(catalogue, pRecord, &findTool, text);
    Timing timing;
    timing.seconds = SecondsSince(start);
    timing.longestUnanswered = probe.Stop();
    timing.rows = static_cast<int>(
        ::SendDlgItemMessageA(findTool.m_hWnd, IDC_FIND_RESULTS, LVM_GETITEMCOUNT, 0, 0));
    Pump();
    return timing;
}

// The engine on this thread with no window at all: the reads and the scan alone.
void PrintEngineAlone(const ProcessRecord* pRecord, const char* what, const char* text)
{
    const auto start = Clock::now();
    CProcessMemoryReader reader(pRecord);
    int hits = 0;
    CMemorySearch(text).Run(
        reader, [&hits](const SearchHit&) { ++hits; }, [](int32_t) {});
    std::printf("search engine alone, %-12s           %8.3f s  (%d hits; no windows)\n", what,
                SecondsSince(start), hits);
}

// The same probe while the user-interface thread only waits for messages: how late an answer
// comes on this machine when the thread is doing nothing else.
double LongestUnansweredWhenIdle(HWND hwnd, double seconds)
{
    CResponsivenessProbe probe(hwnd);
    const auto start = Clock::now();
    while (SecondsSince(start) < seconds) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
    return probe.Stop();
}

void PrintSearch(const char* what, const std::vector<Timing>& timings)
{
    std::vector<double> seconds;
    double longest = 0;
    for (const Timing& timing : timings) {
        seconds.push_back(timing.seconds);
        longest = std::max(longest, timing.longestUnanswered);
    }
    std::printf("whole-space search, %-12s median of %d: %8.3f s  (%d rows; UI thread answered "
                "every message within %.0f ms)\n",
                what, static_cast<int>(timings.size()), Median(seconds), timings.back().rows,
                longest * 1000.0);
}

} // namespace

int main(int argc, char** argv)
{
    int pages = 2000;
    int sample = 2048;
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--pages") == 0) {
            pages = std::max(1, std::atoi(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--sample") == 0) {
            sample = std::max(1, std::atoi(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--runs") == 0) {
            runs = std::max(1, std::atoi(argv[i + 1]));
        }
    }

    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    ::InitCommonControls();
    AfxEnableControlContainer();
    AfxRegisterControlModule(CLSID_VexoImageControl, kImageControlDllName);

    CTargetProcess target;
    std::string error;
    if (!target.Start(&error, "--marker-pages " + std::to_string(pages))) {
        std::printf("the helper target did not start: %s\n", error.c_str());
        return 1;
    }
    CProcessCatalogue catalogue;
    catalogue.Refresh();
    const ProcessRecord* pRecord = catalogue.FindProcess(target.GetProcessId());
    const uint32_t firstPage = target.Address("marker_pages");
    if (pRecord == nullptr || firstPage == 0) {
        std::printf("the helper target is not in the catalogue or laid out no marker pages\n");
        return 1;
    }

    CVexoProcessViewerDoc* pDocument =
        static_cast<CVexoProcessViewerDoc*>(RUNTIME_CLASS(CVexoProcessViewerDoc)->CreateObject());
    pDocument->m_bAutoDelete = FALSE;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CVexoProcessViewerView);
    context.m_pCurrentDoc = pDocument;
    CBenchFrame* pFrame = new CBenchFrame;
    if (!pFrame->Create(nullptr, "Search benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        CRect(0, 0, 800, 700), nullptr, nullptr, 0, &context)) {
        std::printf("the frame with its view could not be made\n");
        return 1;
    }
    g_app.m_pMainWnd = pFrame;
    pFrame->m_wndMemoryContents.Create(IDD_MEMORY_CONTENTS, pFrame);
    pFrame->m_wndMemoryContents.ShowWindow(SW_SHOW);
    CFindToolDlg findTool(pFrame);
    findTool.Create(IDD_FIND_TOOL, pFrame);
    findTool.ShowWindow(SW_SHOW);
    POSITION pos = pDocument->GetFirstViewPosition();
    g_app.m_pActiveView = static_cast<CVexoProcessViewerView*>(pDocument->GetNextView(pos));
    pDocument->SetTarget(&catalogue, target.GetProcessId());
    Pump();

    std::printf("helper target: %d pages with one marker each from 0x%08x\n", pages, firstPage);
    std::vector<Timing> none;
    std::vector<Timing> many;
    for (int i = 0; i < runs; ++i) {
        none.push_back(TimeSearch(pFrame, catalogue, pRecord, findTool, kAbsentText));
        many.push_back(TimeSearch(pFrame, catalogue, pRecord, findTool, kTargetPagesMarker));
    }
    PrintSearch("no hits,", none);
    PrintSearch("many hits,", many);
    std::printf("UI thread waiting for messages only, for 3 s: answered every message within "
                "%.0f ms\n",
                LongestUnansweredWhenIdle(pFrame->m_hWnd, 3.0) * 1000.0);
    PrintEngineAlone(pRecord, "no hits,", kAbsentText);
    PrintEngineAlone(pRecord, "many hits,", kTargetPagesMarker);

    // Runs of neighbouring chunks spread evenly over the address space, searched for the absent
    // text (neighbours, so that the bar position changes as rarely as in a whole search); and
    // chunks that each hold a marker, searched for it, for the cost of a hit.
    const int kRunLength = 32;
    const uint64_t runCount = (sample + kRunLength - 1) / kRunLength;
    std::vector<uint32_t> spread;
    for (int i = 0; i < sample; ++i) {
        const uint64_t chunk = (i / kRunLength) * kSearchChunkCount / runCount + i % kRunLength;
        spread.push_back(static_cast<uint32_t>(chunk * kSearchChunkSize));
    }
    std::vector<uint32_t> hitChunks;
    const int hitSample = std::min(pages, std::max(1, sample / 8));
    for (int i = 0; i < hitSample; ++i) {
        hitChunks.push_back(firstPage + static_cast<uint32_t>(i) * kSearchChunkSize);
    }
    const double perChunk =
        TimeChunkByChunk(pFrame, catalogue, pRecord, findTool, kAbsentText, spread) / sample;
    const double perHitChunk =
        TimeChunkByChunk(pFrame, catalogue, pRecord, findTool, kTargetPagesMarker, hitChunks) /
        hitSample;
    const double literalNone = perChunk * kSearchChunkCount;
    const double literalMany = perChunk * (kSearchChunkCount - pages) + perHitChunk * pages;
    std::printf("chunk by chunk, measured on %d chunks in runs of %d and %d chunks with a hit: "
                "%.3f ms a chunk, %.3f ms a chunk with a hit\n",
                sample, kRunLength, hitSample, perChunk * 1000.0, perHitChunk * 1000.0);
    std::printf("chunk by chunk, extrapolated to %u chunks, no hits:   %8.1f s (%.1f min)\n",
                kSearchChunkCount, literalNone, literalNone / 60.0);
    std::printf("chunk by chunk, extrapolated to %u chunks, %d hits: %8.1f s (%.1f min)\n",
                kSearchChunkCount, pages, literalMany, literalMany / 60.0);
    std::vector<double> noneSeconds, manySeconds;
    for (const Timing& timing : none) {
        noneSeconds.push_back(timing.seconds);
    }
    for (const Timing& timing : many) {
        manySeconds.push_back(timing.seconds);
    }
    std::printf("ratio chunk by chunk / whole space: no hits %.0f x, %d hits %.0f x\n",
                literalNone / Median(noneSeconds), pages, literalMany / Median(manySeconds));

    findTool.DestroyWindow();
    pFrame->DestroyWindow();
    Pump();
    delete pDocument;
    target.Stop();
    return 0;
}
