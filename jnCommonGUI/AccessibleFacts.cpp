#include "jnCommonGUI/AccessibleFacts.h"

LONG WindowState(const WindowConditions& window)
{
    LONG state = STATE_SYSTEM_FOCUSABLE;
    if (!window.visible)
        state |= STATE_SYSTEM_INVISIBLE;
    if (!window.enabled)
        state |= STATE_SYSTEM_UNAVAILABLE;
    if (window.focused)
        state |= STATE_SYSTEM_FOCUSED;
    return state;
}

AccessibleFacts PushButtonFacts(const std::wstring& caption, const ButtonConditions& button)
{
    AccessibleFacts facts;
    facts.role = ROLE_SYSTEM_PUSHBUTTON;
    facts.name = caption;
    facts.state = WindowState(button.window);
    if (button.pressed)
        facts.state |= STATE_SYSTEM_PRESSED;
    if (button.isDefault)
        facts.state |= STATE_SYSTEM_DEFAULT;
    facts.defaultAction = kPressAction;
    return facts;
}

AccessibleFacts LinkFacts(const std::wstring& text, const std::wstring& target, const LinkConditions& link)
{
    AccessibleFacts facts;
    facts.role = ROLE_SYSTEM_LINK;
    facts.name = text.empty() ? target : text;
    facts.value = target;
    facts.state = WindowState(link.window) | STATE_SYSTEM_LINKED;
    if (link.visited)
        facts.state |= STATE_SYSTEM_TRAVERSED;
    facts.defaultAction = kJumpAction;
    return facts;
}

AccessibleFacts AlertFacts(const AlertTexts& texts, const std::wstring& shortcut, const WindowConditions& window)
{
    AccessibleFacts facts;
    facts.role = ROLE_SYSTEM_ALERT;
    facts.name = texts.title;
    facts.description = texts.message;
    facts.value = texts.value;
    facts.state = WindowState(window);
    facts.keyboardShortcut = shortcut;
    return facts;
}

DefaultActionAnswer AnswerDefaultAction(const AccessibleFacts& facts)
{
    if (facts.defaultAction.empty())
        return DefaultActionAnswer::None;
    if (facts.state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE))
        return DefaultActionAnswer::Unavailable;
    return DefaultActionAnswer::Run;
}

std::wstring JoinLines(const std::wstring& first, const std::wstring& second)
{
    if (first.empty())
        return second;
    if (second.empty())
        return first;
    return first + L"\n" + second;
}
