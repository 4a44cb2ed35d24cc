// The product's graph in real windows: layout from measured text, painted pixels, the engine's
// messages, the connection, and GDI objects over many paints and graphs.
#include "FakePerfMonitor.h"
#include "GraphTestSupport.h"

#include "Screenshot.h"
#include "monitor/UsageHistory.h"
#include "monitor/EngineClient.h"
#include "monitor/PerfMonListener.h"
#include "support/EnglishTexts.h"
#include "support/GdiCount.h"
#include "support/MessagePump.h"
#include "support/RefusedBitmaps.h"

#include <gtest/gtest.h>

#include <memory>

using namespace graphtest;
using namespace usagehistory;
using testsupport::LiveGdiObjects;

namespace {

testing::Environment* const g_englishTexts = testing::AddGlobalTestEnvironment(new testsupport::EnglishTexts);

JNAPI::IEngine* NoEngine()
{
    return nullptr;
}

constexpr ULONGLONG kSpan = 60000;

// Samples every step from first to last time, all at one value.
std::vector<Sample> Flat(ULONGLONG first, ULONGLONG last, ULONGLONG step, LONG value)
{
    std::vector<Sample> samples;
    for (ULONGLONG t = first; t <= last; t += step)
        samples.push_back({t, value});
    return samples;
}

int LegendTextWidth(const std::wstring& text)
{
    HFONT font = CreateFontW(16, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    RECT bounds{};
    DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return bounds.right;
}

void Show(HWND graph, WPARAM series, bool shown = true)
{
    SendMessageW(graph, kCounterStateMessage, series, shown ? 0 : 1);
}

class GraphWindow : public ::testing::Test
{
protected:
    void SetUp() override { gdiplus = std::make_unique<GdiPlusSession>(); }

    // The product's graph over the host's child, reading from monitor (none: no data source).
    void TakeOver(FakePerfMonitor* monitor)
    {
        ASSERT_TRUE(graph.SubclassWindow(host.Child()));
        if (monitor)
            graph.SetDataSource(monitor);
    }
    const RECT& Plot() const { return graph.Layout().plot; }
    // The row of the line for a value, as the graph computes it.
    int RowOf(LONG value, LONG minimum = 0, LONG maximum = 100) const
    {
        return Plot().bottom - (value - minimum) * (Plot().bottom - Plot().top) / (maximum - minimum);
    }
    int CountColour(const Picture& picture, COLORREF colour, RECT area) const
    {
        return picture.Count(area, [colour](COLORREF c) { return Near(c, colour); });
    }

    // The monitor outlives the fixture's graph, which holds a reference until it is destroyed.
    FakePerfMonitor& NewMonitor(ULONGLONG span, LONG minimum, LONG maximum)
    {
        monitor = std::make_unique<FakePerfMonitor>(span, minimum, maximum);
        return *monitor;
    }

    std::unique_ptr<GdiPlusSession> gdiplus;
    std::unique_ptr<FakePerfMonitor> monitor;
    GraphHost host;
    CJNUsageHistory graph{NoEngine};  // data only from the scripted monitor
};

} // namespace

TEST_F(GraphWindow, TakesOverTheWindowAndLaysItOutFromTheMeasuredLegend)
{
    EXPECT_TRUE(GetWindowLongW(host.Child(), GWL_STYLE) & WS_BORDER);
    TakeOver(nullptr);
    EXPECT_FALSE(GetWindowLongW(host.Child(), GWL_STYLE) & WS_BORDER);
    const GraphLayout& layout = graph.Layout();
    EXPECT_EQ(layout.client.right, kGraphWidth) << "the old border became client area";
    EXPECT_EQ(layout.client.bottom, kGraphHeight);
    EXPECT_EQ(Plot().left, 1);
    EXPECT_EQ(Plot().top, 1);
    EXPECT_EQ(Plot().right, 301);
    EXPECT_EQ(Plot().bottom, 101);
    EXPECT_EQ(layout.legendWidth, 15) << "both series hidden at start";

    const int cpu = LegendTextWidth(graph.Settings().series[0].name);
    const int disk = LegendTextWidth(graph.Settings().series[1].name);
    EXPECT_EQ(graph.Settings().series[0].name, L"CPU usage");
    EXPECT_EQ(graph.Settings().series[1].name, L"Disks usage");
    Show(host.Child(), 1);
    EXPECT_EQ(layout.columnWidths, (std::vector<int>{disk + 21, 0}));
    EXPECT_EQ(layout.legendWidth, 15 + disk + 21);
    Show(host.Child(), 0);
    EXPECT_EQ(layout.columnWidths, (std::vector<int>{cpu + 21, disk + 21}));
    EXPECT_EQ(layout.legendWidth, 15 + cpu + 21 + disk + 21);
    EXPECT_EQ(layout.rowHeight, 16);
    EXPECT_EQ(layout.legendHeight, 24);
    ASSERT_EQ(layout.verticalGrid.size(), 20u);
    EXPECT_EQ(layout.verticalGrid[0].left, 301);
    EXPECT_EQ(layout.verticalGrid[19].left, 1);
    ASSERT_EQ(layout.horizontalGrid.size(), 5u);
    EXPECT_EQ(layout.horizontalGrid[0].top, 101);
    EXPECT_EQ(layout.horizontalGrid[4].top, 1);

    SetWindowPos(host.Child(), nullptr, 0, 0, 202, 52, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Plot().right, 201) << "WM_SIZE lays it out again";
    EXPECT_EQ(Plot().bottom, 51);
}

TEST_F(GraphWindow, RefusesWhatItCannotTakeOver)
{
    EXPECT_FALSE(graph.SubclassWindow(nullptr));
    TakeOver(nullptr);
    CJNUsageHistory second;
    EXPECT_FALSE(second.SubclassWindow(host.Child()));
}

TEST_F(GraphWindow, DrawsTheLineAndItsShadowWhereTheSamplesAre)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    monitor.AddCounter(Flat(0, 120000, 1000, 50));
    monitor.AddCounter(Flat(0, 120000, 1000, 80));
    TakeOver(&monitor);
    Show(host.Child(), 0);
    Show(host.Child(), 1);
    Picture picture(kGraphWidth, kGraphHeight);
    PaintInto(host.Child(), picture);

