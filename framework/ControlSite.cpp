#include "framework/ControlSite.h"

#include <windows.h>

#include <new>

#include <ocidl.h>

HRESULT CControlSite::CreateControl(REFCLSID clsid, LPCSTR lpszWindowName, DWORD dwStyle,
                                    const RECT& rect, HWND hWndParent, UINT nID,
                                    CControlSite** ppSite)
{
    if (!ppSite) {
        return E_POINTER;
    }
    *ppSite = nullptr;
    if (!IsWindow(hWndParent)) {
        return E_INVALIDARG;
    }
    CControlSite* pSite = new (std::nothrow) CControlSite(hWndParent, rect);
    if (!pSite) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = pSite->Activate(clsid);
    if (FAILED(hr)) {
        pSite->Destroy();
        return hr;
    }
    pSite->ApplyWindowAttributes(lpszWindowName, dwStyle, nID);
    *ppSite = pSite;
    return S_OK;
}

CControlSite::CControlSite(HWND hWndParent, const RECT& rect)
    : m_hWndParent(hWndParent),
      m_rect(rect)
{
}

CControlSite::~CControlSite()
{
    ReleaseControl();
}

// Creates the object, gives it this site and activates it in place; the control then asks
// this site for its parent window and rectangle and makes its window.
HRESULT CControlSite::Activate(REFCLSID clsid)
{
    IClassFactory* pFactory = nullptr;
    HRESULT hr =
        AfxGetControlClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&pFactory));
    if (FAILED(hr)) {
        return hr;
    }
    hr = pFactory->CreateInstance(nullptr, IID_IOleObject, reinterpret_cast<void**>(&m_pObject));
    pFactory->Release();
    if (FAILED(hr) || !m_pObject) {
        m_pObject = nullptr;
        return FAILED(hr) ? hr : E_NOINTERFACE;
    }
    hr = m_pObject->SetClientSite(this);
    if (FAILED(hr)) {
        return hr;
    }
    IPersistStreamInit* pPersist = nullptr;
    if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit,
                                            reinterpret_cast<void**>(&pPersist)))) {
        pPersist->InitNew();
        pPersist->Release();
    }
    hr = m_pObject->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_pDispatch));
    if (FAILED(hr)) {
        m_pDispatch = nullptr;
        return hr;
    }
    hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, m_hWndParent, &m_rect);
    if (FAILED(hr)) {
        return hr;
    }
    hr = m_pObject->QueryInterface(IID_IOleInPlaceObject,
                                   reinterpret_cast<void**>(&m_pInPlaceObject));
    if (FAILED(hr)) {
        m_pInPlaceObject = nullptr;
        return hr;
    }
    hr = m_pInPlaceObject->GetWindow(&m_hWndControl);
    if (FAILED(hr) || !IsWindow(m_hWndControl)) {
        m_hWndControl = nullptr;
        return FAILED(hr) ? hr : E_FAIL;
    }
    return S_OK;
}

