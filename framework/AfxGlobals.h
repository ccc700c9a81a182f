// Global functions of the framework: the application, its main window, its module and
// message boxes with the application's title.
#pragma once

#include "framework/AfxDefs.h"

class CWinApp;
class CWinThread;

CWinApp* AfxGetApp();
// Registers the application object (its constructor does).
void AfxSetApp(CWinApp* pApp);
// The framework thread object of the calling thread (the application on the main thread).
CWinThread* AfxGetThread();
// The main window of the calling thread (worker threads see the application's).
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The application's title, or NULL before there is an application.
LPCSTR AfxGetAppName();
// A message box owned by the main window with the application's title as caption.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// Sets up the application object for this module; WinMain calls it before InitInstance.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
