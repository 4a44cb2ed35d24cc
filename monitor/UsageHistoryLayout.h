// Where a usage history graph puts its parts, from its settings, its client rectangle and the
// measured legend texts. Plain arithmetic; the window class measures the texts and makes the
// clip region and the legend swatches from the result.
#pragma once
#include "monitor/UsageHistorySettings.h"

#include <vector>

namespace usagehistory {

struct GraphLayout
{
    RECT client{};
    RECT frame{};
    RECT plot{};
    RECT legend{};
    int horizontalAxisY = 0;
    int verticalAxisX = 0;
    // Each grid line's tick: a rectangle of zero size at the line's crossing with its axis,
    // widened by the tick length. Vertical lines from the right edge, horizontal from the bottom.
    std::vector<RECT> verticalGrid;
    std::vector<RECT> horizontalGrid;
    int rowHeight = 0;
    std::vector<int> columnWidths;  // one per legend column
    int legendWidth = 0;
    int legendHeight = 0;
};

// The columns the legend is laid out in; fewer than 1 counts as 1.
int LegendColumns(const GraphSettings& settings);

// The offsets of count grid lines over length: one line in the middle, else spread evenly from
// 0 to length (integer division).
std::vector<int> GridOffsets(int length, int count);

// visibleNameWidths: the width of each visible series' name in font 0, in series order;
// spaceHeight: the height of one space in font 0.
GraphLayout ComputeLayout(const GraphSettings& settings, const RECT& client, const std::vector<int>& visibleNameWidths,
                          int spaceHeight);

} // namespace usagehistory
