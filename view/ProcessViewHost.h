#pragma once
#include <cstdint>

class CProcessCatalogue;
class CVexoProcessViewerView;
struct ProcessRecord;

// What a process view needs of the program around it, without depending on the document's,
// the application's or the main frame's classes. Views find the hosts at run time:
//   - their document (CView::GetDocument()) implements IProcessViewDocument, naming the process
//     that the view shows;
//   - the application object (AfxGetApp()) implements IActiveViewHost, holding the most recently
//     activated view (its m_pActiveView);
//   - the main frame (AfxGetMainWnd()) implements IMemoryContentsHost, passing a page to its
//     memory contents window (its m_wndMemoryContents.ShowMemory).
// A program or test without them simply gets no activation record and no memory listing.

class IProcessViewDocument
{
public:
    // The catalogue that holds the document's process; NULL before a process was chosen.
    virtual CProcessCatalogue* GetCatalogue() const = 0;
    // The identifier of the document's process.
    virtual uint32_t GetProcessId() const = 0;

protected:
    virtual ~IProcessViewDocument() = default;
};

class IActiveViewHost
{
public:
    virtual CVexoProcessViewerView* GetActiveProcessView() const = 0;
    virtual void SetActiveProcessView(CVexoProcessViewerView* pView) = 0;

protected:
    virtual ~IActiveViewHost() = default;
};

class IMemoryContentsHost
{
public:
    // Lists the memory at address of the record's process in the memory contents window.
    virtual void ShowMemoryContents(CProcessCatalogue* pCatalogue, const ProcessRecord* pRecord,
                                    uint32_t address) = 0;

protected:
    virtual ~IMemoryContentsHost() = default;
};
