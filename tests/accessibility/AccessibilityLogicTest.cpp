// The decisions behind the accessible objects, the dialog keys and the announcements, on plain
// data (also built natively, under the sanitizers).
#include "jnCommonGUI/AccessibleFacts.h"
#include "jnCommonGUI/DialogKeys.h"
#include "notifications/PopupAccessRules.h"

#include <gtest/gtest.h>

namespace {

TEST(AccessibleFacts, AWindowIsFocusableAndSaysWhenItIsHiddenDisabledOrFocused)
{
    const struct
    {
        WindowConditions window;
        LONG state;
    } cases[] = {
        {{true, true, false}, STATE_SYSTEM_FOCUSABLE},
        {{true, true, true}, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED},
        {{false, true, false}, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE},
        {{true, false, false}, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE},
        {{false, false, true}, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE |
                                   STATE_SYSTEM_FOCUSED},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowState(c.window), c.state);
}

TEST(AccessibleFacts, APushButtonIsNamedByItsCaptionAndPressedWhileHeld)
{
    ButtonConditions button;
    AccessibleFacts facts = PushButtonFacts(L"Cancel", button);
    EXPECT_EQ(facts.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(facts.name, L"Cancel");
    EXPECT_EQ(facts.state, STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(facts.defaultAction, L"Press");
    EXPECT_EQ(facts.description, L"");
    EXPECT_EQ(facts.value, L"");

    button.pressed = true;
    button.isDefault = true;
    button.window.focused = true;
    EXPECT_EQ(PushButtonFacts(L"Cancel", button).state,
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PRESSED | STATE_SYSTEM_DEFAULT);
}

TEST(AccessibleFacts, ALinkIsNamedByItsTextOrTargetAndTraversedOnceFollowed)
{
    LinkConditions link;
    AccessibleFacts facts = LinkFacts(L"More", L"https://example.invalid", link);
    EXPECT_EQ(facts.role, ROLE_SYSTEM_LINK);
    EXPECT_EQ(facts.name, L"More");
    EXPECT_EQ(facts.value, L"https://example.invalid");
    EXPECT_EQ(facts.state, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED);
    EXPECT_EQ(facts.defaultAction, L"Jump");
    link.visited = true;
    EXPECT_EQ(LinkFacts(L"", L"https://example.invalid", link).name, L"https://example.invalid");
    EXPECT_EQ(LinkFacts(L"", L"https://example.invalid", link).state,
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED | STATE_SYSTEM_TRAVERSED);
}

TEST(AccessibleFacts, APopupIsAnAlertWithoutADefaultAction)
{
    const AccessibleFacts facts =
        AlertFacts({L"System shutdown", L"Your system will shut down.", L"29"}, L"Win+Alt+N", {});
    EXPECT_EQ(facts.role, ROLE_SYSTEM_ALERT);
    EXPECT_EQ(facts.name, L"System shutdown");
    EXPECT_EQ(facts.description, L"Your system will shut down.");
    EXPECT_EQ(facts.value, L"29");
    EXPECT_EQ(facts.keyboardShortcut, L"Win+Alt+N");
    EXPECT_EQ(facts.defaultAction, L"");
    EXPECT_EQ(AnswerDefaultAction(facts), DefaultActionAnswer::None);
}

TEST(AccessibleFacts, TheDefaultActionRunsOnlyWhereAUserCouldPressIt)
{
    const struct
    {
        WindowConditions window;
        DefaultActionAnswer answer;
    } cases[] = {
        {{true, true, false}, DefaultActionAnswer::Run},
        {{true, true, true}, DefaultActionAnswer::Run},
        {{false, true, false}, DefaultActionAnswer::Unavailable},
        {{true, false, false}, DefaultActionAnswer::Unavailable},
    };
    for (const auto& c : cases)
    {
        ButtonConditions button;
        button.window = c.window;
        EXPECT_EQ(AnswerDefaultAction(PushButtonFacts(L"OK", button)), c.answer);
        LinkConditions link;
        link.window = c.window;
        EXPECT_EQ(AnswerDefaultAction(LinkFacts(L"More", L"", link)), c.answer);
    }
}

TEST(AccessibleFacts, TwoTextsMakeOneDescriptionLineByLine)
{
    EXPECT_EQ(JoinLines(L"Warning.", L"Explanation."), L"Warning.\nExplanation.");
    EXPECT_EQ(JoinLines(L"", L"Explanation."), L"Explanation.");
    EXPECT_EQ(JoinLines(L"Warning.", L""), L"Warning.");
    EXPECT_EQ(JoinLines(L"", L""), L"");
}

TEST(DialogKeys, TabMovesEnterPressesEscapeCancelsAndAHeldKeyAnswersOnce)
{
    const struct
    {
        UINT key;
        bool shift;
        bool repeated;
        DialogKey meaning;
    } cases[] = {
        {VK_TAB, false, false, DialogKey::Next},
        {VK_TAB, true, false, DialogKey::Previous},
        {VK_TAB, false, true, DialogKey::Next},  // a held Tab goes on moving, as in any dialog
        {VK_RETURN, false, false, DialogKey::Press},
        {VK_RETURN, true, false, DialogKey::Press},
        {VK_RETURN, false, true, DialogKey::None},
        {VK_ESCAPE, false, false, DialogKey::Cancel},
        {VK_ESCAPE, false, true, DialogKey::None},
        {0x20, false, false, DialogKey::None},  // Space: the button's own press
        {'A', false, false, DialogKey::None},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ClassifyDialogKey(c.key, c.shift, c.repeated), c.meaning);
    }
}

TEST(PopupAnnouncements, AValueChangeIsToldAtMostEveryFiveSeconds)
{
    const struct
    {
        DWORD last;
        DWORD now;
        bool due;
    } cases[] = {
        {1000, 1000, false},
        {1000, 5999, false},
        {1000, 6000, true},
        {1000, 60000, true},
        {0xFFFFF000, 0xFFFFFFFF, false},
        {0xFFFFF000, 0x00000387, false},  // 4999 ms across the wrap of the tick count
        {0xFFFFF000, 0x00000388, true},   // 5000 ms across it
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.now);
        EXPECT_EQ(ValueAnnouncementDue(c.last, c.now), c.due);
    }
}

TEST(PopupAnnouncements, TabGoesRoundTheButtonsInTheirOrder)
{
    const struct
    {
        int current;
        int count;
        bool backwards;
        int next;
    } cases[] = {
        {-1, 2, false, 0},  // from outside: the first
        {-1, 2, true, 1},   // backwards from outside: the last
        {0, 2, false, 1},
        {1, 2, false, 0},   // round again
        {0, 2, true, 1},
        {1, 2, true, 0},
        {0, 1, false, 0},   // one button keeps it
        {-1, 0, false, -1}, // none to go to
        {5, 2, false, 0},   // a stale index counts as outside
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.current);
        SCOPED_TRACE(c.count);
        EXPECT_EQ(RingStep(c.current, c.count, c.backwards), c.next);
    }
}

} // namespace
