#pragma once
// Window code hands Win32 rectangles to the pure geometry, which has its own plain rectangle so
// that it builds without <windows.h>.
#include <windows.h>

#include "common/PlainRect.h"

inline PlainRect ToPlainRect(const RECT& rect)
{
    PlainRect plain;
    plain.left = rect.left;
    plain.top = rect.top;
    plain.right = rect.right;
    plain.bottom = rect.bottom;
    return plain;
}
