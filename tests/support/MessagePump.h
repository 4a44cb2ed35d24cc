// Running the calling thread's messages in tests: once, or until a condition holds.
#pragma once
#include <windows.h>

namespace testsupport {

// Dispatches every message waiting for the calling thread.
inline void DispatchWaitingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Pumps the calling thread's messages until done() or the time is up; true when done().
template <class Done>
bool PumpMessagesUntil(Done done, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done())
    {
        if (GetTickCount64() > end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        DispatchWaitingMessages();
    }
    return true;
}

} // namespace testsupport
