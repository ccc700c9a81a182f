// Control hosting: the container side of one windowed control. The site creates the control by
// class identifier, activates it in place as a child window of the host's window and hands out
// the control's IDispatch and window. It depends on Win32 and OLE only.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "framework/ControlModule.h"

class CControlSite : public IOleClientSite, public IOleInPlaceSite
{
public:
    // Creates the control of class clsid as child nID of hWndParent at rect (parent client
    // coordinates) with dwStyle and, if given, the window text lpszWindowName. On success
    // *ppSite holds the site with one reference for the caller, to be ended with Destroy();
    // on failure *ppSite is NULL and nothing is left behind.
    static HRESULT CreateControl(REFCLSID clsid, LPCSTR lpszWindowName, DWORD dwStyle,
                                 const RECT& rect, HWND hWndParent, UINT nID,
                                 CControlSite** ppSite);

    // The control's automation interface and window; valid until Destroy().
    IDispatch* GetDispatch() const { return m_pDispatch; }
    HWND GetControlWindow() const { return m_hWndControl; }

    // Deactivates and closes the control, lets go of it and drops the caller's reference to
    // the site. Safe after the control's window has already gone with its parent.
    void Destroy();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE extent) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

private:
    CControlSite(HWND hWndParent, const RECT& rect);
    virtual ~CControlSite();
    CControlSite(const CControlSite&) = delete;
    CControlSite& operator=(const CControlSite&) = delete;

    HRESULT Activate(REFCLSID clsid);
    void ApplyWindowAttributes(LPCSTR lpszWindowName, DWORD dwStyle, UINT nID);
    void ReleaseControl();

    volatile LONG m_nRefs = 1;
    HWND m_hWndParent;
    RECT m_rect;
    IOleObject* m_pObject = nullptr;
    IOleInPlaceObject* m_pInPlaceObject = nullptr;
    IDispatch* m_pDispatch = nullptr;
    HWND m_hWndControl = nullptr;
};
