#include "imagectl/ImageBackBuffer.h"

bool CImageBackBuffer::Ensure(HDC compatible, int32_t width, int32_t height)
{
    if (m_hBitmap && width == m_nWidth && height == m_nHeight) {
        return true;
    }
    Release();
    if (width <= 0 || height <= 0) {
        return false;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_hBitmap = CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_hDC = CreateCompatibleDC(compatible);
    if (!m_hBitmap || !m_hDC || !bits) {
        Release();
        return false;
    }
    m_hOldBitmap = SelectObject(m_hDC, m_hBitmap);
    m_pBits = static_cast<uint32_t*>(bits);
    m_nWidth = width;
    m_nHeight = height;
    return true;
}

void CImageBackBuffer::Release()
{
    if (m_hDC) {
        if (m_hOldBitmap) {
            SelectObject(m_hDC, m_hOldBitmap);
        }
        DeleteDC(m_hDC);
    }
    if (m_hBitmap) {
        DeleteObject(m_hBitmap);
    }
    m_hDC = nullptr;
    m_hBitmap = nullptr;
    m_hOldBitmap = nullptr;
    m_pBits = nullptr;
    m_nWidth = 0;
    m_nHeight = 0;
}
