#pragma once
#include <windows.h>

#include "jnCommonGUI/NinePartGrid.h"

// Draws the frame in source (frameWidth by frameHeight at 0, 0) onto target at width by height.
void StretchNinePart(HDC target, int width, int height, HDC source, int frameWidth, int frameHeight, int border);
