// Looks at a blocking pop-up from inside its own message loop. A thread timer on the calling
// thread fires every 10 ms while the blocking call pumps the thread's messages and hands the
// thread's pop-up window to the test (null while there is none), so the test's checks run on the
// pop-up's own thread, between two of its messages: nothing else moves while they run.
#pragma once
#include "PopupAutomation.h"

#include <windows.h>

#include <functional>

namespace popuptest {

// True once the pop-up has slid all the way out: its region shows the whole window.
inline bool IsFullyOut(HWND popup)
{
    RECT frame = {};
    if (!popup || !IsWindowVisible(popup) || !GetWindowRect(popup, &frame))
        return false;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box = {};
    const bool hasRegion = GetWindowRgn(popup, region) != ERROR && GetRgnBox(region, &box) != ERROR;
    DeleteObject(region);
    return hasRegion && box.left == 0 && box.top == 0 && box.right == frame.right - frame.left &&
           box.bottom == frame.bottom - frame.top;
}

class PopupWatch
{
public:
    // watch(popup) runs on each tick until it returns true.
    explicit PopupWatch(std::function<bool(HWND)> watch) : m_watch(std::move(watch))
    {
        t_current = this;
        m_timer = SetTimer(nullptr, 0, 10, &PopupWatch::OnTick);
    }
    ~PopupWatch()
    {
        if (m_timer)
            KillTimer(nullptr, m_timer);
        t_current = nullptr;
    }
    PopupWatch(const PopupWatch&) = delete;
    PopupWatch& operator=(const PopupWatch&) = delete;

    bool Done() const { return m_done; }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
    {
        PopupWatch* self = t_current;
        if (!self || self->m_done || self->m_busy)
            return;
        self->m_busy = true;  // a check that pumps messages must not run itself again
        self->m_done = self->m_watch(xjnhost::FindMarkedWindow(GetCurrentThreadId()));
        self->m_busy = false;
        if (self->m_done)
        {
            KillTimer(nullptr, self->m_timer);
            self->m_timer = 0;
        }
    }

    static inline thread_local PopupWatch* t_current = nullptr;
    std::function<bool(HWND)> m_watch;
    UINT_PTR m_timer = 0;
    bool m_done = false;
    bool m_busy = false;
};

// Runs visit(popup) once, when the pop-up has fully come out.
inline std::function<bool(HWND)> WhenFullyOut(std::function<void(HWND)> visit)
{
    return [visit](HWND popup) {
        if (!IsFullyOut(popup))
            return false;
        visit(popup);
        return true;
    };
}

// Runs visit(popup) once, as soon as the pop-up shows (it is still sliding in).
inline std::function<bool(HWND)> WhenShown(std::function<void(HWND)> visit)
{
    return [visit](HWND popup) {
        if (!popup)
            return false;
        visit(popup);
        return true;
    };
}

// A button click as the pop-up receives it.
inline void PostCommand(HWND popup, WORD id)
{
    PostMessageW(popup, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

} // namespace popuptest
