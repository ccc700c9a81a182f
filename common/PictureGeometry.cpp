#include "common/PictureGeometry.h"

namespace {

// Page flags word bits that decide the colour.
constexpr uint32_t kCommittedBit = 0x040;
constexpr uint32_t kFreeBit = 0x080;
constexpr uint32_t kReservedBit = 0x100;

// Single-precision 1/1023: the control's view position runs from 1 to 0 over the 1024 pixels.
constexpr float kPositionStep = 1.0f / 1023.0f;

// Rounds to single precision. The store matters on 32-bit x87 code, which may keep an
// intermediate result in a wider register and so give a slightly different position.
float ToSingle(float value)
{
    volatile float stored = value;
    return stored;
}

float StepPosition(int32_t value)
{
    return ToSingle(static_cast<float>(value) * kPositionStep);
}

float PositionFromTop(int32_t value)
{
    return ToSingle(1.0f - StepPosition(value));
}

} // namespace

PicturePixel PixelOfAddress(uint32_t address)
{
    PicturePixel pixel;
    pixel.column = static_cast<int32_t>((address >> 12) & 0x3FF);
    pixel.row = 1023 - BottomRowOfAddress(address);
    return pixel;
}

int32_t BottomRowOfAddress(uint32_t address)
{
    return static_cast<int32_t>(address >> 22);
}

uint32_t AddressOfPixel(int32_t column, int32_t row)
{
    const uint32_t page =
        (1023u - static_cast<uint32_t>(row)) * 1024u + static_cast<uint32_t>(column);
    return page * kPicturePageSize;
}

bool IsInsidePicture(int32_t column, int32_t row)
{
    return column >= 0 && column < kPictureSide && row >= 0 && row < kPictureSide;
}

bool PageColour(uint32_t flags, uint32_t& colour)
{
    if (flags & kFreeBit) {
        colour = kFreeColour;
    } else if (flags & kReservedBit) {
        colour = kReservedColour;
    } else if (flags & kCommittedBit) {
        colour = kCommittedColour;
    } else {
        return false;
    }
    return true;
}

PictureViewPosition ZoomPositionOfPixel(int32_t column, int32_t row)
{
    PictureViewPosition position;
    position.x = PositionFromTop(column);
    position.y = PositionFromTop(row);
    return position;
}

PictureViewPosition ZoomPositionOfAddress(uint32_t address)
{
    PictureViewPosition position;
    position.x = PositionFromTop(PixelOfAddress(address).column);
    position.y = StepPosition(BottomRowOfAddress(address));
    return position;
}

PicturePixel LabelAnchorOfModule(uint32_t base)
{
    PicturePixel pixel;
    pixel.column = static_cast<int32_t>((base & 0x3FFFFF) / 4096);
    pixel.row = 1023 - BottomRowOfAddress(base);
    return pixel;
}
