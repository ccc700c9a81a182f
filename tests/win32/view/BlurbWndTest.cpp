// The tip window in a real parent: its size against the text extent, its flips at the parent's
// edges, its colours, and a null text.

#include "tests/support/PictureHarness.h"

using namespace picturetest;

namespace {

class BlurbWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "Tip parent", WS_POPUP | WS_VISIBLE, 50, 50, 400,
                                    300, nullptr, nullptr));
        ASSERT_TRUE(blurb.Create(nullptr, "", WS_CHILD, CRect(0, 0, 300, 300), &parent, 0));
        CRect client;
        parent.GetClientRect(&client);
        ASSERT_EQ(client.Width(), 400);
        ASSERT_EQ(client.Height(), 300);
    }
    void TearDown() override
    {
        blurb.DestroyWindow();
        parent.DestroyWindow();
    }

    // Width and height of text in the tip's own font, as DrawText measures it.
    SIZE Extent(const char* text)
    {
        CFont font;
        CreateFixedPitchFont(font);
        HDC hdc = ::GetDC(blurb.m_hWnd);
        HGDIOBJ old = ::SelectObject(hdc, font.m_hObject);
        RECT rect = {0, 0, 0, 0};
        ::DrawTextA(hdc, text, -1, &rect, DT_CALCRECT);
        ::SelectObject(hdc, old);
        ::ReleaseDC(blurb.m_hWnd, hdc);
        font.DeleteObject();
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }

    // The tip's rectangle in the parent's client coordinates.
    CRect Box()
    {
        CRect rect;
        blurb.GetWindowRect(&rect);
        parent.ScreenToClient(&rect);
        return rect;
    }

    CWnd parent;
    CBlurbWnd blurb;
};

TEST_F(BlurbWndTest, BoxIsTheTextExtentPlusTheFrame)
{
    const char* text = "Address: 0x00401000";
    const SIZE extent = Extent(text);
    ASSERT_GT(extent.cx, 0);
    EXPECT_EQ(blurb.ShowAt(20, 30, text), 0);
    EXPECT_TRUE(blurb.IsWindowVisible());
    EXPECT_EQ(Box(), CRect(19, 29, 20 + extent.cx + 1, 30 + extent.cy + 1));
    EXPECT_STREQ(blurb.GetText(), text);

    // Several lines: the widest line and all the lines' height.
    const char* lines = "a\nlonger line\nb";
    const SIZE tall = Extent(lines);
    EXPECT_EQ(tall.cy, 3 * extent.cy);
    blurb.ShowAt(20, 30, lines);
    EXPECT_EQ(Box().Width(), tall.cx + 2);
    EXPECT_EQ(Box().Height(), tall.cy + 2);
}

TEST_F(BlurbWndTest, FlipsAtTheRightAndBottomEdges)
{
    const char* text = "Address: 0x00401000";
    const SIZE extent = Extent(text);
    const int w = extent.cx, h = extent.cy;

    // Its right edge would be exactly the parent's: it moves to the left of the point.
    const int x = 400 - w - 1;
    blurb.ShowAt(x, 30, text);
    EXPECT_EQ(Box(), CRect(x - w - 3, 29, x - 1, 30 + h + 1));
    // One pixel further left it stays.
    blurb.ShowAt(x - 1, 30, text);
    EXPECT_EQ(Box().left, x - 2);

    const int y = 300 - h - 1;
    blurb.ShowAt(20, y, text);
    EXPECT_EQ(Box(), CRect(19, y - h - 3, 20 + w + 1, y - 1));

    blurb.ShowAt(395, 295, text);
    EXPECT_EQ(Box(), CRect(395 - w - 3, 295 - h - 3, 394, 294));
}

TEST_F(BlurbWndTest, NullTextChangesNothing)
{
    blurb.ShowAt(20, 30, "kernel32.dll");
    const CRect before = Box();
    blurb.ShowWindow(SW_HIDE);
    EXPECT_EQ(blurb.ShowAt(200, 200, nullptr), 0);
    EXPECT_EQ(Box(), before);
    EXPECT_FALSE(blurb.IsWindowVisible());
    EXPECT_STREQ(blurb.GetText(), "kernel32.dll");
}

TEST_F(BlurbWndTest, PaintsABlackFrameAroundYellow)
{
    blurb.ShowAt(20, 30, "ntdll.dll");
    blurb.RedrawWindow();
    const CRect box = Box();
    HDC hdc = ::GetDC(blurb.m_hWnd);
    const COLORREF corner = ::GetPixel(hdc, 0, 0);
    const COLORREF edge = ::GetPixel(hdc, box.Width() - 1, box.Height() / 2);
    const COLORREF inside = ::GetPixel(hdc, box.Width() - 2, box.Height() - 2);
    ::ReleaseDC(blurb.m_hWnd, hdc);
    EXPECT_EQ(corner, RGB(0, 0, 0));
    EXPECT_EQ(edge, RGB(0, 0, 0));
    EXPECT_EQ(inside, RGB(255, 255, 0));
}

} // namespace
