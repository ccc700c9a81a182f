#pragma once
#include <cstdint>

#include "common/PageSize.h"

// The address-space picture: 1024 x 1024 pixels, one per 4 KiB page. Page k is column k % 1024;
// the image control counts rows upward from the bottom edge (row k / 1024), everything else in
// the view counts them downward from the top edge (1023 - k / 1024).

constexpr int32_t kPictureSide = 1024;
constexpr uint32_t kPicturePageSize = kPageSize;

// Colours as the control takes them (COLORREF layout, red in the low byte).
constexpr uint32_t kBackgroundColour = 0xBEBEBE;
constexpr uint32_t kFreeColour = 0x00FF00;
constexpr uint32_t kReservedColour = 0xFF0000;
constexpr uint32_t kCommittedColour = 0x0000FF;

// A pixel of the picture with its row counted from the top edge.
struct PicturePixel
{
    int32_t column = 0;
    int32_t row = 0;
};

// A view position for the control's SetViewPosition.
struct PictureViewPosition
{
    float x = 0.0f;
    float y = 0.0f;
};

// Pixel (row from the top) of the page that holds the address.
PicturePixel PixelOfAddress(uint32_t address);

// Row of the address counted from the bottom edge, as SetPixelColor takes it.
int32_t BottomRowOfAddress(uint32_t address);

// Start address of the page shown by a pixel (row from the top); 32-bit arithmetic.
uint32_t AddressOfPixel(int32_t column, int32_t row);

// True when both coordinates lie in 0 .. 1023.
bool IsInsidePicture(int32_t column, int32_t row);

// Colour of a page flags word: free wins over reserved, reserved over committed. Returns false
// (and leaves colour alone) when none of the three bits is set: such a page keeps the background.
bool PageColour(uint32_t flags, uint32_t& colour);

// The zoom of a close-up: a double-click on the picture and a goto show the page at this zoom.
constexpr float kCloseUpZoom = 10.0f;

// Position that centres a pixel (row from the top) when zooming in on it by a double-click.
PictureViewPosition ZoomPositionOfPixel(int32_t column, int32_t row);

// Position that centres the page of an address when going to it; the vertical part is taken
// from the bottom row, as the goto operation computes it.
PictureViewPosition ZoomPositionOfAddress(uint32_t address);

// Pixel (row from the top) at which a module loaded at the base address gets its label.
PicturePixel LabelAnchorOfModule(uint32_t base);
