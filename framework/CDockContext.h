// The drag of one control bar: a press on the bar's gripper or empty area, or on its floating
// frame's caption, tracks the pointer with an inverted rectangle until the button is released.
// Released near an edge of the frame's docking area the bar docks there (where both the bar
// and the frame allow that edge); released elsewhere, or with Ctrl held, it floats. Escape, the
// right button or a lost capture leave the bar where it was.
#pragma once

#include "framework/CRect.h"

class CControlBar;
class CFrameWnd;

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Called on a press at ptScreen; returns when the drag has ended (the bar may be gone).
    void StartDrag(CPoint ptScreen);
    // Called when the bar goes away: a drag under way ends without moving it.
    void CancelDrag();
    // A floating bar docks on the edge it last docked on; a docked bar floats where it last
    // floated, or near its docked place the first time. A disabled bar stays where it is.
    void ToggleDocking();

    DWORD m_dwLastDockAlign; // CBRS_ALIGN_ edge of the last docking
    CRect m_rectLastFloat;   // the floating frame's screen rectangle; empty before the first float

private:
    // The drag's own message loop; TRUE when the bar is to be dropped. Nothing of this object
    // is touched once *pbAlive turns false (the bar and its context were deleted meanwhile).
    BOOL Track(const bool* pbAlive);
    // The messages the loop acts on itself: the pointer, the buttons and the keys.
    static BOOL IsTrackMessage(UINT nMsg);
    // Acts on one of them; TRUE when it ends the drag, with *pbDrop set when it drops the bar.
    BOOL TrackMessage(const MSG& msg, BOOL* pbDrop);
    void Move(CPoint ptScreen, BOOL bCtrl);
    void Drop();
    // CBRS_ALIGN_ edge a drop at ptScreen docks on; 0 to float.
    DWORD DropAlignAt(CPoint ptScreen, BOOL bCtrl) const;
    CRect TrackRectFor(CPoint ptScreen, DWORD dwAlign) const;
    CSize FloatingFrameSize() const;
    // Inverts the outline of m_rectTrack on the screen: drawing it twice removes it.
    void InvertTrackRect() const;
    CFrameWnd* GetDockSite() const;

    CControlBar* m_pBar;
    HWND m_hWndBar;
    CPoint m_ptStart;
    CPoint m_ptLast;   // the pointer's latest position
    CPoint m_ptOffset; // pointer minus the top-left corner of what is dragged
    CRect m_rectTrack;
    DWORD m_dwDropAlign;
    BOOL m_bDragging;   // the pointer has moved far enough to count as a drag
    BOOL m_bTrackShown; // m_rectTrack is drawn
    BOOL m_bCancelled;
    bool* m_pbAlive; // the running drag's flag; NULL when no drag runs
};
