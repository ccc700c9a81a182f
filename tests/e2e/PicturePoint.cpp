#include "PicturePoint.h"

#include "common/PictureGeometry.h"
#include "imagectl/ImageModel.h"

namespace remote {

POINT PictureScreenPoint(HWND image, uint32_t gotoAddress, uint32_t page)
{
    RECT client = {};
    GetClientRect(image, &client);
    CImageModel model;
    model.SetImageSize(kPictureSide, kPictureSide, kBackgroundColour);
    model.SetClientSize(client.right, client.bottom);
    const PictureViewPosition position = ZoomPositionOfAddress(gotoAddress);
    model.SetViewPosition(position.x, position.y);
    model.SetZoom(kCloseUpZoom);
    const PicturePixel pixel = PixelOfAddress(page);
    int32_t x = 0;
    int32_t y = 0;
    model.ImageToWindow(pixel.column, pixel.row, x, y);
    POINT point = {x + 5, y + 5};
    ClientToScreen(image, &point);
    return point;
}

void Uncover(POINT point, HWND wanted, HWND main)
{
    for (int tries = 0; tries < 8 && WindowFromPoint(point) != wanted; ++tries) {
        HWND top = GetAncestor(WindowFromPoint(point), GA_ROOT);
        if (top == nullptr || top == main) {
            break;
        }
        RECT rect = {};
        GetWindowRect(top, &rect);
        SetWindowPos(top, nullptr, 0, GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top), 0,
                     0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(100);
    }
}

} // namespace remote
