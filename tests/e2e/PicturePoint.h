#pragma once
// Where to point at the program's picture from outside: the screen point of a page's pixel after
// a Goto, found with the image control's own coordinate conversion, and moving tool windows
// that would take the click instead.

#include <windows.h>

#include <cstdint>

namespace remote {

// Screen point inside the pixel of page after a Goto to gotoAddress: the control then shows the
// page of gotoAddress at zoom 10, centred. image is the control's window.
POINT PictureScreenPoint(HWND image, uint32_t gotoAddress, uint32_t page);

// Moves the top-level windows (other than main) that cover a screen point to the bottom of the
// screen, until the point reaches wanted or eight tries are used.
void Uncover(POINT point, HWND wanted, HWND main);

} // namespace remote
