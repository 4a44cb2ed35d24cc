// The three pop-ups of the loaded library answered from the keyboard, with real key strokes: the
// hot key or a click brings a pop-up to the keyboard, Tab and Shift+Tab move between its buttons,
// Enter, Space and Escape answer; the keyboard then goes back to the host's window. Unasked, the
// pop-up never takes it.
#include "accessibility/AccessTestSupport.h"
#include "accessibility/PopupRuns.h"
#include "support/HostWindow.h"
#include "support/TraceCapture.h"

#include "Screenshot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

using namespace accesstest;
using popuptest::IsFullyOut;
using testsupport::HostWindow;


class PopupKeyboard : public EnglishPopupTest
{
};

// What a user does, one thing after the other: each step waits until ready(popup) holds, then
// does act(popup). A step that waits for more than five seconds ends the script; stuck names it.
struct Step
{
    const char* what;
    std::function<bool(HWND)> ready;
    std::function<void(HWND)> act;
};

struct Script
{
    std::vector<Step> steps;
    std::string stuck;
    std::shared_ptr<size_t> next = std::make_shared<size_t>(0);

    // Every step was taken.
    bool Finished() const { return *next >= steps.size(); }

    std::function<bool(HWND)> Runner()
    {
        auto since = std::make_shared<ULONGLONG>(GetTickCount64());
        return [this, since](HWND popup) {
            if (Finished())
                return true;
            const Step& step = steps[*next];
            if (popup && step.ready(popup))
            {
                step.act(popup);
                ++*next;
                *since = GetTickCount64();
                return Finished();
            }
            if (GetTickCount64() - *since < 5000)
                return false;
            stuck = step.what;
            if (popup)
                popuptest::PostCommand(popup, IDCANCEL);
            return true;
        };
    }
};

void Nothing(HWND)
{
}

std::function<bool(HWND)> FullyOut()
{
    return [](HWND popup) { return IsFullyOut(popup); };
}

// The pop-up is the active window and the button has the keyboard.
std::function<bool(HWND)> FocusOn(int id)
{
    return [id](HWND popup) {
        return GetForegroundWindow() == popup && GetActiveWindow() == popup && GetFocus() == GetDlgItem(popup, id);
    };
}

std::function<void(HWND)> Press(std::vector<WORD> keys)
{
    return [keys](HWND) { PressKeys(keys); };
}

void PressHotKey(HWND)
{
    PressPopupHotKey();
}

std::wstring ShotFolder()
{
    const wchar_t* folder = _wgetenv(L"XJN_SCREENSHOT_DIR");
    return folder ? folder : L"";
}

// The hot key, then Tab to each button in turn and back; Enter on the chosen one.
TEST_F(PopupKeyboard, TheHotKeyBringsThePopupToTheKeyboardWhereTabMovesAndEnterAnswers)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    for (const PopupKind* kind : kAllPopups)
        for (const AnswerButton& chosen : kind->buttons)
        {
            SCOPED_TRACE(kind->label);
            SCOPED_TRACE(chosen.id);
            HostWindow host;
            const int first = kind->buttons.front().id;
            const int second = kind->buttons.back().id;
            Script script;
            script.steps = {
                {"fully out", FullyOut(), PressHotKey},
                {"the hot key focuses the first button", FocusOn(first), Press({VK_TAB})},
                {"Tab moves to the second", FocusOn(second), Press({VK_TAB})},
                {"Tab wraps to the first", FocusOn(first), Press({VK_SHIFT, VK_TAB})},
                {"Shift+Tab moves back to the second", FocusOn(second), Press({VK_SHIFT, VK_TAB})},
                {"Shift+Tab wraps to the first", FocusOn(first),
                 chosen.id == first ? Press({VK_RETURN}) : Press({VK_TAB})},
            };
            if (chosen.id != first)
                script.steps.push_back({"Tab to the chosen one", FocusOn(chosen.id), Press({VK_RETURN})});
            const long answer = RunPopup(library, *kind, script.Runner());
            EXPECT_EQ(script.stuck, "");
            EXPECT_TRUE(script.Finished());
            EXPECT_EQ(answer, chosen.answer);
            EXPECT_TRUE(testsupport::PumpMessagesUntil([&] { return host.HasTheKeyboard(); }, 2000))
                << "the keyboard did not go back to the host's window";
        }
}

// Escape, and Alt+F4 (a request to close the window), give each pop-up's close answer, as
// IDCANCEL does. The keyboard goes back to the host's window at once, while the pop-up slides out.
TEST_F(PopupKeyboard, EscapeAndAltF4GiveEachPopupsCloseAnswerAndTheKeyboardGoesBackAtOnce)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    const std::vector<WORD> closeKeys[] = {{VK_ESCAPE}, {VK_MENU, VK_F4}};
    for (const PopupKind* kind : kAllPopups)
        for (const std::vector<WORD>& keys : closeKeys)
        {
            SCOPED_TRACE(kind->label);
            SCOPED_TRACE(keys.size());
            HostWindow host;
            Script script;
            script.steps = {
                {"fully out", FullyOut(), PressHotKey},
                {"the hot key focuses the first button", FocusOn(kind->buttons.front().id), Press(keys)},
            };
            if (kind->show)  // the logon-detect notice goes at once; the others slide out first
                script.steps.push_back(
                    {"the keyboard is back while the pop-up slides out", [&](HWND) { return host.HasTheKeyboard(); },
                     Nothing});
            EXPECT_EQ(RunPopup(library, *kind, script.Runner()), kind->closeAnswer);
            EXPECT_EQ(script.stuck, "");
            EXPECT_TRUE(script.Finished());
            EXPECT_TRUE(testsupport::PumpMessagesUntil([&] { return host.HasTheKeyboard(); }, 2000));
        }
}

