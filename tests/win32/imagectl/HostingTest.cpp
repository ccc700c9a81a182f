#include <string>

#include "ImageControlFixture.h"

namespace {

// {6B1E0A53-2C55-4F0A-9B7E-0D4C3A1F5E11}: a class nobody serves.
const CLSID kUnknownClsid = {
    0x6b1e0a53, 0x2c55, 0x4f0a, {0x9b, 0x7e, 0x0d, 0x4c, 0x3a, 0x1f, 0x5e, 0x11}};
// {6B1E0A53-2C55-4F0A-9B7E-0D4C3A1F5E12}: named as served by a DLL that is not there.
const CLSID kMissingDllClsid = {
    0x6b1e0a53, 0x2c55, 0x4f0a, {0x9b, 0x7e, 0x0d, 0x4c, 0x3a, 0x1f, 0x5e, 0x12}};
// {6B1E0A53-2C55-4F0A-9B7E-0D4C3A1F5E13}: named as served by the image control's DLL, which does not.
const CLSID kWrongDllClsid = {
    0x6b1e0a53, 0x2c55, 0x4f0a, {0x9b, 0x7e, 0x0d, 0x4c, 0x3a, 0x1f, 0x5e, 0x13}};

int CountChildren(HWND parent)
{
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

HRESULT DllCanUnloadNowOfControl()
{
    HMODULE module = GetModuleHandleA(kImageControlDllName);
    if (!module) {
        return E_FAIL;
    }
    auto canUnload =
        reinterpret_cast<HRESULT(WINAPI*)()>(GetProcAddress(module, "DllCanUnloadNow"));
    return canUnload ? canUnload() : E_FAIL;
}

// A host that subclasses the control's window and ends the site when that window goes, after
// passing WM_NCDESTROY on, as the framework's CWnd does.
struct SubclassingHost
{
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const LRESULT result = CallWindowProcA(s_original, hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY && s_site) {
            s_site->Destroy();
            s_site = nullptr;
        }
        return result;
    }
    static WNDPROC s_original;
    static CControlSite* s_site;
};
WNDPROC SubclassingHost::s_original = nullptr;
CControlSite* SubclassingHost::s_site = nullptr;

} // namespace

TEST_F(ImageControlTest, HostsTheControlAsTheRequestedChildWindow)
{
    EXPECT_EQ(GetParent(m_control), m_frame);
    EXPECT_EQ(GetDlgCtrlID(m_control), static_cast<int>(kControlId));
    EXPECT_EQ(GetDlgItem(m_frame, kControlId), m_control);
    EXPECT_TRUE(IsWindowVisible(m_control));
    EXPECT_TRUE(GetWindowLongA(m_control, GWL_STYLE) & WS_CHILD);
    char text[64] = {};
    GetWindowTextA(m_control, text, sizeof(text));
    EXPECT_STREQ(text, "ImageWindow");

    RECT client = {};
    GetClientRect(m_control, &client);
    EXPECT_EQ(client.right, kControlWidth);
    EXPECT_EQ(client.bottom, kControlHeight);
    RECT window = {};
    GetWindowRect(m_control, &window);
    MapWindowPoints(nullptr, m_frame, reinterpret_cast<POINT*>(&window), 2);
    EXPECT_EQ(window.left, 10);
    EXPECT_EQ(window.top, 10);

    // The host relies on double-clicks being generated for the control's window.
    EXPECT_TRUE(GetClassLongA(m_control, GCL_STYLE) & CS_DBLCLKS);

    // The object knows its site and its window through the hosting interfaces.
    IOleObject* object = nullptr;
    ASSERT_EQ(m_dispatch->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
    IOleClientSite* site = nullptr;
    EXPECT_EQ(object->GetClientSite(&site), S_OK);
    EXPECT_EQ(site, static_cast<IOleClientSite*>(m_site));
    if (site) {
        site->Release();
    }
    CLSID clsid = {};
    EXPECT_EQ(object->GetUserClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_VexoImageControl));
    IOleInPlaceObject* inPlace = nullptr;
    ASSERT_EQ(object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)),
              S_OK);
    HWND hwnd = nullptr;
    EXPECT_EQ(inPlace->GetWindow(&hwnd), S_OK);
    EXPECT_EQ(hwnd, m_control);

    // SetObjectRects moves the window, and the conversions follow the new client size.
    RECT moved = {20, 30, 20 + 300, 30 + 200};
    EXPECT_EQ(inPlace->SetObjectRects(&moved, &moved), S_OK);
    GetClientRect(m_control, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    SetImageSize(1024, 1024, kGrey);
    FitToWindow();
    const POINT topLeft = ImageToWindow(0, 0);
    EXPECT_EQ(topLeft.y, 0);
    EXPECT_NEAR(topLeft.x, (300 - 200) / 2, 1);
    inPlace->Release();
    object->Release();
}

