// Pictures of what the screen shows, saved as PNG files: the sample host's screenshots and the
// pictures the tests leave for people to look at.
#pragma once
#include <windows.h>

#include <string>

// GDI+ started for the object's lifetime; PNG saving needs it.
class GdiPlusSession
{
public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;

    bool Started() const { return m_token != 0; }

private:
    ULONG_PTR m_token = 0;
};

// A new bitmap (the caller deletes it) of what the screen shows in area; null on failure.
HBITMAP CaptureScreenArea(const RECT& area);

// Writes the bitmap to a PNG file (GDI+ must be started); false on failure.
bool SaveBitmapPng(HBITMAP bitmap, const std::wstring& path);

// Saves what the screen shows of the window as a PNG file (GDI+ must be started).
bool SaveWindowPng(HWND window, const std::wstring& path);
