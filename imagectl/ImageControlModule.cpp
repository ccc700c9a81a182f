#include "imagectl/ImageControlModule.h"

#include <new>

#include "imagectl/ImageClassFactory.h"
#include "imagectl/ImageControlIds.h"
#include "imagectl/ImageWindow.h"

namespace {

HINSTANCE g_instance = nullptr;
volatile LONG g_objects = 0;
volatile LONG g_locks = 0;

} // namespace

HINSTANCE ImageControlInstance()
{
    return g_instance;
}

void ImageControlObjectCreated()
{
    InterlockedIncrement(&g_objects);
}

void ImageControlObjectDestroyed()
{
    InterlockedDecrement(&g_objects);
}

void ImageControlLockServer(bool lock)
{
    if (lock) {
        InterlockedIncrement(&g_locks);
    } else {
        InterlockedDecrement(&g_locks);
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        CImageWindow::UnregisterWindowClass(instance);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_VexoImageControl)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    auto* factory = new (std::nothrow) CImageClassFactory();
    if (!factory) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}
