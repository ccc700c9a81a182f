#pragma once
// Shared pieces of the view, document and tool window tests (win32/view, win32/document,
// win32/tools): the application object and main window that a view looks for, one helper target
// process with a catalogue for the whole program, a frame that shows one document in one real
// view, and recorders of what a progress window was told.

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "document/VexoProcessViewerDoc.h"
#include "framework/Afx.h"
#include "inspect/ProcessCatalogue.h"
#include "tests/support/TargetProcess.h"
#include "view/ProcessViewHost.h"
#include "view/ProgressDlg.h"
#include "view/VexoProcessViewerView.h"

namespace picturetest {

// The application object of the test programs: holds the most recently activated view.
class CTestApp : public CWinApp, public IActiveViewHost
{
public:
    CVexoProcessViewerView* m_pActiveView = nullptr;
    CVexoProcessViewerView* GetActiveProcessView() const override { return m_pActiveView; }
    void SetActiveProcessView(CVexoProcessViewerView* pView) override { m_pActiveView = pView; }
};
CTestApp& App();

// A top-level frame that stands in for the main frame: it records every page a view asks it
// to list.
class CTestMainFrame : public CFrameWnd, public IMemoryContentsHost
{
public:
    struct Listing
    {
        const ProcessRecord* record;
        uint32_t address;
    };
    std::vector<Listing> listings;
    void ShowMemoryContents(CProcessCatalogue*, const ProcessRecord* pRecord,
                            uint32_t address) override
    {
        listings.push_back({pRecord, address});
    }
};

// The helper target and a catalogue refreshed while it runs; started once per program.
class CTargetEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
    void TearDown() override;

    CTargetProcess target;
    std::string startError;
    CProcessCatalogue catalogue;
};
CTargetEnvironment& Env();
// The target's record, or nullptr (the calling test then fails).
const ProcessRecord* TargetRecord();
// The target's page map as the catalogue walks it.
std::vector<uint32_t> TargetPageMap();

// Dispatches every waiting message.
void Pump();

// A main frame (AfxGetMainWnd) with one document shown in one real view filling its client.
class CViewHarness
{
public:
    CViewHarness();
    ~CViewHarness();

    // A second view of the same document, in a frame of its own.
    CVexoProcessViewerView* AddView();

    CTestMainFrame* frame = nullptr;
    CVexoProcessViewerDoc* document = nullptr;
    CVexoProcessViewerView* view = nullptr;

private:
    std::vector<HWND> m_extraFrames;
};

// Records the positions sent to the bar of a progress window and the texts set on its text line.
class CProgressRecorder
{
public:
    // Starts recording on an existing progress window.
    void Attach(CProgressDlg* pDlg);
    void Detach();
    ~CProgressRecorder() { Detach(); }

    std::vector<int> positions;
    std::vector<std::string> texts;
    std::vector<std::string> captions;

private:
    static LRESULT CALLBACK BarProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK TextProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hBar = nullptr, m_hText = nullptr, m_hDialog = nullptr;
    WNDPROC m_oldBar = nullptr, m_oldText = nullptr, m_oldDialog = nullptr;
};

// Window point (control client coordinates) inside the picture cell (column, row from top).
POINT PointOfCell(CActiveXImageWindow& image, long column, long rowFromTop);

} // namespace picturetest
