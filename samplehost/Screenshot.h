#pragma once
#include <windows.h>

#include <string>

// Saves what the screen shows of the window as a PNG file (GDI+ must be started).
bool SaveWindowPng(HWND window, const std::wstring& path);
