// The general graph's paint, in the order background, frame, grid, series, legend: composed off
// screen and copied to the window once (straight into the window when no off-screen image can be
// made).
#include "monitor/UsageHistory.h"

#include "monitor/UsageHistoryScale.h"
#include "winframe/BufferedPaint.h"

#include <gdiplus.h>

using namespace usagehistory;
using JNAPI::PerfMon::ICounterHistory;
using JNAPI::PerfMon::ISample;
namespace gp = Gdiplus::DllExports;

namespace {

// Each GDI+ object deleted with its owner.
template <class Object, Gdiplus::GpStatus(WINGDIPAPI* Delete)(Object*)>
class GdipObject
{
public:
    GdipObject() = default;
    ~GdipObject()
    {
        if (m_object)
            Delete(m_object);
    }
    GdipObject(const GdipObject&) = delete;
    GdipObject& operator=(const GdipObject&) = delete;

    Object* Get() const { return m_object; }
    Object** Receive() { return &m_object; }

private:
    Object* m_object = nullptr;
};
using GdipGraphics = GdipObject<Gdiplus::GpGraphics, gp::GdipDeleteGraphics>;
using GdipPen = GdipObject<Gdiplus::GpPen, gp::GdipDeletePen>;
using GdipPath = GdipObject<Gdiplus::GpPath, gp::GdipDeletePath>;

// The shadow: black at alpha 20, two pixels down and right of the line.
constexpr Gdiplus::ARGB kShadowColour = 0x14000000;
constexpr int kShadowOffset = 2;

Gdiplus::ARGB Opaque(COLORREF colour)
{
    return 0xFF000000u | (static_cast<Gdiplus::ARGB>(GetRValue(colour)) << 16) |
           (static_cast<Gdiplus::ARGB>(GetGValue(colour)) << 8) | GetBValue(colour);
}

void FillArea(HDC dc, const RECT& rect, COLORREF colour)
{
    ScopedBrush brush(CreateSolidBrush(colour));
    if (brush)
        FillRect(dc, &rect, brush.Get());
}

// A line from the rectangle's top-left to its bottom-right corner in the record's pen.
void DrawLine(HDC dc, const LineRecord& line, const RECT& ends)
{
    ScopedPen pen(CreatePen(static_cast<int>(line.style), line.width, line.colour));
    if (!pen)
        return;
    ScopedSelection select(dc, pen.Get());
    MoveToEx(dc, ends.left, ends.top, nullptr);
    LineTo(dc, ends.right, ends.bottom);
}

// Left and top sides in the first colour, right and bottom in the second.
void DrawEdge(HDC dc, const EdgeRecord& edge, const RECT& rect)
{
    if (!edge.enabled)
        return;
    const int right = rect.right - 1, bottom = rect.bottom - 1;
    {
        ScopedPen first(CreatePen(PS_SOLID, edge.DrawnWidth(), edge.first));
        ScopedSelection select(dc, first.Get());
        MoveToEx(dc, rect.left, bottom, nullptr);
        LineTo(dc, rect.left, rect.top);
        LineTo(dc, right, rect.top);
    }
    ScopedPen second(CreatePen(PS_SOLID, edge.DrawnWidth(), edge.second));
    ScopedSelection select(dc, second.Get());
    LineTo(dc, right, bottom);
    LineTo(dc, rect.left, bottom);
}

void DrawBorder(HDC dc, const BorderRecord& border, RECT rect)
{
    DrawEdge(dc, border.outer, rect);
    if (border.outer.enabled)
        InflateRect(&rect, -border.outer.DrawnWidth(), -border.outer.DrawnWidth());
    DrawEdge(dc, border.inner, rect);
}

bool IsEdgeLine(size_t index, size_t count)
{
    return index == 0 || index + 1 == count;
}

// Adds one series' line to path, from the newest sample backwards until a sample with no data
// or the first point left of the plot. A negative newest value leaves the path empty.
void WalkHistory(ICounterHistory& history, const RECT& plot, const SeriesScale& scale, int shift, Gdiplus::GpPath* path)
{
    history.BeginWalk();
    ComRef<ISample> current = ComRef<ISample>::Adopt(history.GetNewest());
    if (current && current->GetValue() >= 0)
    {
        const ULONGLONG newest = current->GetTime();
        POINT previous{plot.right, SampleY(plot, scale, current->GetValue())};
        while (current)
        {
            ComRef<ISample> before = ComRef<ISample>::Adopt(history.GetPrevious(current.Get()));
            if (!before)
                break;
            const LONG value = before->GetValue();
            if (value < 0)
                break;
            const POINT point{SampleX(plot, scale, newest, before->GetTime()), SampleY(plot, scale, value)};
            gp::GdipAddPathLineI(path, previous.x + shift, previous.y + shift, point.x + shift, point.y + shift);
            if (point.x < plot.left)
                break;
            previous = point;
            current = before;
        }
    }
    history.EndWalk();
}

// The shadow pass, then the line pass, over every shown series.
void DrawSeriesPasses(Gdiplus::GpGraphics* graphics, JNAPI::PerfMon::IPerfMonitor& source, const GraphSettings& settings,
                      const RECT& plot, const SeriesScale& scale)
{
    const LONG counters = source.GetCounterCount();
    for (const bool shadow : {true, false})
    {
        for (LONG i = 0; i < counters; ++i)
        {
            if (static_cast<size_t>(i) >= settings.series.size() || settings.series[i].hidden)
                continue;
            const SeriesRecord& series = settings.series[i];
            GdipPen pen;
            if (shadow)
            {
                gp::GdipCreatePen1(kShadowColour, static_cast<Gdiplus::REAL>(series.width + 2), Gdiplus::UnitWorld,
                                   pen.Receive());
                gp::GdipSetPenLineJoin(pen.Get(), Gdiplus::LineJoinRound);
            }
            else
            {
                gp::GdipCreatePen1(Opaque(series.colour), static_cast<Gdiplus::REAL>(series.width),
                                   Gdiplus::UnitWorld, pen.Receive());
            }
            const ComRef<ICounterHistory> history =
                ComRef<ICounterHistory>::Adopt(source.GetCounterHistory(static_cast<ULONG>(i)));
            if (!history)
                break;  // the rest of this pass stays undrawn
            GdipPath path;
            if (!pen.Get() || gp::GdipCreatePath(Gdiplus::FillModeAlternate, path.Receive()) != Gdiplus::Ok)
                continue;
            WalkHistory(*history.Get(), plot, scale, shadow ? kShadowOffset : 0, path.Get());
            gp::GdipDrawPath(graphics, pen.Get(), path.Get());
        }
    }
}

} // namespace

