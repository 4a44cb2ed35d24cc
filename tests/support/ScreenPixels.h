// What the screen shows, read back through the screen's own DC: what a person would see, not
// what a window would paint into a DC a test hands it.
#pragma once
#include <windows.h>

namespace testsupport {

// The screen's colour at a point in screen coordinates.
inline COLORREF ScreenPixel(POINT at)
{
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// The screen's colour at a point of a window's client area.
inline COLORREF ScreenPixelOf(HWND window, POINT clientPoint)
{
    ClientToScreen(window, &clientPoint);
    return ScreenPixel(clientPoint);
}

// Covers a window's client area on the screen with one colour, without the window's help, so a
// test can tell whether the window's own paint covers it again.
inline void CoverOnScreen(HWND window, COLORREF colour)
{
    RECT client = {};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

// Repaints a window at once through its WM_PAINT (BeginPaint), as the system would.
inline void RepaintNow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

} // namespace testsupport
