#include "jnCommonGUI/Imaging.h"

#include "winframe/Owners.h"

HBITMAP IconToBitmap(HICON icon, COLORREF background)
{
    SIZE size{};
    if (!GetIconSize(icon, size))
        return nullptr;
    if (background == static_cast<COLORREF>(-1))
        background = RGB(220, 230, 250);
    const int side = size.cx;
    ScopedWindowDC screen(nullptr);
    ScopedMemoryDC memory(screen.Get());
    if (!screen || !memory)
        return nullptr;
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), side, side));
    if (!bitmap)
        return nullptr;
    {
        ScopedSelection select(memory.Get(), bitmap.Get());
        ScopedBrush fill(CreateSolidBrush(background));
        const RECT whole{0, 0, side, side};
        FillRect(memory.Get(), &whole, fill.Get());
        DrawIconEx(memory.Get(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    }
    return bitmap.Release();
}
