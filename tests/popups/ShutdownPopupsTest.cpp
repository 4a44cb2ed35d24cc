// The two blocking pop-ups through the loaded library, with real windows: what they show and how
// they show it, a button pressed while they slide in, a request to quit while they are up, and
// their GDI objects over many runs. The checks run inside the call's own message loop.
#include "support/GdiCount.h"
#include "support/HostWindow.h"
#include "popups/PopupTestSupport.h"
#include "support/RegistrySandbox.h"
#include "support/TraceCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace popuptest;
using testsupport::HostWindow;

const wchar_t kLanguageKey[] = L"Software\\Orvanta\\Orvanta Utilities\\Language";

struct StaticRow
{
    int id;
    const wchar_t* text;
    COLORREF colour;
    LONG fontHeight;
    LONG fontWeight;
};

struct ButtonRow
{
    int id;
    const wchar_t* caption;
};

struct PopupCase
{
    const char* label;
    TrayExports::ChoiceCall TrayExports::*show;
    std::vector<StaticRow> statics;
    std::vector<ButtonRow> buttons;
    std::vector<int> hidden;      // controls that exist but never show
    int uncoloured;               // a control whose text colour the pop-up leaves alone
};

const PopupCase kShutdownWarning = {
    "shutdown warning",
    &TrayExports::showShutdown,
    {
        {1385, L"Lumeris", 0x000000, 14, FW_BOLD},
        {1383, L"System shutdown", 0x222222, 18, FW_BOLD},
        {1384, L"There are incomplete tasks in execution queue.", 0x222222, 14, FW_BOLD},
        {1208, L"Shutdown will interrupt execution of these tasks that can cause to data loss. Cancel shutdown?",
         0x222222, 14, 0},
    },
    {{1381, L"Cancel"}, {1382, L"Shutdown"}},
    {1347},
    1347,
};

const PopupCase kShutdownAfterTasks = {
    "shutdown after tasks",
    &TrayExports::showAfterTasks,
    {
        {1208, L"Lumeris", 0x000000, 14, FW_BOLD},
        {1383, L"System shutdown", 0x222222, 18, FW_BOLD},
        {1384, L"Your system will shut down.", 0x222222, 14, FW_BOLD},
    },
    {{1381, L"Shutdown"}, {1382, L"Cancel"}},
    {1095, 1001},
    1001,
};

const PopupCase* const kPopups[] = {&kShutdownWarning, &kShutdownAfterTasks};

// The built-in English texts, whatever the machine running the tests has set.
class ShutdownPopups : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(language.SetString(L"English")); }

    testsupport::RegistryValueOverride language{HKEY_CURRENT_USER, kLanguageKey, L"default"};
};

TEST_F(ShutdownPopups, ShowTheirTextsColoursAndFontsWithoutTakingTheFocus)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    for (const PopupCase* popupCase : kPopups)
    {
        const PopupCase& c = *popupCase;
        SCOPED_TRACE(c.label);
        HostWindow host;
        ASSERT_EQ(GetForegroundWindow(), host.Get());
        ASSERT_EQ(GetFocus(), host.Get());
        bool visited = false;
        PopupWatch watch(WhenFullyOut([&](HWND popup) {
            visited = true;
            // The window: a marked, borderless topmost tool window the size of its background.
            EXPECT_EQ(GetPropW(popup, L"NON_SKINABLE_2809%s!fgj"), reinterpret_cast<HANDLE>(1));
            const LONG exStyle = GetWindowLongW(popup, GWL_EXSTYLE);
            EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
            EXPECT_EQ(GetWindowLongW(popup, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
            RECT client = {};
            GetClientRect(popup, &client);
            EXPECT_EQ(client.right, 242);
            EXPECT_EQ(client.bottom, 274);

            // Not activated: the host keeps the foreground and the keyboard.
            EXPECT_EQ(GetForegroundWindow(), host.Get());
            EXPECT_EQ(GetActiveWindow(), host.Get());
            EXPECT_EQ(GetFocus(), host.Get());

            for (const StaticRow& row : c.statics)
            {
                SCOPED_TRACE(row.id);
                HWND control = GetDlgItem(popup, row.id);
                ASSERT_NE(control, nullptr);
                EXPECT_TRUE(IsWindowVisible(control));
                EXPECT_EQ(WindowText(control), row.text);
                const LOGFONTW font = FontOf(control);
                EXPECT_STREQ(font.lfFaceName, L"Arial");
                EXPECT_EQ(font.lfHeight, row.fontHeight);
                EXPECT_EQ(font.lfWeight, row.fontWeight);
                const StaticColouring colouring = ColouringOf(popup, control);
                EXPECT_EQ(colouring.textColour, row.colour);
                EXPECT_EQ(colouring.backgroundMode, TRANSPARENT);
                EXPECT_EQ(colouring.brush, GetStockObject(HOLLOW_BRUSH)) << "the background shows through";
            }
            const StaticColouring other = ColouringOf(popup, GetDlgItem(popup, c.uncoloured));
            EXPECT_EQ(other.textColour, kUntouchedColour);
            EXPECT_EQ(other.backgroundMode, TRANSPARENT);
            EXPECT_EQ(other.brush, GetStockObject(HOLLOW_BRUSH));

            for (const ButtonRow& row : c.buttons)
            {
                SCOPED_TRACE(row.id);
                HWND button = GetDlgItem(popup, row.id);
                EXPECT_TRUE(IsWindowVisible(button));
                EXPECT_EQ(WindowText(button), row.caption);
                EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & 0x0F, BS_OWNERDRAW) << "drawn as a skin button";
                EXPECT_EQ(GetPropW(button, L"NON_SKINABLE_2809%s!fgj"), reinterpret_cast<HANDLE>(1));
            }
            for (int id : c.hidden)
            {
                SCOPED_TRACE(id);
                HWND control = GetDlgItem(popup, id);
                EXPECT_NE(control, nullptr);
                EXPECT_FALSE(IsWindowVisible(control));
            }
            PostCommand(popup, 1382);
        }));
        DWORD choice = 0xDEAD;
        EXPECT_EQ((library.*c.show)(&choice), TRUE);
        EXPECT_TRUE(visited) << "the pop-up never came fully out";
        EXPECT_EQ(choice, 0u);
        EXPECT_EQ(GetFocus(), host.Get());
    }
}