    const int x = 160;  // between two grid lines
    EXPECT_TRUE(Near(picture.At(x, RowOf(50)), kCpu)) << std::hex << picture.At(x, RowOf(50));
    EXPECT_TRUE(Near(picture.At(x, RowOf(80)), kDisk)) << std::hex << picture.At(x, RowOf(80));
    EXPECT_TRUE(IsShadow(picture.At(x, RowOf(50) + 2))) << std::hex << picture.At(x, RowOf(50) + 2);
    EXPECT_TRUE(IsShadow(picture.At(x, RowOf(80) + 2)));
    EXPECT_EQ(picture.At(x, RowOf(50) - 3), kWhite) << "nothing above the line";
    EXPECT_EQ(picture.At(x, RowOf(50) + 5), kWhite) << "the shadow is 3 pixels wide";
    EXPECT_EQ(monitor.openWalks, 0) << "every walk ended";
    // Each pass walks the samples of one span and the first one beyond it, not the whole history.
    EXPECT_EQ(monitor.samplesVisited, 2 * 2 * 62);
}

TEST_F(GraphWindow, ANegativeSampleEndsTheLine)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    std::vector<Sample> samples = Flat(0, 60000, 1000, 50);
    samples[30].value = -1;  // at 30000: no data
    monitor.AddCounter(samples);
    TakeOver(&monitor);
    Show(host.Child(), 0);
    Picture picture(kGraphWidth, kGraphHeight);
    PaintInto(host.Child(), picture);
    const int y = RowOf(50);
    EXPECT_TRUE(Near(picture.At(250, y), kCpu));
    EXPECT_EQ(CountColour(picture, kCpu, {Plot().left, y - 1, 150, y + 2}), 0) << "nothing left of the gap";
    // A negative newest value: no line at all.
    monitor.Counter(0).back().value = -5;
    PaintInto(host.Child(), picture);
    EXPECT_EQ(CountColour(picture, kCpu, {Plot().left, 30, Plot().right, Plot().bottom}), 0) << "below the legend";
}

