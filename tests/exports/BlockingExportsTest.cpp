// ShowShutdownDialog and ShowShutdownAfterTaskCompletionDialog through the loaded library:
// answers, what goes through the pointer, the owning thread, and the unanswered display times.
#include "ExportsTestSupport.h"
#include "support/PopupAnswerer.h"
#include "support/TraceCapture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using testsupport::FindMarkedWindow;
using testsupport::PopupAnswerer;

struct Answer
{
    const char* label;
    UINT message;
    WPARAM wParam;
    DWORD expectedChoice;
};

class BlockingExports : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(library.Complete()); }

    // Calls the export while a second thread answers its pop-up; checks what every call must do.
    void ExpectAnswers(TrayLibrary::ChoiceCall show, const std::vector<Answer>& answers)
    {
        for (const Answer& answer : answers)
        {
            SCOPED_TRACE(answer.label);
            DWORD choice = 0xDEAD;
            PopupAnswerer answerer(GetCurrentThreadId(), answer.message, answer.wParam);
            EXPECT_EQ(show(&choice), TRUE);
            answerer.Wait();
            ASSERT_TRUE(answerer.Answered()) << "no pop-up appeared on the calling thread";
            EXPECT_EQ(choice, answer.expectedChoice);
            EXPECT_FALSE(IsWindow(answerer.Window())) << "the pop-up outlived the call";
            EXPECT_EQ(answerer.Mark(), reinterpret_cast<HANDLE>(1));
            EXPECT_TRUE(answerer.ExStyle() & WS_EX_TOPMOST);
            EXPECT_TRUE(answerer.ExStyle() & WS_EX_TOOLWINDOW);
        }
    }

    TrayLibrary library;
};

const WPARAM kCancel = PopupAnswerer::Command(IDCANCEL);

TEST_F(BlockingExports, ShutdownWarningAnswers)
{
    ExpectAnswers(library.showShutdown, {
                                            {"first button: cancel the shutdown", WM_COMMAND, PopupAnswerer::Command(1381), 1},
                                            {"second button: go on", WM_COMMAND, PopupAnswerer::Command(1382), 0},
                                            {"IDCANCEL", WM_COMMAND, kCancel, 1},
                                            {"close id 1095", WM_COMMAND, PopupAnswerer::Command(1095), 1},
                                            {"a request to close the window", WM_CLOSE, 0, 1},
                                            {"another id leaves the answer", WM_COMMAND, PopupAnswerer::Command(IDOK), 0},
                                        });
}

TEST_F(BlockingExports, ShutdownAfterTasksAnswers)
{
    ExpectAnswers(library.showAfterTasks, {
                                              {"first button: shut down", WM_COMMAND, PopupAnswerer::Command(1381), 1},
                                              {"second button: cancel", WM_COMMAND, PopupAnswerer::Command(1382), 0},
                                              {"IDCANCEL", WM_COMMAND, kCancel, 0},
                                              {"close id 1095", WM_COMMAND, PopupAnswerer::Command(1095), 0},
                                              {"a request to close the window", WM_CLOSE, 0, 0},
                                              {"another id leaves the answer", WM_COMMAND, PopupAnswerer::Command(IDOK), 1},
                                          });
}

TEST_F(BlockingExports, ANullPointerShowsNothingAndReturnsZero)
{
    for (TrayLibrary::ChoiceCall show : {library.showShutdown, library.showAfterTasks})
    {
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(show(nullptr), FALSE);
        EXPECT_LT(GetTickCount64() - start, 1000u);
        EXPECT_EQ(FindMarkedWindow(GetCurrentThreadId(), false), nullptr);
    }
}

