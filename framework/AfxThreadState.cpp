#include "framework/AfxThreadState.h"

#include "framework/CDC.h"
#include "framework/CGdiObject.h"
#include "framework/CMenu.h"
#include "framework/CWnd.h"

// Deliberately not a thread_local object with a destructor: permanent window objects with
// static storage may outlive the main thread's thread_local objects at process exit.
static thread_local AfxThreadState* t_pState = nullptr;

AfxThreadState* AfxGetThreadState()
{
    if (t_pState == nullptr) {
        t_pState = new AfxThreadState;
    }
    return t_pState;
}

void AfxFreeThreadState()
{
    delete t_pState;
    t_pState = nullptr;
}

void AfxDeleteTempMaps()
{
    if (t_pState == nullptr) {
        return;
    }
    t_pState->wndMap.DeleteTemp();
    t_pState->menuMap.DeleteTemp();
    t_pState->dcMap.DeleteTemp();
    t_pState->gdiMap.DeleteTemp();
}
