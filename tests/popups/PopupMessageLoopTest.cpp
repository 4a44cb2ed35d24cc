// The blocking pop-ups' message loop: it serves the thread's windows until the pop-up has closed,
// and a request to quit that arrives meanwhile is handed on to the host's loop afterwards.
#include "notifications/PopupMessageLoop.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr UINT kCount = WM_APP + 1;
constexpr UINT_PTR kCloseTimer = 1;

// A window of the test thread standing for the pop-up: it counts kCount messages and "closes"
// when its timer fires, which the loop only sees after anything posted before.
class StandInPopup
{
public:
    StandInPopup()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &StandInPopup::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"XjnLoopStandIn";
        RegisterClassW(&windowClass);
        m_window = CreateWindowExW(0, L"XjnLoopStandIn", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), this);
    }
    ~StandInPopup() { DestroyWindow(m_window); }

    HWND Window() const { return m_window; }
    void CloseSoon() { SetTimer(m_window, kCloseTimer, 20, nullptr); }
    bool closed = false;
    int counted = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<StandInPopup*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == kCount)
            ++self->counted;
        if (self && message == WM_TIMER && wParam == kCloseTimer)
        {
            KillTimer(window, kCloseTimer);
            self->closed = true;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND m_window = nullptr;
};

// The WM_QUIT waiting on the thread after the loop, if any.
bool TakeQuit(WPARAM& exitCode)
{
    MSG message = {};
    if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    exitCode = message.wParam;
    return true;
}

TEST(PopupMessageLoop, ServesTheThreadsWindowsUntilThePopupHasClosed)
{
    StandInPopup popup;
    ASSERT_NE(popup.Window(), nullptr);
    for (int i = 0; i < 3; ++i)
        PostMessageW(popup.Window(), kCount, 0, 0);
    popup.CloseSoon();
    RunPopupMessageLoop([&] { return popup.closed; });
    EXPECT_EQ(popup.counted, 3);
    WPARAM exitCode = 0;
    EXPECT_FALSE(TakeQuit(exitCode)) << "no request to quit came, none is made up";
}

TEST(PopupMessageLoop, AQuitRequestDuringThePopupReachesTheHostAfterwards)
{
    struct Case
    {
        const char* label;
        std::function<void()> requestQuit;
        WPARAM exitCode;
    };
    const DWORD thread = GetCurrentThreadId();
    const Case cases[] = {
        {"PostQuitMessage", [] { PostQuitMessage(9); }, 9},
        {"WM_QUIT posted to the thread", [thread] { PostThreadMessageW(thread, WM_QUIT, 7, 0); }, 7},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        StandInPopup popup;
        c.requestQuit();
        PostMessageW(popup.Window(), kCount, 0, 0);
        popup.CloseSoon();
        RunPopupMessageLoop([&] { return popup.closed; });
        EXPECT_TRUE(popup.closed) << "the request to quit did not end the pop-up";
        EXPECT_EQ(popup.counted, 1);
        WPARAM exitCode = 0;
        ASSERT_TRUE(TakeQuit(exitCode));
        EXPECT_EQ(exitCode, c.exitCode);
        EXPECT_FALSE(TakeQuit(exitCode)) << "handed on once";
    }
}

} // namespace
