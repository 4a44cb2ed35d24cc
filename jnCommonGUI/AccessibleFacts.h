#pragma once
// What a control tells a screen reader about itself (role, name, state, ...), decided from plain
// facts about its window, so that the decisions are tested without one.
#include "base/PortableTypes.h"

#include <string>

#ifdef _WIN32
#include <oleacc.h>
#else
// The accessibility values the decisions use, as the system's accessibility header has them.
constexpr LONG ROLE_SYSTEM_ALERT = 0x08;
constexpr LONG ROLE_SYSTEM_LINK = 0x1E;
constexpr LONG ROLE_SYSTEM_PUSHBUTTON = 0x2B;
constexpr LONG STATE_SYSTEM_UNAVAILABLE = 0x1;
constexpr LONG STATE_SYSTEM_FOCUSED = 0x4;
constexpr LONG STATE_SYSTEM_PRESSED = 0x8;
constexpr LONG STATE_SYSTEM_DEFAULT = 0x100;
constexpr LONG STATE_SYSTEM_TRAVERSED = 0x800000;
constexpr LONG STATE_SYSTEM_INVISIBLE = 0x8000;
constexpr LONG STATE_SYSTEM_FOCUSABLE = 0x100000;
constexpr LONG STATE_SYSTEM_LINKED = 0x400000;
#endif

// The names of the default actions, as the system's own buttons and links give them in English.
// There is no language text for them; screen readers say the role in the user's language.
inline constexpr wchar_t kPressAction[] = L"Press";
inline constexpr wchar_t kJumpAction[] = L"Jump";

// The answers of one accessible object about itself. An empty text means it has none.
struct AccessibleFacts
{
    LONG role = 0;
    std::wstring name;
    std::wstring description;
    std::wstring value;
    LONG state = 0;
    std::wstring defaultAction;
    std::wstring keyboardShortcut;
};

// What a window looks like to the user right now.
struct WindowConditions
{
    bool visible = true;
    bool enabled = true;
    bool focused = false;
};

// The states every window shows: it can take the focus, may have it, may be hidden or disabled.
LONG WindowState(const WindowConditions& window);

// A skin button: a push button named by its caption, pressed while held (or checked), the default
// button when the dialog made it so; its default action presses it.
struct ButtonConditions
{
    WindowConditions window;
    bool pressed = false;
    bool isDefault = false;
};
AccessibleFacts PushButtonFacts(const std::wstring& caption, const ButtonConditions& button);

// A hyperlink: named by its text, valued by its target, traversed once followed; its default action
// follows it.
struct LinkConditions
{
    WindowConditions window;
    bool visited = false;
};
AccessibleFacts LinkFacts(const std::wstring& text, const std::wstring& target, const LinkConditions& link);

// A notification pop-up: an alert named by its title, described by its message; a countdown gives its
// seconds as the value. The shortcut is the key that reaches it, when one is registered.
struct AlertTexts
{
    std::wstring title;
    std::wstring message;
    std::wstring value;
};
AccessibleFacts AlertFacts(const AlertTexts& texts, const std::wstring& shortcut, const WindowConditions& window);

// What a request to run the default action gets.
enum class DefaultActionAnswer
{
    Run,          // the action starts
    None,         // the object has no default action
    Unavailable,  // not now: the control is hidden or disabled, as no user could press it
};
DefaultActionAnswer AnswerDefaultAction(const AccessibleFacts& facts);

// Texts shown as separate lines, as one description (empty ones left out).
std::wstring JoinLines(const std::wstring& first, const std::wstring& second);
