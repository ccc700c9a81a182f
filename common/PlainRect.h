#pragma once
#include <cstdint>

// A rectangle as plain numbers (left, top, right, bottom; right and bottom exclusive), so that
// placement and layout arithmetic can be written and tested without any window type.
struct PlainRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

inline bool operator==(const PlainRect& a, const PlainRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline bool operator!=(const PlainRect& a, const PlainRect& b)
{
    return !(a == b);
}
