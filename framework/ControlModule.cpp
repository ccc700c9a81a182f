#include "framework/ControlModule.h"

#include <mutex>
#include <string>
#include <vector>

namespace {

typedef HRESULT(WINAPI* GetClassObjectFunction)(REFCLSID, REFIID, void**);

struct ControlModule
{
    CLSID clsid;
    std::string path;
    HMODULE module;
};

std::mutex g_modulesLock;
std::vector<ControlModule> g_modules;

std::string PathBesideExecutable(const char* fileName)
{
    const std::string name(fileName);
    if (name.find_first_of("\\/:") != std::string::npos) {
        return name;
    }
    char exe[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path(exe, length < MAX_PATH ? length : 0);
    const size_t slash = path.find_last_of("\\/");
    path.erase(slash == std::string::npos ? 0 : slash + 1);
    return path + name;
}

// Loads the module of clsid (once) and returns its DllGetClassObject, or an error.
HRESULT FindModuleEntry(REFCLSID clsid, GetClassObjectFunction* entry)
{
    std::lock_guard<std::mutex> lock(g_modulesLock);
    for (ControlModule& module : g_modules) {
        if (!IsEqualCLSID(module.clsid, clsid)) {
            continue;
        }
        if (!module.module) {
            // Dependencies of the DLL are looked for in its own directory first.
            module.module =
                LoadLibraryExA(module.path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
            if (!module.module) {
                const DWORD error = GetLastError();
                return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
            }
        }
        *entry = reinterpret_cast<GetClassObjectFunction>(
            GetProcAddress(module.module, "DllGetClassObject"));
        return *entry ? S_OK : CO_E_ERRORINDLL;
    }
    return REGDB_E_CLASSNOTREG;
}

} // namespace

void AfxEnableControlContainer()
{
    static bool s_enabled = false;
    if (!s_enabled) {
        // S_FALSE (already initialised) is as good; a thread in the multithreaded apartment
        // cannot take OLE, and plain COM is all a control needs there.
        const HRESULT hr = OleInitialize(nullptr);
        s_enabled = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
    }
}

void AfxRegisterControlModule(REFCLSID clsid, const char* dllFileName)
{
    if (!dllFileName || !*dllFileName) {
        return;
    }
    const std::string path = PathBesideExecutable(dllFileName);
    std::lock_guard<std::mutex> lock(g_modulesLock);
    for (ControlModule& module : g_modules) {
        if (IsEqualCLSID(module.clsid, clsid)) {
            if (module.path != path) {
                module.path = path;
                module.module = nullptr; // a loaded module stays loaded; the new file is used next
            }
            return;
        }
    }
    g_modules.push_back(ControlModule{clsid, path, nullptr});
}

HRESULT AfxGetControlClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object) {
        return E_POINTER;
    }
    *object = nullptr;
    const HRESULT registered = CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, iid, object);
    if (SUCCEEDED(registered) && *object) {
        return registered;
    }
    *object = nullptr;
    GetClassObjectFunction entry = nullptr;
    const HRESULT found = FindModuleEntry(clsid, &entry);
    if (found == REGDB_E_CLASSNOTREG) {
        return FAILED(registered) ? registered : REGDB_E_CLASSNOTREG;
    }
    if (FAILED(found)) {
        return found;
    }
    const HRESULT hr = entry(clsid, iid, object);
    if (FAILED(hr)) {
        *object = nullptr;
    }
    return hr;
}
