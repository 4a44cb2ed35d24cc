// Real graph windows for the tests: a visible host window with a bordered child to take over,
// pictures of what the graph paints, and colour checks.
#pragma once
#include "monitor/UsageHistory.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace graphtest {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrid = RGB(0xF0, 0xF0, 0xF0);
constexpr COLORREF kCpu = RGB(0, 192, 192);
constexpr COLORREF kDisk = RGB(192, 64, 64);
// The child's size with its border; taken over, its client is this size: a plot of 300 x 100.
constexpr int kGraphWidth = 302, kGraphHeight = 102;

// A shown top-level window holding one bordered child control, the graph's window to be.
class GraphHost
{
public:
    GraphHost(int width = kGraphWidth, int height = kGraphHeight);
    ~GraphHost();
    GraphHost(const GraphHost&) = delete;
    GraphHost& operator=(const GraphHost&) = delete;

    HWND Child() const { return m_child; }
    HWND Top() const { return m_top; }

private:
    HWND m_top = nullptr;
    HWND m_child = nullptr;
};

// A 32-bit top-down picture of a window's client area.
class Picture
{
public:
    Picture(int width, int height);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // How many pixels inside area (clipped to the picture) pass the test.
    int Count(const RECT& area, const std::function<bool(COLORREF)>& test) const;

private:
    int m_width, m_height;
    std::uint32_t* m_bits = nullptr;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// What the graph paints now, through its WM_PAINT into a given DC (its own off-screen path).
void PaintInto(HWND graph, Picture& picture);
// What the screen shows of the graph's client area.
void ReadScreen(HWND graph, Picture& picture);

// Near a colour: each channel within tolerance.
bool Near(COLORREF a, COLORREF b, int tolerance = 24);
// A shade of grey darker than the grid: the shadow over the white plot.
bool IsShadow(COLORREF c);

} // namespace graphtest
