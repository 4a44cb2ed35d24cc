// The blocking exports of the library loaded by name, and what a test reads off a pop-up.
#pragma once
#include "popups/PopupWatch.h"
#include "LibraryExport.h"
#include "XJNTrayNotifications.h"

#include <windows.h>

#include <string>

namespace popuptest {

// XJNTrayNotifications.dll loaded for the object's lifetime and unloaded afterwards, so that the
// next load reads its language settings again.
struct TrayExports
{
    typedef BOOL(WINAPI* ChoiceCall)(DWORD*);
    typedef BOOL(WINAPI* ShowLogonDetectCall)(XJNLogonDetectCallback, DWORD);
    typedef void(WINAPI* HideLogonDetectCall)();

    TrayExports() : module(LoadLibraryW(L"XJNTrayNotifications.dll"))
    {
        showShutdown = xjnhost::LibraryExport<ChoiceCall>(module, "ShowShutdownDialog");
        showAfterTasks = xjnhost::LibraryExport<ChoiceCall>(module, "ShowShutdownAfterTaskCompletionDialog");
        showLogonDetect = xjnhost::LibraryExport<ShowLogonDetectCall>(module, "ShowLogonDetectDialog");
        hideLogonDetect = xjnhost::LibraryExport<HideLogonDetectCall>(module, "HideLogonDetectDialog");
    }
    ~TrayExports()
    {
        if (hideLogonDetect)
            hideLogonDetect();  // the notice pins the library: no unload while it is up
        if (module)
            FreeLibrary(module);
    }
    TrayExports(const TrayExports&) = delete;
    TrayExports& operator=(const TrayExports&) = delete;

    bool Complete() const { return module && showShutdown && showAfterTasks && showLogonDetect && hideLogonDetect; }

    HMODULE module;
    ChoiceCall showShutdown = nullptr;
    ChoiceCall showAfterTasks = nullptr;
    ShowLogonDetectCall showLogonDetect = nullptr;
    HideLogonDetectCall hideLogonDetect = nullptr;
};

inline std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

inline LOGFONTW FontOf(HWND control)
{
    LOGFONTW font = {};
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (handle)
        GetObjectW(handle, sizeof(font), &font);
    return font;
}

// What the pop-up's WM_CTLCOLORSTATIC answer does to a DC for one of its controls.
struct StaticColouring
{
    COLORREF textColour;
    int backgroundMode;
    HBRUSH brush;
};

// The colour the DC holds before the pop-up is asked: a control the pop-up does not colour keeps it.
constexpr COLORREF kUntouchedColour = RGB(1, 2, 3);

inline StaticColouring ColouringOf(HWND popup, HWND control)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, kUntouchedColour);
    SetBkMode(dc, OPAQUE);
    StaticColouring colouring = {};
    colouring.brush = reinterpret_cast<HBRUSH>(
        SendMessageW(popup, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    colouring.textColour = GetTextColor(dc);
    colouring.backgroundMode = GetBkMode(dc);
    DeleteDC(dc);
    return colouring;
}

// The slide driven by hand with the pop-up's own timer messages, for tests that must not wait.
inline void DriveSlideIn(HWND popup)
{
    for (int tick = 0; tick < 100 && IsWindow(popup) && !IsFullyOut(popup); ++tick)
        SendMessageW(popup, WM_TIMER, 257, 0);
}

// Answers with the command and drives the slide-out until the window is gone.
inline void AnswerAndDriveOut(HWND popup, WORD id)
{
    SendMessageW(popup, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    for (int tick = 0; tick < 100 && IsWindow(popup); ++tick)
        SendMessageW(popup, WM_TIMER, 258, 0);
}

} // namespace popuptest
