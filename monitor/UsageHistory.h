// The usage history graph: a child window that draws the recent history of the engine's
// performance counters as anti-aliased lines over a light grid, with a legend of coloured
// squares and counter names. It keeps no samples: every paint reads them from the monitor.
#pragma once
#include "base/Sync.h"
#include "monitor/EngineInterfaces.h"
#include "monitor/EngineClient.h"
#include "monitor/UsageHistoryLayout.h"
#include "monitor/UsageHistorySettings.h"
#include "winframe/Owners.h"
#include "winframe/WindowSubclass.h"

// The general graph: takes over an existing child window and draws it from its settings.
class CCustomUsageHistoryCtrl : public CWindowSubclass
{
public:
    CCustomUsageHistoryCtrl();
    ~CCustomUsageHistoryCtrl() override;

    // Takes over a child window: removes WS_BORDER and lays the graph out. False when the window
    // cannot be taken over.
    virtual bool SubclassWindow(HWND window);

    // The monitor that paints read (a counted reference is kept); null draws no series.
    void SetDataSource(JNAPI::PerfMon::IPerfMonitor* monitor);

    // Change the settings before taking over the window, or call RecalcLayout afterwards.
    usagehistory::GraphSettings& Settings() { return m_settings; }
    const usagehistory::GraphSettings& Settings() const { return m_settings; }
    // Lays the graph out again from the window's client rectangle and the settings.
    void RecalcLayout();
    // The latest layout (empty before the window was taken over).
    const usagehistory::GraphLayout& Layout() const { return m_layout; }

    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void BuildSwatches();
    void OnPaint(HDC given);
    void PaintArea(HDC dc, const RECT& area);
    void DrawBackground(HDC dc, const RECT& area);
    void DrawFrame(HDC dc);
    void DrawGrid(HDC dc);
    void DrawSeries(HDC dc);
    void DrawLegend(HDC dc);

    usagehistory::GraphSettings m_settings;
    ComRef<JNAPI::PerfMon::IPerfMonitor> m_dataSource;
    usagehistory::GraphLayout m_layout;
    bool m_laidOut = false;
    ScopedRegion m_plotClip;
    ScopedImageList m_swatches;
    CriticalSection m_lock;
};

// The product's graph: CPU and disk usage from the engine, both hidden until the engine shows
// them. It connects to the engine when it takes over its window and disconnects when the window
// is destroyed.
class CJNUsageHistory : public CCustomUsageHistoryCtrl
{
public:
    // Where the engine comes from when the graph connects: the module's engine unless a test
    // hands in another source.
    typedef JNAPI::IEngine* (*EngineSource)();
    explicit CJNUsageHistory(EngineSource engineSource = EngineClientEngine);
    ~CJNUsageHistory() override;

    // Takes over the window, then connects to the engine; true whenever the take-over succeeded.
    bool SubclassWindow(HWND window) override;

    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnCounterState(WPARAM index, LPARAM inactive);

    EngineSource m_engineSource;
    ScopedFont m_legendFont;
    EngineConnection m_connection;
};
