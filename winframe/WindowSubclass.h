#pragma once
#include "winframe/MessageMap.h"

// Takes over an existing window (a control a dialog template created): its messages reach
// ProcessWindowMessage first, and whatever that leaves goes to the window's own procedure.
class CWindowSubclass : public CMessageMap
{
public:
    CWindowSubclass() = default;
    virtual ~CWindowSubclass();
    CWindowSubclass(const CWindowSubclass&) = delete;
    CWindowSubclass& operator=(const CWindowSubclass&) = delete;

    bool SubclassWindow(HWND window);
    // Gives the window its own procedure back; null when nothing was subclassed.
    HWND UnsubclassWindow();

    HWND m_hWnd = nullptr;

protected:
    // The window's own procedure, for a handler that wants the standard behaviour too.
    LRESULT CallDefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual WNDPROC GetWindowProc();
    // Runs after the window's last message (WM_NCDESTROY); the object may delete itself here.
    virtual void OnFinalMessage(HWND window);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_original = nullptr;
};
