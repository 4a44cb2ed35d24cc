#pragma once
#include <windows.h>

#include <functional>

// Paints area of target through an off-screen bitmap copied in one BitBlt, so that nothing
// flickers. draw paints in target's coordinates. When the bitmap cannot be made (the process has
// used up its GDI objects, or memory), draw paints straight into target, clipped to area: a
// picture that may flicker, rather than the copy of an empty bitmap.
void PaintBuffered(HDC target, const RECT& area, const std::function<void(HDC)>& draw);

// What makes the off-screen bitmap: CreateCompatibleBitmap. A test puts a maker here that fails
// as the system does under its GDI quota; null puts the system's back.
using BufferBitmapMaker = HBITMAP(WINAPI*)(HDC compatibleWith, int width, int height);
void SetBufferBitmapMaker(BufferBitmapMaker maker);
