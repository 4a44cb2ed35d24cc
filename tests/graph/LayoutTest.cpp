// The graph's arithmetic over plain data: grid offsets, the layout steps and the sample scale.
#include "monitor/UsageHistory.h"
#include "monitor/UsageHistoryLayout.h"
#include "monitor/UsageHistoryScale.h"

#include <gtest/gtest.h>

#include <climits>

using namespace usagehistory;

namespace {

void ExpectRect(const RECT& actual, LONG left, LONG top, LONG right, LONG bottom, const char* what)
{
    EXPECT_EQ(actual.left, left) << what;
    EXPECT_EQ(actual.top, top) << what;
    EXPECT_EQ(actual.right, right) << what;
    EXPECT_EQ(actual.bottom, bottom) << what;
}

} // namespace

TEST(GridOffsets, SpreadEvenlyWithIntegerDivision)
{
    struct Case
    {
        int length, count;
        std::vector<int> offsets;
    } cases[] = {
        {300, 0, {}},
        {300, -2, {}},
        {301, 1, {150}},
        {100, 5, {0, 25, 50, 75, 100}},
        {10, 4, {0, 3, 6, 10}},
        {7, 2, {0, 7}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GridOffsets(c.length, c.count), c.offsets) << c.length << " " << c.count;
    const std::vector<int> twenty = GridOffsets(300, 20);
    ASSERT_EQ(twenty.size(), 20u);
    for (int j = 0; j < 20; ++j)
        EXPECT_EQ(twenty[j], 300 * j / 19);
}

TEST(Layout, ProductSettingsWithBothSeriesAndWithOne)
{
    const CJNUsageHistory graph;  // no window: only its settings
    const GraphSettings& settings = graph.Settings();
    const RECT client{0, 0, 302, 102};
    const GraphLayout both = ComputeLayout(settings, client, {60, 70}, 13);

    ExpectRect(both.frame, 1, 1, 301, 101, "frame: client less one");
    ExpectRect(both.plot, 1, 1, 301, 101, "plot: the frame (no ticks, no border)");
    EXPECT_EQ(both.horizontalAxisY, 101);
    EXPECT_EQ(both.verticalAxisX, 301);
    ASSERT_EQ(both.verticalGrid.size(), 20u);
    for (int j = 0; j < 20; ++j)
        ExpectRect(both.verticalGrid[j], 301 - 300 * j / 19, 101 - 5, 301 - 300 * j / 19, 101 + 5, "vertical line");
    EXPECT_EQ(both.verticalGrid.front().left, 301) << "first on the right edge";
    EXPECT_EQ(both.verticalGrid.back().left, 1);
    ASSERT_EQ(both.horizontalGrid.size(), 5u);
    const int ys[] = {101, 76, 51, 26, 1};
    for (int j = 0; j < 5; ++j)
        ExpectRect(both.horizontalGrid[j], 301, ys[j], 304, ys[j], "horizontal line");

    EXPECT_EQ(both.rowHeight, 16) << "the swatch is taller than a space";
    EXPECT_EQ(both.columnWidths, (std::vector<int>{60 + 21, 70 + 21}));
    EXPECT_EQ(both.legendWidth, 3 * 5 + 81 + 91);
    EXPECT_EQ(both.legendHeight, 1 * (16 + 4) + 4);
    ExpectRect(both.legend, 0, 0, 302, 102, "legend over the control");

    const GraphLayout one = ComputeLayout(settings, client, {70}, 19);
    EXPECT_EQ(one.columnWidths, (std::vector<int>{91, 0}));
    EXPECT_EQ(one.legendWidth, 15 + 91);
    EXPECT_EQ(one.rowHeight, 19) << "a space taller than the swatch";
    EXPECT_EQ(one.legendHeight, 23 + 4);

    const GraphLayout none = ComputeLayout(settings, client, {}, 13);
    EXPECT_EQ(none.legendWidth, 15);
    EXPECT_EQ(none.legendHeight, 4);
}

TEST(Layout, GeneralDefaultsAndLegendModes)
{
    GraphSettings settings;  // border 2: two 1-pixel edges; all modes 5
    const RECT client{10, 20, 210, 120};
    struct Case
    {
        int legendMode;
        RECT frame, legend;
    } cases[] = {
        {kLeft, {118, 21, 209, 119}, {10, 20, 117, 120}},
        {kRight, {11, 21, 102, 119}, {103, 20, 210, 120}},
        {kTop, {11, 45, 209, 119}, {10, 20, 210, 44}},
        {kBottom, {11, 21, 209, 95}, {10, 96, 210, 120}},
        {kCentred, {11, 21, 209, 119}, {10, 20, 210, 120}},
        {0, {11, 21, 209, 119}, {10, 20, 210, 120}},
    };
    for (const Case& c : cases)
    {
        settings.modes[kLegendMode] = c.legendMode;
        const GraphLayout layout = ComputeLayout(settings, client, {20, 30}, 16);
        EXPECT_EQ(layout.legendWidth, 15 + 41 + 51);
        EXPECT_EQ(layout.legendHeight, 24);
        ExpectRect(layout.frame, c.frame.left, c.frame.top, c.frame.right, c.frame.bottom, "frame");
        ExpectRect(layout.legend, c.legend.left, c.legend.top, c.legend.right, c.legend.bottom, "legend");
        ExpectRect(layout.plot, c.frame.left + 2, c.frame.top + 2, c.frame.right - 2, c.frame.bottom - 2, "plot");
        EXPECT_EQ(layout.horizontalAxisY, (layout.plot.top + layout.plot.bottom) / 2);
        EXPECT_EQ(layout.verticalAxisX, (layout.plot.left + layout.plot.right) / 2);
        EXPECT_TRUE(layout.verticalGrid.empty()) << "x grid count 0";
        EXPECT_EQ(layout.horizontalGrid.size(), 3u);
    }
}

TEST(Layout, LegendRowsColumnsAndBorder)
{
    GraphSettings settings;
    const RECT client{0, 0, 400, 300};
    // Each series adds swatch + 5 to its column, and the sum takes the column's width anew.
    GraphLayout layout = ComputeLayout(settings, client, {10, 10, 10}, 16);
    EXPECT_EQ(layout.columnWidths, (std::vector<int>{52, 31}));
    EXPECT_EQ(layout.legendWidth, 15 + 31 + 31 + 52);
    EXPECT_EQ(layout.legendHeight, 2 * 20 + 4);

    settings.borders[kLegendBorder].outer = {0, 0, 3, true};
    layout = ComputeLayout(settings, client, {10, 10}, 16);
    EXPECT_EQ(layout.legendWidth, 15 + 62 + 12);
    EXPECT_EQ(layout.legendHeight, 24 + 6);

    settings.legendColumns = 0;  // would divide by zero: one column
    layout = ComputeLayout(settings, client, {10, 20}, 16);
    EXPECT_EQ(layout.columnWidths, (std::vector<int>{20 + 42}));
    EXPECT_EQ(layout.legendHeight, 2 * 20 + 4 + 6);

    settings.swatchSize = 8;
    layout = ComputeLayout(settings, client, {10}, 14);
    EXPECT_EQ(layout.rowHeight, 14);
}

TEST(Layout, TicksTakeRoomOnTheAxisSide)
{
    struct Case
    {
        int axisMode, tickMode;
        int left, top, right, bottom;  // the plot's move inward on each side, border aside
    } vertical[] = {
        {kLeft, kLeft, 10, 0, 0, 0},   {kLeft, kCentred, 6, 0, 0, 0},  {kLeft, kRight, 0, 0, 0, 0},
        {kRight, kRight, 0, 0, 10, 0}, {kRight, kCentred, 0, 0, 6, 0}, {kRight, kLeft, 0, 0, 0, 0},
        {kCentred, kCentred, 0, 0, 0, 0},
    },
      horizontal[] = {
          {kTop, kTop, 0, 8, 0, 0},       {kTop, kCentred, 0, 5, 0, 0},    {kTop, kBottom, 0, 0, 0, 0},
          {kBottom, kBottom, 0, 0, 0, 8}, {kBottom, kCentred, 0, 0, 0, 5}, {kCentred, kCentred, 0, 0, 0, 0},
      };
    const RECT client{0, 0, 200, 100};
    for (const Case& c : vertical)
    {
        GraphSettings settings;
        settings.borders[kPlotBorder] = BorderRecord();
        settings.switches[kDrawHorizontalAxisTicks] = false;
        settings.modes[kVerticalAxisMode] = c.axisMode;
        settings.modes[kVerticalTickMode] = c.tickMode;
        const GraphLayout layout = ComputeLayout(settings, client, {}, 16);
        ExpectRect(layout.plot, 1 + c.left, 1, 199 - c.right, 99, "vertical axis ticks");
        settings.gridLines[kAxisY] = 0;
        ExpectRect(ComputeLayout(settings, client, {}, 16).plot, 1, 1, 199, 99, "no y grid: no ticks");
    }
    for (const Case& c : horizontal)
    {
        GraphSettings settings;
        settings.borders[kPlotBorder] = BorderRecord();
        settings.switches[kDrawVerticalAxisTicks] = false;
        settings.gridLines[kAxisX] = 4;
        settings.tickLength[kAxisX] = 8;
        settings.modes[kHorizontalAxisMode] = c.axisMode;
        settings.modes[kHorizontalTickMode] = c.tickMode;
        const GraphLayout layout = ComputeLayout(settings, client, {}, 16);
        ExpectRect(layout.plot, 1, 1 + c.top, 199, 99 - c.bottom, "horizontal axis ticks");
        settings.switches[kDrawHorizontalAxisTicks] = false;
        ExpectRect(ComputeLayout(settings, client, {}, 16).plot, 1, 1, 199, 99, "switch off: no room");
    }
}

TEST(Layout, GridTicksFollowTheirDirection)
{
    GraphSettings settings;
    settings.borders[kPlotBorder] = BorderRecord();
    settings.gridLines[kAxisX] = 1;
    settings.gridLines[kAxisY] = 1;
    settings.tickLength[kAxisX] = 8;
    settings.tickLength[kAxisY] = 6;
    settings.switches[kDrawVerticalAxisTicks] = false;
    settings.switches[kDrawHorizontalAxisTicks] = false;
    settings.modes[kHorizontalAxisMode] = kBottom;
    settings.modes[kVerticalAxisMode] = kLeft;
    const RECT client{0, 0, 102, 52};  // plot (1, 1, 101, 51)
    struct Case
    {
        int xMode, yMode;
        RECT vertical, horizontal;
    } cases[] = {
        {kTop, kLeft, {51, 43, 51, 51}, {-5, 26, 1, 26}},
        {kBottom, kRight, {51, 51, 51, 59}, {1, 26, 7, 26}},
        {kCentred, kCentred, {51, 47, 51, 55}, {-2, 26, 4, 26}},
    };
    for (const Case& c : cases)
    {
        settings.modes[kHorizontalTickMode] = c.xMode;
        settings.modes[kVerticalTickMode] = c.yMode;
        const GraphLayout layout = ComputeLayout(settings, client, {}, 16);
        ASSERT_EQ(layout.verticalGrid.size(), 1u);
        ASSERT_EQ(layout.horizontalGrid.size(), 1u);
        const RECT& v = c.vertical;
        const RECT& h = c.horizontal;
        ExpectRect(layout.verticalGrid[0], v.left, v.top, v.right, v.bottom, "vertical line's tick");
        ExpectRect(layout.horizontalGrid[0], h.left, h.top, h.right, h.bottom, "horizontal line's tick");
    }
}

TEST(Scale, SamplePoints)
{
    const RECT plot{1, 1, 301, 101};
    const SeriesScale scale{60000, 0, 100};
    struct XCase
    {
        ULONGLONG newest, time;
        int x;
    } xs[] = {
        {60000, 60000, 301},      {60000, 30000, 151},     {60000, 0, 1},
        {60000, 59800, 300},        {60001, 0, 1},           {120000, 0, -299},
        {0xFFFFFFFFFFFFULL, 0xFFFFFFFFFFFFULL - 60000, 1},  // 64-bit times
        {1000000000000000ULL, 0, 301 - (1 << 30)},          // far older: kept within int range
    };
    for (const XCase& c : xs)
        EXPECT_EQ(SampleX(plot, scale, c.newest, c.time), c.x) << c.newest << " " << c.time;
    struct YCase
    {
        LONG value;
        int y;
    } ys[] = {{0, 101}, {100, 1}, {50, 51}, {33, 68}, {1, 100}, {99, 2}};
    for (const YCase& c : ys)
        EXPECT_EQ(SampleY(plot, scale, c.value), c.y) << c.value;
    const SeriesScale offset{1000, -50, 50};
    EXPECT_EQ(SampleY(plot, offset, 0), 51);
    EXPECT_EQ(SampleY(plot, offset, -50), 101);
    const SeriesScale wide{1000, LONG_MIN, LONG_MAX};  // a range beyond 32 bits
    EXPECT_EQ(SampleY(plot, wide, LONG_MAX), 1);
    EXPECT_EQ(SampleY(plot, wide, 0), 51);
}

TEST(Scale, NoScaleWithoutSpanOrRange)
{
    struct Case
    {
        SeriesScale scale;
        bool drawable;
    } cases[] = {
        {{1000, 0, 100}, true},   {{0, 0, 100}, false},     {{1000, 5, 5}, false},
        {{1000, 10, 5}, false},   {{1, -1, 0}, true},       {{1000, LONG_MIN, LONG_MAX}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsDrawable(c.scale), c.drawable)
            << c.scale.timeSpan << " " << c.scale.minimum << " " << c.scale.maximum;
}
