#include "base/SelfInitialisingLock.h"

namespace {
// How long a thread that lost the race sleeps before it looks again whether the section exists.
const DWORD kReadyPollMilliseconds = 1;
} // namespace

void SelfInitialisingLock::Enter()
{
    if (InterlockedCompareExchange(&m_claimed, 1, 0) == 0)
    {
        InitializeCriticalSection(&m_section);
        InterlockedExchange(&m_ready, 1);
    }
    else
    {
        while (InterlockedCompareExchange(&m_ready, 1, 1) == 0)
            Sleep(kReadyPollMilliseconds);
    }
    EnterCriticalSection(&m_section);
}

void SelfInitialisingLock::Leave()
{
    LeaveCriticalSection(&m_section);
}