TEST_F(GraphWindow, OneSampleDrawsNothing)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    monitor.AddCounter({{5000, 50}});
    TakeOver(&monitor);
    Show(host.Child(), 0);
    Picture picture(kGraphWidth, kGraphHeight);
    PaintInto(host.Child(), picture);
    const RECT belowLegend{Plot().left, 30, Plot().right, Plot().bottom};
    EXPECT_EQ(CountColour(picture, kCpu, belowLegend), 0);
    EXPECT_EQ(picture.Count(belowLegend, IsShadow), 0);
}

TEST_F(GraphWindow, ASampleOneSpanOldLandsOnTheLeftEdgeAndTheNextIsCutOff)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    // Newest at 120000 high, one span older at the left edge, and one more far below-left.
    monitor.AddCounter({{0, 0}, {60000, 40}, {120000, 40}});
    TakeOver(&monitor);
    Show(host.Child(), 0);
    Picture picture(kGraphWidth, kGraphHeight);
    PaintInto(host.Child(), picture);
    const int y = RowOf(40);
    EXPECT_TRUE(Near(picture.At(Plot().left, y), kCpu)) << std::hex << picture.At(Plot().left, y);
    EXPECT_TRUE(Near(picture.At(Plot().right - 1, y), kCpu));
    for (int x = 0; x < Plot().left; ++x)
        for (int row = 0; row < kGraphHeight; ++row)
            ASSERT_EQ(picture.At(x, row), kWhite) << "outside the plot at " << x << "," << row;
    EXPECT_EQ(monitor.samplesVisited, 2 * 3);
}

TEST_F(GraphWindow, NothingOfASeriesOutsideThePlot)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    // From the bottom edge to the top edge and back, with values beyond the range too.
    monitor.AddCounter({{0, 0}, {10000, 100}, {20000, 0}, {30000, 200}, {40000, 0}, {50000, 100}, {60000, 0}});
    TakeOver(&monitor);
    Show(host.Child(), 0);
    Picture picture(kGraphWidth, kGraphHeight);
    PaintInto(host.Child(), picture);
    EXPECT_GT(CountColour(picture, kCpu, Plot()), 100);
    for (int y = 0; y < kGraphHeight; ++y)
        for (int x = 0; x < kGraphWidth; ++x)
        {
            POINT point{x, y};
            if (PtInRect(&Plot(), point))
                continue;
            const COLORREF c = picture.At(x, y);
            ASSERT_TRUE(c == kWhite || c == kGrid) << "at " << x << "," << y << ": " << std::hex << c;
        }
}

TEST_F(GraphWindow, EdgeGridLinesFollowTheirSwitches)
{
    TakeOver(nullptr);
    Picture picture(kGraphWidth, kGraphHeight);
    struct Case
    {
        bool x, y;
    } cases[] = {{true, true}, {false, true}, {true, false}, {false, false}};
    for (const Case& c : cases)
    {
        graph.Settings().edgeGridLines[kAxisX] = c.x;
        graph.Settings().edgeGridLines[kAxisY] = c.y;
        PaintInto(host.Child(), picture);
        EXPECT_EQ(picture.At(Plot().left, 60), c.x ? kGrid : kWhite) << "last vertical line, the left edge";
        EXPECT_EQ(picture.At(250, Plot().top), c.y ? kGrid : kWhite) << "last horizontal line, the top edge";
        EXPECT_EQ(picture.At(250, Plot().bottom), c.y ? kGrid : kWhite) << "first horizontal line, the bottom edge";
        EXPECT_EQ(picture.At(Plot().right, 60), kGrid) << "the vertical axis lies on the right edge";
        EXPECT_EQ(picture.At(graph.Layout().verticalGrid[1].left, 60), kGrid) << "inner lines always";
        EXPECT_EQ(picture.At(250, graph.Layout().horizontalGrid[2].top), kGrid);
        EXPECT_EQ(picture.At(graph.Layout().verticalGrid[1].left + 3, 60), kWhite);
    }
}

