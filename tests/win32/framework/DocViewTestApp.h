// The small document/view application the framework tests drive: an application object,
// an MDI main frame with a toolbar and a status bar, a template with its document, child
// frame and view. Every class logs what the tests look at.
#pragma once

#include <string>
#include <vector>

#include "DocViewTestIds.h"
#include "framework/Afx.h"

// Command routing log: one entry per target that saw ID_TEST_ROUTE; the target named by
// g_strRouteStop handles it (the others pass it on).
extern std::vector<std::string> g_routeLog;
extern std::string g_strRouteStop;
// What the update handler of ID_TEST_CHECKED sets; how often ID_TEST_CHECKED and
// ID_TEST_HANDLED ran.
extern int g_nCheckState;
extern int g_nCheckedRuns;
extern int g_nHandledRuns;
// The next OnNewDocument fails.
extern bool g_bFailNewDocument;

// Every OnActivateView call, and the activating view of the latest one (what a program
// that remembers "the most recently activated view" would keep).
struct ActivationCall
{
    BOOL bActivate;
    CView* pActivateView;
    CView* pDeactiveView;
    CView* pView; // the view that was called
};
extern std::vector<ActivationCall> g_activations;
extern CView* g_pLastActivateView;

class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    CString m_strContent;
    int m_nNewDocumentCalls = 0;

    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;

protected:
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CTestView : public CView
{
    DECLARE_DYNCREATE(CTestView)
public:
    int m_nInitialUpdates = 0;
    int m_nPreparePrinting = 0;
    int m_nBeginPrinting = 0;
    int m_nEndPrinting = 0;
    BOOL m_bOwnPrinterDC = FALSE; // OnPreparePrinting supplies a DC that cannot print
    CTestDoc* GetTestDoc() const { return static_cast<CTestDoc*>(GetDocument()); }

    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

protected:
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CTestChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CTestChildFrame)
protected:
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CTestTemplate : public CMultiDocTemplate
{
public:
    CTestTemplate();

protected:
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CTestMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNAMIC(CTestMainFrame)
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnRoute(UINT nID);
    afx_msg void OnTestChecked();
    afx_msg void OnUpdateTestChecked(CCmdUI* pCmdUI);
    afx_msg void OnUpdateTestDisabled(CCmdUI* pCmdUI);
    afx_msg void OnTestDisabled();
    afx_msg void OnTestHandled();
    DECLARE_MESSAGE_MAP()
};

class CTestApp : public CWinApp
{
public:
    CTestApp();

protected:
    afx_msg BOOL OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

extern CTestApp theTestApp;
extern CTestTemplate* g_pTemplate;

// Dispatches every waiting message of this thread; remembers a WM_QUIT instead of acting on it.
void PumpMessages();
extern bool g_bQuitPosted;

// Registers the template (once) and makes a visible main frame; TearDownFrame closes every
// document and destroys the frame without ending the thread's message loop.
CTestMainFrame* SetUpFrame();
void TearDownFrame();

// Waits (on another thread) for a top-level dialog titled lpszCaption, reads the text of its
// control nReadID (a message box's message by default), types lpszInput into control
// nInputID if given, and presses nButton.
class DialogCloser
{
public:
    DialogCloser(const char* lpszCaption, int nButton, DWORD dwTimeoutMs = 10000, int nInputID = 0,
                 const char* lpszInput = nullptr, int nReadID = 0xFFFF);
    // Whether the dialog showed up.
    bool Seen();
    ~DialogCloser();
    // Waits for the watcher to end; the message text it read.
    std::string Result();

private:
    static DWORD WINAPI Run(LPVOID pParam);
    std::string m_strCaption;
    int m_nButton;
    int m_nInputID;
    std::string m_strInput;
    int m_nReadID;
    bool m_bSeen = false;
    DWORD m_dwTimeoutMs;
    std::string m_strText;
    HANDLE m_hThread;
};
