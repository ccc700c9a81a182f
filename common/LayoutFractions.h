#pragma once
#include <cstdint>

#include "common/PlainRect.h"

// Proportional layout of a resizable window's controls: each control's rectangle is recorded
// once as fractions of the window's client rectangle and rebuilt from them on every resize, so
// the same client size always gives the same layout.

// The four edges of a control as fractions, stored in this order.
struct LayoutFractions
{
    float top;    // of the client height
    float left;   // of the client width
    float right;  // of the client width
    float bottom; // of the client height

    LayoutFractions() : top(0.0f), left(0.0f), right(0.0f), bottom(0.0f) {}
};

// One control's record: its dialog item id and its fractions.
struct LayoutEntry
{
    int32_t id = 0;
    LayoutFractions fractions;
};

// Records control as fractions of parent (each quotient in double, stored as float). The edges
// of control are taken as they are, not relative to parent's origin. A parent without width
// (or height) gives horizontal (or vertical) fractions of 0 instead of dividing by zero.
void CaptureLayout(LayoutFractions& fractions, const PlainRect& parent, const PlainRect& control);

// Rebuilds a control rectangle, relative to parent's origin: each edge is
// trunc(extent x fraction + 0.5) in double, with the width taken as a float first.
PlainRect ApplyLayout(const LayoutFractions& fractions, const PlainRect& parent);
