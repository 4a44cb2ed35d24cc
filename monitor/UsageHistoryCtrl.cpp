// The general graph window: taking over its window, its messages and its layout.
#include "monitor/UsageHistory.h"

#include "logvane/include/Logvane.h"
#include "winframe/PaintWindow.h"

using namespace usagehistory;

namespace {

constexpr wchar_t kTraceSource[] = L"..\\monitor\\UsageHistory";

// The width and height DrawTextW gives text on one line.
SIZE MeasureText(HDC dc, const std::wstring& text)
{
    RECT bounds{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_SINGLELINE);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

// A swatch: the colour with a black one-pixel outline.
ScopedBitmap MakeSwatch(HDC screen, int size, COLORREF colour)
{
    ScopedBitmap swatch(CreateCompatibleBitmap(screen, size, size));
    ScopedMemoryDC dc(screen);
    ScopedPen outline(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    if (!swatch || !dc || !outline)
        return ScopedBitmap();
    ScopedSelection selectSwatch(dc.Get(), swatch.Get());
    ScopedSelection selectPen(dc.Get(), outline.Get());
    const RECT square{0, 0, size, size};
    SetBkColor(dc.Get(), colour);
    ExtTextOutW(dc.Get(), 0, 0, ETO_OPAQUE, &square, nullptr, 0, nullptr);
    MoveToEx(dc.Get(), 0, 0, nullptr);
    LineTo(dc.Get(), 0, size - 1);
    LineTo(dc.Get(), size - 1, size - 1);
    LineTo(dc.Get(), size - 1, 0);
    LineTo(dc.Get(), 0, 0);
    return swatch;
}

} // namespace

CCustomUsageHistoryCtrl::CCustomUsageHistoryCtrl() = default;

CCustomUsageHistoryCtrl::~CCustomUsageHistoryCtrl()
{
    // No message may reach a half-destroyed graph.
    UnsubclassWindow();
}

bool CCustomUsageHistoryCtrl::SubclassWindow(HWND window)
{
    if (!CWindowSubclass::SubclassWindow(window))
        return false;
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (style & WS_BORDER)
    {
        SetWindowLongW(window, GWL_STYLE, style & ~WS_BORDER);
        // The client area grows over the old border at once (WM_NCCALCSIZE leaves no frame).
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    RecalcLayout();
    return true;
}

void CCustomUsageHistoryCtrl::SetDataSource(JNAPI::PerfMon::IPerfMonitor* monitor)
{
    SyncObject hold(&m_lock);
    m_dataSource = ComRef<JNAPI::PerfMon::IPerfMonitor>::Copy(monitor);
}

void CCustomUsageHistoryCtrl::RecalcLayout()
{
    SyncObject hold(&m_lock);
    if (!m_hWnd)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);

    std::vector<int> nameWidths;
    int spaceHeight = 0;
    {
        ScopedWindowDC screen(nullptr);
        if (!screen)
            return;
        ScopedSelection font(screen.Get(), m_settings.fonts[0]);
        for (const SeriesRecord& series : m_settings.series)
            if (!series.hidden)
                nameWidths.push_back(MeasureText(screen.Get(), series.name).cx);
        spaceHeight = MeasureText(screen.Get(), L" ").cy;
    }
    m_layout = ComputeLayout(m_settings, client, nameWidths, spaceHeight);
    m_plotClip.Reset(CreateRectRgnIndirect(&m_layout.plot));
    BuildSwatches();
    m_laidOut = true;
}

void CCustomUsageHistoryCtrl::BuildSwatches()
{
    m_swatches.Reset();
    const int size = m_settings.swatchSize;
    const int count = static_cast<int>(m_settings.series.size());
    m_swatches.Reset(ImageList_Create(size, size, ILC_COLOR24, count, 1));
    ScopedWindowDC screen(nullptr);
    if (!m_swatches || !screen)
        return;
    for (const SeriesRecord& series : m_settings.series)
    {
        ScopedBitmap swatch = MakeSwatch(screen.Get(), size, series.colour);
        // A series without a swatch would shift the ones after it to the wrong index.
        if (!swatch || ImageList_Add(m_swatches.Get(), swatch.Get(), nullptr) < 0)
        {
            WriteTraceEx(TRACE_ERROR, L"CCustomUsageHistoryCtrl::BuildSwatches - cannot make a legend swatch",
                         kTraceSource, __LINE__);
            m_swatches.Reset();
            return;
        }
    }
}

bool CCustomUsageHistoryCtrl::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    try
    {
        switch (message)
        {
        case WM_ERASEBKGND:
            result = 1;  // the paint covers everything
            return true;
        case WM_PAINT:
            OnPaint(reinterpret_cast<HDC>(wParam));
            result = 0;
            return true;
        case WM_NCCALCSIZE:
            result = 0;  // no non-client area: the client is the whole window
            return true;
        case WM_SIZE:
            RecalcLayout();
            result = 0;
            return true;
        default:
            return false;
        }
    }
    catch (...)
    {
        WriteTraceEx(TRACE_ERROR, L"CCustomUsageHistoryCtrl::ProcessWindowMessage - out of memory", kTraceSource,
                     __LINE__);
        result = 0;
        return true;
    }
}
