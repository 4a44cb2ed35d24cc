// What a screen reader does, in a test: it asks a window for its accessible object, reads it, and
// listens to the system's accessibility events. And what a keyboard user does: real key presses.
#pragma once
#include "winframe/Owners.h"

#include <oleacc.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace accesstest {

// The accessible object of a window's client area, as oleacc hands it to a client.
inline ComRef<IAccessible> AccessibleOf(HWND window)
{
    ComRef<IAccessible> object;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(object.Receive()));
    return object;
}

inline VARIANT Self()
{
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

// One text of the object about itself; what the call answered goes to *answer.
inline std::wstring TextOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, BSTR*),
                           HRESULT* answer = nullptr)
{
    BSTR text = nullptr;
    const HRESULT result = (object->*read)(Self(), &text);
    if (answer)
        *answer = result;
    std::wstring copy = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return copy;
}

inline std::wstring NameOf(IAccessible* object) { return TextOf(object, &IAccessible::get_accName); }
inline std::wstring DescriptionOf(IAccessible* object) { return TextOf(object, &IAccessible::get_accDescription); }
inline std::wstring ValueOf(IAccessible* object) { return TextOf(object, &IAccessible::get_accValue); }
inline std::wstring DefaultActionOf(IAccessible* object) { return TextOf(object, &IAccessible::get_accDefaultAction); }
inline std::wstring ShortcutOf(IAccessible* object) { return TextOf(object, &IAccessible::get_accKeyboardShortcut); }

// The role or state; -1 when the call failed.
inline LONG NumberOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, VARIANT*))
{
    VARIANT number;
    VariantInit(&number);
    if (FAILED((object->*read)(Self(), &number)) || number.vt != VT_I4)
        return -1;
    return number.lVal;
}

inline LONG RoleOf(IAccessible* object) { return NumberOf(object, &IAccessible::get_accRole); }
inline LONG StateOf(IAccessible* object) { return NumberOf(object, &IAccessible::get_accState); }

// Where the object says it is, in screen coordinates (all 0 when the call failed).
inline RECT LocationOf(IAccessible* object)
{
    long left = 0, top = 0, width = 0, height = 0;
    if (FAILED(object->accLocation(&left, &top, &width, &height, Self())))
        return {};
    return {left, top, left + width, top + height};
}

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// One system accessibility event as an out-of-context hook of this process hears it.
struct WinEventRecord
{
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};

// Listens to the events from first to last of this process, as a screen reader does, while the
// calling thread pumps its messages. onEvent runs for each, inside the hook.
class WinEventRecorder
{
public:
    WinEventRecorder(DWORD first, DWORD last, std::function<void(const WinEventRecord&)> onEvent = {})
        : m_onEvent(std::move(onEvent))
    {
        t_current = this;
        m_hook = SetWinEventHook(first, last, nullptr, &WinEventRecorder::OnEvent, GetCurrentProcessId(), 0,
                                 WINEVENT_OUTOFCONTEXT);
    }
    ~WinEventRecorder()
    {
        if (m_hook)
            UnhookWinEvent(m_hook);
        t_current = nullptr;
    }
    WinEventRecorder(const WinEventRecorder&) = delete;
    WinEventRecorder& operator=(const WinEventRecorder&) = delete;

    bool Hooked() const { return m_hook != nullptr; }
    const std::vector<WinEventRecord>& Events() const { return m_events; }
    int Count(DWORD event, HWND window) const
    {
        int count = 0;
        for (const WinEventRecord& record : m_events)
            count += record.event == event && record.window == window;
        return count;
    }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
    {
        WinEventRecorder* self = t_current;
        if (!self)
            return;
        self->m_events.push_back({event, window, object, child});
        if (self->m_onEvent)
            self->m_onEvent(self->m_events.back());
    }

    static inline thread_local WinEventRecorder* t_current = nullptr;
    std::function<void(const WinEventRecord&)> m_onEvent;
    HWINEVENTHOOK m_hook = nullptr;
    std::vector<WinEventRecord> m_events;
};

// Presses the keys one after the other and lets them go in the opposite order, as real key strokes
// (they reach whatever window has the keyboard).
inline void PressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys)
    {
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
    {
        INPUT up = {};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The pop-ups' hot key, as a user presses it.
inline void PressPopupHotKey()
{
    PressKeys({VK_LWIN, VK_MENU, 'N'});
}

// A real click of the left mouse button at a screen point.
inline void ClickAt(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

// The thread's COM apartment as the system reports it: "none", "STA", "MTA" or "implicit MTA".
inline std::string ApartmentOfThisThread()
{
    APTTYPE type = APTTYPE_CURRENT;
    APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
    if (FAILED(CoGetApartmentType(&type, &qualifier)))
        return "none";
    if (type == APTTYPE_STA || type == APTTYPE_MAINSTA)
        return "STA";
    if (type == APTTYPE_MTA)
        return qualifier == APTTYPEQUALIFIER_IMPLICIT_MTA ? "implicit MTA" : "MTA";
    return "other";
}

} // namespace accesstest
