#include "imagectl/ImageControl.h"

#include <cwchar>
#include <new>

#include "imagectl/DispatchArgs.h"
#include "imagectl/ImageControlIds.h"
#include "imagectl/ImageControlModule.h"

namespace {

constexpr uint32_t kResetColour = 0xBEBEBE;

struct MemberName
{
    const wchar_t* name;
    DISPID id;
};

const MemberName kMembers[] = {
    {L"DisplayStyle", DISPID_IMG_DISPLAYSTYLE},
    {L"ResetImage", DISPID_IMG_RESETIMAGE},
    {L"FitToWindow", DISPID_IMG_FITTOWINDOW},
    {L"GetZoom", DISPID_IMG_GETZOOM},
    {L"GetViewPositionX", DISPID_IMG_GETVIEWPOSITIONX},
    {L"GetViewPositionY", DISPID_IMG_GETVIEWPOSITIONY},
    {L"SetZoom", DISPID_IMG_SETZOOM},
    {L"SetViewPosition", DISPID_IMG_SETVIEWPOSITION},
    {L"SetImageSize", DISPID_IMG_SETIMAGESIZE},
    {L"SetDisplayFlag", DISPID_IMG_SETDISPLAYFLAG},
    {L"SetPixelColor", DISPID_IMG_SETPIXELCOLOR},
    {L"WindowToImage", DISPID_IMG_WINDOWTOIMAGE},
    {L"SetFirstCallback", DISPID_IMG_SETFIRSTCALLBACK},
    {L"ImageToWindow", DISPID_IMG_IMAGETOWINDOW},
    {L"SelectPixel", DISPID_IMG_SELECTPIXEL},
    {L"SetSecondCallback", DISPID_IMG_SETSECONDCALLBACK},
    {L"GetPixelColor", DISPID_IMG_GETPIXELCOLOR},
    {L"SetPixelColors", DISPID_IMG_SETPIXELCOLORS},
};

// Methods answer a method call and, for hosts that ask that way, a property get.
bool IsCall(WORD flags)
{
    return (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0;
}

HRESULT ReturnI4(VARIANT* result, LONG value)
{
    if (result) {
        V_VT(result) = VT_I4;
        V_I4(result) = value;
    }
    return S_OK;
}

HRESULT ReturnR4(VARIANT* result, float value)
{
    if (result) {
        V_VT(result) = VT_R4;
        V_R4(result) = value;
    }
    return S_OK;
}

} // namespace

CImageControl::CImageControl()
{
    ImageControlObjectCreated();
}

CImageControl::~CImageControl()
{
    if (m_pInPlaceSite) {
        m_pInPlaceSite->Release();
    }
    if (m_pClientSite) {
        m_pClientSite->Release();
    }
    ImageControlObjectDestroyed();
}

// --- IUnknown ---------------------------------------------------------------------------------

STDMETHODIMP CImageControl::QueryInterface(REFIID iid, void** object)
{
    if (!object) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(iid, IID_IOleObject)) {
        *object = static_cast<IOleObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceObject) || IsEqualIID(iid, IID_IOleWindow)) {
        *object = static_cast<IOleInPlaceObject*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CImageControl::AddRef()
{
    return InterlockedIncrement(&m_nRefs);
}

STDMETHODIMP_(ULONG) CImageControl::Release()
{
    const LONG refs = InterlockedDecrement(&m_nRefs);
    if (refs == 0) {
        delete this;
    }
    return refs;
}

// --- IDispatch --------------------------------------------------------------------------------

STDMETHODIMP CImageControl::GetTypeInfoCount(UINT* count)
{
    if (!count) {
        return E_POINTER;
    }
    *count = 0; // members are reached by identifier; there is no type library
    return S_OK;
}

STDMETHODIMP CImageControl::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info) {
        *info = nullptr;
    }
    return DISP_E_BADINDEX;
}

