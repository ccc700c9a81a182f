// The memory text search against the helper target: the rows of the Find Tool window, the
// progress window, the windows disabled around the run, and the view following the hits.

#include "tools/SearchRunner.h"

#include <algorithm>
#include <cstdio>

#include "res/resource.h"
#include "tests/support/ExpectSequence.h"
#include "tests/support/PictureHarness.h"
#include "tests/support/TargetMarkers.h"
#include "tools/FindToolDlg.h"

using namespace picturetest;

namespace {

// A search that records what its progress window was told and how it stood.
class CRecordingSearch : public CSearchRunner
{
public:
    CRecordingSearch(CWnd* pMainWnd, CProgressDlg*& rpProgressDlg, std::vector<BOOL>& enables)
        : CSearchRunner(pMainWnd, rpProgressDlg,
                        [&enables](BOOL bEnable) { enables.push_back(bEnable); })
    {
    }

    CProgressRecorder recorder;
    HWND progressWindow = nullptr;
    bool topmost = false;
    bool cancelEnabled = true;

protected:
    BOOL CreateProgressWindow(CProgressDlg* pProgressDlg) override
    {
        if (!CSearchRunner::CreateProgressWindow(pProgressDlg)) {
            return FALSE;
        }
        progressWindow = pProgressDlg->m_hWnd;
        recorder.Attach(pProgressDlg);
        return TRUE;
    }
    CWinThread* BeginWorker(SearchContext* pContext) override
    {
        const HWND hDlg = pContext->pProgressDlg->m_hWnd;
        topmost = (::GetWindowLongA(hDlg, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        cancelEnabled = ::IsWindowEnabled(::GetDlgItem(hDlg, IDC_PROGRESS_CANCEL)) != FALSE;
        return CSearchRunner::BeginWorker(pContext);
    }
};

struct Row
{
    std::string address;
    std::string flags;
    std::string context;
    uint32_t data;
};

std::string Hex8(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

// A search text that finds 16-bit text: a blank after every letter.
std::string Spread(const char* text)
{
    std::string spread;
    for (const char* c = text; *c != '\0'; ++c) {
        spread += std::string(1, *c) + (c[1] != '\0' ? " " : "");
    }
    return spread;
}

class SearchRunnerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(harness.view, nullptr);
        record = TargetRecord();
        ASSERT_NE(record, nullptr);
        harness.document->SetTarget(&Env().catalogue, record->processId);
        App().m_pActiveView = harness.view;
        ASSERT_TRUE(findTool.Create(IDD_FIND_TOOL, harness.frame));
        list = ::GetDlgItem(findTool.m_hWnd, IDC_FIND_RESULTS);
    }
    void TearDown() override
    {
        findTool.DestroyWindow();
        App().m_pActiveView = nullptr;
    }

    std::vector<Row> Search(const std::string& text)
    {
        CRecordingSearch runner(harness.frame, progressDlg, enables);
        runner.Run(Env().catalogue, record, &findTool, text.c_str());
        return Rows();
    }

    std::vector<Row> Rows()
    {
        std::vector<Row> rows;
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            LVITEMA item = {};
            item.mask = LVIF_PARAM;
            item.iItem = i;
            ListView_GetItem(list, &item);
            rows.push_back(
                {Cell(i, 0), Cell(i, 1), Cell(i, 2), static_cast<uint32_t>(item.lParam)});
        }
        return rows;
    }
    std::string Cell(int row, int column)
    {
        char text[300] = {};
        ListView_GetItemText(list, row, column, text, sizeof text);
        return text;
    }
    static bool HasRow(const std::vector<Row>& rows, uint32_t address)
    {
        return std::any_of(rows.begin(), rows.end(),
                           [address](const Row& row) { return row.data == address; });
    }

