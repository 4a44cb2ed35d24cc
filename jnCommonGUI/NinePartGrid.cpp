#include "jnCommonGUI/NinePartGrid.h"

std::array<GridPiece, 9> NinePartGrid(int w, int h, int W, int H, int b)
{
    return {{
        {{b, b, W - 2 * b, H - 2 * b}, {b, b, w - 2 * b, h - 2 * b}},
        {{0, 0, b, b}, {0, 0, b, b}},
        {{W - b, 0, b, b}, {w - b, 0, b, b}},
        {{W - b, H - b, b, b}, {w - b, h - b, b, b}},
        {{0, H - b, b, b}, {0, h - b, b, b}},
        {{0, b, b, H - 2 * b}, {0, b, b, h - 2 * b}},
        {{b, 0, W - 2 * b, b}, {b, 0, w - 2 * b, b}},
        {{W - b, b, b, H - 2 * b}, {w - b, b, b, h - 2 * b}},
        {{b, H - b, W - 2 * b, b}, {b, h - b, w - 2 * b, b}},
    }};
}

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
