// The product's graph: its settings, its two series and its link to the engine.
#include "monitor/UsageHistory.h"

#include "lang/Language.h"
#include "logvane/include/Logvane.h"
#include "monitor/PerfMonListener.h"

using namespace usagehistory;

namespace {

constexpr wchar_t kTraceSource[] = L"..\\monitor\\UsageHistory";
constexpr wchar_t kLanguageSection[] = L"XJNTrayNotifications";
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGridColour = RGB(0xF0, 0xF0, 0xF0);
constexpr COLORREF kCpuColour = RGB(0, 192, 192);
constexpr COLORREF kDiskColour = RGB(192, 64, 64);

// The legend's font: Tahoma, 16 pixels, a little heavier than normal.
HFONT CreateLegendFont()
{
    return CreateFontW(16, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

SeriesRecord Series(const wchar_t* nameKey, COLORREF colour)
{
    SeriesRecord series;
    series.colour = colour;
    series.penStyle = PS_GEOMETRIC;
    series.width = 1;
    series.name = Language::GetInstance()->GetString(nameKey, kLanguageSection);
    series.hidden = true;  // until the engine says the counter is active
    return series;
}

void SetProductSettings(GraphSettings& settings, HFONT legendFont)
{
    for (COLORREF& colour : settings.colours)
        colour = kWhite;
    settings.borders[kClientBorder] = BorderRecord();
    settings.borders[kPlotBorder] = BorderRecord();
    settings.swatchSize = 16;
    settings.gridLines[kAxisX] = 20;
    settings.gridLines[kAxisY] = 5;
    settings.edgeGridLines[kAxisX] = true;
    settings.edgeGridLines[kAxisY] = true;
    settings.tickLength[kAxisX] = 11;
    settings.tickLength[kAxisY] = 3;
    settings.fonts[0] = legendFont;
    const bool switches[kSwitchCount] = {false, false, true, false, false, false, true, true, true, true};
    for (int i = 0; i < kSwitchCount; ++i)
        settings.switches[i] = switches[i];
    for (int i = kVerticalGridLine; i <= kVerticalAxisTick; ++i)
        settings.lines[i] = {kGridColour, PS_GEOMETRIC, 0};
    settings.modes[kHorizontalAxisMode] = kBottom;
    settings.modes[kVerticalAxisMode] = kRight;
    settings.modes[kLegendMode] = 6;  // over the control's top-left, taking no room
    settings.modes[kVerticalTickMode] = kRight;
    settings.legendColumns = 2;
    settings.series.push_back(Series(L"XJNS_DEFRAG_TOTAL_CPU_USAGE", kCpuColour));
    settings.series.push_back(Series(L"XJNS_DEFRAG_TOTAL_DISK_USAGE", kDiskColour));
}

} // namespace

CJNUsageHistory::CJNUsageHistory(EngineSource engineSource)
    : m_engineSource(engineSource), m_legendFont(CreateLegendFont())
{
    if (!m_legendFont)
        WriteTraceEx(TRACE_ERROR, L"CJNUsageHistory::CJNUsageHistory - cannot create the legend font", kTraceSource,
                     __LINE__);
    SetProductSettings(Settings(), m_legendFont.Get());
}

CJNUsageHistory::~CJNUsageHistory()
{
    // Destroyed before its window: the engine must not notify a graph that is gone.
    DisconnectGraph(m_connection);
    UnsubclassWindow();
}

bool CJNUsageHistory::SubclassWindow(HWND window)
{
    if (!CCustomUsageHistoryCtrl::SubclassWindow(window))
        return false;
    ConnectGraph(m_engineSource(), m_hWnd, m_connection);
    SetDataSource(m_connection.dataSource.Get());
    return true;
}

bool CJNUsageHistory::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_DESTROY:
        DisconnectGraph(m_connection);
        return false;  // on to default processing
    case kDataChangedMessage:
        if (wParam == 0)
            InvalidateRect(m_hWnd, nullptr, FALSE);
        result = 0;
        return true;
    case kCounterStateMessage:
        OnCounterState(wParam, lParam);
        result = 0;
        return true;
    default:
        return CCustomUsageHistoryCtrl::ProcessWindowMessage(window, message, wParam, lParam, result);
    }
}

void CJNUsageHistory::OnCounterState(WPARAM index, LPARAM inactive)
{
    std::vector<SeriesRecord>& series = Settings().series;
    if (index >= series.size())
        return;
    const bool hidden = inactive != 0;
    if (series[index].hidden == hidden)
        return;
    series[index].hidden = hidden;
    // The legend changes at the next paint; nothing asks for one here.
    RecalcLayout();
}