    CViewHarness harness;
    CFindToolDlg findTool;
    HWND list = nullptr;
    const ProcessRecord* record = nullptr;
    CProgressDlg* progressDlg = nullptr;
    std::vector<BOOL> enables;
};

TEST_F(SearchRunnerTest, EachMarkerGivesOneRowWithItsPagesAttributesAndContext)
{
    const std::string blanks(16, ' ');
    std::vector<Row> rows = Search(kTargetAsciiMarker);
    ASSERT_EQ(rows.size(), 1u);
    const uint32_t ascii = Env().target.Address("marker_ascii");
    EXPECT_EQ(rows[0].address, Hex8(ascii));
    EXPECT_EQ(rows[0].data, ascii);
    EXPECT_EQ(rows[0].flags, "Read-Write-Committed-Private");
    EXPECT_EQ(rows[0].context, blanks + kTargetAsciiMarker + blanks) << "zero bytes show as blanks";

    rows = Search(Spread(kTargetWideMarker));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].data, Env().target.Address("marker_utf16"));

    rows = Search(kTargetTwiceMarker);
    ASSERT_EQ(rows.size(), 1u) << "one hit per chunk";
    EXPECT_EQ(rows[0].data, Env().target.Address("marker_twice_1"));

    EXPECT_TRUE(Search(kTargetStraddleMarker).empty()) << "no match across a chunk boundary";
    std::string upper = kTargetAsciiMarker;
    for (char& c : upper) {
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_TRUE(Search(upper).empty()) << "the search tells upper from lower case";
}

TEST_F(SearchRunnerTest, RunShowsItsProgressAndTheViewFollowsTheHitsInAddressOrder)
{
    LVITEMA old = {};
    old.mask = LVIF_TEXT;
    old.pszText = const_cast<LPSTR>("old");
    ListView_InsertItem(list, &old);
    harness.frame->listings.clear();
    CRecordingSearch runner(harness.frame, progressDlg, enables);
    runner.Run(Env().catalogue, record, &findTool, "Vexo");

    // Every marker that starts in ASCII within its chunk, the straddling one too.
    const std::vector<Row> rows = Rows();
    for (const char* name : {"marker_ascii", "marker_twice_1", "marker_straddle"}) {
        EXPECT_TRUE(HasRow(rows, Env().target.Address(name))) << name;
    }
    ASSERT_GE(rows.size(), 3u);
    EXPECT_NE(rows[0].address, "old") << "the list is cleared at the start";
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].address, Hex8(rows[i].data));
        EXPECT_EQ(rows[i].context.find("Vexo"), std::min<size_t>(16, rows[i].data & 0xFFF));
        EXPECT_TRUE(i == 0 || rows[i].data > rows[i - 1].data) << "ascending address order";
    }

    // The view followed hits only, and ended on the last one.
    ASSERT_FALSE(harness.frame->listings.empty());
    for (const CTestMainFrame::Listing& listing : harness.frame->listings) {
        EXPECT_TRUE(HasRow(rows, listing.address)) << Hex8(listing.address);
    }
    EXPECT_EQ(harness.frame->listings.back().address, rows.back().data);

    // The window's text and caption are set once, with the searched program's path.
    const std::string kSearchTexts[] = {"Searching Memory Space of " + record->moduleNames[0] +
                                        "..."};
    // 0 to 99, each once, never 100.
    static const std::vector<int> kSearchPositions = expectsequence::Run(0, 99);
    // The main window and the tool windows are disabled for the search and enabled after it.
    static const BOOL kSearchEnables[] = {FALSE, TRUE};
    EXPECT_SEQUENCE(kSearchTexts, runner.recorder.texts);
    EXPECT_SEQUENCE(kSearchTexts, runner.recorder.captions);
    EXPECT_SEQUENCE(kSearchPositions, runner.recorder.positions);
    EXPECT_TRUE(runner.topmost);
    EXPECT_FALSE(runner.cancelEnabled);
    EXPECT_SEQUENCE(kSearchEnables, enables);
    EXPECT_EQ(progressDlg, nullptr);
    EXPECT_FALSE(::IsWindow(runner.progressWindow));

    // Selecting a row moves the view, and with it the memory contents, to that hit.
    ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(harness.frame->listings.back().address, rows[1].data);
}

} // namespace
