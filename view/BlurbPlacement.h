#pragma once
#include <cstdint>

#include "common/PlainRect.h"

// Box of a tip window whose text (textWidth x textHeight) starts at (x, y) in its parent: the
// text extent grown by a 1-pixel frame on every side. A box that would reach the parent's right
// edge moves to the left of the point, one that would reach its bottom edge above it; both may
// apply at once.
PlainRect PlaceBlurb(int32_t x, int32_t y, int32_t textWidth, int32_t textHeight,
                     const PlainRect& parentClient);
