#pragma once
#include "framework/Afx.h"

// The small yellow tip window laid over the picture: the address tip of a view and the module
// labels. It sizes itself to its text, puts the text's top-left corner at a point of its parent
// and flips to the other side of the point where it would run past the parent's right or bottom
// edge. Created hidden (WS_CHILD only) by its owner; shown by ShowAt.
class CBlurbWnd : public CWnd
{
public:
    CBlurbWnd();
    ~CBlurbWnd() override;

    // Sizes the window to text, places it at (x, y) of the parent's client area and shows it.
    // A null text changes nothing. Returns 0.
    int ShowAt(int x, int y, LPCSTR text);

    // The text given to the last ShowAt.
    const CString& GetText() const { return m_strText; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CString m_strText;
    CFont m_font;
};

// The fixed-pitch font request shared by the tip, the process tree and the memory list: 16 high,
// normal weight, proof quality, fixed pitch of the modern family, no face name.
BOOL CreateFixedPitchFont(CFont& font);
