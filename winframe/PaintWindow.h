#pragma once
#include "winframe/Owners.h"

// Paints a window for WM_PAINT: into the DC the message brings when it brings one (as
// WM_PRINTCLIENT-style callers do), else into the paint DC between BeginPaint and EndPaint.
// Nothing is painted when BeginPaint gives no DC.
template <class Paint>
void PaintWindow(HWND window, HDC given, Paint&& paint)
{
    if (given)
    {
        paint(given);
        return;
    }
    ScopedPaintDC dc(window);
    if (dc.Get())
        paint(dc.Get());
}
