// The answers the commands give and the countdown's steps, on plain numbers.
#include "notifications/CountdownSteps.h"
#include "notifications/PopupAnswers.h"

#include <gtest/gtest.h>

namespace {

TEST(PopupAnswers, EachCommandGivesItsAnswerAndOthersKeepTheCurrentOne)
{
    struct Case
    {
        const char* label;
        WORD id;
        int warningFrom0;      // the shutdown warning, answer 0 before
        int warningFrom1;      // ... answer 1 before
        bool afterTasksFromTrue;
        bool afterTasksFromFalse;
    };
    const Case cases[] = {
        {"first button", 1381, 1, 1, true, true},
        {"second button", 1382, 0, 0, false, false},
        {"IDCANCEL", IDCANCEL, 1, 1, false, false},
        {"close button", 1095, 1, 1, false, false},
        {"IDOK", IDOK, 0, 1, true, false},
        {"information link", 1347, 0, 1, true, false},
        {"id 0", 0, 0, 1, true, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ShutdownWarningAnswer(c.id, 0), c.warningFrom0);
        EXPECT_EQ(ShutdownWarningAnswer(c.id, 1), c.warningFrom1);
        EXPECT_EQ(ShutdownAfterTasksAnswer(c.id, true), c.afterTasksFromTrue);
        EXPECT_EQ(ShutdownAfterTasksAnswer(c.id, false), c.afterTasksFromFalse);
    }
}

TEST(PopupAnswers, TheLogonDetectChoiceIsStopOnlyForTheFirstButton)
{
    struct Case
    {
        const char* label;
        WORD id;
        bool fromFalse;
        bool fromTrue;
    };
    const Case cases[] = {
        {"Stop", 1381, true, true},          {"Hide", 1382, false, false}, {"IDCANCEL", IDCANCEL, false, false},
        {"close id", 1095, false, false},    {"IDOK keeps it", IDOK, false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(LogonDetectAnswer(c.id, false), c.fromFalse);
        EXPECT_EQ(LogonDetectAnswer(c.id, true), c.fromTrue);
    }
}

TEST(Countdown, StartsFromTheWholeSecondsOfTheDisplayTime)
{
    EXPECT_EQ(CountdownStart(29000), 29);
    EXPECT_EQ(CountdownStart(29999), 29);
    EXPECT_EQ(CountdownStart(999), 0);
    EXPECT_EQ(CountdownStart(0), 0);
}

TEST(Countdown, CountsDownOneAtATimeAndStaysAtZero)
{
    int seconds = 29;
    for (int expected = 28; expected >= 0; --expected)
    {
        seconds = NextSecondsLeft(seconds);
        EXPECT_EQ(seconds, expected);
    }
    for (int tick = 0; tick < 3; ++tick)
    {
        seconds = NextSecondsLeft(seconds);
        EXPECT_EQ(seconds, 0);
    }
}

TEST(Countdown, TheAnimationGoesThroughEveryFrameAndWraps)
{
    int frame = 0;
    for (int expected = 1; expected <= 22; ++expected)
    {
        frame = NextAnimationFrame(frame, 23);
        EXPECT_EQ(frame, expected);
    }
    EXPECT_EQ(NextAnimationFrame(22, 23), 0);
    EXPECT_EQ(NextAnimationFrame(0, 1), 0) << "a single frame stays";
}

} // namespace
