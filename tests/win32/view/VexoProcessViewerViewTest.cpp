// The view on a real document with the helper target as its process: tips over the picture,
// clicks and double-clicks through the pre-translation step, going to an address, the record of
// the active view, and a view whose control is missing.

#include <cstdio>

#include "imagectl/ImageControlIds.h"
#include "tests/support/PictureHarness.h"

using namespace picturetest;

namespace {

class VexoProcessViewerViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(harness.view, nullptr);
        image = harness.view->GetImageControl();
        ASSERT_NE(image, nullptr);
        const ProcessRecord* pRecord = TargetRecord();
        ASSERT_NE(pRecord, nullptr);
        harness.document->SetTarget(&Env().catalogue, pRecord->processId);
        const std::vector<uint32_t> map = TargetPageMap();
        harness.view->ComposeImage(pRecord, map.data(), 1024, 1024, nullptr, 10, 100, false);
    }

    // A mouse message at point (control client coordinates) as the message loop would have it.
    MSG MouseMessage(UINT message, POINT point)
    {
        MSG msg = {};
        msg.hwnd = image->m_hWnd;
        msg.message = message;
        msg.lParam = MAKELPARAM(point.x, point.y);
        return msg;
    }

    // Zooms in close enough that a cell covers several window pixels, centres the page of
    // address in the window and returns a point inside its cell.
    POINT ShowPage(uint32_t address)
    {
        const long column = (address >> 12) & 0x3FF;
        const long row = 1023 - static_cast<long>(address >> 22);
        image->SetZoom(4.0f);
        image->SetViewPosition(1.0f - column / 1023.0f, 1.0f - row / 1023.0f);
        return PointOfCell(*image, column, row);
    }

    CViewHarness harness;
    CActiveXImageWindow* image = nullptr;
};

TEST_F(VexoProcessViewerViewTest, AddressTipShowsThePageAndItsFirst128Bytes)
{
    const uint32_t page = Env().target.Address("bytes_all") & ~0xFFFu;
    const POINT point = ShowPage(page);
    harness.view->ShowTipsAt(point.x, point.y);

    CBlurbWnd& tip = harness.view->GetAddressTip();
    ASSERT_TRUE(tip.IsWindowVisible());
    char address[32];
    std::snprintf(address, sizeof address, "Address: 0x%08x\n\n", page);
    const std::string text = static_cast<LPCSTR>(tip.GetText());
    EXPECT_EQ(text.find(address), 0u) << text;
    EXPECT_NE(text.find("Hex Bytes                  ASCII\n"), std::string::npos);
    // The page holds 0, 1, 2, ...: control bytes 8, 9, 10, 13 and 0 show as blanks.
    EXPECT_NE(text.find("\n08 09 0a 0b 0c 0d 0e 0f       \x0b\x0c \x0e\x0f\n"), std::string::npos);
    EXPECT_NE(text.find("\n78 79 7a 7b 7c 7d 7e 7f    xyz{|}~\x7f\n"), std::string::npos);

    // A page that cannot be read shows the address line alone.
    const POINT free = ShowPage(Env().target.Address("reserve_rest"));
    harness.view->ShowTipsAt(free.x, free.y);
    char only[32];
    std::snprintf(only, sizeof only, "Address: 0x%08x", Env().target.Address("reserve_rest"));
    EXPECT_STREQ(tip.GetText(), only);
}

TEST_F(VexoProcessViewerViewTest, ModuleLabelsAreMadeOnFirstShowAndFollowTheToggles)
{
    const int count = harness.view->GetModuleLabelCount();
    ASSERT_GT(count, 0);
    const POINT point = ShowPage(Env().target.Address("reserve_commit"));
    harness.view->ShowTipsAt(point.x, point.y);
    for (int i = 0; i < count; ++i) {
        const ModuleBlurb* pLabel = harness.view->GetModuleLabel(i);
        ASSERT_TRUE(::IsWindow(pLabel->blurbWnd.m_hWnd));
        EXPECT_EQ(::GetParent(pLabel->blurbWnd.m_hWnd), image->m_hWnd);
        EXPECT_EQ(::GetDlgCtrlID(pLabel->blurbWnd.m_hWnd), 100 + i);
        EXPECT_TRUE(::IsWindowVisible(pLabel->blurbWnd.m_hWnd));
        EXPECT_STREQ(pLabel->blurbWnd.GetText(), pLabel->labelText);
    }
    HWND firstLabel = harness.view->GetModuleLabel(0)->blurbWnd.m_hWnd;

    harness.view->HideTips();
    EXPECT_FALSE(::IsWindowVisible(firstLabel));
    EXPECT_FALSE(harness.view->GetAddressTip().IsWindowVisible());

    harness.view->SetAddressPeekShown(FALSE);
    harness.view->ShowTipsAt(point.x, point.y);
    EXPECT_FALSE(harness.view->GetAddressTip().IsWindowVisible());
    EXPECT_TRUE(::IsWindowVisible(firstLabel));
    EXPECT_EQ(harness.view->GetModuleLabel(0)->blurbWnd.m_hWnd, firstLabel) << "made only once";

    harness.view->SetAddressPeekShown(TRUE);
    harness.view->SetModuleLabelsShown(FALSE);
    EXPECT_FALSE(::IsWindowVisible(firstLabel));
    harness.view->ShowTipsAt(point.x, point.y);
    EXPECT_TRUE(harness.view->GetAddressTip().IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(firstLabel));

    harness.view->ReleaseModuleLabels();
    EXPECT_EQ(harness.view->GetModuleLabelCount(), 0);
    EXPECT_FALSE(::IsWindow(firstLabel));
}

