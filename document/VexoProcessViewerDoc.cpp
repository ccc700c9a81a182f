#include "document/VexoProcessViewerDoc.h"

#include <memory>

#include "common/ModuleLabelText.h"
#include "common/PictureGeometry.h"
#include "document/DumpFormat.h"
#include "document/DumpWriter.h"
#include "inspect/ProcessCatalogue.h"
#include "inspect/ProcessMemoryReader.h"
#include "res/resource.h"
#include "view/ProgressDlg.h"
#include "view/VexoProcessViewerView.h"

namespace {

void SetProgressPosition(HWND hBar, int position)
{
    if (hBar != nullptr) {
        ::SendMessage(hBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
}

const char* Module0Name(const ProcessRecord* pRecord)
{
    if (pRecord == nullptr || pRecord->moduleCount < 1 || !pRecord->moduleNames) {
        return nullptr;
    }
    return pRecord->moduleNames[0].c_str();
}

} // namespace

IMPLEMENT_DYNCREATE(CVexoProcessViewerDoc, CDocument)

BEGIN_MESSAGE_MAP(CVexoProcessViewerDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
END_MESSAGE_MAP()

CVexoProcessViewerDoc::CVexoProcessViewerDoc()
    : m_pCatalogue(nullptr),
      m_dwProcessId(0),
      m_bRetrievePending(FALSE),
      m_bRetrieving(FALSE)
{
}

CVexoProcessViewerDoc::~CVexoProcessViewerDoc() = default;

BOOL CVexoProcessViewerDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

void CVexoProcessViewerDoc::SetTarget(CProcessCatalogue* pCatalogue, uint32_t dwProcessId)
{
    m_pCatalogue = pCatalogue;
    m_dwProcessId = dwProcessId;
    m_bRetrievePending = TRUE;
}

BOOL CVexoProcessViewerDoc::RetrieveMemoryMap(CProgressDlg* pProgressDlg)
{
    if (!m_bRetrievePending || m_pCatalogue == nullptr) {
        return FALSE;
    }

    HWND hBar = nullptr;
    if (pProgressDlg != nullptr && ::IsWindow(pProgressDlg->GetSafeHwnd())) {
        hBar = ::GetDlgItem(pProgressDlg->GetSafeHwnd(), IDC_PROGRESS_BAR);
    }

    const ProcessRecord* pRecord = m_pCatalogue->FindProcess(m_dwProcessId);
    const std::string text = RetrievalProgressText(Module0Name(pRecord), m_dwProcessId);
    if (pProgressDlg != nullptr && ::IsWindow(pProgressDlg->GetSafeHwnd())) {
        pProgressDlg->SetText(text.c_str());
    }
    SetProgressPosition(hBar, 0);

    const int pageCount = m_pCatalogue->GetPageCount();
    std::unique_ptr<uint32_t[]> pageMap(new (std::nothrow) uint32_t[pageCount]());
    // A process that has gone or cannot be opened leaves the map all zero. Without memory for
    // a map the views compose from none, which gives the same grey picture: the document then
    // shows its new process as one it could not read, never the old process's picture.
    if (pageMap) {
        m_pCatalogue->BuildPageMap(m_dwProcessId, pageMap.get());
    }
    SetProgressPosition(hBar, 10);

    for (CVexoProcessViewerView* pView : CVexoProcessViewerView::ViewsOf(this)) {
        pView->ComposeImage(pRecord, pageMap.get(), kPictureSide, kPictureSide, pProgressDlg, 10,
                            100, false);
    }
    // Sent and waited for: once it returns, the bar has also taken every position that the
    // compositions sent before it without waiting.
    SetProgressPosition(hBar, 100);
    pageMap.reset();

    m_bRetrievePending = FALSE;
    return TRUE;
}

void CVexoProcessViewerDoc::ReleaseModuleLabels()
{
    for (CVexoProcessViewerView* pView : CVexoProcessViewerView::ViewsOf(this)) {
        pView->ReleaseModuleLabels();
    }
}

CProcessCatalogue* CVexoProcessViewerDoc::GetCatalogue() const
{
    return m_pCatalogue;
}

uint32_t CVexoProcessViewerDoc::GetProcessId() const
{
    return m_dwProcessId;
}

void CVexoProcessViewerDoc::SetRetrieving(BOOL bRetrieving)
{
    m_bRetrieving = bRetrieving;
    for (CVexoProcessViewerView* pView : CVexoProcessViewerView::ViewsOf(this)) {
        pView->SetWorkerUse(bRetrieving != FALSE);
    }
}

void CVexoProcessViewerDoc::OnCloseDocument()
{
    // The frames hold their closes while a run is under way, so this is never reached then;
    // should it be, the document stays rather than pull its views from under the worker.
    ASSERT(!m_bRetrieving);
    if (m_bRetrieving) {
        return;
    }
    CDocument::OnCloseDocument();
}

void CVexoProcessViewerDoc::Serialize(CArchive& ar)
{
    if (ar.IsLoading()) {
        return;
    }

    // Without a catalogue or a record every read fails and each page is dumped as blanks.
    const ProcessRecord* pRecord =
        m_pCatalogue != nullptr ? m_pCatalogue->FindProcess(m_dwProcessId) : nullptr;

    // The process is opened once for the whole dump; pages that cannot be read are known from
    // the region layout without trying. Each page gives what a read of its own would give.
    // The chunks go out in large blocks.
    static_assert(kDumpPageSize == CProcessMemoryReader::kPageBytes,
                  "a dumped page is what the reader reads in one go");
    CProcessMemoryReader reader(pRecord);
    std::unique_ptr<uint8_t[]> page(new (std::nothrow) uint8_t[kDumpPageSize + 1]);
    CDumpWriter writer(ar);
    if (!page || !writer.IsReady()) {
        // Nothing can be written without the buffers: the save reports the failure.
        ar.MarkFailed();
        return;
    }
    uint32_t address = 0;
    do {
        const bool read = reader.ReadPage(address, page.get()) == kReadDone;
        // A failed write fails the archive for good (the save reports it): stop there.
        if (!writer.AddPage(read ? page.get() : nullptr)) {
            break;
        }
        address += kDumpPageSize;
    } while (address < kDumpAddressLimit);
    writer.Finish();
}

void CVexoProcessViewerDoc::OnFileSave()
{
    // Saving is the view's command; the document's own does nothing.
}
