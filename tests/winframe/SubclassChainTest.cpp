// A control we took over, shared with another party in the process (the host's skinning layer,
// say) that swaps the window procedure the plain way and lets go before or after us: the
// control keeps its own class procedure in every order, and our object hears nothing once it
// has let go.
#include "support/ScreenPixels.h"
#include "winframe/WindowSubclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using testsupport::CoverOnScreen;
using testsupport::RepaintNow;
using testsupport::ScreenPixelOf;

// The other party: it puts its procedure on top and, letting go, puts back what it found there,
// whatever lies on top by then. One at a time (a window procedure has no context).
class CarelessHost
{
public:
    void TakeOver(HWND window)
    {
        m_window = window;
        s_found = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CarelessHost::Proc)));
    }
    void LetGo() { SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_found)); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return CallWindowProcW(s_found, window, message, wParam, lParam);
    }

    static inline WNDPROC s_found = nullptr;
    HWND m_window = nullptr;
};

// Our side: counts what reaches it and lets everything through.
class Listener : public CWindowSubclass
{
public:
    int messages = 0;
    int finals = 0;

    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override
    {
        ++messages;
        return false;
    }

protected:
    void OnFinalMessage(HWND) override { ++finals; }
};

constexpr COLORREF kCover = RGB(255, 0, 255);

// Answers only the control's class procedure gives (the system's default procedure answers 0).
bool ButtonAnswers(HWND button)
{
    SendMessageW(button, BM_SETSTATE, TRUE, 0);
    const bool pushed = (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    SendMessageW(button, BM_SETSTATE, FALSE, 0);
    return pushed && (SendMessageW(button, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
}

bool IconStaticAnswers(HWND control)
{
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    return SendMessageW(control, STM_GETICON, 0, 0) == reinterpret_cast<LRESULT>(icon);
}

struct ControlCase
{
    const char* name;
    const wchar_t* windowClass;
    DWORD style;
    bool (*classAnswers)(HWND);
    bool keepsText;    // an icon static takes its text as the name of an icon
    POINT background;  // a point the control's own paint covers with its background
};

const ControlCase kControls[] = {
    {"push button", L"BUTTON", BS_PUSHBUTTON, &ButtonAnswers, true, {4, 15}},
    {"icon static", L"STATIC", SS_ICON | SS_CENTERIMAGE | SS_NOTIFY, &IconStaticAnswers, false, {2, 2}},
};

// The control works as its class makes it work: its messages, its text, its paint on the screen.
void ExpectWorking(HWND control, const ControlCase& c)
{
    EXPECT_TRUE(c.classAnswers(control)) << "the class procedure answered";
    if (c.keepsText)
    {
        SetWindowTextW(control, L"Go");
        wchar_t text[8] = {};
        GetWindowTextW(control, text, 8);
        EXPECT_STREQ(text, L"Go");
    }
    CoverOnScreen(control, kCover);
    RepaintNow(control);
    EXPECT_NE(ScreenPixelOf(control, c.background), kCover) << "the control painted itself";
}

enum Step
{
    WeTakeOver,
    HostTakesOver,
    HostLetsGo,
    WeLetGo,
    SecondTakesOver,  // a second object of ours, after the first has let go
    SecondLetsGo,
};

struct OrderCase
{
    const char* name;
    std::vector<Step> steps;
};

const OrderCase kOrders[] = {
    {"the host lets go first", {WeTakeOver, HostTakesOver, HostLetsGo, WeLetGo}},
    {"we let go first", {WeTakeOver, HostTakesOver, WeLetGo, HostLetsGo}},
    {"we let go and the host keeps it to the end", {WeTakeOver, HostTakesOver, WeLetGo}},
    {"the host came first", {HostTakesOver, WeTakeOver, WeLetGo, HostLetsGo}},
    {"taken over again under the host",
     {WeTakeOver, HostTakesOver, WeLetGo, SecondTakesOver, SecondLetsGo, HostLetsGo}},
};

TEST(SubclassChain, TheControlKeepsItsClassProcedureInEveryOrder)
{
    for (const ControlCase& control : kControls)
        for (const OrderCase& order : kOrders)
        {
            SCOPED_TRACE(std::string(control.name) + ", " + order.name);
            HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, control.windowClass, L"",
                                          WS_POPUP | control.style, 200, 200, 80, 30, nullptr, nullptr, nullptr,
                                          nullptr);
            ASSERT_NE(window, nullptr);
            ShowWindow(window, SW_SHOWNOACTIVATE);  // an active window's end waits on the X server here
            const LONG_PTR classProc = GetWindowLongPtrW(window, GWLP_WNDPROC);
            Listener ours, second;
            int oursAtLetGo = -1, secondAtLetGo = -1;
            bool oursHolds = false, hostHolds = false;
            CarelessHost host;
            for (Step step : order.steps)
            {
                switch (step)
                {
                case WeTakeOver:
                    ASSERT_TRUE(ours.SubclassWindow(window));
                    oursHolds = true;
                    break;
                case SecondTakesOver: ASSERT_TRUE(second.SubclassWindow(window)); break;
                case HostTakesOver:
                    host.TakeOver(window);
                    hostHolds = true;
                    break;
                case HostLetsGo:
                    host.LetGo();
                    hostHolds = false;
                    break;
                case WeLetGo:
                    EXPECT_EQ(ours.UnsubclassWindow(), window);
                    oursHolds = false;
                    oursAtLetGo = ours.messages;
                    break;
                case SecondLetsGo:
                    EXPECT_EQ(second.UnsubclassWindow(), window);
                    secondAtLetGo = second.messages;
                    break;
                }
                const int heard = ours.messages;
                ExpectWorking(window, control);
                if (oursHolds)
                {
                    EXPECT_GT(ours.messages, heard) << "ours hears the control while it holds it";
                }
            }
            if (!hostHolds)
            {
                EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), classProc) << "nothing of ours is left in between";
            }
            DestroyWindow(window);
            EXPECT_EQ(ours.messages, oursAtLetGo) << "ours heard the control after letting go";
            if (secondAtLetGo >= 0)
            {
                EXPECT_EQ(second.messages, secondAtLetGo);
            }
            EXPECT_EQ(ours.finals + second.finals, 0) << "the window's end is no business of an object that let go";
        }
}

} // namespace