// The caller's child id, style and text, as if the window had been created with them. The
// control's own style bits (such as clipping) stay; the caller's are added.
void CControlSite::ApplyWindowAttributes(LPCSTR lpszWindowName, DWORD dwStyle, UINT nID)
{
    SetWindowLongPtrA(m_hWndControl, GWLP_ID, static_cast<LONG_PTR>(nID));
    const DWORD current = static_cast<DWORD>(GetWindowLongA(m_hWndControl, GWL_STYLE));
    // Visibility goes through ShowWindow below, never by flipping the style bit of a shown window.
    const DWORD style = current | ((dwStyle | WS_CHILD) & ~WS_VISIBLE);
    if (style != current) {
        SetWindowLongA(m_hWndControl, GWL_STYLE, static_cast<LONG>(style));
        SetWindowPos(m_hWndControl, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(m_hWndControl, (dwStyle & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    if (lpszWindowName) {
        SetWindowTextA(m_hWndControl, lpszWindowName);
    }
}

void CControlSite::Destroy()
{
    ReleaseControl();
    Release();
}

// Close ends the in-place activation (the control destroys its window); taking the site back
// breaks the reference cycle between control and site.
void CControlSite::ReleaseControl()
{
    if (m_pObject) {
        IOleObject* pObject = m_pObject;
        m_pObject = nullptr;
        pObject->Close(OLECLOSE_NOSAVE);
        pObject->SetClientSite(nullptr);
        if (m_pInPlaceObject) {
            m_pInPlaceObject->Release();
            m_pInPlaceObject = nullptr;
        }
        if (m_pDispatch) {
            m_pDispatch->Release();
            m_pDispatch = nullptr;
        }
        pObject->Release();
    }
    // Close has destroyed the window. It is not destroyed here: a host that subclassed the window
    // may be ending the site from inside that window's own WM_NCDESTROY.
    m_hWndControl = nullptr;
}

// --- IUnknown ---------------------------------------------------------------------------------

STDMETHODIMP CControlSite::QueryInterface(REFIID iid, void** object)
{
    if (!object) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceSite) || IsEqualIID(iid, IID_IOleWindow)) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CControlSite::AddRef()
{
    return InterlockedIncrement(&m_nRefs);
}

STDMETHODIMP_(ULONG) CControlSite::Release()
{
    const LONG refs = InterlockedDecrement(&m_nRefs);
    if (refs == 0) {
        delete this;
    }
    return refs;
}

// --- IOleClientSite ---------------------------------------------------------------------------

STDMETHODIMP CControlSite::SaveObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP CControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CControlSite::GetContainer(IOleContainer** container)
{
    if (container) {
        *container = nullptr;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP CControlSite::ShowObject()
{
    return S_OK;
}

STDMETHODIMP CControlSite::OnShowWindow(BOOL)
{
    return S_OK;
}

STDMETHODIMP CControlSite::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

// --- IOleWindow / IOleInPlaceSite -------------------------------------------------------------

STDMETHODIMP CControlSite::GetWindow(HWND* hwnd)
{
    if (!hwnd) {
        return E_POINTER;
    }
    *hwnd = m_hWndParent;
    return S_OK;
}

STDMETHODIMP CControlSite::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CControlSite::CanInPlaceActivate()
{
    return S_OK;
}

STDMETHODIMP CControlSite::OnInPlaceActivate()
{
    return S_OK;
}

STDMETHODIMP CControlSite::OnUIActivate()
{
    return S_OK;
}

// The host offers no in-place frame or document window (no menus or toolbars to merge).
STDMETHODIMP CControlSite::GetWindowContext(IOleInPlaceFrame** frame,
                                            IOleInPlaceUIWindow** document, LPRECT position,
                                            LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo)
{
    if (!frame || !document || !position || !clip) {
        return E_POINTER;
    }
    *frame = nullptr;
    *document = nullptr;
    *position = m_rect;
    *clip = m_rect;
    if (frameInfo) {
        frameInfo->fMDIApp = FALSE;
        frameInfo->hwndFrame = GetAncestor(m_hWndParent, GA_ROOT);
        frameInfo->haccel = nullptr;
        frameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP CControlSite::Scroll(SIZE)
{
    return E_NOTIMPL;
}

STDMETHODIMP CControlSite::OnUIDeactivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP CControlSite::OnInPlaceDeactivate()
{
    return S_OK;
}

STDMETHODIMP CControlSite::DiscardUndoState()
{
    return S_OK;
}

STDMETHODIMP CControlSite::DeactivateAndUndo()
{
    return S_OK;
}

STDMETHODIMP CControlSite::OnPosRectChange(LPCRECT position)
{
    if (!position) {
        return E_POINTER;
    }
    m_rect = *position;
    if (m_pInPlaceObject) {
        m_pInPlaceObject->SetObjectRects(&m_rect, &m_rect);
    }
    return S_OK;
}
