// A view: the window inside a frame that shows a document. Routes commands to its document,
// becomes the frame's active view when clicked, and prints through OnDraw.
#pragma once

#include "framework/AfxRes.h"
#include "framework/CWnd.h"

class CDC;
class CDocument;
class CFrameWnd;
struct CPrintInfo;

// Window style of a view created by a frame.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The view's commands first, then its document's (and that document's template's).
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Called by the frame when this view gains (bActivate) or loses the active state.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnInitialUpdate();

    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);

protected:
    CView();

    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);

    // Printing: OnPreparePrinting usually just calls DoPreparePrinting, which asks the user
    // with the standard print dialog; then each page is drawn with OnPrint (OnDraw).
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();
    afx_msg void OnUpdateSplitCmd(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument;

private:
    BOOL PrintPages(CDC& dcPrint, CPrintInfo& printInfo);

    friend class CDocument;
};