void CCustomUsageHistoryCtrl::OnPaint(HDC given)
{
    SyncObject hold(&m_lock);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if (given)
    {
        PaintArea(given, client);
        return;
    }
    RECT area{};
    GetUpdateRect(m_hWnd, &area, FALSE);
    if (area.right - area.left == 0)
        area = client;
    ScopedPaintDC dc(m_hWnd);
    if (dc.Get())
        PaintArea(dc.Get(), area);
}

void CCustomUsageHistoryCtrl::PaintArea(HDC target, const RECT& area)
{
    PaintBuffered(target, area, [&](HDC dc) {
        DrawBackground(dc, area);
        DrawFrame(dc);
        DrawGrid(dc);
        DrawSeries(dc);
        DrawLegend(dc);
    });
}

void CCustomUsageHistoryCtrl::DrawBackground(HDC dc, const RECT& area)
{
    FillArea(dc, area, m_settings.colours[kControlBackgroundColour]);
    FillArea(dc, m_layout.plot, m_settings.colours[kPlotBackgroundColour]);
    DrawBorder(dc, m_settings.borders[kClientBorder], m_layout.client);
}

void CCustomUsageHistoryCtrl::DrawFrame(HDC dc)
{
    const RECT& plot = m_layout.plot;
    if (m_settings.borders[kPlotBorder].AnyEnabled())
        DrawBorder(dc, m_settings.borders[kPlotBorder], m_layout.frame);
    if (m_settings.switches[kDrawHorizontalAxis])
        DrawLine(dc, m_settings.lines[kHorizontalAxisLine],
                 {plot.left, m_layout.horizontalAxisY, plot.right, m_layout.horizontalAxisY});
    if (m_settings.switches[kDrawVerticalAxis])
        DrawLine(dc, m_settings.lines[kVerticalAxisLine],
                 {m_layout.verticalAxisX, plot.top, m_layout.verticalAxisX, plot.bottom});
    if (m_settings.switches[kDrawHorizontalAxisTicks])
        for (const RECT& tick : m_layout.verticalGrid)
            DrawLine(dc, m_settings.lines[kHorizontalAxisTick], tick);
    if (m_settings.switches[kDrawVerticalAxisTicks])
        for (const RECT& tick : m_layout.horizontalGrid)
            DrawLine(dc, m_settings.lines[kVerticalAxisTick], tick);
}

