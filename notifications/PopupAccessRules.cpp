#include "notifications/PopupAccessRules.h"

bool ValueAnnouncementDue(DWORD lastMs, DWORD nowMs)
{
    return static_cast<DWORD>(nowMs - lastMs) >= kValueAnnouncementPeriodMs;
}

int RingStep(int current, int count, bool backwards)
{
    if (count <= 0)
        return -1;
    if (current < 0 || current >= count)
        return backwards ? count - 1 : 0;
    return backwards ? (current + count - 1) % count : (current + 1) % count;
}
