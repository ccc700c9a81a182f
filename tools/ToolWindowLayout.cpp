#include "tools/ToolWindowLayout.h"

#include <new>

#include "view/RectConversion.h"

std::unique_ptr<LayoutEntry[]> CaptureToolWindowLayout(CWnd& window, const int* ids, int count)
{
    CRect parent;
    window.GetClientRect(&parent);
    // Without memory for the records the controls simply keep their places when it is sized.
    std::unique_ptr<LayoutEntry[]> entries(new (std::nothrow) LayoutEntry[count]);
    if (!entries) {
        return entries;
    }
    for (int i = 0; i < count; ++i) {
        entries[i].id = ids[i];
        CWnd* pControl = window.GetDlgItem(ids[i]);
        if (pControl == nullptr) {
            continue;
        }
        CRect control;
        pControl->GetClientRect(&control);
        pControl->ClientToScreen(&control);
        window.ScreenToClient(&control);
        CaptureLayout(entries[i].fractions, ToPlainRect(parent), ToPlainRect(control));
    }
    return entries;
}

void ApplyToolWindowLayout(CWnd& window, const LayoutEntry* entries, int count)
{
    if (entries == nullptr) {
        return;
    }
    CRect parent;
    window.GetClientRect(&parent);
    for (int i = 0; i < count; ++i) {
        CWnd* pControl = window.GetDlgItem(entries[i].id);
        if (pControl == nullptr) {
            continue;
        }
        const PlainRect place = ApplyLayout(entries[i].fractions, ToPlainRect(parent));
        pControl->SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                               SWP_NOZORDER | SWP_NOOWNERZORDER);
    }
}