TEST_F(GraphWindow, NoVerticalScaleOrNoTimeSpanDrawsNoSeries)
{
    struct Case
    {
        ULONGLONG span;
        LONG minimum, maximum;
    } cases[] = {{kSpan, 50, 50}, {0, 0, 100}, {kSpan, 100, 0}};
    for (const Case& c : cases)
    {
        FakePerfMonitor monitor(c.span, c.minimum, c.maximum);
        monitor.AddCounter(Flat(0, 60000, 1000, 50));
        CJNUsageHistory local;
        GraphHost localHost;
        ASSERT_TRUE(local.SubclassWindow(localHost.Child()));
        local.SetDataSource(&monitor);
        Show(localHost.Child(), 0);
        Picture picture(kGraphWidth, kGraphHeight);
        PaintInto(localHost.Child(), picture);
        const RECT& plot = local.Layout().plot;
        EXPECT_EQ(CountColour(picture, kCpu, {plot.left, 30, plot.right, plot.bottom}), 0);
        EXPECT_EQ(picture.At(local.Layout().verticalGrid[5].left, 60), kGrid) << "the grid stays";
        EXPECT_GT(CountColour(picture, kCpu, {0, 0, 30, 30}), 100) << "the legend's swatch stays";
        EXPECT_EQ(monitor.samplesVisited, 0);
    }
}

TEST_F(GraphWindow, CounterStateChangesTheLegendOnlyAtTheNextPaint)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    monitor.AddCounter(Flat(0, 60000, 1000, 50));
    TakeOver(&monitor);
    Picture screen(kGraphWidth, kGraphHeight);
    ReadScreen(host.Child(), screen);
    const RECT swatch{5, 4, 21, 20};
    EXPECT_EQ(CountColour(screen, kCpu, swatch), 0);

    Show(host.Child(), 0);
    RECT invalid{};
    EXPECT_FALSE(GetUpdateRect(host.Child(), &invalid, FALSE)) << "no repaint asked for";
    ReadScreen(host.Child(), screen);
    EXPECT_EQ(CountColour(screen, kCpu, swatch), 0);
    InvalidateRect(host.Child(), nullptr, FALSE);
    ReadScreen(host.Child(), screen);
    EXPECT_GT(CountColour(screen, kCpu, swatch), 150) << "swatch at the next paint";
    EXPECT_TRUE(Near(screen.At(200, RowOf(50)), kCpu));

    const int width = graph.Layout().legendWidth;
    Show(host.Child(), 0);
    EXPECT_EQ(graph.Layout().legendWidth, width);
    Show(host.Child(), 7);
    Show(host.Child(), static_cast<WPARAM>(-1), false);
    EXPECT_EQ(graph.Layout().legendWidth, width) << "an index that is not a series changes nothing";
    EXPECT_TRUE(graph.Settings().series[1].hidden);

    Show(host.Child(), 0, false);
    InvalidateRect(host.Child(), nullptr, FALSE);
    ReadScreen(host.Child(), screen);
    EXPECT_EQ(CountColour(screen, kCpu, Plot()), 0) << "hidden again: neither line nor swatch";
}

TEST_F(GraphWindow, DataChangedRepaintsOnlyForZero)
{
    TakeOver(nullptr);
    UpdateWindow(host.Child());
    RECT invalid{};
    SendMessageW(host.Child(), kDataChangedMessage, 1, 0);
    EXPECT_FALSE(GetUpdateRect(host.Child(), &invalid, FALSE));
    SendMessageW(host.Child(), kDataChangedMessage, 0, 0);
    ASSERT_TRUE(GetUpdateRect(host.Child(), &invalid, FALSE));
    EXPECT_EQ(invalid.right, kGraphWidth);
    EXPECT_EQ(invalid.bottom, kGraphHeight);
}

