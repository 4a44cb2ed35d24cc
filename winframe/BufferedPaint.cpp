#include "winframe/BufferedPaint.h"

#include "winframe/Owners.h"

namespace {
BufferBitmapMaker g_makeBitmap = &CreateCompatibleBitmap;
} // namespace

void SetBufferBitmapMaker(BufferBitmapMaker maker)
{
    g_makeBitmap = maker ? maker : &CreateCompatibleBitmap;
}

void PaintBuffered(HDC target, const RECT& area, const std::function<void(HDC)>& draw)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    ScopedMemoryDC buffer(target);
    ScopedBitmap image(buffer ? g_makeBitmap(target, width, height) : nullptr);
    if (!image)
    {
        ScopedDCState keepState(target);
        IntersectClipRect(target, area.left, area.top, area.right, area.bottom);
        draw(target);
        return;
    }
    ScopedSelection selected(buffer.Get(), image.Get());
    // The bitmap starts at the area's corner; drawing keeps the target's coordinates.
    SetWindowOrgEx(buffer.Get(), area.left, area.top, nullptr);
    draw(buffer.Get());
    BitBlt(target, area.left, area.top, width, height, buffer.Get(), area.left, area.top, SRCCOPY);
}
