#include "jnCommonGUI/DibInfo.h"
#include "jnCommonGUI/GreyScale.h"
#include "jnCommonGUI/Imaging.h"

#include "winframe/Owners.h"

void DrawGreyedIcon(HDC dc, const RECT& rect, HICON icon)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    ScopedMemoryDC memory(dc);
    if (!memory)
        return;
    BITMAPINFO info = DibInfo(width, height, 32);
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width * height * 4);
    void* bits = nullptr;
    ScopedBitmap image(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!image || !bits)
        return;
    ScopedSelection select(memory.Get(), image.Get());
    DrawIconEx(memory.Get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    GdiFlush();
    GreyPixels(static_cast<std::uint32_t*>(bits), static_cast<std::size_t>(width) * height);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 0x60, AC_SRC_ALPHA};
    AlphaBlend(dc, rect.left, rect.top, width, height, memory.Get(), 0, 0, width, height, blend);
}
