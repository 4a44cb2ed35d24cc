#include "jnCommonGUI/ScrollBarDecision.h"

#include <algorithm>

ScrollBarNeeds DecideScrollBars(const std::wstring& text, int clientWidth, int clientHeight, int lineHeight,
                                const std::function<int(const std::wstring&)>& measure)
{
    int lines = 0;
    int widest = 0;
    bool tooWide = false;
    std::size_t start = 0;
    while (start < text.size())
    {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        ++lines;
        // Once one line is too wide, the others only add to the height.
        if (!tooWide)
        {
            std::wstring line = text.substr(start, end - start);
            if (!line.empty() && line.back() == L'\r')
                line.pop_back();
            widest = std::max(widest, measure(line));
            tooWide = clientWidth <= widest;
        }
        start = end + 1;
    }
    return {tooWide, lineHeight * lines >= clientHeight};
}
