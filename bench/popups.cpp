// The two blocking pop-ups shown and answered 200 times each in one process, through the loaded
// library: time per cycle, and the process's private memory and live GDI objects before and after.
// Nothing may grow with the number of cycles. The slides are driven tick by tick from inside the
// call's own loop, so a cycle costs only its work; a few cycles with the real timers follow, for
// the time a person sees.
#include "support/GdiCount.h"
#include "popups/PopupTestSupport.h"

#include <cstdio>

namespace {

using namespace popuptest;

constexpr int kCycles = 200;
constexpr int kTimedCycles = 5;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The process's committed private memory (heaps, stacks, private allocations). Walked region by
// region: Wine leaves GetProcessMemoryInfo's PrivateUsage at 0.
SIZE_T PrivateBytes()
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region = {};
    for (const BYTE* address = nullptr; VirtualQuery(address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize)
    {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        if (region.RegionSize == 0)
            break;
    }
    return total;
}

// One pop-up, answered with the second button as soon as it shows; the slide driven by hand.
bool DrivenCycle(TrayExports::ChoiceCall show)
{
    PopupWatch watch(WhenShown([](HWND popup) {
        DriveSlideIn(popup);
        AnswerAndDriveOut(popup, 1382);
    }));
    DWORD choice = 0;
    show(&choice);
    return watch.Done();
}

// One pop-up with its own timers, answered as soon as it has fully come out.
bool TimedCycle(TrayExports::ChoiceCall show)
{
    PopupWatch watch(WhenFullyOut([](HWND popup) { PostCommand(popup, 1382); }));
    DWORD choice = 0;
    show(&choice);
    return watch.Done();
}

struct Footprint
{
    SIZE_T privateBytes;
    int gdiObjects;
};

Footprint Measure()
{
    return {PrivateBytes(), testsupport::LiveGdiObjects()};
}

void Report(const char* name, TrayExports::ChoiceCall show)
{
    DrivenCycle(show);  // the first run makes what lasts (DCs, caches)
    const Footprint before = Measure();
    Footprint half = {};
    int answered = 0;
    const double start = Now();
    for (int cycle = 1; cycle <= kCycles; ++cycle)
    {
        answered += DrivenCycle(show);
        if (cycle == kCycles / 2)
            half = Measure();
    }
    const double took = Now() - start;
    const Footprint after = Measure();

    double timedTook = 0;
    for (int cycle = 0; cycle < kTimedCycles; ++cycle)
    {
        const double timedStart = Now();
        TimedCycle(show);
        timedTook += Now() - timedStart;
    }

    std::printf("%s: %d cycles (%d answered), %.2f ms per cycle with the slide driven by hand; "
                "%.0f ms per cycle on its own timers\n",
                name, kCycles, answered, took / kCycles, timedTook / kTimedCycles);
    std::printf("  private memory  %8.1f KiB before, %8.1f KiB after %d, %8.1f KiB after %d\n",
                before.privateBytes / 1024.0, half.privateBytes / 1024.0, kCycles / 2, after.privateBytes / 1024.0,
                kCycles);
    std::printf("  GDI objects     %8d before, %8d after %d, %8d after %d\n", before.gdiObjects, half.gdiObjects,
                kCycles / 2, after.gdiObjects, kCycles);
    std::fflush(stdout);
}

} // namespace

int main()
{
    TrayExports library;
    if (!library.Complete())
    {
        std::printf("XJNTrayNotifications.dll or its exports not found\n");
        return 1;
    }
    Report("ShowShutdownDialog", library.showShutdown);
    Report("ShowShutdownAfterTaskCompletionDialog", library.showAfterTasks);
    return 0;
}
