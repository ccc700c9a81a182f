#pragma once
// Geometry of docking bars, as plain numbers: which edge of a frame a dropped bar goes to, and
// where the items of a bar end their rows when the bar is wrapped to a width.

#include <vector>

#include "common/PlainRect.h"

// Edges of the docking area, as bits so that callers can pass a set of them.
enum DockSide : unsigned
{
    kDockSideNone = 0,
    kDockSideTop = 1,
    kDockSideBottom = 2,
    kDockSideLeft = 4,
    kDockSideRight = 8,
};

// The edge of area nearest to the point (x, y) among the allowed ones, provided the point lies
// within margin of that edge (inside or outside the area, but not beyond its ends plus margin);
// kDockSideNone when no allowed edge is that near. Ties go to top, bottom, left, right.
DockSide ChooseDockSide(const PlainRect& area, int x, int y, int margin, unsigned allowedSides);

// One item of a bar laid out in rows: its width and whether it is a separator.
struct WrapItem
{
    int width = 0;
    bool separator = false;
};

// Items placed left to right in rows no wider than maxWidth (a row always takes at least one
// item): element i is true when item i ends its row. A separator that does not fit ends the row
// itself; the last item never wraps.
std::vector<bool> WrapItems(const std::vector<WrapItem>& items, int maxWidth);