TEST_F(GraphWindow, APartialRepaintMatchesTheWholePaint)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    monitor.AddCounter({{0, 10}, {20000, 90}, {40000, 20}, {60000, 70}});
    TakeOver(&monitor);
    Show(host.Child(), 0);
    // Both from the screen: a printed copy may be rasterised differently (another kind of bitmap).
    Picture whole(kGraphWidth, kGraphHeight), screen(kGraphWidth, kGraphHeight);
    InvalidateRect(host.Child(), nullptr, FALSE);
    ReadScreen(host.Child(), whole);
    // Scribble over a part, then let only that part repaint.
    HDC dc = GetDC(host.Child());
    const RECT part{97, 23, 211, 88};
    FillRect(dc, &part, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(host.Child(), dc);
    InvalidateRect(host.Child(), &part, FALSE);
    ReadScreen(host.Child(), screen);
    int differences = 0;
    for (int y = 0; y < kGraphHeight; ++y)
        for (int x = 0; x < kGraphWidth; ++x)
            differences += screen.At(x, y) != whole.At(x, y);
    EXPECT_EQ(differences, 0);
}

// Without an off-screen image (the system refuses the bitmap to a process that has used up its
// GDI objects) the graph paints straight into the window: the same picture, whole or in part.
TEST_F(GraphWindow, WithoutAnOffScreenImageItPaintsTheSamePictureStraightIntoTheWindow)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    monitor.AddCounter({{0, 10}, {20000, 90}, {40000, 20}, {60000, 70}});
    TakeOver(&monitor);
    Show(host.Child(), 0);
    Picture composed(kGraphWidth, kGraphHeight);
    InvalidateRect(host.Child(), nullptr, FALSE);
    ReadScreen(host.Child(), composed);
    const RECT kWhole{0, 0, kGraphWidth, kGraphHeight};
    for (const RECT& part : {kWhole, RECT{97, 23, 211, 88}})
    {
        SCOPED_TRACE(part.right - part.left);
        HDC dc = GetDC(host.Child());
        FillRect(dc, &kWhole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(host.Child(), dc);
        Picture screen(kGraphWidth, kGraphHeight);
        {
            testsupport::RefusedBufferBitmaps refused;
            InvalidateRect(host.Child(), &part, FALSE);
            ReadScreen(host.Child(), screen);
        }
        int differences = 0;
        for (int y = 0; y < kGraphHeight; ++y)
            for (int x = 0; x < kGraphWidth; ++x)
            {
                const bool repainted = x >= part.left && x < part.right && y >= part.top && y < part.bottom;
                differences += screen.At(x, y) != (repainted ? composed.At(x, y) : RGB(0, 0, 0));
            }
        EXPECT_EQ(differences, 0) << "the part is painted as off screen, and nothing beyond it";
    }
}

TEST_F(GraphWindow, PaintsWithoutGdiPlusAllButTheSeries)
{
    gdiplus.reset();
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    monitor.AddCounter(Flat(0, 60000, 1000, 50));
    TakeOver(&monitor);
    Show(host.Child(), 0);
    Picture picture(kGraphWidth, kGraphHeight);
    PaintInto(host.Child(), picture);
    EXPECT_EQ(picture.At(graph.Layout().verticalGrid[5].left, 60), kGrid);
    EXPECT_GT(CountColour(picture, kCpu, {5, 4, 21, 20}), 150) << "the legend";
}

TEST_F(GraphWindow, WithoutEngineBackgroundGridAndAnEmptyLegend)
{
    TakeOver(nullptr);
    Picture screen(kGraphWidth, kGraphHeight);
    InvalidateRect(host.Child(), nullptr, FALSE);
    ReadScreen(host.Child(), screen);
    EXPECT_EQ(screen.At(150, 60), kWhite);
    EXPECT_EQ(screen.At(graph.Layout().verticalGrid[5].left, 60), kGrid);
    EXPECT_EQ(screen.At(250, graph.Layout().horizontalGrid[2].top), kGrid);
    EXPECT_EQ(screen.Count({0, 0, 60, 30}, [](COLORREF c) { return c != kWhite && c != kGrid; }), 0)
        << "no legend entry";
    EXPECT_EQ(graph.Layout().legendWidth, 15);
}

