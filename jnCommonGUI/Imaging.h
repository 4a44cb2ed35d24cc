#pragma once
#include <windows.h>

// Drawing routines shared by the custom controls.

// A dotted one-pixel frame just inside rect, drawn with an exclusive-or pen:
// drawing the same frame twice removes it.
void DrawFocusFrame(HDC dc, const RECT& rect);

// The icon grey and faint (96 of 255, keeping the icon's own transparency), stretched into rect.
void DrawGreyedIcon(HDC dc, const RECT& rect, HICON icon);

// A new bitmap (the caller owns it) of the icon's width squared, the icon drawn over a solid
// background; a background of -1 means the default 0xFAE6DC. Null when the icon cannot be read.
HBITMAP IconToBitmap(HICON icon, COLORREF background);

// The size of the icon's colour image (of its mask when it has none). False when it cannot be read.
bool GetIconSize(HICON icon, SIZE& size);
