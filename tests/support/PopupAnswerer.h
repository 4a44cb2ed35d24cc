// Answers a notification pop-up the way a user would, from a second thread: it waits for a
// top-level window of the given thread that carries the pop-up mark, waits until the window is
// visible and has stopped moving (fully slid out), then posts it one message.
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

namespace testsupport {

const wchar_t kPopupMark[] = L"NON_SKINABLE_2809%s!fgj";

struct MarkedWindowSearch
{
    HWND found;
    bool visibleOnly;
};

inline BOOL CALLBACK CheckForMark(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<MarkedWindowSearch*>(param);
    if (GetPropW(window, kPopupMark) && (!search->visibleOnly || IsWindowVisible(window)))
    {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The first top-level window of the thread that carries the pop-up mark (visible, unless told
// otherwise), or null.
inline HWND FindMarkedWindow(DWORD threadId, bool visibleOnly = true)
{
    MarkedWindowSearch search{nullptr, visibleOnly};
    EnumThreadWindows(threadId, &CheckForMark, reinterpret_cast<LPARAM>(&search));
    return search.found;
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
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

class PopupAnswerer
{
public:
    // Posts message(wParam, lParam) to the pop-up of threadId once it has settled.
    PopupAnswerer(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam = 0, DWORD timeoutMs = 20000)
        : m_worker([=] { Run(threadId, message, wParam, lParam, timeoutMs); })
    {
    }
    // WM_COMMAND with the id and notification code 0, as a button click sends it.
    static WPARAM Command(WORD id) { return MAKEWPARAM(id, 0); }

    ~PopupAnswerer() { Wait(); }
    PopupAnswerer(const PopupAnswerer&) = delete;
    PopupAnswerer& operator=(const PopupAnswerer&) = delete;

    void Wait()
    {
        if (m_worker.joinable())
            m_worker.join();
    }
    bool Answered() const { return m_answered; }
    HWND Window() const { return m_window; }
    // What the window was like when it was answered.
    LONG_PTR ExStyle() const { return m_exStyle; }
    HANDLE Mark() const { return m_mark; }

private:
    void Run(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs)
    {
        const ULONGLONG end = GetTickCount64() + timeoutMs;
        RECT last{};
        int stillPolls = 0;
        while (GetTickCount64() < end)
        {
            Sleep(20);
            HWND window = FindMarkedWindow(threadId);
            if (!window)
            {
                stillPolls = 0;
                continue;
            }
            RECT now{};
            GetWindowRect(window, &now);
            stillPolls = EqualRect(&now, &last) ? stillPolls + 1 : 0;
            last = now;
            if (stillPolls < 5)
                continue;
            m_window = window;
            m_exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
            m_mark = GetPropW(window, kPopupMark);
            m_answered = PostMessageW(window, message, wParam, lParam) != FALSE;
            return;
        }
    }

    std::atomic<bool> m_answered{false};
    std::atomic<HWND> m_window{nullptr};
    std::atomic<LONG_PTR> m_exStyle{0};
    std::atomic<HANDLE> m_mark{nullptr};
    std::thread m_worker;
};

} // namespace testsupport
