// The three pop-ups of the loaded library as a screen reader meets them: the alert event once per
// show, the pop-up read as an alert, its buttons and link read and pressed through their
// accessible objects; and through all of it the host's window keeps the keyboard.
#include "accessibility/AccessTestSupport.h"
#include "accessibility/PopupRuns.h"
#include "support/HostWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace accesstest;
using popuptest::IsFullyOut;
using testsupport::HostWindow;


class PopupScreenReader : public EnglishPopupTest
{
};

// A step for RunPopup: waits until the pop-up is fully out and then for settle more milliseconds,
// then runs visit(popup) once; visit answers the pop-up.
std::function<bool(HWND)> OnceSettled(std::function<void(HWND)> visit, DWORD settle = 300)
{
    auto outSince = std::make_shared<ULONGLONG>(0);
    return [visit, settle, outSince](HWND popup) {
        if (!IsFullyOut(popup))
            return false;
        if (!*outSince)
            *outSince = GetTickCount64();
        if (GetTickCount64() - *outSince < settle)
            return false;
        visit(popup);
        return true;
    };
}

TEST_F(PopupScreenReader, EachPopupIsAnnouncedOncePerShowAsAnAlertAndReadWithoutTakingTheKeyboard)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    for (int show = 0; show < 2; ++show)
        for (const PopupKind* kind : kAllPopups)
        {
            SCOPED_TRACE(kind->label);
            SCOPED_TRACE(show);
            HostWindow host;
            ASSERT_TRUE(host.HasTheKeyboard());
            HWND shown = nullptr;
            bool outAtAlert = false;
            LONG roleFromEvent = -1;
            std::wstring nameFromEvent;
            WinEventRecorder alerts(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, [&](const WinEventRecord& record) {
                outAtAlert = IsFullyOut(record.window);
                // What a screen reader asks for when it hears the alert.
                ComRef<IAccessible> object;
                VARIANT child;
                VariantInit(&child);
                if (SUCCEEDED(AccessibleObjectFromEvent(record.window, record.object, record.child, object.Receive(),
                                                        &child)))
                {
                    EXPECT_EQ(child.vt, VT_I4);
                    EXPECT_EQ(child.lVal, CHILDID_SELF);
                    roleFromEvent = RoleOf(object.Get());
                    nameFromEvent = NameOf(object.Get());
                }
            });
            ASSERT_TRUE(alerts.Hooked());

            const long answer = RunPopup(library, *kind, OnceSettled([&](HWND popup) {
                shown = popup;
                EXPECT_TRUE(host.HasTheKeyboard()) << "the alert took the keyboard";

                ComRef<IAccessible> alert = AccessibleOf(popup);
                ASSERT_TRUE(alert);
                EXPECT_EQ(RoleOf(alert.Get()), ROLE_SYSTEM_ALERT);
                EXPECT_EQ(NameOf(alert.Get()), kind->title);
                EXPECT_EQ(DescriptionOf(alert.Get()), kind->message);
                EXPECT_EQ(ShortcutOf(alert.Get()), L"Win+Alt+N");
                EXPECT_EQ(StateOf(alert.Get()), STATE_SYSTEM_FOCUSABLE);
                HRESULT noAction = S_OK;
                EXPECT_EQ(TextOf(alert.Get(), &IAccessible::get_accDefaultAction, &noAction), L"");
                EXPECT_EQ(noAction, S_FALSE);
                EXPECT_EQ(alert->accDoDefaultAction(Self()), DISP_E_MEMBERNOTFOUND);
                if (kind->hasValue)
                {
                    const std::wstring seconds = ValueOf(alert.Get());
                    EXPECT_TRUE(seconds == L"29" || seconds == L"28") << "the seconds left: " << seconds.c_str();
                }
                else
                    EXPECT_EQ(ValueOf(alert.Get()), L"");

                // Where it is and what lies in it come from the window.
                RECT client = {};
                GetClientRect(popup, &client);
                MapWindowPoints(popup, nullptr, reinterpret_cast<POINT*>(&client), 2);
                EXPECT_TRUE(LocationOf(alert.Get()) == client);
                long children = 0;
                EXPECT_EQ(alert->get_accChildCount(&children), S_OK);
                EXPECT_GE(children, static_cast<long>(kind->buttons.size()));

                for (const AnswerButton& row : kind->buttons)
                {
                    SCOPED_TRACE(row.id);
                    ComRef<IAccessible> button = AccessibleOf(GetDlgItem(popup, row.id));
                    ASSERT_TRUE(button);
                    EXPECT_EQ(RoleOf(button.Get()), ROLE_SYSTEM_PUSHBUTTON);
                    EXPECT_EQ(NameOf(button.Get()), row.caption);
                    EXPECT_EQ(StateOf(button.Get()), STATE_SYSTEM_FOCUSABLE);
                    EXPECT_EQ(DefaultActionOf(button.Get()), L"Press");
                }
                // The hidden close button is there but no user can press it: neither can a screen reader.
                if (HWND close = GetDlgItem(popup, 1095))
                {
                    ComRef<IAccessible> button = AccessibleOf(close);
                    ASSERT_TRUE(button);
                    EXPECT_EQ(RoleOf(button.Get()), ROLE_SYSTEM_PUSHBUTTON);
                    EXPECT_EQ(StateOf(button.Get()), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE);
                    EXPECT_EQ(button->accDoDefaultAction(Self()), E_FAIL);
                }
                // The information link of the shutdown warning: a link, hidden as the template has it.
                if (HWND info = GetDlgItem(popup, 1347))
                {
                    ComRef<IAccessible> link = AccessibleOf(info);
                    ASSERT_TRUE(link);
                    EXPECT_EQ(RoleOf(link.Get()), ROLE_SYSTEM_LINK);
                    EXPECT_EQ(NameOf(link.Get()), L"Click here for more information");
                    EXPECT_EQ(StateOf(link.Get()),
                              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_LINKED);
                    EXPECT_EQ(DefaultActionOf(link.Get()), L"Jump");
                    EXPECT_EQ(link->accDoDefaultAction(Self()), E_FAIL);
                }
                EXPECT_TRUE(host.HasTheKeyboard()) << "reading the pop-up took the keyboard";
                EXPECT_EQ(alerts.Count(EVENT_SYSTEM_ALERT, popup), 1);
                popuptest::PostCommand(popup, static_cast<WORD>(kind->buttons.back().id));
            }));
            EXPECT_EQ(answer, kind->buttons.back().answer) << "the hidden controls' refusals gave no answer";
            ASSERT_NE(shown, nullptr) << "the pop-up never came fully out";
            EXPECT_EQ(alerts.Count(EVENT_SYSTEM_ALERT, shown), 1) << "one alert per show, no more";
            EXPECT_TRUE(outAtAlert) << "the alert came before the pop-up was fully out";
            EXPECT_EQ(roleFromEvent, ROLE_SYSTEM_ALERT);
            EXPECT_EQ(nameFromEvent, kind->title);
            EXPECT_TRUE(host.HasTheKeyboard());
        }
}

// accDoDefaultAction on a button answers the pop-up as a click on it: the same WM_COMMAND, run
// after the call has returned. Neither moves the keyboard.
TEST_F(PopupScreenReader, TheDefaultActionOfEachButtonGivesTheAnswerOfAClick)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    for (const PopupKind* kind : kAllPopups)
        for (const AnswerButton& row : kind->buttons)
        {
            SCOPED_TRACE(kind->label);
            SCOPED_TRACE(row.id);
            HostWindow host;
            bool stillThere = false;
            const long answer = RunPopup(library, *kind, OnceSettled([&](HWND popup) {
                ComRef<IAccessible> button = AccessibleOf(GetDlgItem(popup, row.id));
                ASSERT_TRUE(button);
                EXPECT_EQ(button->accDoDefaultAction(Self()), S_OK);
                stillThere = IsWindow(popup) && IsFullyOut(popup);
                EXPECT_TRUE(host.HasTheKeyboard());
            }, 0));
            EXPECT_TRUE(stillThere) << "the action ran inside the screen reader's call";
            EXPECT_EQ(answer, row.answer);
            EXPECT_TRUE(host.HasTheKeyboard());
        }
}

} // namespace
