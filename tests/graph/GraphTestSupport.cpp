#include "GraphTestSupport.h"

#include "support/MessagePump.h"

#include <algorithm>
#include <cstdlib>

namespace graphtest {

GraphHost::GraphHost(int width, int height)
{
    m_top = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, width + 20,
                            height + 20, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    m_child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, width, height, m_top,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1014)), GetModuleHandleW(nullptr),
                              nullptr);
    testsupport::DispatchWaitingMessages();
}

GraphHost::~GraphHost()
{
    if (IsWindow(m_top))
        DestroyWindow(m_top);
    testsupport::DispatchWaitingMessages();
}

Picture::Picture(int width, int height) : m_width(width), m_height(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<std::uint32_t*>(bits);
    m_dc = CreateCompatibleDC(nullptr);
    m_previous = SelectObject(m_dc, m_bitmap);
}

Picture::~Picture()
{
    SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
    DeleteObject(m_bitmap);
}

COLORREF Picture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    GdiFlush();
    const std::uint32_t p = m_bits[y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Picture::Count(const RECT& area, const std::function<bool(COLORREF)>& test) const
{
    int count = 0;
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, m_height); ++y)
        for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, m_width); ++x)
            count += test(At(x, y));
    return count;
}

void PaintInto(HWND graph, Picture& picture)
{
    SendMessageW(graph, WM_PAINT, reinterpret_cast<WPARAM>(picture.Dc()), 0);
}

void ReadScreen(HWND graph, Picture& picture)
{
    UpdateWindow(graph);
    HDC dc = GetDC(graph);
    BitBlt(picture.Dc(), 0, 0, picture.Width(), picture.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(graph, dc);
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

bool IsShadow(COLORREF c)
{
    return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) < 0xF0 && GetRValue(c) > 0xC0;
}

} // namespace graphtest
