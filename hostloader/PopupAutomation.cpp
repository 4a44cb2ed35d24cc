#include "PopupAutomation.h"

namespace xjnhost {

const wchar_t kPopupMark[] = L"NON_SKINABLE_2809%s!fgj";

namespace {

struct Search
{
    HWND found;
    bool visibleOnly;
};

BOOL CALLBACK CheckForMark(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    if (GetPropW(window, kPopupMark) && (!search->visibleOnly || IsWindowVisible(window)))
    {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

const DWORD kPollMs = 20;
const int kStillPolls = 5;  // 100 ms in one place: a slide moves every 10 ms

} // namespace

HWND FindMarkedWindow(DWORD threadId, bool visibleOnly)
{
    Search search{nullptr, visibleOnly};
    EnumThreadWindows(threadId, &CheckForMark, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForSettledPopup(DWORD threadId, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    RECT last{};
    int still = 0;
    while (GetTickCount64() < end)
    {
        Sleep(kPollMs);
        HWND window = FindMarkedWindow(threadId);
        if (!window)
        {
            still = 0;
            continue;
        }
        RECT now{};
        GetWindowRect(window, &now);
        still = EqualRect(&now, &last) ? still + 1 : 0;
        last = now;
        if (still >= kStillPolls)
            return window;
    }
    return nullptr;
}

} // namespace xjnhost
