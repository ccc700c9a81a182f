// Control hosting through CWnd: creation by class identifier, calls by dispatch identifier,
// and the lifetime of the object against its control's window.
#include <gtest/gtest.h>

#include "framework/Afx.h"
#include "imagectl/ImageControlIds.h"

namespace {

class ControlHostingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxEnableControlContainer();
        AfxRegisterControlModule(CLSID_VexoImageControl, kImageControlDllName);
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                    300, nullptr, nullptr));
    }
    void TearDown() override
    {
        if (m_host.m_hWnd != nullptr) {
            m_host.DestroyWindow();
        }
    }
    BOOL CreateIn(CWnd& control)
    {
        return control.CreateControl(CLSID_VexoImageControl, "image", WS_CHILD | WS_VISIBLE,
                                     CRect(10, 10, 210, 160), &m_host, 77);
    }

    CWnd m_host;
};

TEST_F(ControlHostingTest, TheObjectIsAttachedToTheControlWindowAndCallsReachIt)
{
    CWnd control;
    ASSERT_TRUE(CreateIn(control));
    ASSERT_NE(nullptr, control.m_hWnd);
    EXPECT_EQ(&control, CWnd::FromHandlePermanent(control.m_hWnd));
    EXPECT_EQ(m_host.m_hWnd, ::GetParent(control.m_hWnd));
    EXPECT_EQ(77, control.GetDlgCtrlID());
    EXPECT_NE(nullptr, control.GetControlDispatch());

    static const BYTE sizeParams[] = VTS_I4 VTS_I4 VTS_I4;
    long nResult = -1;
    control.InvokeHelper(DISPID_IMG_SETIMAGESIZE, DISPATCH_METHOD, VT_I4, &nResult, sizeParams, 16L,
                         8L, 0x123456L);
    EXPECT_EQ(0, nResult);
    static const BYTE pixelParams[] = VTS_I4 VTS_I4;
    long nColour = 0;
    control.InvokeHelper(DISPID_IMG_GETPIXELCOLOR, DISPATCH_METHOD, VT_I4, &nColour, pixelParams,
                         3L, 4L);
    EXPECT_EQ(0x123456, nColour);

    control.SetProperty(DISPID_IMG_DISPLAYSTYLE, VT_I4, 2L);
    long nStyle = -1;
    control.GetProperty(DISPID_IMG_DISPLAYSTYLE, VT_I4, &nStyle);
    EXPECT_EQ(2, nStyle);
}

TEST_F(ControlHostingTest, AControlThatGoesWithItsParentLeavesNoDanglingObject)
{
    CWnd control;
    ASSERT_TRUE(CreateIn(control));
    HWND hControl = control.m_hWnd;
    m_host.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hControl));
    EXPECT_EQ(nullptr, control.m_hWnd);
    EXPECT_EQ(nullptr, control.GetControlDispatch());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hControl));
    // Calls after that do nothing and give a zero result.
    long nResult = -1;
    control.InvokeHelper(DISPID_IMG_RESETIMAGE, DISPATCH_METHOD, VT_I4, &nResult, nullptr);
    EXPECT_EQ(0, nResult);
}

TEST_F(ControlHostingTest, AnObjectThatGoesFirstTakesItsControlAlong)
{
    HWND hControl;
    {
        CWnd control;
        ASSERT_TRUE(CreateIn(control));
        hControl = control.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hControl));
    EXPECT_TRUE(::IsWindow(m_host.m_hWnd));
}

TEST_F(ControlHostingTest, AnUnknownClassFailsWithoutAWindow)
{
    const CLSID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    CWnd control;
    EXPECT_FALSE(control.CreateControl(unknown, "x", WS_CHILD, CRect(0, 0, 10, 10), &m_host, 1));
    EXPECT_EQ(nullptr, control.m_hWnd);
    EXPECT_EQ(nullptr, control.GetControlDispatch());
}

} // namespace