TEST_F(VexoProcessViewerViewTest, ClicksSelectAndListPagesDoubleClicksZoom)
{
    std::vector<CTestMainFrame::Listing>& listings = harness.frame->listings;
    const uint32_t address = Env().target.Address("bytes_ctrl");
    POINT point = ShowPage(address);
    MSG down = MouseMessage(WM_LBUTTONDOWN, point);
    EXPECT_FALSE(harness.view->PreTranslateMessage(&down)) << "the control gets the click too";
    ASSERT_EQ(listings.size(), 1u);
    EXPECT_EQ(listings[0].address, address & ~0xFFFu) << "a click lists the page from its start";
    EXPECT_EQ(listings[0].record->processId, Env().target.GetProcessId());

    MSG twice = MouseMessage(WM_LBUTTONDBLCLK, point);
    harness.view->PreTranslateMessage(&twice);
    EXPECT_FLOAT_EQ(image->GetZoom(), kImageCloseUpZoom);
    ASSERT_EQ(listings.size(), 2u);
    EXPECT_EQ(listings[1].address, address & ~0xFFFu);

    // Off the picture: a click does nothing, a double-click fits the picture.
    MSG offDown = MouseMessage(WM_LBUTTONDOWN, POINT{-30000, -30000});
    harness.view->PreTranslateMessage(&offDown);
    EXPECT_EQ(listings.size(), 2u);
    MSG offTwice = MouseMessage(WM_LBUTTONDBLCLK, POINT{-30000, -30000});
    harness.view->PreTranslateMessage(&offTwice);
    const float fitted = image->GetZoom();
    EXPECT_LT(fitted, kImageCloseUpZoom);
    EXPECT_FLOAT_EQ(image->FitToWindow(), fitted);
    EXPECT_EQ(listings.size(), 2u);

    // A document without a process still zooms, but lists nothing.
    harness.document->m_pCatalogue = nullptr;
    point = ShowPage(address);
    MSG again = MouseMessage(WM_LBUTTONDBLCLK, point);
    harness.view->PreTranslateMessage(&again);
    EXPECT_FLOAT_EQ(image->GetZoom(), kImageCloseUpZoom);
    EXPECT_EQ(listings.size(), 2u);
}

TEST_F(VexoProcessViewerViewTest, GoToAddressZoomsOnThePageAndListsTheExactAddress)
{
    const uint32_t address = Env().target.Address("bytes_hello");
    harness.view->ShowTipsAt(10, 10);
    harness.view->GoToAddress(address);
    EXPECT_FLOAT_EQ(image->GetZoom(), kImageCloseUpZoom);
    ASSERT_EQ(harness.frame->listings.size(), 1u);
    EXPECT_EQ(harness.frame->listings[0].address, address);
    EXPECT_FALSE(harness.view->GetAddressTip().IsWindowVisible());

    // The page is in the middle of the window now.
    CRect client;
    image->GetClientRect(&client);
    long column = -1, row = -1;
    image->WindowToImage(client.Width() / 2, client.Height() / 2, &column, &row);
    EXPECT_NEAR(column, static_cast<long>((address >> 12) & 0x3FF), 1);
    EXPECT_NEAR(row, 1023 - static_cast<long>(address >> 22), 1);
}

TEST_F(VexoProcessViewerViewTest, ActiveViewIsRecordedAndNeverLeftDangling)
{
    harness.frame->SetActiveView(harness.view);
    EXPECT_EQ(App().m_pActiveView, harness.view);

    CVexoProcessViewerView* pSecond = harness.AddView();
    ASSERT_NE(pSecond, nullptr);
    CFrameWnd* pSecondFrame = pSecond->GetParentFrame();
    pSecondFrame->SetActiveView(pSecond);
    EXPECT_EQ(App().m_pActiveView, pSecond);
    pSecondFrame->SetActiveView(nullptr);
    EXPECT_EQ(App().m_pActiveView, nullptr) << "a deactivation stores the activating view: none";

    // A record left on a view that its frame no longer holds active: nothing deactivates the
    // view when it goes, and the record must go with it.
    // (Hidden first, so that its going activates no other frame, which would replace the record.)
    pSecondFrame->ShowWindow(SW_HIDE);
    Pump();
    App().m_pActiveView = pSecond;
    pSecondFrame->DestroyWindow();
    EXPECT_EQ(App().m_pActiveView, nullptr);
}

TEST(ViewWithoutControlTest, NeverCallsIntoAMissingControl)
{
    AfxRegisterControlModule(CLSID_VexoImageControl, "NoSuchImageControl.dll");
    CViewHarness harness;
    AfxRegisterControlModule(CLSID_VexoImageControl, kImageControlDllName);
    ASSERT_NE(harness.view, nullptr);
    EXPECT_EQ(harness.view->GetImageWindow(), nullptr);

    const ProcessRecord* pRecord = TargetRecord();
    std::vector<uint32_t> map(1048576, MAPF_COMMITTED);
    EXPECT_EQ(harness.view->ComposeImage(pRecord, map.data(), 1024, 1024, nullptr, 10, 100, false),
              0);
    harness.view->ShowTipsAt(5, 5);
    harness.view->GoToAddress(0x00401000);
    harness.view->FitImageToWindow();
    MSG click = {};
    click.hwnd = harness.view->m_hWnd;
    click.message = WM_LBUTTONDBLCLK;
    click.lParam = MAKELPARAM(5, 5);
    harness.view->PreTranslateMessage(&click);
    EXPECT_FALSE(harness.view->GetAddressTip().IsWindowVisible());
    harness.view->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
}

} // namespace
