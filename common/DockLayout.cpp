#include "common/DockLayout.h"

#include <cstdlib>

DockSide ChooseDockSide(const PlainRect& area, int x, int y, int margin, unsigned allowedSides)
{
    if (x < area.left - margin || x >= area.right + margin || y < area.top - margin ||
        y >= area.bottom + margin) {
        return kDockSideNone;
    }
    struct Candidate
    {
        DockSide side;
        int distance;
    };
    const Candidate candidates[] = {
        {kDockSideTop, std::abs(y - area.top)},
        {kDockSideBottom, std::abs(area.bottom - 1 - y)},
        {kDockSideLeft, std::abs(x - area.left)},
        {kDockSideRight, std::abs(area.right - 1 - x)},
    };
    DockSide best = kDockSideNone;
    int bestDistance = margin + 1;
    for (const Candidate& candidate : candidates) {
        if ((allowedSides & candidate.side) != 0 && candidate.distance < bestDistance) {
            best = candidate.side;
            bestDistance = candidate.distance;
        }
    }
    return best;
}

std::vector<bool> WrapItems(const std::vector<WrapItem>& items, int maxWidth)
{
    std::vector<bool> wraps(items.size(), false);
    int rowWidth = 0;
    bool rowEmpty = true;
    for (size_t i = 0; i < items.size(); ++i) {
        const WrapItem& item = items[i];
        if (!rowEmpty && rowWidth + item.width > maxWidth) {
            if (item.separator) {
                wraps[i] = true; // the separator ends the row in place of a gap
                rowWidth = 0;
                rowEmpty = true;
                continue;
            }
            wraps[i - 1] = true;
            rowWidth = 0;
        }
        rowWidth += item.width;
        rowEmpty = false;
    }
    if (!wraps.empty()) {
        wraps.back() = false;
    }
    return wraps;
}
