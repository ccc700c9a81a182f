// The program's entry point: runs the one application object. The library's link options
// pull this file in, since the C runtime asks for WinMain only after the libraries are read.
#include "framework/CWinApp.h"
#include "framework/CWnd.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) {
        return -1;
    }
    try {
        if (!pApp->InitInstance()) {
            if (pApp->m_pMainWnd != nullptr) {
                pApp->m_pMainWnd->DestroyWindow();
            }
            return pApp->ExitInstance();
        }
        return pApp->Run();
    } catch (...) {
        ::OutputDebugStringA("framework: exception ended the application\n");
        return -1;
    }
}