TEST_F(ImageControlTest, ControlWithoutVisibleStyleStartsHidden)
{
    const RECT rect = {0, 0, 100, 100};
    CControlSite* site = nullptr;
    ASSERT_EQ(CControlSite::CreateControl(CLSID_VexoImageControl, nullptr, WS_CHILD, rect, m_frame,
                                          77, &site),
              S_OK);
    EXPECT_FALSE(IsWindowVisible(site->GetControlWindow()));
    EXPECT_EQ(GetDlgCtrlID(site->GetControlWindow()), 77);
    site->Destroy();
}

TEST_F(ImageControlTest, CreationFailsCleanlyWithoutAServer)
{
    AfxRegisterControlModule(kMissingDllClsid, "NoSuchImageCtl.dll");
    AfxRegisterControlModule(kWrongDllClsid, kImageControlDllName);
    const int children = CountChildren(m_frame);
    const RECT rect = {0, 0, 100, 100};
    for (const CLSID* clsid : {&kUnknownClsid, &kMissingDllClsid, &kWrongDllClsid}) {
        CControlSite* site = reinterpret_cast<CControlSite*>(1);
        const HRESULT hr = CControlSite::CreateControl(*clsid, "x", WS_CHILD | WS_VISIBLE, rect,
                                                       m_frame, 5, &site);
        EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
        EXPECT_EQ(site, nullptr);
    }
    CControlSite* site = nullptr;
    EXPECT_EQ(CControlSite::CreateControl(kWrongDllClsid, "x", WS_CHILD, rect, m_frame, 5, &site),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(CountChildren(m_frame), children);
    // The real control is still there and answers.
    EXPECT_GT(SetZoom(2.0f), 0.0f);
}

TEST(ImageControlLifetimeTest, DestroyingTheSiteReleasesWindowAndObjects)
{
    AfxEnableControlContainer();
    AfxRegisterControlModule(CLSID_VexoImageControl, kImageControlDllName);
    HWND frame = CreateTestFrame(300, 200);
    ASSERT_NE(frame, nullptr);
    const RECT rect = {0, 0, 300, 200};

    // Site ended first, parent afterwards.
    CControlSite* site = nullptr;
    ASSERT_EQ(CControlSite::CreateControl(CLSID_VexoImageControl, "ImageWindow",
                                          WS_CHILD | WS_VISIBLE, rect, frame, 1, &site),
              S_OK);
    HWND control = site->GetControlWindow();
    EXPECT_EQ(DllCanUnloadNowOfControl(), S_FALSE);
    site->Destroy();
    EXPECT_FALSE(IsWindow(control));
    EXPECT_EQ(DllCanUnloadNowOfControl(), S_OK);

    // Parent destroyed first (taking the control's window with it), site ended afterwards.
    ASSERT_EQ(CControlSite::CreateControl(CLSID_VexoImageControl, "ImageWindow",
                                          WS_CHILD | WS_VISIBLE, rect, frame, 1, &site),
              S_OK);
    control = site->GetControlWindow();
    DestroyWindow(frame);
    EXPECT_FALSE(IsWindow(control));
    site->Destroy();
    PumpMessages();
    EXPECT_EQ(DllCanUnloadNowOfControl(), S_OK);

    // A subclassing host ends the site from inside the window's last message.
    frame = CreateTestFrame(300, 200);
    ASSERT_EQ(CControlSite::CreateControl(CLSID_VexoImageControl, "ImageWindow",
                                          WS_CHILD | WS_VISIBLE, rect, frame, 1, &site),
              S_OK);
    control = site->GetControlWindow();
    SubclassingHost::s_site = site;
    SubclassingHost::s_original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassingHost::WindowProc)));
    DestroyWindow(control);
    EXPECT_EQ(SubclassingHost::s_site, nullptr);
    EXPECT_FALSE(IsWindow(control));
    EXPECT_EQ(DllCanUnloadNowOfControl(), S_OK);
    DestroyWindow(frame);
    PumpMessages();
}

