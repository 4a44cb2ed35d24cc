// The dialog base units of a font, measured as the documented definition has them: the average
// width of the 52 letters, rounded ((width / 26 + 1) / 2), and the font's height.
#pragma once
#include <windows.h>

namespace testsupport {

inline SIZE DialogBaseUnitsOf(int height, const wchar_t* face)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE alphabet = {};
    GetTextExtentPoint32W(dc, L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", 52, &alphabet);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    return {(alphabet.cx / 26 + 1) / 2, metrics.tmHeight};
}

} // namespace testsupport
