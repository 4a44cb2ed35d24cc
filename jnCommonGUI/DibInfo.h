#pragma once
#include <windows.h>

// The header of an uncompressed DIB of width by height pixels at bitsPerPixel; a negative
// height makes it top-down (its first row is the top one).
inline BITMAPINFO DibInfo(int width, int height, WORD bitsPerPixel)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
