#include "monitor/UsageHistoryLayout.h"

#include <algorithm>

namespace usagehistory {

namespace {

// The room the ticks of an axis take from the plot on the axis' side: all of it when they point
// away from the plot, half and one when they point both ways, none when they point inward.
int TickRoom(int length, int direction, int outward)
{
    if (direction == outward)
        return length;
    if (direction == kCentred)
        return length / 2 + 1;
    return 0;
}

void MakeRoomForTicks(const GraphSettings& settings, RECT& plot)
{
    if (settings.switches[kDrawVerticalAxisTicks] && settings.gridLines[kAxisY] != 0)
    {
        const int length = settings.tickLength[kAxisY];
        const int direction = settings.modes[kVerticalTickMode];
        if (settings.modes[kVerticalAxisMode] == kLeft)
            plot.left += TickRoom(length, direction, kLeft);
        else if (settings.modes[kVerticalAxisMode] == kRight)
            plot.right -= TickRoom(length, direction, kRight);
    }
    if (settings.switches[kDrawHorizontalAxisTicks] && settings.gridLines[kAxisX] != 0)
    {
        const int length = settings.tickLength[kAxisX];
        const int direction = settings.modes[kHorizontalTickMode];
        if (settings.modes[kHorizontalAxisMode] == kTop)
            plot.top += TickRoom(length, direction, kTop);
        else if (settings.modes[kHorizontalAxisMode] == kBottom)
            plot.bottom -= TickRoom(length, direction, kBottom);
    }
}

void LayOutLegend(const GraphSettings& settings, const std::vector<int>& visibleNameWidths, int spaceHeight,
                  GraphLayout& layout)
{
    const int columns = LegendColumns(settings);
    const int visible = static_cast<int>(visibleNameWidths.size());
    const int swatch = settings.swatchSize;
    const int legendBorder = settings.borders[kLegendBorder].TotalWidth();

    layout.columnWidths.assign(columns, 0);
    for (int k = 0; k < visible; ++k)
        layout.columnWidths[k % columns] = std::max(layout.columnWidths[k % columns], visibleNameWidths[k]);
    int sum = 0;
    for (int k = 0; k < visible; ++k)
    {
        layout.columnWidths[k % columns] += swatch + 5;
        sum += layout.columnWidths[k % columns];
    }
    layout.legendWidth = (columns + 1) * 5 + sum + 4 * legendBorder;

    layout.rowHeight = std::max(swatch, spaceHeight);
    const int rows = (visible + columns - 1) / columns;
    layout.legendHeight = rows * (layout.rowHeight + 4) + 4 + 2 * legendBorder;
}

int AxisPosition(int mode, int low, int high, int lowMode, int highMode)
{
    if (mode == lowMode)
        return low;
    if (mode == highMode)
        return high;
    return (low + high) / 2;
}

} // namespace

int LegendColumns(const GraphSettings& settings)
{
    return std::max(settings.legendColumns, 1);
}

std::vector<int> GridOffsets(int length, int count)
{
    std::vector<int> offsets;
    if (count < 1)
        return offsets;
    if (count == 1)
    {
        offsets.push_back(length / 2);
        return offsets;
    }
    offsets.reserve(count);
    for (int j = 0; j < count; ++j)
        offsets.push_back(length * j / (count - 1));
    return offsets;
}

GraphLayout ComputeLayout(const GraphSettings& settings, const RECT& client, const std::vector<int>& visibleNameWidths,
                          int spaceHeight)
{
    GraphLayout layout;
    layout.client = client;
    layout.frame = client;
    const int frameInset = settings.borders[kClientBorder].TotalWidth() + 1;
    InflateRect(&layout.frame, -frameInset, -frameInset);

    LayOutLegend(settings, visibleNameWidths, spaceHeight, layout);
    layout.legend = client;
    switch (settings.modes[kLegendMode])
    {
    case kLeft:
        layout.frame.left += layout.legendWidth;
        layout.legend.right = layout.legend.left + layout.legendWidth;
        break;
    case kRight:
        layout.frame.right -= layout.legendWidth;
        layout.legend.left = layout.legend.right - layout.legendWidth;
        break;
    case kTop:
        layout.frame.top += layout.legendHeight;
        layout.legend.bottom = layout.legend.top + layout.legendHeight;
        break;
    case kBottom:
        layout.frame.bottom -= layout.legendHeight;
        layout.legend.top = layout.legend.bottom - layout.legendHeight;
        break;
    default:
        break;  // drawn over the control's top-left
    }

    layout.plot = layout.frame;
    MakeRoomForTicks(settings, layout.plot);
    const int plotInset = settings.borders[kPlotBorder].TotalWidth();
    InflateRect(&layout.plot, -plotInset, -plotInset);

    const RECT& plot = layout.plot;
    layout.horizontalAxisY = AxisPosition(settings.modes[kHorizontalAxisMode], plot.top, plot.bottom, kTop, kBottom);
    layout.verticalAxisX = AxisPosition(settings.modes[kVerticalAxisMode], plot.left, plot.right, kLeft, kRight);

    const int xTick = settings.tickLength[kAxisX];
    for (int offset : GridOffsets(plot.right - plot.left, settings.gridLines[kAxisX]))
    {
        RECT tick{plot.right - offset, layout.horizontalAxisY, plot.right - offset, layout.horizontalAxisY};
        switch (settings.modes[kHorizontalTickMode])
        {
        case kTop: tick.top -= xTick; break;
        case kBottom: tick.bottom += xTick; break;
        case kCentred: tick.top -= xTick / 2; tick.bottom += xTick / 2; break;
        default: break;
        }
        layout.verticalGrid.push_back(tick);
    }
    const int yTick = settings.tickLength[kAxisY];
    for (int offset : GridOffsets(plot.bottom - plot.top, settings.gridLines[kAxisY]))
    {
        RECT tick{layout.verticalAxisX, plot.bottom - offset, layout.verticalAxisX, plot.bottom - offset};
        switch (settings.modes[kVerticalTickMode])
        {
        case kLeft: tick.left -= yTick; break;
        case kRight: tick.right += yTick; break;
        case kCentred: tick.left -= yTick / 2; tick.right += yTick / 2; break;
        default: break;
        }
        layout.horizontalGrid.push_back(tick);
    }
    return layout;
}

} // namespace usagehistory
