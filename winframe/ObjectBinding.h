#pragma once
#include <windows.h>

// Ties a window to the object that handles its messages, through a window property.
namespace winframe {

void BindObject(HWND window, void* object);
void* BoundObject(HWND window);
void UnbindObject(HWND window);

} // namespace winframe