TEST_F(ImageControlTest, NamesMapToTheirDispatchIdentifiers)
{
    const std::pair<const wchar_t*, DISPID> members[] = {
        {L"DisplayStyle", 3},       {L"ResetImage", 13},       {L"FitToWindow", 14},
        {L"GetZoom", 18},           {L"GetViewPositionX", 19}, {L"GetViewPositionY", 20},
        {L"SetZoom", 21},           {L"SetViewPosition", 22},  {L"SetImageSize", 24},
        {L"SetDisplayFlag", 25},    {L"SetPixelColor", 26},    {L"WindowToImage", 27},
        {L"SetFirstCallback", 28},  {L"ImageToWindow", 29},    {L"SelectPixel", 30},
        {L"SetSecondCallback", 32}, {L"getpixelcolor", 33},
    };
    for (const auto& member : members) {
        LPOLESTR name = const_cast<LPOLESTR>(member.first);
        DISPID id = 0;
        EXPECT_EQ(m_dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        EXPECT_EQ(id, member.second);
    }
    LPOLESTR unknown = const_cast<LPOLESTR>(L"Explode");
    DISPID id = 0;
    EXPECT_EQ(m_dispatch->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
}

TEST_F(ImageControlTest, FailedCallsReturnAnErrorAndAZeroedResult)
{
    static const BYTE twoInts[] = VTS_I4 VTS_I4;
    static const BYTE fourInts[] = VTS_I4 VTS_I4 VTS_I4 VTS_I4;
    long result = 99;
    EXPECT_EQ(Call(99, VT_I4, &result, nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(result, 0);

    float zoom = 5.0f;
    EXPECT_EQ(Call(DISPID_IMG_GETZOOM, VT_R4, &zoom, twoInts, 1L, 2L), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(zoom, 0.0f);

    // Outputs must be by-reference cells.
    result = 99;
    EXPECT_EQ(Call(DISPID_IMG_WINDOWTOIMAGE, VT_I4, &result, fourInts, 1L, 2L, 3L, 4L),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result, 0);

    // No control at all.
    result = 99;
    EXPECT_EQ(
        AfxDispatchInvoke(nullptr, DISPID_IMG_GETZOOM, DISPATCH_METHOD, VT_I4, &result, nullptr),
        E_POINTER);
    EXPECT_EQ(result, 0);
}

TEST_F(ImageControlTest, DisplayStyleIsAProperty)
{
    EXPECT_EQ(AfxDispatchSetProperty(m_dispatch, DISPID_IMG_DISPLAYSTYLE, VT_I4, 1L), S_OK);
    long style = -1;
    EXPECT_EQ(AfxDispatchInvoke(m_dispatch, DISPID_IMG_DISPLAYSTYLE, DISPATCH_PROPERTYGET, VT_I4,
                                &style, nullptr),
              S_OK);
    EXPECT_EQ(style, 1);
    // A put given as a float is coerced to the property's I4.
    EXPECT_EQ(AfxDispatchSetProperty(m_dispatch, DISPID_IMG_DISPLAYSTYLE, VT_R4, 2.0), S_OK);
    EXPECT_EQ(AfxDispatchInvoke(m_dispatch, DISPID_IMG_DISPLAYSTYLE, DISPATCH_PROPERTYGET, VT_I4,
                                &style, nullptr),
              S_OK);
    EXPECT_EQ(style, 2);
}

TEST_F(ImageControlTest, CreationCallsOfTheViewAreAccepted)
{
    static const BYTE flagParams[] = VTS_BOOL VTS_I4;
    static const BYTE callbackParams[] = VTS_I4 VTS_I4;
    EXPECT_EQ(Call(DISPID_IMG_SETDISPLAYFLAG, VT_EMPTY, nullptr, flagParams, TRUE, 0L), S_OK);
    long result = -1;
    EXPECT_EQ(
        Call(DISPID_IMG_SETFIRSTCALLBACK, VT_I4, &result, callbackParams, 0x401000L, 0x12345678L),
        S_OK);
    EXPECT_EQ(result, 0);
    result = -1;
    EXPECT_EQ(
        Call(DISPID_IMG_SETSECONDCALLBACK, VT_I4, &result, callbackParams, 0x401000L, 0x12345678L),
        S_OK);
    EXPECT_EQ(result, 0);
    Paint(); // stored callbacks are never called: painting after them is harmless
}
