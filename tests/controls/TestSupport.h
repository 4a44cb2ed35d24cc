#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "winframe/Owners.h"

namespace testing_controls {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A 32-bit top-down DIB section whose pixels the test reads and writes directly.
class Dib
{
public:
    Dib(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~Dib();
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    // Colour of a pixel as COLORREF (alpha dropped).
    COLORREF At(int x, int y) const;
    std::uint8_t AlphaAt(int x, int y) const;
    void Set(int x, int y, COLORREF colour, std::uint8_t alpha = 255);
    void Fill(COLORREF colour, std::uint8_t alpha = 255);
    // Lets the DIB be used as a source bitmap elsewhere (it cannot stay selected).
    HBITMAP Detach();

private:
    int m_width;
    int m_height;
    std::uint32_t* m_bits = nullptr;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// Colours of the five test frames (Normal, Hot, Pressed, Disabled, Focused).
extern const COLORREF kStateColours[5];
// The darker border drawn around each frame.
COLORREF EdgeColour(COLORREF face);

// A strip of frameCount frames of width by frameHeight, one below the other: each filled with
// its state colour, a darker border of 3 pixels and magenta corner pixels (three per corner).
// bitsPerPixel 32 or 24; the caller owns the bitmap.
HBITMAP MakeStrip(int width, int frameHeight, int frameCount, int bitsPerPixel = 32);

// A 32-bit icon of size by size: a transparent border of `border` pixels around a solid colour.
HICON MakeIcon(int size, int border, COLORREF colour);

// A modeless dialog (from an in-memory template) at a fixed screen place, recording the
// commands and notifications its children send. One serves the whole test program: under Wine
// without a window manager, hiding a shown top-level window takes two seconds.
class TestDialog
{
public:
    static TestDialog& Shared();
    TestDialog(const TestDialog&) = delete;
    TestDialog& operator=(const TestDialog&) = delete;

    // Destroys the children and forgets what they sent.
    void Clear();

    HWND Handle() const { return m_dialog; }
    HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width, int height,
                    int id);

    struct Notification
    {
        UINT_PTR id;
        UINT code;
    };
    std::vector<int> commands;          // WM_COMMAND ids (BN_CLICKED and the like)
    std::vector<Notification> notifies;  // WM_NOTIFY ids and codes
    HBRUSH staticBrush = nullptr;        // answer to WM_CTLCOLORSTATIC (null: default processing)

    int CountNotifies(UINT code) const;

private:
    TestDialog();
    ~TestDialog();
    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_dialog = nullptr;
};

// Dispatches the thread's waiting messages, a few rounds with short pauses.
void PumpMessages(int rounds = 3);

// Writes a batch file that leaves the marker file when it runs: a launch target that opens no
// browser. False when it cannot be written.
bool WriteMarkerScript(const std::wstring& script, const std::wstring& marker);

// Puts the real pointer over a client point of the window, then dispatches what that causes.
void PointAt(HWND window, int x, int y, int rounds = 2);

// The window's client area as it paints itself into a DIB (WM_PRINTCLIENT).
void PrintClient(HWND window, Dib& target);

// Writes a DIB to a PNG file (folders are created); false on failure.
bool SavePng(const Dib& image, const std::wstring& path);

} // namespace testing_controls