void CCustomUsageHistoryCtrl::DrawGrid(HDC dc)
{
    const RECT& plot = m_layout.plot;
    if (m_settings.switches[kDrawVerticalGrid])
    {
        const size_t count = m_layout.verticalGrid.size();
        for (size_t i = 0; i < count; ++i)
        {
            if (IsEdgeLine(i, count) && !m_settings.edgeGridLines[kAxisX])
                continue;
            const int x = m_layout.verticalGrid[i].left;
            DrawLine(dc, m_settings.lines[kVerticalGridLine], {x, plot.top, x, plot.bottom});
        }
    }
    if (m_settings.switches[kDrawHorizontalGrid])
    {
        const size_t count = m_layout.horizontalGrid.size();
        for (size_t i = 0; i < count; ++i)
        {
            if (IsEdgeLine(i, count) && !m_settings.edgeGridLines[kAxisY])
                continue;
            const int y = m_layout.horizontalGrid[i].top;
            DrawLine(dc, m_settings.lines[kHorizontalGridLine], {plot.left, y, plot.right, y});
        }
    }
}

void CCustomUsageHistoryCtrl::DrawSeries(HDC dc)
{
    if (!m_dataSource || !m_plotClip)
        return;
    const SeriesScale scale{m_dataSource->GetTimeSpan(), m_dataSource->GetMinimum(), m_dataSource->GetMaximum()};
    if (!IsDrawable(scale))
        return;
    ScopedRegion saved(CreateRectRgn(0, 0, 0, 0));
    const bool hadClip = saved && GetClipRgn(dc, saved.Get()) == 1;
    // Clip regions are in device coordinates: an off-screen image starts at the painted area's
    // corner, a window's DC at the client's.
    POINT origin = {0, 0};
    LPtoDP(dc, &origin, 1);
    OffsetRgn(m_plotClip.Get(), origin.x, origin.y);
    SelectClipRgn(dc, m_plotClip.Get());
    OffsetRgn(m_plotClip.Get(), -origin.x, -origin.y);

    // The clip goes in first: some GDI+ implementations take the context's clip when the graphics
    // is made, not when it draws. Creation fails when the host has not started GDI+: no lines.
    GdipGraphics graphics;
    if (gp::GdipCreateFromHDC(dc, graphics.Receive()) == Gdiplus::Ok)
    {
        gp::GdipSetSmoothingMode(graphics.Get(), Gdiplus::SmoothingModeAntiAlias);
        DrawSeriesPasses(graphics.Get(), *m_dataSource.Get(), m_settings, m_layout.plot, scale);
    }

    SelectClipRgn(dc, hadClip ? saved.Get() : nullptr);
}

void CCustomUsageHistoryCtrl::DrawLegend(HDC dc)
{
    if (!m_laidOut || m_layout.columnWidths.empty())
        return;
    ScopedSelection font(dc, m_settings.fonts[0]);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const size_t columns = m_layout.columnWidths.size();
    const int swatch = m_settings.swatchSize;
    const RECT& legend = m_layout.legend;
    int x = legend.left + 5, y = legend.top + 4;
    size_t k = 0;
    for (size_t i = 0; i < m_settings.series.size(); ++i)
    {
        const SeriesRecord& series = m_settings.series[i];
        if (series.hidden)
            continue;
        const size_t column = k % columns;
        if (column == 0)
            x = legend.left + 5;
        const int columnWidth = m_layout.columnWidths[column];
        if (m_swatches)
            ImageList_Draw(m_swatches.Get(), static_cast<int>(i), dc, x, y + (m_layout.rowHeight - swatch) / 2,
                           ILD_NORMAL);
        RECT text{x + swatch + 5, y, x + columnWidth, y + m_layout.rowHeight};
        DrawTextW(dc, series.name.c_str(), static_cast<int>(series.name.size()), &text, DT_VCENTER | DT_SINGLELINE);
        if (column == columns - 1)
            y += m_layout.rowHeight + 4;
        x += columnWidth + 5;
        ++k;
    }
    SetBkMode(dc, previousMode);
}
