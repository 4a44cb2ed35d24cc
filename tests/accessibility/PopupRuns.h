// The three pop-ups of the loaded library, each run the same way by a test: shown on the calling
// thread, looked at and answered from inside the thread's message loop, their answer handed back.
#pragma once
#include "popups/PopupTestSupport.h"
#include "support/MessagePump.h"
#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace accesstest {

using popuptest::PopupWatch;
using popuptest::TrayExports;

// The pop-ups in the built-in English texts, whatever the machine running the tests has set.
class EnglishPopupTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(language.SetString(L"English")); }

    testsupport::RegistryValueOverride language{HKEY_CURRENT_USER, L"Software\\Orvanta\\Orvanta Utilities\\Language",
                                                L"default"};
};

// A button of a pop-up and the answer it gives.
struct AnswerButton
{
    int id;
    const wchar_t* caption;
    long answer;
};

struct PopupKind
{
    const char* label;
    // The blocking export, or null for the logon-detect notice.
    TrayExports::ChoiceCall TrayExports::*show;
    const wchar_t* title;
    const wchar_t* message;
    std::vector<AnswerButton> buttons;  // in their visual order, left to right
    long closeAnswer;                   // the answer of IDCANCEL (Escape)
    bool hasValue;                      // a countdown: the seconds left
};

inline const PopupKind kShutdownWarning = {
    "shutdown warning",
    &TrayExports::showShutdown,
    L"System shutdown",
    L"There are incomplete tasks in execution queue.\n"
    L"Shutdown will interrupt execution of these tasks that can cause to data loss. Cancel shutdown?",
    {{1381, L"Cancel", 1}, {1382, L"Shutdown", 0}},
    1,
    false,
};

inline const PopupKind kShutdownAfterTasks = {
    "shutdown after tasks",
    &TrayExports::showAfterTasks,
    L"System shutdown",
    L"Your system will shut down.",
    {{1381, L"Shutdown", 1}, {1382, L"Cancel", 0}},
    0,
    true,
};

inline const PopupKind kLogonDetect = {
    "logon detect",
    nullptr,
    L"Logon Detecting",
    L"Please wait when your system completely starts.\nPlease do not run any programs.",
    {{1381, L"Stop", 1}, {1382, L"Hide", 0}},
    0,
    false,
};

inline const PopupKind* const kAllPopups[] = {&kShutdownWarning, &kShutdownAfterTasks, &kLogonDetect};

// The logon-detect notice's answers, as its callback hears them.
inline std::vector<long>& LogonDetectAnswers()
{
    static std::vector<long> answers;
    return answers;
}

inline void WINAPI RecordLogonDetectAnswer(DWORD, DWORD choice)
{
    LogonDetectAnswers().push_back(static_cast<long>(choice));
}

// Shows the pop-up and runs step(popup) every 10 ms on its thread (popup null while there is none)
// until step returns true; then waits for the pop-up's answer. Returns the answer, or -1 when none
// came (the logon-detect notice is then removed).
inline long RunPopup(TrayExports& library, const PopupKind& kind, std::function<bool(HWND)> step)
{
    if (kind.show)
    {
        PopupWatch watch(std::move(step));
        DWORD choice = 0xDEAD;
        if (!(library.*kind.show)(&choice))
            return -1;
        return choice == 0xDEAD ? -1 : static_cast<long>(choice);
    }
    LogonDetectAnswers().clear();
    if (!library.showLogonDetect(&RecordLogonDetectAnswer, 0))
        return -1;
    testsupport::PumpMessagesUntil([&] { return step(xjnhost::FindMarkedWindow(GetCurrentThreadId())); }, 30000);
    testsupport::PumpMessagesUntil([] { return !LogonDetectAnswers().empty(); }, 5000);
    library.hideLogonDetect();
    return LogonDetectAnswers().empty() ? -1 : LogonDetectAnswers().front();
}

} // namespace accesstest
