// Control hosting: how a control class is found. A class is taken from the system's registration
// when it is registered there; otherwise from a "control module", a DLL beside the executable
// that the program names at start-up, so that the program runs without any registration step.
#pragma once

#include <windows.h>
#include <ole2.h>

// Makes the calling (user-interface) thread able to host controls: initialises OLE on it once.
void AfxEnableControlContainer();

// Names the DLL that serves clsid: a file name is looked for in the executable's directory, a
// path is used as it is. A later registration of the same class replaces the earlier one.
void AfxRegisterControlModule(REFCLSID clsid, const char* dllFileName);

// The class object of clsid, from the system or else from its control module. The module stays
// loaded for the rest of the process.
HRESULT AfxGetControlClassObject(REFCLSID clsid, REFIID iid, void** object);
