// Answers a notification pop-up the way a user would, from a second thread: it waits for a
// top-level window of the given thread that carries the pop-up mark, waits until the window is
// visible and has stopped moving (fully slid out), then posts it one message.
#pragma once
#include "PopupAutomation.h"
#include "support/MessagePump.h"

#include <windows.h>

#include <atomic>
#include <thread>

namespace testsupport {

using xjnhost::FindMarkedWindow;

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
        HWND window = xjnhost::WaitForSettledPopup(threadId, timeoutMs);
        if (!window)
            return;
        m_window = window;
        m_exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
        m_mark = GetPropW(window, xjnhost::kPopupMark);
        m_answered = PostMessageW(window, message, wParam, lParam) != FALSE;
    }

    std::atomic<bool> m_answered{false};
    std::atomic<HWND> m_window{nullptr};
    std::atomic<LONG_PTR> m_exStyle{0};
    std::atomic<HANDLE> m_mark{nullptr};
    std::thread m_worker;
};

} // namespace testsupport
