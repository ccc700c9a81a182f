// The picture composed from the helper target's real page map, read back pixel by pixel from
// the control, with its module labels, window text and progress positions.

#include <algorithm>

#include "res/resource.h"
#include "tests/support/ExpectSequence.h"
#include "tests/support/PictureHarness.h"

using namespace picturetest;

namespace {

constexpr long kGrey = 0xBEBEBE;
constexpr long kGreen = 0x00FF00;
constexpr long kBlue = 0xFF0000;
constexpr long kRed = 0x0000FF;

// Colour of the pixel that shows the page of address; rows counted from the top edge.
long ColourAt(CVexoProcessViewerView* pView, uint32_t address)
{
    const long column = (address >> 12) & 0x3FF;
    const long rowFromTop = 1023 - static_cast<long>(address >> 22);
    return pView->GetImageControl()->GetPixelColor(column, rowFromTop);
}

// The whole picture as the control draws it at zoom 1 into a 1024 x 1024 window: rows from the
// top, 0x00RRGGBB pixels. One drawing instead of a million dispatch reads.
std::vector<uint32_t> WholePicture(CActiveXImageWindow* pImage)
{
    pImage->SetWindowPos(nullptr, 0, 0, 1024, 1024, SWP_NOZORDER | SWP_NOMOVE);
    pImage->FitToWindow();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 1024;
    info.bmiHeader.biHeight = -1024;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    pImage->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::GdiFlush();
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> picture(pixels, pixels + 1024 * 1024);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return picture;
}

class CompositionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(harness.view, nullptr);
        ASSERT_NE(harness.view->GetImageControl(), nullptr) << "the image control is hosted";
        progress.reset(new CProgressDlg(nullptr));
        ASSERT_TRUE(progress->Create(IDD_PROGRESS, harness.frame));
        recorder.Attach(progress.get());
    }
    void TearDown() override
    {
        recorder.Detach();
        if (progress) {
            progress->DestroyWindow();
        }
    }

    int Compose(const ProcessRecord* pRecord, const uint32_t* map, bool fit = false)
    {
        harness.view->ReleaseModuleLabels();
        return harness.view->ComposeImage(pRecord, map, 1024, 1024, progress.get(), 10, 100, fit);
    }

    CViewHarness harness;
    std::unique_ptr<CProgressDlg> progress;
    CProgressRecorder recorder;
};

