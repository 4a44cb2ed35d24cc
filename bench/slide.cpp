// What one slide tick costs (region, move, paint) and how long a whole slide-in takes against its
// nominal time (height / step x tick period). A tick's own work should stay well under 1 ms, so that
// the timer alone sets the pace.
#include "BenchSupport.h"
#include "tests/framework/TestPopup.h"
#include "tests/support/MessagePump.h"

#include <cstdio>
#include <vector>

namespace {

using testsupport::DispatchWaitingMessages;

// Each slide tick by hand: the tick's work plus the paint it causes.
void TickCosts(int edge, const char* name)
{
    std::vector<double> inTicks, outTicks;
    for (int round = 0; round < 5; ++round)
    {
        CTestPopup popup;
        popup.SetTaskbarProbes(TaskbarAt(edge));
        popup.Show(nullptr);
        KillTimer(popup.m_hWnd, kSlideInTimer);  // the ticks come from here only
        DispatchWaitingMessages();
        while (!popup.IsFullyShown())
        {
            const double start = MillisecondsNow();
            SendMessageW(popup.m_hWnd, WM_TIMER, kSlideInTimer, 0);
            UpdateWindow(popup.m_hWnd);
            inTicks.push_back(MillisecondsNow() - start);
        }
        popup.Hide();
        HWND window = popup.m_hWnd;
        while (IsWindow(window))
        {
            const double start = MillisecondsNow();
            SendMessageW(window, WM_TIMER, kSlideOutTimer, 0);
            if (IsWindow(window))
                UpdateWindow(window);
            outTicks.push_back(MillisecondsNow() - start);
        }
    }
    const Spread in = SpreadOf(inTicks), out = SpreadOf(outTicks);
    std::printf("%-7s slide-in tick  median %7.3f ms  worst %7.3f ms  (%zu ticks)\n", name, in.median, in.worst,
                inTicks.size());
    std::printf("%-7s slide-out tick median %7.3f ms  worst %7.3f ms  (%zu ticks)\n", name, out.median, out.worst,
                outTicks.size());
}

// The parts of a tick on a fully shown pop-up: the region, the move, the off-screen composition
// (WM_PAINT into a memory DC) and the repaint on screen with the child controls.
void TickParts()
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    HWND window = popup.m_hWnd;
    while (!popup.IsFullyShown())
        SendMessageW(window, WM_TIMER, kSlideInTimer, 0);
    DispatchWaitingMessages();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, popup.Slide().width, popup.Slide().height);
    HGDIOBJ old = SelectObject(memory, canvas);
    std::vector<double> region, move, compose, repaint;
    const RECT frame = {popup.Frame().position.x, popup.Frame().position.y, 0, 0};
    for (int i = 0; i < 200; ++i)
    {
        double start = MillisecondsNow();
        popup.ApplyRegion(FALSE);
        region.push_back(MillisecondsNow() - start);
        start = MillisecondsNow();
        SetWindowPos(window, nullptr, frame.left + (i % 2), frame.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        move.push_back(MillisecondsNow() - start);
        start = MillisecondsNow();
        SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
        compose.push_back(MillisecondsNow() - start);
        start = MillisecondsNow();
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        repaint.push_back(MillisecondsNow() - start);
    }
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const char* names[] = {"region", "move", "compose off screen", "repaint on screen"};
    const std::vector<double>* parts[] = {&region, &move, &compose, &repaint};
    for (int i = 0; i < 4; ++i)
    {
        const Spread f = SpreadOf(*parts[i]);
        std::printf("tick part %-20s median %7.3f ms  worst %7.3f ms\n", names[i], f.median, f.worst);
    }
}

// The real timer drives the slide-in.
void FullSlideIn(int edge, const char* name)
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(edge));
    const double start = MillisecondsNow();
    popup.Show(nullptr);
    while (!popup.IsFullyShown())
    {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        DispatchWaitingMessages();
    }
    const double took = MillisecondsNow() - start;
    const int depth = edge == kEdgeLeft || edge == kEdgeRight ? popup.Slide().width : popup.Slide().height;
    const double nominal = static_cast<double>(depth) / popup.Slide().step * popup.TickPeriod();
    std::printf("%-7s full slide-in  %7.1f ms  nominal %6.1f ms  (%d px at %d px per %u ms)\n", name, took, nominal,
                depth, popup.Slide().step, popup.TickPeriod());
}

} // namespace

int main()
{
    const struct
    {
        int edge;
        const char* name;
    } edges[] = {{kEdgeBottom, "bottom"}, {kEdgeLeft, "left"}, {kEdgeTop, "top"}, {kEdgeRight, "right"}};
    for (const auto& e : edges)
        TickCosts(e.edge, e.name);
    TickParts();
    for (const auto& e : edges)
        FullSlideIn(e.edge, e.name);
    return 0;
}
