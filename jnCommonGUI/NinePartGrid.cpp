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
