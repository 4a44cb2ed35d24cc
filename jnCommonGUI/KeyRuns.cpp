#include "jnCommonGUI/KeyRuns.h"

std::vector<RECT> ScanKeyRuns(const std::uint8_t* rows, int width, int height, int stride, COLORREF key)
{
    std::vector<RECT> runs;
    if (!rows || width <= 0 || height <= 0)
        return runs;
    const std::uint8_t keyRed = GetRValue(key), keyGreen = GetGValue(key), keyBlue = GetBValue(key);
    for (int y = 0; y < height; ++y)
    {
        const std::uint8_t* pixel = rows + static_cast<std::size_t>(y) * stride;
        int start = 0;
        for (int x = 0; x < width; ++x, pixel += 3)
        {
            if (pixel[0] != keyBlue || pixel[1] != keyGreen || pixel[2] != keyRed)
                continue;
            if (x > start)
                runs.push_back({start, y, x, y + 1});
            start = x + 1;
        }
        if (width > start)
            runs.push_back({start, y, width, y + 1});
    }
    return runs;
}