// A click on the pop-up (not on a button) activates it as any window; the keyboard then answers
// it: Space presses the focused button, as on any button.
TEST_F(PopupKeyboard, AClickOnThePopupLetsTheKeyboardAnswerIt)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    for (const PopupKind* kind : kAllPopups)
    {
        SCOPED_TRACE(kind->label);
        HostWindow host;
        const AnswerButton& second = kind->buttons.back();
        Script script;
        script.steps = {
            {"fully out", FullyOut(),
             [](HWND popup) {
                 // The lower edge, below the buttons: the skin's background.
                 RECT frame = {};
                 GetWindowRect(popup, &frame);
                 ClickAt({(frame.left + frame.right) / 2, frame.bottom - 6});
             }},
            {"the click focuses the first button", FocusOn(kind->buttons.front().id), Press({VK_TAB})},
            {"Tab moves to the second", FocusOn(second.id), Press({VK_SPACE})},
        };
        EXPECT_EQ(RunPopup(library, *kind, script.Runner()), second.answer);
        EXPECT_EQ(script.stuck, "");
        EXPECT_TRUE(script.Finished());
        EXPECT_TRUE(testsupport::PumpMessagesUntil([&] { return host.HasTheKeyboard(); }, 2000));
    }
}

// The hot key belongs to a pop-up only while it is fully shown. When another program holds it,
// the pop-up says so in the trace log, offers no shortcut, and is answered as ever.
TEST_F(PopupKeyboard, TheHotKeyIsHeldOnlyWhileAPopupIsShownAndATakenOneDoesNoHarm)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    const int kOwnId = 7;
    HostWindow host;

    bool heldWhileShown = false;
    Script script;
    script.steps = {{"fully out", FullyOut(), [&](HWND popup) {
                         heldWhileShown = !RegisterHotKey(host.Get(), kOwnId, MOD_WIN | MOD_ALT, 'N') &&
                                          GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
                         popuptest::PostCommand(popup, 1382);
                     }}};
    EXPECT_EQ(RunPopup(library, kShutdownWarning, script.Runner()), 0);
    EXPECT_TRUE(heldWhileShown);

    // Gone with the pop-up: now the host can have it, and then the next pop-up cannot.
    ASSERT_TRUE(RegisterHotKey(host.Get(), kOwnId, MOD_WIN | MOD_ALT, 'N'));
    testsupport::TraceCapture traces;
    std::wstring shortcut = L"(not read)";
    Script taken;
    taken.steps = {{"fully out", FullyOut(), [&](HWND popup) {
                        ComRef<IAccessible> alert = AccessibleOf(popup);
                        if (alert)
                            shortcut = ShortcutOf(alert.Get());
                        popuptest::PostCommand(popup, 1381);
                    }}};
    EXPECT_EQ(RunPopup(library, kShutdownAfterTasks, taken.Runner()), 1);
    EXPECT_EQ(shortcut, L"");
    bool traced = false;
    for (const std::wstring& message : traces.Messages())
        traced = traced || message.find(L"the hot key Win+Alt+N is taken") != std::wstring::npos;
    EXPECT_TRUE(traced);
    EXPECT_TRUE(UnregisterHotKey(host.Get(), kOwnId));
}

// A picture of the pop-up as a keyboard user sees it: the first button focused, with its frame.
TEST_F(PopupKeyboard, TheFocusedButtonShowsItsFocusFrame)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    const GdiPlusSession gdiPlus;
    for (const PopupKind* kind : kAllPopups)
    {
        SCOPED_TRACE(kind->label);
        HostWindow host;
        const int first = kind->buttons.front().id;
        bool framed = false;
        Script script;
        script.steps = {
            {"fully out", FullyOut(), PressHotKey},
            {"the hot key focuses the first button", FocusOn(first), Nothing},
            {"painted", [](HWND popup) { return IsWindowVisible(popup) != FALSE; },
             [&](HWND popup) {
                 // The dotted frame two pixels inside the button: the button's own edge colour is
                 // broken by the pattern there, on the button's face where no text lies.
                 HWND button = GetDlgItem(popup, first);
                 RECT frame = {};
                 GetWindowRect(button, &frame);
                 ScopedBitmap shot(CaptureScreenArea(frame));
                 ScopedMemoryDC dc(nullptr);
                 ScopedSelection select(dc.Get(), shot.Get());
                 const int y = 2;
                 int changes = 0;
                 for (int x = 4; x < frame.right - frame.left - 4; ++x)
                     changes += GetPixel(dc.Get(), x, y) != GetPixel(dc.Get(), x + 1, y);
                 framed = changes > (frame.right - frame.left) / 2;
                 if (!ShotFolder().empty())
                 {
                     RECT whole = {};
                     GetWindowRect(popup, &whole);
                     ScopedBitmap picture(CaptureScreenArea(whole));
                     const std::wstring name(kind->label, kind->label + std::strlen(kind->label));
                     EXPECT_TRUE(SaveBitmapPng(picture.Get(), ShotFolder() + L"\\keyboard_" + name + L".png"));
                 }
                 PressKeys({VK_ESCAPE});
             }},
        };
        RunPopup(library, *kind, script.Runner());
        EXPECT_EQ(script.stuck, "");
        EXPECT_TRUE(script.Finished());
        EXPECT_TRUE(framed) << "no dotted focus frame along the button's top";
    }
}

} // namespace
