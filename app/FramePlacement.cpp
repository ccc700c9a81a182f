#include "app/FramePlacement.h"

WindowPlacement PlaceProcessTree(const PlainRect& frame)
{
    // 64-bit so that doubling a width never overflows; division truncates toward zero.
    const int64_t twoThirds = (2 * (static_cast<int64_t>(frame.right) - frame.left)) / 3;
    WindowPlacement placement;
    placement.x = static_cast<int32_t>(twoThirds);
    placement.y = frame.top;
    placement.width = static_cast<int32_t>(frame.right - twoThirds);
    placement.height = frame.bottom - frame.top;
    return placement;
}
