#pragma once
#include <windows.h>

// Process-wide state of the control's DLL: its instance handle and the counts that decide
// whether DllCanUnloadNow may let it go.
HINSTANCE ImageControlInstance();
void ImageControlObjectCreated();
void ImageControlObjectDestroyed();
void ImageControlLockServer(bool lock);
