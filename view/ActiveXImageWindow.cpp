#include "view/ActiveXImageWindow.h"

#include "imagectl/ImageControlIds.h"

CActiveXImageWindow::CActiveXImageWindow() = default;

CActiveXImageWindow::~CActiveXImageWindow() = default;

BOOL CActiveXImageWindow::CreateImageControl(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                             CWnd* pParentWnd, UINT nID)
{
    return CreateControl(CLSID_VexoImageControl, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

void CActiveXImageWindow::SetDisplayStyle(long nStyle)
{
    SetProperty(DISPID_IMG_DISPLAYSTYLE, VT_I4, nStyle);
}

long CActiveXImageWindow::ResetImage()
{
    long result = 0;
    InvokeHelper(DISPID_IMG_RESETIMAGE, DISPATCH_METHOD, VT_I4, &result, nullptr);
    return result;
}

float CActiveXImageWindow::FitToWindow()
{
    float result = 0.0f;
    InvokeHelper(DISPID_IMG_FITTOWINDOW, DISPATCH_METHOD, VT_R4, &result, nullptr);
    return result;
}

float CActiveXImageWindow::GetZoom()
{
    float result = 0.0f;
    InvokeHelper(DISPID_IMG_GETZOOM, DISPATCH_METHOD, VT_R4, &result, nullptr);
    return result;
}

float CActiveXImageWindow::GetViewPositionX()
{
    float result = 0.0f;
    InvokeHelper(DISPID_IMG_GETVIEWPOSITIONX, DISPATCH_METHOD, VT_R4, &result, nullptr);
    return result;
}

float CActiveXImageWindow::GetViewPositionY()
{
    float result = 0.0f;
    InvokeHelper(DISPID_IMG_GETVIEWPOSITIONY, DISPATCH_METHOD, VT_R4, &result, nullptr);
    return result;
}

float CActiveXImageWindow::SetZoom(float fZoom)
{
    static const BYTE params[] = VTS_R4;
    float result = 0.0f;
    InvokeHelper(DISPID_IMG_SETZOOM, DISPATCH_METHOD, VT_R4, &result, params, fZoom);
    return result;
}

void CActiveXImageWindow::SetViewPosition(float fX, float fY)
{
    static const BYTE params[] = VTS_R4 VTS_R4;
    InvokeHelper(DISPID_IMG_SETVIEWPOSITION, DISPATCH_METHOD, VT_EMPTY, nullptr, params, fX, fY);
}

long CActiveXImageWindow::SetImageSize(long nWidth, long nHeight, long nColour)
{
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_I4;
    long result = 0;
    InvokeHelper(DISPID_IMG_SETIMAGESIZE, DISPATCH_METHOD, VT_I4, &result, params, nWidth, nHeight,
                 nColour);
    return result;
}

void CActiveXImageWindow::SetDisplayFlag(BOOL bFlag, long nValue)
{
    static const BYTE params[] = VTS_BOOL VTS_I4;
    InvokeHelper(DISPID_IMG_SETDISPLAYFLAG, DISPATCH_METHOD, VT_EMPTY, nullptr, params, bFlag,
                 nValue);
}

long CActiveXImageWindow::SetPixelColor(long nColumn, long nRowFromBottom, long nColour)
{
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_I4;
    long result = 0;
    InvokeHelper(DISPID_IMG_SETPIXELCOLOR, DISPATCH_METHOD, VT_I4, &result, params, nColumn,
                 nRowFromBottom, nColour);
    return result;
}

long CActiveXImageWindow::SetPixelColors(long nColumn, long nRowFromBottom, const VARIANT& colours)
{
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_VARIANT;
    long result = 0;
    InvokeHelper(DISPID_IMG_SETPIXELCOLORS, DISPATCH_METHOD, VT_I4, &result, params, nColumn,
                 nRowFromBottom, &colours);
    return result;
}

long CActiveXImageWindow::WindowToImage(long x, long y, long* pnColumn, long* pnRow)
{
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_PI4 VTS_PI4;
    long result = 0;
    InvokeHelper(DISPID_IMG_WINDOWTOIMAGE, DISPATCH_METHOD, VT_I4, &result, params, x, y, pnColumn,
                 pnRow);
    return result;
}

long CActiveXImageWindow::SetFirstCallback(long nFunction, long nContext)
{
    static const BYTE params[] = VTS_I4 VTS_I4;
    long result = 0;
    InvokeHelper(DISPID_IMG_SETFIRSTCALLBACK, DISPATCH_METHOD, VT_I4, &result, params, nFunction,
                 nContext);
    return result;
}

long CActiveXImageWindow::SetSecondCallback(long nFunction, long nContext)
{
    static const BYTE params[] = VTS_I4 VTS_I4;
    long result = 0;
    InvokeHelper(DISPID_IMG_SETSECONDCALLBACK, DISPATCH_METHOD, VT_I4, &result, params, nFunction,
                 nContext);
    return result;
}

long CActiveXImageWindow::ImageToWindow(long nColumn, long nRow, long* pnX, long* pnY)
{
    static const BYTE params[] = VTS_I4 VTS_I4 VTS_PI4 VTS_PI4;
    long result = 0;
    InvokeHelper(DISPID_IMG_IMAGETOWINDOW, DISPATCH_METHOD, VT_I4, &result, params, nColumn, nRow,
                 pnX, pnY);
    return result;
}

long CActiveXImageWindow::SelectPixel(long nColumn, long nRow)
{
    static const BYTE params[] = VTS_I4 VTS_I4;
    long result = 0;
    InvokeHelper(DISPID_IMG_SELECTPIXEL, DISPATCH_METHOD, VT_I4, &result, params, nColumn, nRow);
    return result;
}

long CActiveXImageWindow::GetPixelColor(long nColumn, long nRowFromTop)
{
    static const BYTE params[] = VTS_I4 VTS_I4;
    long result = -1;
    InvokeHelper(DISPID_IMG_GETPIXELCOLOR, DISPATCH_METHOD, VT_I4, &result, params, nColumn,
                 nRowFromTop);
    return result;
}
