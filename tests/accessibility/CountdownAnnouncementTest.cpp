// The countdown's seconds as a screen reader hears them: the value changes every second, the
// reader is told at most every five seconds, and nothing before the pop-up's alert. The class runs
// in this process with a clock the test drives.
#include "accessibility/AccessTestSupport.h"
#include "notifications/DlgShutdownAfterTaskCompletion.h"
#include "popups/PopupTestSupport.h"
#include "support/EnglishTexts.h"

#include <gtest/gtest.h>

namespace {

using namespace accesstest;
using namespace popuptest;

testing::Environment* const g_englishTexts = testing::AddGlobalTestEnvironment(new testsupport::EnglishTexts);

TEST(CountdownAnnouncements, TheSecondsAreToldAtMostEveryFiveSecondsAfterTheAlert)
{
    const struct
    {
        DWORD tickMs;  // how far the clock moves with each second of the countdown
        int told;      // value changes told while the counter goes from 28 to 0
    } cases[] = {
        {0, 0},      // a clock that stands: never five seconds apart
        {1000, 5},   // at 5, 10, 15, 20 and 25 seconds after the alert
        {2500, 14},  // every second tick
        {4999, 14},  // never two within five seconds
        {5000, 28},  // each one
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.tickMs);
        CDlgShutdownAfterTaskCompletion dialog;
        DWORD now = 0xFFFFF000;  // the tick count wraps during the countdown
        dialog.SetAnnouncementClock([&now] { return now; });
        HWND popup = nullptr;
        std::wstring lastValue;
        WinEventRecorder events(EVENT_SYSTEM_ALERT, EVENT_OBJECT_VALUECHANGE);
        bool counted = false;
        PopupWatch watch([&](HWND shown) {
            if (!shown)
                return false;
            if (counted)
            {
                // The hook hears the events as this thread's loop runs: only then does the window go.
                if (events.Count(EVENT_SYSTEM_ALERT, popup) == 0)
                    return false;
                AnswerAndDriveOut(popup, 1382);
                return true;
            }
            popup = shown;
            EXPECT_EQ(dialog.SecondsLeft(), 29);
            // A second before the alert is not told, however long it took.
            now += 60000;
            SendMessageW(popup, WM_TIMER, kCountdownTimer, 0);
            DriveSlideIn(popup);
            for (int second = 0; second < 30; ++second)
            {
                now += c.tickMs;
                SendMessageW(popup, WM_TIMER, kCountdownTimer, 0);
            }
            ComRef<IAccessible> alert = AccessibleOf(popup);
            if (alert)
                lastValue = ValueOf(alert.Get());
            counted = true;
            return false;
        });
        dialog.Show(nullptr);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(lastValue, L"0");
        EXPECT_EQ(events.Count(EVENT_SYSTEM_ALERT, popup), 1);
        EXPECT_EQ(events.Count(EVENT_OBJECT_VALUECHANGE, popup), c.told);
    }
}

} // namespace