STDMETHODIMP CImageControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids)
{
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (!names || !ids) {
        return E_POINTER;
    }
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    if (count == 0) {
        return S_OK;
    }
    for (const MemberName& member : kMembers) {
        if (names[0] && _wcsicmp(names[0], member.name) == 0) {
            ids[0] = member.id;
        }
    }
    // No member has named parameters, so any name after the member's is unknown.
    if (ids[0] == DISPID_UNKNOWN || count > 1) {
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP CImageControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT* argErr)
{
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (!params) {
        return E_POINTER;
    }
    CDispatchArgs args(*params, argErr);
    try {
        return InvokeMember(id, flags, args, result);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// One switch over the identifiers; SetPixelColor, a million calls per picture, comes first and
// neither allocates nor converts when its arguments are already I4.
HRESULT CImageControl::InvokeMember(DISPID id, WORD flags, CDispatchArgs& args, VARIANT* result)
{
    if (id == DISPID_IMG_DISPLAYSTYLE) {
        return InvokeDisplayStyle(flags, args, result);
    }
    if (!IsCall(flags)) {
        return DISP_E_MEMBERNOTFOUND;
    }
    LONG a = 0, b = 0, c = 0;
    float x = 0.0f, y = 0.0f;
    BOOL flag = FALSE;
    switch (id) {
    case DISPID_IMG_SETPIXELCOLOR:
        if (!args.Expect(3) || !args.Int(0, a) || !args.Int(1, b) || !args.Int(2, c)) {
            return args.Error();
        }
        m_surface.SetPixel(a, b, static_cast<uint32_t>(c));
        return ReturnI4(result, 0);
    case DISPID_IMG_SETPIXELCOLORS:
        return InvokeSetPixelColors(args, result);
    case DISPID_IMG_GETPIXELCOLOR:
        if (!args.Expect(2) || !args.Int(0, a) || !args.Int(1, b)) {
            return args.Error();
        }
        return ReturnI4(result, m_surface.PixelColour(a, b));
    case DISPID_IMG_RESETIMAGE:
        if (!args.Expect(0)) {
            return args.Error();
        }
        m_surface.Reset(kResetColour);
        return ReturnI4(result, 0);
    case DISPID_IMG_FITTOWINDOW:
        if (!args.Expect(0)) {
            return args.Error();
        }
        return ReturnR4(result, m_surface.FitToWindow());
    case DISPID_IMG_GETZOOM:
        if (!args.Expect(0)) {
            return args.Error();
        }
        return ReturnR4(result, m_surface.Zoom());
    case DISPID_IMG_GETVIEWPOSITIONX:
        if (!args.Expect(0)) {
            return args.Error();
        }
        return ReturnR4(result, m_surface.PositionX());
    case DISPID_IMG_GETVIEWPOSITIONY:
        if (!args.Expect(0)) {
            return args.Error();
        }
        return ReturnR4(result, m_surface.PositionY());
    case DISPID_IMG_SETZOOM:
        if (!args.Expect(1) || !args.Float(0, x)) {
            return args.Error();
        }
        return ReturnR4(result, m_surface.SetZoom(x));
    case DISPID_IMG_SETVIEWPOSITION:
        if (!args.Expect(2) || !args.Float(0, x) || !args.Float(1, y)) {
            return args.Error();
        }
        m_surface.SetViewPosition(x, y);
        return S_OK;
    case DISPID_IMG_SETIMAGESIZE:
        if (!args.Expect(3) || !args.Int(0, a) || !args.Int(1, b) || !args.Int(2, c)) {
            return args.Error();
        }
        return ReturnI4(result, m_surface.SetImageSize(a, b, static_cast<uint32_t>(c)) ? 0 : -1);
    case DISPID_IMG_SETDISPLAYFLAG:
        if (!args.Expect(2) || !args.Bool(0, flag) || !args.Int(1, a)) {
            return args.Error();
        }
        m_nDisplayFlag = flag;
        m_nDisplayFlagValue = a;
        return S_OK;
    case DISPID_IMG_WINDOWTOIMAGE:
        return InvokeWindowToImage(args, result);
    case DISPID_IMG_IMAGETOWINDOW:
        return InvokeImageToWindow(args, result);
    case DISPID_IMG_SELECTPIXEL:
        if (!args.Expect(2) || !args.Int(0, a) || !args.Int(1, b)) {
            return args.Error();
        }
        m_surface.SelectPixel(a, b);
        return ReturnI4(result, 0);
    case DISPID_IMG_SETFIRSTCALLBACK:
        return InvokeSetCallback(args, result, m_nFirstCallback, m_nFirstCallbackContext);
    case DISPID_IMG_SETSECONDCALLBACK:
        return InvokeSetCallback(args, result, m_nSecondCallback, m_nSecondCallbackContext);
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CImageControl::InvokeDisplayStyle(WORD flags, CDispatchArgs& args, VARIANT* result)
{
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        LONG style = 0;
        if (!args.Expect(1, true) || !args.Int(0, style)) {
            return args.Error();
        }
        m_nDisplayStyle = style;
        return S_OK;
    }
    if (!IsCall(flags)) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (!args.Expect(0)) {
        return args.Error();
    }
    return ReturnI4(result, m_nDisplayStyle);
}

// The array is read in place: a whole picture of colours costs one lock and one copy.
HRESULT CImageControl::InvokeSetPixelColors(CDispatchArgs& args, VARIANT* result)
{
    LONG column = 0, row = 0;
    SAFEARRAY* colours = nullptr;
    if (!args.Expect(3) || !args.Int(0, column) || !args.Int(1, row) ||
        !args.IntArray(2, colours)) {
        return args.Error();
    }
    void* data = nullptr;
    const HRESULT hr = SafeArrayAccessData(colours, &data);
    if (FAILED(hr)) {
        return hr;
    }
    const ULONG count = colours->rgsabound[0].cElements;
    const bool set = m_surface.SetPixels(column, row, static_cast<const uint32_t*>(data), count);
    SafeArrayUnaccessData(colours);
    return ReturnI4(result, set ? static_cast<LONG>(count) : -1);
}

HRESULT CImageControl::InvokeWindowToImage(CDispatchArgs& args, VARIANT* result)
{
    LONG x = 0, y = 0;
    LONG* column = nullptr;
    LONG* row = nullptr;
    if (!args.Expect(4) || !args.Int(0, x) || !args.Int(1, y) || !args.IntOut(2, column) ||
        !args.IntOut(3, row)) {
        return args.Error();
    }
    int32_t c = 0, r = 0;
    m_surface.WindowToImage(x, y, c, r);
    *column = c;
    *row = r;
    return ReturnI4(result, 0);
}

HRESULT CImageControl::InvokeImageToWindow(CDispatchArgs& args, VARIANT* result)
{
    LONG column = 0, row = 0;
    LONG* x = nullptr;
    LONG* y = nullptr;
    if (!args.Expect(4) || !args.Int(0, column) || !args.Int(1, row) || !args.IntOut(2, x) ||
        !args.IntOut(3, y)) {
        return args.Error();
    }
    int32_t px = 0, py = 0;
    m_surface.ImageToWindow(column, row, px, py);
    *x = px;
    *y = py;
    return ReturnI4(result, 0);
}

HRESULT CImageControl::InvokeSetCallback(CDispatchArgs& args, VARIANT* result,
                                         std::atomic<LONG>& function, std::atomic<LONG>& context)
{
    LONG address = 0, value = 0;
    if (!args.Expect(2) || !args.Int(0, address) || !args.Int(1, value)) {
        return args.Error();
    }
    function = address;
    context = value;
    return ReturnI4(result, 0);
}

// --- IOleObject -------------------------------------------------------------------------------

STDMETHODIMP CImageControl::SetClientSite(IOleClientSite* site)
{
    if (site) {
        site->AddRef();
    }
    if (m_pClientSite) {
        m_pClientSite->Release();
    }
    m_pClientSite = site;
    return S_OK;
}

STDMETHODIMP CImageControl::GetClientSite(IOleClientSite** site)
{
    if (!site) {
        return E_POINTER;
    }
    *site = m_pClientSite;
    if (m_pClientSite) {
        m_pClientSite->AddRef();
    }
    return S_OK;
}

STDMETHODIMP CImageControl::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP CImageControl::Close(DWORD)
{
    return InPlaceDeactivate();
}

STDMETHODIMP CImageControl::SetMoniker(DWORD, IMoniker*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::InitFromData(IDataObject*, BOOL, DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::GetClipboardData(DWORD, IDataObject** data)
{
    if (data) {
        *data = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND,
                                   LPCRECT)
{
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
        if (!m_pClientSite && activeSite) {
            SetClientSite(activeSite);
        }
        return InPlaceActivate();
    case OLEIVERB_HIDE:
        if (m_window.Handle()) {
            ShowWindow(m_window.Handle(), SW_HIDE);
        }
        return S_OK;
    default:
        return E_NOTIMPL;
    }
}

// Makes the window as a child of the site's window, where the site says, and shows it.
HRESULT CImageControl::InPlaceActivate()
{
    if (m_window.Handle()) {
        ShowWindow(m_window.Handle(), SW_SHOWNA);
        return S_OK;
    }
    if (!m_pClientSite) {
        return E_UNEXPECTED;
    }
    IOleInPlaceSite* site = nullptr;
    HRESULT hr =
        m_pClientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site));
    if (FAILED(hr) || !site) {
        return E_NOINTERFACE;
    }
    if (site->CanInPlaceActivate() != S_OK) {
        site->Release();
        return E_FAIL;
    }
    site->OnInPlaceActivate();

    HWND parent = nullptr;
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    RECT position = {};
    RECT clip = {};
    OLEINPLACEFRAMEINFO frameInfo = {};
    frameInfo.cb = sizeof(frameInfo);
    hr = site->GetWindow(&parent);
    if (SUCCEEDED(hr)) {
        hr = site->GetWindowContext(&frame, &document, &position, &clip, &frameInfo);
    }
    if (frame) {
        frame->Release();
    }
    if (document) {
        document->Release();
    }
    HWND hwnd = SUCCEEDED(hr) && parent ? m_window.Create(ImageControlInstance(), parent, position,
                                                          static_cast<IDispatch*>(this))
                                        : nullptr;
    if (!hwnd) {
        site->OnInPlaceDeactivate();
        site->Release();
        return FAILED(hr) ? hr : E_FAIL;
    }
    m_pInPlaceSite = site;
    ShowWindow(hwnd, SW_SHOWNA);
    return S_OK;
}

STDMETHODIMP CImageControl::EnumVerbs(IEnumOLEVERB** verbs)
{
    if (verbs) {
        *verbs = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::Update()
{
    return S_OK;
}

STDMETHODIMP CImageControl::IsUpToDate()
{
    return S_OK;
}

STDMETHODIMP CImageControl::GetUserClassID(CLSID* clsid)
{
    if (!clsid) {
        return E_POINTER;
    }
    *clsid = CLSID_VexoImageControl;
    return S_OK;
}

STDMETHODIMP CImageControl::GetUserType(DWORD, LPOLESTR* type)
{
    if (type) {
        *type = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::SetExtent(DWORD, SIZEL*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::GetExtent(DWORD, SIZEL*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::Advise(IAdviseSink*, DWORD* connection)
{
    if (connection) {
        *connection = 0;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::Unadvise(DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::EnumAdvise(IEnumSTATDATA** advise)
{
    if (advise) {
        *advise = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CImageControl::GetMiscStatus(DWORD, DWORD* status)
{
    if (!status) {
        return E_POINTER;
    }
    *status = OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT | OLEMISC_SETCLIENTSITEFIRST |
              OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE;
    return S_OK;
}

STDMETHODIMP CImageControl::SetColorScheme(LOGPALETTE*)
{
    return E_NOTIMPL;
}

// --- IOleWindow / IOleInPlaceObject -----------------------------------------------------------

STDMETHODIMP CImageControl::GetWindow(HWND* hwnd)
{
    if (!hwnd) {
        return E_POINTER;
    }
    *hwnd = m_window.Handle();
    return *hwnd ? S_OK : E_FAIL;
}

STDMETHODIMP CImageControl::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

// Destroys the window and tells the site. The window holds a reference to this object, so one
// is held here until the end.
STDMETHODIMP CImageControl::InPlaceDeactivate()
{
    AddRef();
    m_window.Destroy();
    if (m_pInPlaceSite) {
        IOleInPlaceSite* site = m_pInPlaceSite;
        m_pInPlaceSite = nullptr;
        site->OnInPlaceDeactivate();
        site->Release();
    }
    Release();
    return S_OK;
}

STDMETHODIMP CImageControl::UIDeactivate()
{
    return S_OK;
}

STDMETHODIMP CImageControl::SetObjectRects(LPCRECT position, LPCRECT)
{
    if (!position) {
        return E_POINTER;
    }
    if (m_window.Handle()) {
        MoveWindow(m_window.Handle(), position->left, position->top,
                   position->right - position->left, position->bottom - position->top, TRUE);
    }
    return S_OK;
}

STDMETHODIMP CImageControl::ReactivateAndUndo()
{
    return E_NOTIMPL;
}
