#include "notifications/PopupAccess.h"

#include "notifications/PopupAccessRules.h"
#include "res/resource.h"

#include "Logvane.h"

#include <vector>

namespace {

const wchar_t kTraceSource[] = L".\\PopupAccess";

// The buttons Tab moves between, in their visual order (left to right): those a user can press.
std::vector<HWND> KeyboardButtons(HWND popup)
{
    std::vector<HWND> buttons;
    for (int id : {IDC_FIRST_BUTTON, IDC_SECOND_BUTTON})
    {
        HWND button = GetDlgItem(popup, id);
        if (button && IsWindowVisible(button) && IsWindowEnabled(button))
            buttons.push_back(button);
    }
    return buttons;
}

int IndexOf(const std::vector<HWND>& buttons, HWND window)
{
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i] == window)
            return static_cast<int>(i);
    return -1;
}

} // namespace

CPopupAccess::CPopupAccess(Describe describe) : m_describe(std::move(describe)), m_clock(&GetTickCount)
{
}

bool CPopupAccess::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    m_window = window;
    switch (message)
    {
    case WM_GETOBJECT:
        return m_server.Answer(window, wParam, lParam, result);
    case WM_HOTKEY:
        if (static_cast<int>(wParam) != kPopupHotKeyId)
            return false;
        Activate(window);
        result = 0;
        return true;
    case WM_MOUSEACTIVATE:
        RememberWhereFrom(window);
        return false;  // a click activates the pop-up as any window
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
        {
            const HWND focus = GetFocus();
            if (focus && GetParent(focus) == window)
                m_lastFocus = focus;
            return false;
        }
        FocusOnActivation(window);
        result = 0;
        return true;
    case WM_SETFOCUS:
        FocusOnActivation(window);
        result = 0;
        return true;
    case WM_NEXTDLGCTL:
        if (LOWORD(lParam))
            return false;  // a given control: the dialog manager's way
        MoveFocus(window, wParam != 0);
        result = 0;
        return true;
    default:
        return false;
    }
}

// The hot key: the pop-up comes to the keyboard, and remembers where the keyboard was.
void CPopupAccess::Activate(HWND window)
{
    RememberWhereFrom(window);
    SetForegroundWindow(window);
}

void CPopupAccess::RememberWhereFrom(HWND window)
{
    const HWND foreground = GetForegroundWindow();
    if (foreground && foreground != window)
        m_cameFrom = foreground;
}

// On activation the focus goes to a button: the one that had it last, or the first.
void CPopupAccess::FocusOnActivation(HWND window)
{
    const std::vector<HWND> buttons = KeyboardButtons(window);
    if (buttons.empty() || IndexOf(buttons, GetFocus()) >= 0)
        return;
    SetFocus(IndexOf(buttons, m_lastFocus) >= 0 ? m_lastFocus : buttons.front());
}

// Tab: the next (or previous) button from the focused one.
void CPopupAccess::MoveFocus(HWND window, bool backwards)
{
    const std::vector<HWND> buttons = KeyboardButtons(window);
    const int next = RingStep(IndexOf(buttons, GetFocus()), static_cast<int>(buttons.size()), backwards);
    if (next >= 0)
        SetFocus(buttons[static_cast<size_t>(next)]);
}

void CPopupAccess::Announce(HWND window)
{
    if (m_announced)
        return;
    m_announced = true;
    m_hotKey = RegisterHotKey(window, kPopupHotKeyId, kPopupHotKeyModifiers, kPopupHotKey) != FALSE;
    if (!m_hotKey)
        WriteTraceEx(TRACE_ERROR,
                     L"CPopupAccess::Announce - the hot key Win+Alt+N is taken; a click reaches the pop-up",
                     kTraceSource, __LINE__);
    m_lastAnnouncement = m_clock();
    NotifyWinEvent(EVENT_SYSTEM_ALERT, window, OBJID_CLIENT, CHILDID_SELF);
}

void CPopupAccess::AnnounceValueChange(HWND window)
{
    if (!m_announced)
        return;  // the alert, when it comes, tells the value anyway
    const DWORD now = m_clock();
    if (!ValueAnnouncementDue(m_lastAnnouncement, now))
        return;
    m_lastAnnouncement = now;
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void CPopupAccess::ReturnKeyboard(HWND window)
{
    const HWND cameFrom = m_cameFrom;
    m_cameFrom = nullptr;
    if (cameFrom && GetForegroundWindow() == window && IsWindow(cameFrom))
        SetForegroundWindow(cameFrom);
}

void CPopupAccess::Release(HWND window)
{
    if (m_hotKey)
        UnregisterHotKey(window, kPopupHotKeyId);
    m_hotKey = false;
    m_server.Disconnect();
    m_announced = false;
    m_window = nullptr;
    m_cameFrom = nullptr;
    m_lastFocus = nullptr;
}

AccessibleFacts CPopupAccess::DescribeAccessible() const
{
    return AlertFacts(m_describe(), m_hotKey ? kPopupHotKeyName : L"", WindowConditionsOf(m_window));
}
