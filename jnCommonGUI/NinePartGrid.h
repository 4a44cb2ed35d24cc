#pragma once
#include "base/PortableTypes.h"

#include <array>

// A rectangle by its top-left corner and size.
struct Box
{
    int x, y, width, height;
};

inline bool operator==(const Box& a, const Box& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// One piece of a nine-part stretch: the part of the frame and where it lands.
struct GridPiece
{
    Box target;
    Box source;
};

// A frame of frameWidth by frameHeight drawn at width by height: the four corners of
// border by border pixels keep their size, the edges stretch along their length, the centre
// both ways. Order: centre; corners top-left, top-right, bottom-right, bottom-left;
// edges left, top, right, bottom.
std::array<GridPiece, 9> NinePartGrid(int frameWidth, int frameHeight, int width, int height, int border);
