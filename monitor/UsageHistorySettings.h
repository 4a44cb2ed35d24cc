// The records a usage history graph is drawn from: which parts it draws, in which colours and
// where, and the series it shows. Plain data; the window classes fill and read them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace usagehistory {

// A pen for grid lines, axis lines and tick marks, handed to CreatePen as it stands.
struct LineRecord
{
    COLORREF colour = RGB(0, 0, 0);
    DWORD style = PS_GEOMETRIC;
    int width = 0;
};

// One edge of a border: first colour on the top and left sides, second on the bottom and right.
struct EdgeRecord
{
    COLORREF first = RGB(0, 0, 0);
    COLORREF second = RGB(0, 0, 0);
    int width = 0;  // 0 draws and counts as 1
    bool enabled = false;

    int DrawnWidth() const { return width > 0 ? width : 1; }
};

// Two edges, the outer one and the inner one inside it.
struct BorderRecord
{
    EdgeRecord outer;
    EdgeRecord inner;

    // The room the enabled edges take on each side.
    int TotalWidth() const
    {
        return (outer.enabled ? outer.DrawnWidth() : 0) + (inner.enabled ? inner.DrawnWidth() : 0);
    }
    bool AnyEnabled() const { return outer.enabled || inner.enabled; }
};

// One counter's line; counter i of the data source is series i.
struct SeriesRecord
{
    COLORREF colour = RGB(0, 0, 0);
    DWORD penStyle = PS_GEOMETRIC;  // carried; only colour and width reach the line
    int width = 1;
    std::wstring name;  // legend text
    bool hidden = true; // neither drawn nor listed
};

// Indices into the settings' arrays.
enum ColourIndex
{
    kControlBackgroundColour = 0,
    kPlotBackgroundColour = 2,
};
enum BorderIndex
{
    kClientBorder = 0,
    kLegendBorder = 1,  // only widens the legend
    kPlotBorder = 2,
};
enum LineIndex
{
    kVerticalGridLine = 0,
    kHorizontalGridLine = 1,
    kHorizontalAxisLine = 2,
    kVerticalAxisLine = 3,
    kHorizontalAxisTick = 4,
    kVerticalAxisTick = 5,
};
enum SwitchIndex
{
    kDrawHorizontalAxis = 1,
    kDrawVerticalAxis = 2,
    kDrawVerticalAxisTicks = 4,
    kDrawHorizontalAxisTicks = 5,
    kDrawHorizontalGrid = 6,
    kDrawVerticalGrid = 7,
};
enum ModeIndex
{
    kHorizontalAxisMode = 1,  // kTop, kBottom or kCentred
    kVerticalAxisMode = 2,    // kLeft, kRight or kCentred
    kLegendMode = 3,          // the side the legend takes its room from; others: drawn over the control
    kVerticalTickMode = 4,    // kLeft, kRight or kCentred (both ways)
    kHorizontalTickMode = 5,  // kTop (upwards), kBottom (downwards) or kCentred (both ways)
};
enum Placement
{
    kLeft = 1,
    kRight = 2,
    kTop = 3,
    kBottom = 4,
    kCentred = 5,  // the middle, or both ways for ticks
};
enum Axis
{
    kAxisX = 0,
    kAxisY = 1,
};

constexpr int kColourCount = 4;
constexpr int kBorderCount = 4;
constexpr int kFontCount = 6;
constexpr int kSwitchCount = 10;
constexpr int kLineCount = 7;
constexpr int kModeCount = 10;

// Everything a graph draws by; the initial values are the general defaults.
struct GraphSettings
{
    GraphSettings();

    std::vector<SeriesRecord> series;
    COLORREF colours[kColourCount];
    BorderRecord borders[kBorderCount];
    int swatchSize = 16;
    int gridLines[2] = {0, 3};
    // Whether the first and the last grid line of each axis are drawn; the general class leaves
    // them off, its user sets them.
    bool edgeGridLines[2] = {false, false};
    int tickLength[2] = {0, 10};
    HFONT fonts[kFontCount] = {};  // borrowed; font 0 is the legend's
    bool switches[kSwitchCount];
    LineRecord lines[kLineCount];
    int modes[kModeCount];
    int legendColumns = 2;
};

} // namespace usagehistory
