#pragma once
// The application object: start-up, the About command, the background runs of the documents,
// the memory text search and the two references that the windows share (the progress window of
// the run under way and the most recently activated view).

#include "framework/Afx.h"
#include "tools/ToolWindowHost.h"
#include "view/ProcessViewHost.h"

class CProgressDlg;
class CVexoProcessViewerView;

class CVexoProcessViewerApp : public CWinApp, public IActiveViewHost, public IToolWindowHost
{
public:
    CVexoProcessViewerApp();

    // The progress window of the background run under way; NULL between runs.
    CProgressDlg* m_pProgressDlg;
    // The view named in the latest view activation; NULL when none (cleared when it is deactivated).
    CVexoProcessViewerView* m_pActiveView;

    BOOL InitInstance() override;

    // Retrieves the view's document again behind the progress window (Refresh command, F5).
    void RefreshView(CVexoProcessViewerView* pView);
    // Runs the retrieval of every open document; only the pending ones do any work.
    void RetrievePendingDocuments() override;
    // True once the main frame has finished its creation.
    bool IsReadyForSelection() const override;
    // Enables or disables the main frame, its bars and the tool windows that start work.
    void EnableMainWindow(BOOL bEnable);
    // A retrieval or search is under way (its progress window is up).
    bool IsRunUnderWay() const;
    // The Find button: searches the memory of the active view's process for text behind the
    // progress window and lists the hits in the Find Tool window. Nothing happens without an
    // active view whose process is in the process tree's catalogue.
    void SearchMemory(const char* text) override;

    // The views record and read the most recently activated view through these.
    CVexoProcessViewerView* GetActiveProcessView() const override;
    void SetActiveProcessView(CVexoProcessViewerView* pView) override;

protected:
    afx_msg void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

extern CVexoProcessViewerApp theApp;
