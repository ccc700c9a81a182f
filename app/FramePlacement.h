#pragma once
#include <cstdint>

#include "common/PlainRect.h"

// Position and size for SetWindowPos.
struct WindowPlacement
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Where the process tree window goes beside the main frame: from two thirds of the frame's width
// (counted from 0, truncated toward zero) to the frame's right edge, over its full height.
// Given the frame's window rectangle when the frame is created, and its client rectangle when
// the frame's parent opens.
WindowPlacement PlaceProcessTree(const PlainRect& frame);
