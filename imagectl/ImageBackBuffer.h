#pragma once
#include <windows.h>

#include <cstdint>

// An off-screen 32-bit top-down bitmap the control draws into before one copy to the screen,
// so a repaint never shows a half-drawn picture. Re-made when the client size changes.
class CImageBackBuffer
{
public:
    CImageBackBuffer() = default;
    ~CImageBackBuffer() { Release(); }
    CImageBackBuffer(const CImageBackBuffer&) = delete;
    CImageBackBuffer& operator=(const CImageBackBuffer&) = delete;

    // Makes sure the buffer is width x height; false when the bitmap cannot be made.
    bool Ensure(HDC compatible, int32_t width, int32_t height);
    void Release();

    uint32_t* Bits() const { return m_pBits; }
    HDC Dc() const { return m_hDC; }

private:
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    uint32_t* m_pBits = nullptr;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
};
