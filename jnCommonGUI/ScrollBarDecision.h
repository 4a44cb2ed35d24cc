#pragma once
#include <functional>
#include <string>

struct ScrollBarNeeds
{
    bool horizontal;
    bool vertical;
};

// Which scroll bars a text needs in a client area of clientWidth by clientHeight.
// Lines are separated by line feeds (a carriage return before one is dropped); an empty piece
// after the last line feed is no line. measure gives a line's width; lineHeight is one line's height.
// The horizontal bar is needed when a line is at least as wide as the area, the vertical one when
// the lines together are at least as tall.
ScrollBarNeeds DecideScrollBars(const std::wstring& text, int clientWidth, int clientHeight, int lineHeight,
                                const std::function<int(const std::wstring&)>& measure);
