#pragma once
#include <atomic>
#include <cstdint>
#include <vector>

#include "common/PictureGeometry.h"
#include "framework/Afx.h"
#include "view/ActiveXImageWindow.h"
#include "view/BlurbWnd.h"
#include "view/ModuleBlurb.h"
#include "view/PixelFeed.h"

class CProgressDlg;
class IProcessViewDocument;
struct ProcessRecord;

// The view of one child window: hosts the image control that shows the process's address space
// as a 1024 x 1024 picture (one pixel per 4 KiB page), turns clicks on it into page addresses,
// and shows the address tip and the module labels when the pointer rests over it.
class CVexoProcessViewerView : public CView
{
protected:
    CVexoProcessViewerView();
    DECLARE_DYNCREATE(CVexoProcessViewerView)

public:
    ~CVexoProcessViewerView() override;

    // The view's document as the view sees it; NULL when it is not a process document.
    IProcessViewDocument* GetProcessDocument() const;

    // The view of the main window's active frame when it is a process view: the view that
    // commands and tool windows act on. NULL when there is none.
    static CVexoProcessViewerView* FromActiveFrame();
    // The process views of one document, in the document's order.
    static std::vector<CVexoProcessViewerView*> ViewsOf(CDocument* pDocument);
    // Every process view of every open document: each template, each document, each view.
    static std::vector<CVexoProcessViewerView*> AllViews();

    // Composes the picture of pageMap (width x height flag words, page order) into the control,
    // moves the bar of pProgressDlg from nProgressStart towards nProgressEnd and builds one
    // module label per module of pRecord. Runs on the retrieval worker. Returns 0.
    int ComposeImage(const ProcessRecord* pRecord, const uint32_t* pageMap, int nWidth, int nHeight,
                     CProgressDlg* pProgressDlg, int nProgressStart, int nProgressEnd, bool bFit);

    // How later compositions hand their pixels to the control: in runs (the default) or one
    // call per coloured pixel. The picture is the same either way.
    void SetPixelTransfer(PixelTransfer transfer);

    // Shows the address tip and the module labels for the point (x, y) of the client area.
    void ShowTipsAt(int x, int y);
    // Hides the address tip and every module label window that exists.
    void HideTips();
    void SetModuleLabelsShown(BOOL bShown);
    void SetAddressPeekShown(BOOL bShown);
    void FitImageToWindow();
    // Zooms in on the page of address, selects it and lists the address in the memory window.
    void GoToAddress(uint32_t address);
    // The image control's window; NULL when the control could not be created.
    CWnd* GetImageWindow() const;
    // Destroys the module label windows and frees the label list; runs on the user-interface
    // thread before every composition.
    void ReleaseModuleLabels();
    // Set by the document on the user-interface thread while a retrieval worker composes into
    // this view (its control and its labels); the view must not be destroyed meanwhile.
    void SetWorkerUse(bool bInUse) { m_bWorkerUse = bInUse; }

    // Read-only access for the owner's checks.
    int GetModuleLabelCount() const { return m_nModuleLabelCount.load(std::memory_order_acquire); }
    const ModuleBlurb* GetModuleLabel(int index) const;
    CBlurbWnd& GetAddressTip() { return m_wndAddressTip; }
    CActiveXImageWindow* GetImageControl() const { return m_pImageWindow; }

    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;

protected:
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnFileSave();
    afx_msg void OnUpdateFileSave(CCmdUI* pCmdUI);
    afx_msg LRESULT OnReleaseLabels(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    const ProcessRecord* FindDocumentRecord() const;
    void ShowPageMemory(uint32_t address);
    void ShowAddressTip(long nColumn, long nRow, int x, int y);
    void ShowModuleLabels();
    void BuildModuleLabels(const ProcessRecord* pRecord);
    void HandlePictureClick(const MSG* pMsg);
    bool PictureCellOfMessage(const MSG* pMsg, long& nColumn, long& nRow);
    void InvalidateImage();
    void ZoomInOn(const PictureViewPosition& position, long nColumn, long nRow);
    void HideModuleLabels();
    void DestroyImageWindow();
    void ForgetActiveView();

    bool m_bWorkerUse;
    BOOL m_bModuleLabelsShown;
    BOOL m_bAddressPeekShown;
    CActiveXImageWindow* m_pImageWindow;
    CBlurbWnd m_wndAddressTip;
    // Published by the composition on the worker thread and read by the tips on the
    // user-interface thread: the list is stored before its records are filled and the count
    // last, after the release has set it to 0.
    std::atomic<ModuleBlurb*> m_pModuleLabels;
    std::atomic<int32_t> m_nModuleLabelCount;
    std::atomic<const ProcessRecord*> m_pComposedRecord;
    PixelTransfer m_pixelTransfer;
};
