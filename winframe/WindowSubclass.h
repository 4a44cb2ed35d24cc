#pragma once
#include "winframe/MessageMap.h"

// Takes over an existing window (a control a dialog template created): its messages reach
// ProcessWindowMessage first, and whatever that leaves goes to the window's own procedure.
// Another party may subclass the window after us and let go before or after us: when we let go
// under it, our link stays in its chain and passes everything on to the window's own procedure
// until it is on top again, then takes itself out. (The common controls' subclass chain does not
// do this under Wine 8: removing its last link under someone else's puts the control's procedure
// back over theirs and frees the chain; once they let go, the control answers nothing.)
class CWindowSubclass : public CMessageMap
{
public:
    CWindowSubclass() = default;
    virtual ~CWindowSubclass();
    CWindowSubclass(const CWindowSubclass&) = delete;
    CWindowSubclass& operator=(const CWindowSubclass&) = delete;

    bool SubclassWindow(HWND window);
    // Lets the window go: the object hears nothing more from it. Returns the window, or null when
    // nothing was subclassed.
    HWND UnsubclassWindow();

    HWND m_hWnd = nullptr;

protected:
    // The window's own procedure, for a handler that wants the standard behaviour too.
    LRESULT CallDefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs after the window's last message (WM_NCDESTROY); the object may delete itself here.
    virtual void OnFinalMessage(HWND window);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void UnlinkIfOnTop(HWND window);

    WNDPROC m_original = nullptr;
};
