#include "view/IdlePaintProgressBar.h"

BEGIN_MESSAGE_MAP(CIdlePaintProgressBar, CWnd)
    ON_MESSAGE(PBM_SETPOS, OnSetPos)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CIdlePaintProgressBar::CIdlePaintProgressBar() : m_bHoldPaint(false)
{
}

LRESULT CIdlePaintProgressBar::OnSetPos(WPARAM wParam, LPARAM lParam)
{
    m_bHoldPaint = true;
    const LRESULT previous = DefWindowProc(PBM_SETPOS, wParam, lParam);
    m_bHoldPaint = false;
    return previous;
}

void CIdlePaintProgressBar::OnPaint()
{
    // Left unpainted, the bar stays invalid and gets its paint when the message queue is empty.
    if (m_bHoldPaint) {
        return;
    }
    Default();
}