// The answer of a button pressed during the slide-in counts, but the pop-up stays until its
// display time is over (here cut short by the display timer's own message).
TEST_F(ShutdownPopups, AButtonDuringTheSlideInCountsButThePopupStaysItsTime)
{
    struct Case
    {
        const PopupCase* popup;
        WORD button;
        DWORD expectedChoice;
    };
    const Case cases[] = {
        {&kShutdownWarning, 1381, 1},
        {&kShutdownAfterTasks, 1382, 0},
    };
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.popup->label);
        enum Stage { Sliding, Out, Stayed } stage = Sliding;
        bool pressedWhileSliding = false;
        bool stayed = false;
        ULONGLONG outAt = 0;
        PopupWatch watch([&](HWND popup) {
            switch (stage)
            {
            case Sliding:
                if (!popup)
                    return false;
                pressedWhileSliding = !IsFullyOut(popup);
                SendMessageW(popup, WM_COMMAND, MAKEWPARAM(c.button, 0), 0);
                stage = Out;
                return false;
            case Out:
                if (!IsFullyOut(popup))
                    return false;
                outAt = GetTickCount64();
                stage = Stayed;
                return false;
            case Stayed:
                if (GetTickCount64() - outAt < 500)
                    return false;
                stayed = IsWindow(popup) && IsFullyOut(popup);
                SendMessageW(popup, WM_TIMER, 259, 0);  // the display time is over
                return true;
            }
            return true;
        });
        DWORD choice = 0xDEAD;
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ((library.*c.popup->show)(&choice), TRUE);
        EXPECT_TRUE(pressedWhileSliding);
        EXPECT_TRUE(stayed) << "the button sent it away before its display time";
        EXPECT_EQ(choice, c.expectedChoice);
        EXPECT_LT(GetTickCount64() - start, 15000u);
    }
}

// The pop-up's loop does not end on the host's request to quit; the request reaches the host's
// own loop once the pop-up has gone.
TEST_F(ShutdownPopups, AQuitRequestWhileThePopupIsUpReachesTheHostAfterwards)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    for (const PopupCase* c : kPopups)
    {
        SCOPED_TRACE(c->label);
        bool quitPosted = false;
        PopupWatch watch([&](HWND popup) {
            if (!IsFullyOut(popup))
                return false;
            if (!quitPosted)
            {
                PostQuitMessage(42);  // the loop takes it before the next tick
                quitPosted = true;
                return false;
            }
            PostCommand(popup, 1381);
            return true;
        });
        DWORD choice = 0xDEAD;
        EXPECT_EQ((library.*c->show)(&choice), TRUE);
        EXPECT_TRUE(watch.Done());
        EXPECT_EQ(choice, 1u) << "answered by the button, not ended by the request";
        MSG message = {};
        ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(message.wParam, 42u);
    }
}

// Another window of the host on the calling thread, which destroys the pop-up when asked.
class DestroyingHostWindow
{
public:
    static constexpr UINT kDestroyPopup = WM_APP + 20;

    DestroyingHostWindow()
        : m_window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
        SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
    }
    ~DestroyingHostWindow() { DestroyWindow(m_window); }
    DestroyingHostWindow(const DestroyingHostWindow&) = delete;
    DestroyingHostWindow& operator=(const DestroyingHostWindow&) = delete;

    void AskToDestroy(HWND popup) { PostMessageW(m_window, kDestroyPopup, reinterpret_cast<WPARAM>(popup), 0); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kDestroyPopup)
        {
            DestroyWindow(reinterpret_cast<HWND>(wParam));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND m_window;
};

