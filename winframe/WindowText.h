#pragma once
#include <windows.h>

#include <algorithm>
#include <string>

// A window's text (a control's caption or label), empty when it has none.
inline std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(window, &text[0], static_cast<int>(text.size())))));
    return text;
}
