// One paint of the product's graph (plot 300 px wide) over a history of 10^3 and of 10^6 samples:
// the walk stops at the plot's left edge, so both should cost the same (ratio goal: at most 1.1).
// Against a plain BitBlt of the same area, for scale.
#include "BenchSupport.h"
#include "Screenshot.h"
#include "graph/FakePerfMonitor.h"
#include "graph/GraphTestSupport.h"
#include "monitor/UsageHistory.h"
#include "monitor/PerfMonListener.h"

#include <cstdio>

using namespace graphtest;

namespace {

double PaintMs(size_t samples, int rounds)
{
    FakePerfMonitor monitor(60000, 0, 100);
    std::vector<Sample> cpu, disk;
    const ULONGLONG step = 500;  // 120 samples per span: the plot's 300 px hold a span
    for (size_t i = 0; i < samples; ++i)
    {
        cpu.push_back({i * step, static_cast<LONG>(i * 7 % 100)});
        disk.push_back({i * step, static_cast<LONG>(i * 3 % 100)});
    }
    monitor.AddCounter(std::move(cpu));
    monitor.AddCounter(std::move(disk));
    GraphHost host;
    CJNUsageHistory graph{[]() -> JNAPI::IEngine* { return nullptr; }};
    graph.SubclassWindow(host.Child());
    graph.SetDataSource(&monitor);
    SendMessageW(host.Child(), kCounterStateMessage, 0, 0);
    SendMessageW(host.Child(), kCounterStateMessage, 1, 0);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i)
    {
        InvalidateRect(host.Child(), nullptr, FALSE);
        const double start = MillisecondsNow();
        UpdateWindow(host.Child());
        times.push_back(MillisecondsNow() - start);
    }
    return SpreadOf(times).median;
}

double BlitMs(int rounds)
{
    GraphHost host;
    Picture source(kGraphWidth, kGraphHeight);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i)
    {
        HDC dc = GetDC(host.Child());
        const double start = MillisecondsNow();
        BitBlt(dc, 0, 0, kGraphWidth, kGraphHeight, source.Dc(), 0, 0, SRCCOPY);
        GdiFlush();
        times.push_back(MillisecondsNow() - start);
        ReleaseDC(host.Child(), dc);
    }
    return SpreadOf(times).median;
}

} // namespace

int main()
{
    GdiPlusSession gdiplus;
    const int rounds = 200;
    const double small = PaintMs(1000, rounds);
    const double large = PaintMs(1000000, rounds);
    const double blit = BlitMs(rounds);
    std::printf("graph paint, 10^3 samples: median %.3f ms\n", small);
    std::printf("graph paint, 10^6 samples: median %.3f ms\n", large);
    std::printf("ratio 10^6 / 10^3: %.3f (goal: at most 1.1)\n", small > 0 ? large / small : 0.0);
    std::printf("plain BitBlt of the same %dx%d area: median %.3f ms; paint / BitBlt: %.1f\n", kGraphWidth,
                kGraphHeight, blit, blit > 0 ? small / blit : 0.0);
    return 0;
}
