#pragma once
#include <windows.h>

#include <atomic>

#include <ole2.h>

#include "imagectl/ImageSurface.h"
#include "imagectl/ImageWindow.h"

class CDispatchArgs;

// The image-display control: an automation object whose members are reached by dispatch
// identifier, and a windowed object that a container activates in place. Dispatch calls may
// come from any thread; the hosting calls come from the container's user-interface thread.
class CImageControl : public IDispatch, public IOleObject, public IOleInPlaceObject
{
public:
    CImageControl();
    CImageControl(const CImageControl&) = delete;
    CImageControl& operator=(const CImageControl&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argErr) override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* activeSite, LONG index, HWND parent,
                        LPCRECT rect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP Unadvise(DWORD connection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;

    // IOleInPlaceObject
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;

private:
    virtual ~CImageControl();

    HRESULT InPlaceActivate();
    HRESULT InvokeMember(DISPID id, WORD flags, CDispatchArgs& args, VARIANT* result);
    HRESULT InvokeDisplayStyle(WORD flags, CDispatchArgs& args, VARIANT* result);
    HRESULT InvokeSetPixelColors(CDispatchArgs& args, VARIANT* result);
    HRESULT InvokeWindowToImage(CDispatchArgs& args, VARIANT* result);
    HRESULT InvokeImageToWindow(CDispatchArgs& args, VARIANT* result);
    HRESULT InvokeSetCallback(CDispatchArgs& args, VARIANT* result, std::atomic<LONG>& function,
                              std::atomic<LONG>& context);

    volatile LONG m_nRefs = 1;
    CImageSurface m_surface;
    CImageWindow m_window{m_surface};
    IOleClientSite* m_pClientSite = nullptr;
    IOleInPlaceSite* m_pInPlaceSite = nullptr;

    // Settings the host hands over; kept for it, they do not change the drawing. The callbacks
    // are stored, never called.
    std::atomic<LONG> m_nDisplayStyle{0};
    std::atomic<LONG> m_nDisplayFlag{0};
    std::atomic<LONG> m_nDisplayFlagValue{0};
    std::atomic<LONG> m_nFirstCallback{0};
    std::atomic<LONG> m_nFirstCallbackContext{0};
    std::atomic<LONG> m_nSecondCallback{0};
    std::atomic<LONG> m_nSecondCallbackContext{0};
};
