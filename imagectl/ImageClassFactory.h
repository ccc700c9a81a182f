#pragma once
#include <windows.h>
#include <unknwn.h>

// Makes image controls; handed out by DllGetClassObject.
class CImageClassFactory : public IClassFactory
{
public:
    CImageClassFactory();
    CImageClassFactory(const CImageClassFactory&) = delete;
    CImageClassFactory& operator=(const CImageClassFactory&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    virtual ~CImageClassFactory();

    volatile LONG m_nRefs = 1;
};
