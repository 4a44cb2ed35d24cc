// A plain window of the host that has the keyboard: a pop-up must not take it away unasked.
#pragma once
#include <windows.h>

namespace testsupport {

class HostWindow
{
public:
    HostWindow()
        : m_window(CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                                   nullptr, nullptr))
    {
        SetForegroundWindow(m_window);
        SetActiveWindow(m_window);
        SetFocus(m_window);
    }
    ~HostWindow() { DestroyWindow(m_window); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Get() const { return m_window; }
    // The host's window is the foreground window, the active one and has the keyboard focus.
    bool HasTheKeyboard() const
    {
        return GetForegroundWindow() == m_window && GetActiveWindow() == m_window && GetFocus() == m_window;
    }

private:
    HWND m_window;
};

} // namespace testsupport