// The calling thread's other windows keep working while the call blocks, and a request to quit
// that arrives meanwhile is still there for the host's own loop afterwards.
TEST_F(BlockingExports, TheCallingThreadKeepsServingItsWindows)
{
    HWND hostWindow = CreateWindowExW(0, L"STATIC", L"host window text", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
    ASSERT_NE(hostWindow, nullptr);
    const DWORD thread = GetCurrentThreadId();
    DWORD_PTR textLength = 0;
    LRESULT sent = 0;
    std::thread host([&] {
        while (!FindMarkedWindow(thread))
            Sleep(20);
        sent = SendMessageTimeoutW(hostWindow, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &textLength);
        PostThreadMessageW(thread, WM_QUIT, 7, 0);
    });
    PopupAnswerer answerer(thread, WM_COMMAND, PopupAnswerer::Command(1382));
    DWORD choice = 0xDEAD;
    EXPECT_EQ(library.showShutdown(&choice), TRUE);
    host.join();
    EXPECT_NE(sent, 0);
    EXPECT_EQ(textLength, 16u);
    MSG message{};
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
    DestroyWindow(hostWindow);
}

// While it exists no window can be made on this thread, as when the desktop heap is used up or
// there is no desktop to show a window on: the system's own creation path refuses.
class WindowCreationRefused
{
public:
    WindowCreationRefused() : m_hook(SetWindowsHookExW(WH_CBT, &Refuse, nullptr, GetCurrentThreadId())) {}
    ~WindowCreationRefused()
    {
        if (m_hook)
            UnhookWindowsHookEx(m_hook);
    }
    WindowCreationRefused(const WindowCreationRefused&) = delete;
    WindowCreationRefused& operator=(const WindowCreationRefused&) = delete;
    bool Active() const { return m_hook != nullptr; }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND)
            return 1;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK m_hook;
};

TEST_F(BlockingExports, WithoutAWindowTheyFailAndLeaveTheChoiceAlone)
{
    struct Case
    {
        const char* label;
        TrayLibrary::ChoiceCall show;
        const wchar_t* traced;
    };
    const Case cases[] = {
        {"shutdown warning", library.showShutdown,
         L"ShowShutdownDialog - the pop-up could not be shown, no answer"},
        {"shutdown after tasks", library.showAfterTasks,
         L"ShowShutdownAfterTaskCompletionDialog - the pop-up could not be shown, no answer"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        testsupport::TraceCapture traces;
        DWORD choice = 0xDEAD;
        BOOL shown = TRUE;
        {
            WindowCreationRefused refused;
            ASSERT_TRUE(refused.Active());
            shown = c.show(&choice);
        }
        EXPECT_EQ(shown, FALSE);
        EXPECT_EQ(choice, 0xDEADu) << "no answer was given, none may be written";
        EXPECT_EQ(FindMarkedWindow(GetCurrentThreadId(), false), nullptr);
        const auto messages = traces.Messages();
        EXPECT_NE(std::find(messages.begin(), messages.end(), std::wstring(c.traced)), messages.end());
    }
    // Once windows can be made again, the pop-up comes and answers as before.
    DWORD choice = 0xDEAD;
    PopupAnswerer answerer(GetCurrentThreadId(), WM_COMMAND, PopupAnswerer::Command(1382));
    EXPECT_EQ(library.showShutdown(&choice), TRUE);
    answerer.Wait();
    EXPECT_EQ(choice, 0u);
}

// Once each: nobody answers and the pop-up leaves after its display time.
TEST_F(BlockingExports, UnansweredTheyCloseAfterTheirDisplayTime)
{
    struct Case
    {
        const char* label;
        TrayLibrary::ChoiceCall show;
        ULONGLONG displayTime;
        DWORD expectedChoice;
    };
    const Case cases[] = {
        {"shutdown warning: go on", library.showShutdown, 30000, 0},
        {"shutdown after tasks: shut down", library.showAfterTasks, 29000, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        PopupAnswerer observer(GetCurrentThreadId(), WM_NULL, 0);  // only sees the pop-up come
        DWORD choice = 0xDEAD;
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(c.show(&choice), TRUE);
        const ULONGLONG elapsed = GetTickCount64() - start;
        observer.Wait();
        EXPECT_TRUE(observer.Answered());
        EXPECT_EQ(choice, c.expectedChoice);
        EXPECT_GE(elapsed + 50, c.displayTime);  // timer granularity
        EXPECT_LT(elapsed, c.displayTime + 15000);
        EXPECT_FALSE(IsWindow(observer.Window()));
    }
}

} // namespace
