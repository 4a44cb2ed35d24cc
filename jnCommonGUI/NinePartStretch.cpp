#include "jnCommonGUI/NinePartStretch.h"

void StretchNinePart(HDC target, int width, int height, HDC source, int frameWidth, int frameHeight, int border)
{
    const int previousMode = SetStretchBltMode(target, COLORONCOLOR);
    for (const GridPiece& piece : NinePartGrid(frameWidth, frameHeight, width, height, border))
    {
        const Box& to = piece.target;
        const Box& from = piece.source;
        if (to.width <= 0 || to.height <= 0 || from.width <= 0 || from.height <= 0)
            continue;
        if (to.width == from.width && to.height == from.height)
            BitBlt(target, to.x, to.y, to.width, to.height, source, from.x, from.y, SRCCOPY);
        else
            StretchBlt(target, to.x, to.y, to.width, to.height, source, from.x, from.y, from.width, from.height,
                       SRCCOPY);
    }
    SetStretchBltMode(target, previousMode);
}
