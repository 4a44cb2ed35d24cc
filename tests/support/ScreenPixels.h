// What the screen shows, read back through the screen's own DC: what a person would see, not
// what a window would paint into a DC a test hands it.
#pragma once
#include <windows.h>

#include <vector>

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

// Waits until what was painted outside WM_PAINT (through GetDC) has reached the screen: Wine
// copies a window's pixels to the screen at the end of a paint, otherwise when the thread next
// looks at its queue after a pause. Nothing is taken from the queue.
inline void LetTheScreenCatchUp()
{
    Sleep(100);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

// A rectangle of a window's client area as the screen shows it, read in one go.
class ScreenPicture
{
public:
    ScreenPicture(HWND window, const RECT& clientArea)
        : m_area(clientArea), m_width(clientArea.right - clientArea.left)
    {
        const int height = clientArea.bottom - clientArea.top;
        m_pixels.resize(static_cast<size_t>(m_width) * height);
        POINT corner = {clientArea.left, clientArea.top};
        ClientToScreen(window, &corner);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, m_width, height);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, m_width, height, screen, corner.x, corner.y, SRCCOPY);
        SelectObject(memory, previous);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        GetDIBits(memory, bitmap, 0, height, m_pixels.data(), &info, DIB_RGB_COLORS);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    // The colour at a point of the window's client area inside the rectangle.
    COLORREF At(int x, int y) const
    {
        const DWORD p = m_pixels[static_cast<size_t>(y - m_area.top) * m_width + (x - m_area.left)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    RECT m_area;
    int m_width;
    std::vector<DWORD> m_pixels;
};

} // namespace testsupport
