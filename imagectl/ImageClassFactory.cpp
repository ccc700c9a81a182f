#include "imagectl/ImageClassFactory.h"

#include <new>

#include "imagectl/ImageControl.h"
#include "imagectl/ImageControlModule.h"

CImageClassFactory::CImageClassFactory()
{
    ImageControlObjectCreated();
}

CImageClassFactory::~CImageClassFactory()
{
    ImageControlObjectDestroyed();
}

STDMETHODIMP CImageClassFactory::QueryInterface(REFIID iid, void** object)
{
    if (!object) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CImageClassFactory::AddRef()
{
    return InterlockedIncrement(&m_nRefs);
}

STDMETHODIMP_(ULONG) CImageClassFactory::Release()
{
    const LONG refs = InterlockedDecrement(&m_nRefs);
    if (refs == 0) {
        delete this;
    }
    return refs;
}

STDMETHODIMP CImageClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (!object) {
        return E_POINTER;
    }
    *object = nullptr;
    if (outer) {
        return CLASS_E_NOAGGREGATION;
    }
    auto* control = new (std::nothrow) CImageControl();
    if (!control) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = control->QueryInterface(iid, object);
    control->Release();
    return hr;
}

STDMETHODIMP CImageClassFactory::LockServer(BOOL lock)
{
    ImageControlLockServer(lock != FALSE);
    return S_OK;
}
