#pragma once
#include <windows.h>

// Public face of the image-display control: its class identifier, the file that serves it and
// the dispatch identifiers of its members. Hosts need nothing else to create and drive it.

// {2A8C295D-A860-44AC-9D69-5E90C507A1C2}
inline const CLSID CLSID_VexoImageControl = {
    0x2a8c295d, 0xa860, 0x44ac, {0x9d, 0x69, 0x5e, 0x90, 0xc5, 0x07, 0xa1, 0xc2}};

// The in-process server, found beside the program's executable.
inline const char kImageControlDllName[] = "VexoImageCtl.dll";

// Members of the dispatch interface. Rows count from the top edge of the picture, except in
// SetPixelColor, which counts them upward from the bottom edge.
enum : DISPID
{
    DISPID_IMG_DISPLAYSTYLE = 3,       // property, I4
    DISPID_IMG_RESETIMAGE = 13,        // () -> I4
    DISPID_IMG_FITTOWINDOW = 14,       // () -> R4 (the new zoom)
    DISPID_IMG_GETZOOM = 18,           // () -> R4
    DISPID_IMG_GETVIEWPOSITIONX = 19,  // () -> R4
    DISPID_IMG_GETVIEWPOSITIONY = 20,  // () -> R4
    DISPID_IMG_SETZOOM = 21,           // (R4 zoom) -> R4 (the zoom in force)
    DISPID_IMG_SETVIEWPOSITION = 22,   // (R4 x, R4 y)
    DISPID_IMG_SETIMAGESIZE = 24,      // (I4 width, I4 height, I4 colour) -> I4
    DISPID_IMG_SETDISPLAYFLAG = 25,    // (BOOL flag, I4 value)
    DISPID_IMG_SETPIXELCOLOR = 26,     // (I4 column, I4 rowFromBottom, I4 colour) -> I4
    DISPID_IMG_WINDOWTOIMAGE = 27,     // (I4 x, I4 y, PI4 column, PI4 row) -> I4
    DISPID_IMG_SETFIRSTCALLBACK = 28,  // (I4 function, I4 context) -> I4
    DISPID_IMG_IMAGETOWINDOW = 29,     // (I4 column, I4 row, PI4 x, PI4 y) -> I4
    DISPID_IMG_SELECTPIXEL = 30,       // (I4 column, I4 row) -> I4
    DISPID_IMG_SETSECONDCALLBACK = 32, // (I4 function, I4 context) -> I4
    DISPID_IMG_GETPIXELCOLOR = 33,     // (I4 column, I4 row) -> I4 colour, -1 off the picture
    DISPID_IMG_SETPIXELCOLORS = 34,    // (I4 column, I4 rowFromBottom, VARIANT colours) -> I4
};

// SetPixelColors sets consecutive pixels from (column, rowFromBottom): to the right along the
// row, then on from column 0 of the row above. The colours come as a one-dimensional SAFEARRAY
// of I4, by value or by reference. The result is the number of pixels set, or -1 when the run
// does not fit the picture (nothing is set then). One call does the work of as many
// SetPixelColor calls as the array holds.

// Zoom is screen pixels per picture pixel; this is the close-up a double-click asks for.
constexpr float kImageCloseUpZoom = 10.0f;
