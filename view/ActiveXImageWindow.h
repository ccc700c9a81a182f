#pragma once
#include "framework/Afx.h"

// The hosted image-display control. The CWnd is attached to the control's window by
// CWnd::CreateControl; every member forwards one call of the control's dispatch interface by
// its dispatch identifier, with the control's argument and result types. Results that the
// control documents as meaningless are passed on unchanged for callers that want them.
//
// Calls may come from the user-interface thread and, during a composition, from the retrieval
// worker: they go straight to the control's IDispatch, never through a window message.
class CActiveXImageWindow : public CWnd
{
public:
    CActiveXImageWindow();
    ~CActiveXImageWindow() override;

    // Creates the control by its class identifier as a child window of pParentWnd.
    BOOL CreateImageControl(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                            CWnd* pParentWnd, UINT nID);

    // DisplayStyle property.
    void SetDisplayStyle(long nStyle);

    long ResetImage();
    float FitToWindow();
    float GetZoom();
    float GetViewPositionX();
    float GetViewPositionY();
    float SetZoom(float fZoom);
    void SetViewPosition(float fX, float fY);
    long SetImageSize(long nWidth, long nHeight, long nColour);
    void SetDisplayFlag(BOOL bFlag, long nValue);
    // The row counts upward from the bottom edge of the picture.
    long SetPixelColor(long nColumn, long nRowFromBottom, long nColour);
    // Colours of consecutive pixels from (nColumn, nRowFromBottom), rightwards and then on in
    // the row above, as a one-dimensional SAFEARRAY of I4 in colours. The number of pixels set;
    // -1 when they do not fit the picture, 0 from a control without the member.
    long SetPixelColors(long nColumn, long nRowFromBottom, const VARIANT& colours);
    long WindowToImage(long x, long y, long* pnColumn, long* pnRow);
    long SetFirstCallback(long nFunction, long nContext);
    long SetSecondCallback(long nFunction, long nContext);
    long ImageToWindow(long nColumn, long nRow, long* pnX, long* pnY);
    long SelectPixel(long nColumn, long nRow);
    // Colour of a pixel, the row counted from the top edge; -1 off the picture.
    long GetPixelColor(long nColumn, long nRowFromTop);
};
