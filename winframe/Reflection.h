#pragma once
#include <windows.h>

// Reflected notifications arrive at the child as OCM_BASE + the original message.
constexpr UINT OCM_BASE = WM_USER + 0x1C00;

// Sends a notification that carries a child control back to that child.
// Returns false when the message names no child; it is then the caller's to process.
bool ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