TEST_F(GraphWindow, ConnectsToTheEngineAndFollowsItsListener)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    monitor.AddCounter(Flat(0, 60000, 1000, 50));
    monitor.AddCounter(Flat(0, 60000, 1000, 30));
    static FakeEngine* engineOfTest = nullptr;
    FakeEngine engine(&monitor);
    engineOfTest = &engine;
    {
        CJNUsageHistory connected([]() -> JNAPI::IEngine* { return engineOfTest; });
        ASSERT_TRUE(connected.SubclassWindow(host.Child()));
        EXPECT_EQ(engine.activated, 1);
        EXPECT_EQ(monitor.advised, 1);
        ASSERT_NE(monitor.listener, nullptr);
        EXPECT_EQ(engine.references, 1) << "the connection keeps no engine reference";

        EXPECT_EQ(monitor.listener->OnCounterState(1, 0), S_OK);
        EXPECT_FALSE(connected.Settings().series[1].hidden);
        EXPECT_TRUE(connected.Settings().series[0].hidden);
        UpdateWindow(host.Child());
        EXPECT_EQ(monitor.listener->OnDataChanged(0), S_OK);
        RECT invalid{};
        EXPECT_TRUE(GetUpdateRect(host.Child(), &invalid, FALSE));
        Picture screen(kGraphWidth, kGraphHeight);
        ReadScreen(host.Child(), screen);
        EXPECT_TRUE(Near(screen.At(200, connected.Layout().plot.bottom - 30), kDisk));

        DestroyWindow(host.Child());
        EXPECT_EQ(monitor.unadvised, 1) << "disconnected on WM_DESTROY";
        EXPECT_EQ(monitor.listener, nullptr);
    }
    engineOfTest = nullptr;
    EXPECT_EQ(engine.references, 1);
    EXPECT_EQ(monitor.references, 1) << "every monitor reference released";
}

TEST_F(GraphWindow, GdiObjectsStayFlatOverPaintsAndGraphs)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    monitor.AddCounter(Flat(0, 60000, 500, 50));
    monitor.AddCounter(Flat(0, 60000, 500, 70));
    TakeOver(&monitor);
    Show(host.Child(), 0);
    Show(host.Child(), 1);
    const DWORD types[] = {OBJ_REGION, OBJ_BITMAP, OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_MEMDC, OBJ_DC, 0};
    auto counts = [&] {
        std::vector<int> all;
        for (DWORD type : types)
            all.push_back(LiveGdiObjects(type));
        return all;
    };
    auto paint = [&] {
        InvalidateRect(host.Child(), nullptr, FALSE);
        UpdateWindow(host.Child());
    };
    for (int i = 0; i < 5; ++i)
        paint();
    const std::vector<int> before = counts();
    for (int i = 0; i < 200; ++i)
        paint();
    EXPECT_EQ(counts(), before) << "200 paints";

    auto cycle = [&] {
        GraphHost other;
        CJNUsageHistory another;
        ASSERT_TRUE(another.SubclassWindow(other.Child()));
        another.SetDataSource(&monitor);
        Show(other.Child(), 0);
        InvalidateRect(other.Child(), nullptr, FALSE);
        UpdateWindow(other.Child());
    };
    for (int i = 0; i < 3; ++i)
        cycle();
    const std::vector<int> beforeCycles = counts();
    for (int i = 0; i < 50; ++i)
        cycle();
    EXPECT_EQ(counts(), beforeCycles) << "50 graphs made and destroyed";
}

TEST_F(GraphWindow, Screenshot)
{
    FakePerfMonitor& monitor = NewMonitor(kSpan, 0, 100);
    std::vector<Sample> cpu, disk;
    for (ULONGLONG t = 0; t <= 90000; t += 1500)
    {
        cpu.push_back({t, static_cast<LONG>(50 + 35 * ((t / 1500) % 7 == 0 ? 1 : 0) + (t / 1500) % 13)});
        disk.push_back({t, static_cast<LONG>(10 + (t / 1500) % 20 * 2)});
    }
    monitor.AddCounter(cpu);
    monitor.AddCounter(disk);
    TakeOver(&monitor);
    Show(host.Child(), 0);
    Show(host.Child(), 1);
    InvalidateRect(host.Child(), nullptr, FALSE);
    UpdateWindow(host.Child());
    EXPECT_TRUE(SaveWindowPng(host.Child(), L"graph.png"));
}
