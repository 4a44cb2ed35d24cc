#include "jnCommonGUI/Imaging.h"

#include "winframe/Owners.h"

namespace {

// The one-pixel checkerboard that makes the frame dotted: white where x + y is odd.
class FocusPattern
{
public:
    HBITMAP Get(HDC compatibleWith)
    {
        if (!m_bitmap)
            m_bitmap = Make(compatibleWith);
        return m_bitmap.Get();
    }

private:
    static ScopedBitmap Make(HDC compatibleWith)
    {
        ScopedBitmap bitmap(CreateCompatibleBitmap(compatibleWith, 8, 8));
        ScopedMemoryDC memory(compatibleWith);
        if (!bitmap || !memory)
            return ScopedBitmap();
        ScopedSelection select(memory.Get(), bitmap.Get());
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                SetPixel(memory.Get(), x, y, (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0));
        return bitmap;
    }

    ScopedBitmap m_bitmap;
};

// Made once on the UI thread, freed when the module goes.
FocusPattern g_focusPattern;

} // namespace

void DrawFocusFrame(HDC dc, const RECT& rect)
{
    HBITMAP pattern = g_focusPattern.Get(dc);
    if (!pattern)
        return;
    LOGBRUSH brush{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(pattern)};
    ScopedPen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 1, &brush, 0, nullptr));
    if (!pen)
        return;
    ScopedSelection select(dc, pen.Get());
    const int previousMix = SetROP2(dc, R2_XORPEN);
    MoveToEx(dc, rect.left, rect.top, nullptr);
    LineTo(dc, rect.right - 1, rect.top);
    LineTo(dc, rect.right - 1, rect.bottom - 1);
    LineTo(dc, rect.left, rect.bottom - 1);
    LineTo(dc, rect.left, rect.top);
    SetROP2(dc, previousMix);
}