TEST_F(CompositionTest, TargetPagesGetTheColourOfTheirState)
{
    const ProcessRecord* pRecord = TargetRecord();
    ASSERT_NE(pRecord, nullptr);
    const std::vector<uint32_t> map = TargetPageMap();
    EXPECT_EQ(Compose(pRecord, map.data()), 0);

    CVexoProcessViewerView* pView = harness.view;
    const CTargetProcess& target = Env().target;
    EXPECT_EQ(ColourAt(pView, target.Address("reserve_commit")), kRed);
    EXPECT_EQ(ColourAt(pView, target.Address("reserve_rest")), kBlue);
    EXPECT_EQ(ColourAt(pView, target.Address("reserve_rest") + 14 * 4096), kBlue);
    EXPECT_EQ(ColourAt(pView, target.Address("guard")), kRed);
    EXPECT_EQ(ColourAt(pView, pRecord->moduleBases[0]), kRed) << "the executable's header";

    // Every page, against the flags of its own map entry.
    int free = 0, unknown = 0, mismatches = 0;
    for (uint32_t page = 0; page < 1048576; ++page) {
        const uint32_t flags = map[page];
        long expected = kGrey;
        if (flags & MAPF_FREE) {
            expected = kGreen, ++free;
        } else if (flags & MAPF_RESERVED) {
            expected = kBlue;
        } else if (flags & MAPF_COMMITTED) {
            expected = kRed;
        } else {
            ++unknown;
        }
        if (page % 61 == 0 || (flags & (MAPF_RESERVED | MAPF_COMMITTED))) {
            if (ColourAt(pView, page * 4096u) != expected && ++mismatches < 5) {
                ADD_FAILURE() << "page 0x" << std::hex << page * 4096u << " flags 0x" << flags;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(free, 0) << "the target has free pages";
    EXPECT_GT(unknown, 0) << "pages the walk never reached";
}

TEST_F(CompositionTest, CornersRowsAndColourPrecedenceOfASyntheticMap)
{
    std::vector<uint32_t> map(1048576, 0);
    map[0] = MAPF_FREE | MAPF_COMMITTED;           // 0x00000000: bottom-left pixel
    map[0xFFFFF] = MAPF_RESERVED | MAPF_COMMITTED; // 0xFFFFF000: top-right pixel
    map[0x7FFE0] = MAPF_COMMITTED | MAPF_READ;     // 0x7FFE0000: column 992, row 512
    map[5] = MAPF_READ | MAPF_IMAGE;               // no state bit: background
    Compose(nullptr, map.data());

    CActiveXImageWindow* pImage = harness.view->GetImageControl();
    EXPECT_EQ(pImage->GetPixelColor(0, 1023), kGreen) << "free wins over committed";
    EXPECT_EQ(pImage->GetPixelColor(1023, 0), kBlue) << "reserved wins over committed";
    EXPECT_EQ(pImage->GetPixelColor(992, 512), kRed);
    EXPECT_EQ(pImage->GetPixelColor(5, 1023), kGrey);
    EXPECT_EQ(pImage->GetPixelColor(0, 0), kGrey);
    EXPECT_EQ(pImage->GetPixelColor(1023, 1023), kGrey);
    EXPECT_EQ(pImage->GetPixelColor(992, 511), kGrey);
}

TEST_F(CompositionTest, ProgressRunsFrom10To99SendingOnlyChanges)
{
    static const std::vector<int> kCompositionPositions = expectsequence::Run(10, 99);
    std::vector<uint32_t> map(1048576, 0);
    for (PixelTransfer transfer : {PixelTransfer::Runs, PixelTransfer::PerPixel}) {
        recorder.positions.clear();
        harness.view->SetPixelTransfer(transfer);
        Compose(nullptr, map.data());
        EXPECT_SEQUENCE(kCompositionPositions, recorder.positions);
    }
}

// The pixels in runs and one call per pixel, from the target's map with the corner pages and
// the colour precedence put in: the same picture, pixel for pixel.
TEST_F(CompositionTest, RunsAndSinglePixelCallsGiveTheSamePicture)
{
    const ProcessRecord* pRecord = TargetRecord();
    ASSERT_NE(pRecord, nullptr);
    std::vector<uint32_t> map = TargetPageMap();
    map[0] = MAPF_FREE | MAPF_COMMITTED;
    map[0xFFFFF] = MAPF_RESERVED | MAPF_COMMITTED;
    map[1] = MAPF_READ | MAPF_IMAGE;
    CActiveXImageWindow* pImage = harness.view->GetImageControl();

    harness.view->SetPixelTransfer(PixelTransfer::PerPixel);
    Compose(pRecord, map.data());
    const std::vector<uint32_t> perPixel = WholePicture(pImage);
    harness.view->SetPixelTransfer(PixelTransfer::Runs);
    Compose(pRecord, map.data());
    const std::vector<uint32_t> runs = WholePicture(pImage);

    int mismatches = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (runs[i] != perPixel[i] && ++mismatches < 5) {
            ADD_FAILURE() << "column " << i % 1024 << ", row " << i / 1024 << std::hex << ": 0x"
                          << runs[i] << " in runs, 0x" << perPixel[i] << " per pixel";
        }
    }
    EXPECT_EQ(mismatches, 0);
    // Screen order (0x00RRGGBB) of the pages put in: free, reserved, none.
    EXPECT_EQ(runs[1023 * 1024 + 0], 0x00FF00u);
    EXPECT_EQ(runs[1023], 0x0000FFu);
    EXPECT_EQ(runs[1023 * 1024 + 1], 0xBEBEBEu);
    EXPECT_NE(std::count(runs.begin(), runs.end(), 0xFF0000u), 0) << "committed pages are red";
}

TEST_F(CompositionTest, LabelsAndWindowTextComeFromTheRecord)
{
    const ProcessRecord* pRecord = TargetRecord();
    ASSERT_NE(pRecord, nullptr);
    ASSERT_GT(pRecord->moduleCount, 1);
    const std::vector<uint32_t> map = TargetPageMap();
    Compose(pRecord, map.data());

    CVexoProcessViewerView* pView = harness.view;
    ASSERT_EQ(pView->GetModuleLabelCount(), pRecord->moduleCount);
    EXPECT_STREQ(pView->GetModuleLabel(0)->labelText, "VexoTarget.exe");
    for (int i = 0; i < pRecord->moduleCount; ++i) {
        const std::string& path = pRecord->moduleNames[i];
        EXPECT_EQ(pView->GetModuleLabel(i)->baseAddress, pRecord->moduleBases[i]);
        EXPECT_EQ(path.substr(path.find_last_of("\\/") + 1), pView->GetModuleLabel(i)->labelText);
        EXPECT_EQ(pView->GetModuleLabel(i)->blurbWnd.m_hWnd, (HWND) nullptr)
            << "made when first shown";
    }
    char text[MAX_PATH] = {};
    ::GetWindowTextA(pView->m_hWnd, text, sizeof text);
    EXPECT_EQ(pRecord->moduleNames[0], text);

    // Without a record the picture is still composed, with no labels and the text unchanged.
    Compose(nullptr, map.data());
    EXPECT_EQ(pView->GetModuleLabelCount(), 0);
    ::GetWindowTextA(pView->m_hWnd, text, sizeof text);
    EXPECT_EQ(pRecord->moduleNames[0], text);
    EXPECT_EQ(ColourAt(pView, Env().target.Address("reserve_rest")), kBlue);
}

TEST_F(CompositionTest, ZoomAndPositionSurviveARecompositionUnlessFitted)
{
    std::vector<uint32_t> map(1048576, 0);
    CActiveXImageWindow* pImage = harness.view->GetImageControl();
    pImage->SetZoom(3.0f);
    pImage->SetViewPosition(0.25f, 0.75f);
    const float zoom = pImage->GetZoom();
    const float x = pImage->GetViewPositionX();
    const float y = pImage->GetViewPositionY();

    Compose(nullptr, map.data());
    EXPECT_FLOAT_EQ(pImage->GetZoom(), zoom);
    EXPECT_FLOAT_EQ(pImage->GetViewPositionX(), x);
    EXPECT_FLOAT_EQ(pImage->GetViewPositionY(), y);
    Compose(nullptr, map.data());
    EXPECT_FLOAT_EQ(pImage->GetZoom(), zoom);

    const float fitted = pImage->FitToWindow();
    pImage->SetZoom(3.0f);
    Compose(nullptr, map.data(), true);
    EXPECT_FLOAT_EQ(pImage->GetZoom(), fitted);
}

} // namespace
