#pragma once
#include "base/PortableTypes.h"

#include <cstdint>
#include <vector>

// The rectangles, one pixel high, of every run of pixels that differ from the colour key.
// rows: a 24-bit top-down image (bytes blue, green, red), each row padded to stride bytes.
std::vector<RECT> ScanKeyRuns(const std::uint8_t* rows, int width, int height, int stride, COLORREF key);

// The row length in bytes of a 24-bit DIB: padded to a multiple of 4.
constexpr int Dib24Stride(int width)
{
    return (width * 3 + 3) & ~3;
}