// A pop-up whose window another part of the host destroys, not its own slide-out: the call
// still ends. What the user answered before (a button, even while the pop-up slid in) or the
// display time's end is the answer; without either the call has none: it fails, writes a trace
// line and leaves the choice alone.
TEST_F(ShutdownPopups, DestroyedFromOutsideTheCallEndsAndReportsOnlyAnAnswerGiven)
{
    enum Before { NothingAnswered, AButtonWhileSlidingIn, TheDisplayTimesEnd };
    enum By { ATimer, AnotherHostWindow };
    struct Case
    {
        const char* label;
        const PopupCase* popup;
        Before before;
        WORD button;
        By by;
        BOOL expectedResult;
        DWORD expectedChoice;
        const wchar_t* traced;  // null: no trace line
    };
    constexpr DWORD kUntouched = 0xC0FFEE;
    const wchar_t* const kWarningTrace = L"ShowShutdownDialog - the pop-up went before it had an answer, no answer";
    const wchar_t* const kAfterTasksTrace =
        L"ShowShutdownAfterTaskCompletionDialog - the pop-up went before it had an answer, no answer";
    const Case cases[] = {
        {"warning, unanswered, by a timer", &kShutdownWarning, NothingAnswered, 0, ATimer, FALSE, kUntouched,
         kWarningTrace},
        {"warning, unanswered, by a host window", &kShutdownWarning, NothingAnswered, 0, AnotherHostWindow, FALSE,
         kUntouched, kWarningTrace},
        {"after tasks, unanswered, by a timer", &kShutdownAfterTasks, NothingAnswered, 0, ATimer, FALSE, kUntouched,
         kAfterTasksTrace},
        {"after tasks, unanswered, by a host window", &kShutdownAfterTasks, NothingAnswered, 0, AnotherHostWindow,
         FALSE, kUntouched, kAfterTasksTrace},
        {"warning, Cancel while sliding in", &kShutdownWarning, AButtonWhileSlidingIn, 1381, ATimer, TRUE, 1, nullptr},
        {"after tasks, Cancel while sliding in", &kShutdownAfterTasks, AButtonWhileSlidingIn, 1382, AnotherHostWindow,
         TRUE, 0, nullptr},
        {"warning, after its display time", &kShutdownWarning, TheDisplayTimesEnd, 0, AnotherHostWindow, TRUE, 0,
         nullptr},
        {"after tasks, after its display time", &kShutdownAfterTasks, TheDisplayTimesEnd, 0, ATimer, TRUE, 1,
         nullptr},
    };
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        testsupport::TraceCapture traces;
        DestroyingHostWindow host;
        HWND destroyed = nullptr;
        PopupWatch watch(WhenShown([&](HWND popup) {
            if (c.before == AButtonWhileSlidingIn)
                SendMessageW(popup, WM_COMMAND, MAKEWPARAM(c.button, 0), 0);
            if (c.before == TheDisplayTimesEnd)
            {
                DriveSlideIn(popup);
                SendMessageW(popup, WM_TIMER, 259, 0);  // the slide-out begins
                SendMessageW(popup, WM_TIMER, 258, 0);
            }
            destroyed = popup;
            if (c.by == ATimer)
                DestroyWindow(popup);  // this check runs in a thread timer of the host
            else
                host.AskToDestroy(popup);
        }));
        DWORD choice = kUntouched;
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ((library.*c.popup->show)(&choice), c.expectedResult);
        EXPECT_LT(GetTickCount64() - start, 10000u) << "the call ended with the window, not with its display time";
        EXPECT_TRUE(watch.Done());
        EXPECT_FALSE(IsWindow(destroyed));
        EXPECT_EQ(choice, c.expectedChoice);
        const auto messages = traces.Messages();
        if (c.traced)
        {
            EXPECT_NE(std::find(messages.begin(), messages.end(), std::wstring(c.traced)), messages.end());
        }
        else
        {
            EXPECT_EQ(std::find_if(messages.begin(), messages.end(),
                                   [](const std::wstring& m) { return m.find(L"no answer") != std::wstring::npos; }),
                      messages.end());
        }
    }
}

// Shown and answered again and again, the pop-ups leave no GDI object behind: no region of
// their slides either.
TEST_F(ShutdownPopups, LeaveNoGdiObjectBehind)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    auto cycle = [&](const PopupCase& c) {
        PopupWatch watch(WhenShown([](HWND popup) {
            DriveSlideIn(popup);
            AnswerAndDriveOut(popup, 1382);
        }));
        DWORD choice = 0xDEAD;
        (library.*c.show)(&choice);
        return watch.Done();
    };
    for (const PopupCase* c : kPopups)
    {
        SCOPED_TRACE(c->label);
        ASSERT_TRUE(cycle(*c));  // the first run makes what lasts (DCs, caches)
        const std::vector<int> before = testsupport::LiveGdiObjectsByKind();
        for (int run = 0; run < 20; ++run)
            ASSERT_TRUE(cycle(*c));
        EXPECT_EQ(testsupport::GdiObjectsChangedSince(before), "");
    }
}

} // namespace
