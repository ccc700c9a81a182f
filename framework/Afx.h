// The framework's umbrella header: Windows, the common controls and every framework class.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include "framework/AfxDefs.h"
#include "framework/AfxGlobals.h"
#include "framework/AfxRes.h"
#include "framework/CArchive.h"
#include "framework/CBrush.h"
#include "framework/CClientDC.h"
#include "framework/CCmdTarget.h"
#include "framework/CCmdUI.h"
#include "framework/CDC.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CFile.h"
#include "framework/CFileException.h"
#include "framework/CFont.h"
#include "framework/CGdiObject.h"
#include "framework/CListCtrl.h"
#include "framework/CMenu.h"
#include "framework/CObject.h"
#include "framework/CPaintDC.h"
#include "framework/CPoint.h"
#include "framework/CRect.h"
#include "framework/CSize.h"
#include "framework/CString.h"
#include "framework/CTreeCtrl.h"
#include "framework/CWinApp.h"
#include "framework/CWinThread.h"
#include "framework/CWnd.h"

// Control hosting.
#include "framework/ControlModule.h"
#include "framework/DispatchCall.h"

// Document/view, frames and bars.
#include "framework/AfxExtractSubString.h"
#include "framework/AfxPosition.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CControlBar.h"
#include "framework/CCreateContext.h"
#include "framework/CDocManager.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CMDIChildWnd.h"
#include "framework/CMDIFrameWnd.h"
#include "framework/CMultiDocTemplate.h"
#include "framework/CPrintDialog.h"
#include "framework/CPrintInfo.h"
#include "framework/CRecentFileList.h"
#include "framework/CStatusBar.h"
#include "framework/CToolBar.h"
#include "framework/CView.h"
