#pragma once
#include "jnCommonGUI/AccessibleServer.h"

#include <functional>

// The key that brings a shown pop-up to the keyboard: Win+Alt+N, registered for the pop-up's
// window only while it is fully shown. The id is the window's own; the name is what a screen
// reader reads as the pop-up's shortcut (the README documents the same key).
constexpr int kPopupHotKeyId = 0x584A;
constexpr UINT kPopupHotKeyModifiers = MOD_WIN | MOD_ALT | MOD_NOREPEAT;
constexpr UINT kPopupHotKey = 'N';
inline constexpr wchar_t kPopupHotKeyName[] = L"Win+Alt+N";

// What a notification pop-up does for people who use a screen reader or no mouse, without ever
// taking the keyboard unasked:
// - to a screen reader the pop-up is an alert (title as name, message as description, a
//   countdown's seconds as value), announced once per show when it is fully out; a changing
//   value is announced at most every five seconds;
// - the hot key or a click activates it; then Tab and Shift+Tab move between its two buttons
//   (the answer buttons, in their visual order) and the focused button answers Enter, Space and
//   Escape (CSkinButton). An answer gives the keyboard back to the window it came from.
class CPopupAccess : private CAccessibleSource
{
public:
    using Describe = std::function<AlertTexts()>;
    using Clock = std::function<DWORD()>;

    explicit CPopupAccess(Describe describe);
    CPopupAccess(const CPopupAccess&) = delete;
    CPopupAccess& operator=(const CPopupAccess&) = delete;

    // A message of the pop-up's window: true when answered here (result set).
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The pop-up is fully shown: its hot key, and the alert (once per show).
    void Announce(HWND window);
    // The pop-up's value changed.
    void AnnounceValueChange(HWND window);
    // The user answered: an activated pop-up hands the keyboard back.
    void ReturnKeyboard(HWND window);
    // The window is going: hot key, accessible object and announcements end with it.
    void Release(HWND window);

    // Where the time of announcements comes from (tests drive their own).
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    bool HasHotKey() const { return m_hotKey; }

private:
    AccessibleFacts DescribeAccessible() const override;
    void StartDefaultAction() override {}

    void Activate(HWND window);
    void RememberWhereFrom(HWND window);
    void FocusOnActivation(HWND window);
    void MoveFocus(HWND window, bool backwards);

    Describe m_describe;
    Clock m_clock;
    CAccessibleServer m_server{*this};
    HWND m_window = nullptr;
    HWND m_cameFrom = nullptr;
    HWND m_lastFocus = nullptr;
    bool m_announced = false;
    bool m_hotKey = false;
    DWORD m_lastAnnouncement = 0;
};
