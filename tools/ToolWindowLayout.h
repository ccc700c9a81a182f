#pragma once
// The window side of the proportional layout of the resizable tool windows: record the
// controls once at initialisation, rebuild them from their fractions on every size change.

#include <memory>

#include "common/LayoutFractions.h"
#include "framework/Afx.h"

// One entry per id, in order. A control that exists is recorded from its client area (inside
// any border) as fractions of the window's client rectangle; an id without a control keeps
// fractions of 0.
std::unique_ptr<LayoutEntry[]> CaptureToolWindowLayout(CWnd& window, const int* ids, int count);

// Moves every control of entries that exists to its place for the window's client rectangle,
// without changing z-order. Does nothing before the layout was recorded (entries NULL).
void ApplyToolWindowLayout(CWnd& window, const LayoutEntry* entries, int count);
