#include "notifications/CountdownSteps.h"

int CountdownStart(DWORD displayTimeMs)
{
    return static_cast<int>(displayTimeMs / 1000);
}

int NextSecondsLeft(int secondsLeft)
{
    return secondsLeft > 0 ? secondsLeft - 1 : secondsLeft;
}

int NextAnimationFrame(int frame, int frameCount)
{
    const int next = frame + 1;
    return next >= frameCount ? 0 : next;
}
