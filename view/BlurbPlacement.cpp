#include "view/BlurbPlacement.h"

PlainRect PlaceBlurb(int32_t x, int32_t y, int32_t textWidth, int32_t textHeight,
                     const PlainRect& parentClient)
{
    PlainRect box;
    box.left = x - 1;
    box.top = y - 1;
    box.right = x + textWidth + 1;
    box.bottom = y + textHeight + 1;

    if (box.right >= parentClient.right) {
        const int32_t width = box.Width();
        box.right = box.left;
        box.left -= width;
    }
    if (box.bottom >= parentClient.bottom) {
        const int32_t height = box.Height();
        box.bottom = box.top;
        box.top -= height;
    }
    return box;
}
