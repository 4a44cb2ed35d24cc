#pragma once
#include "jnCommonGUI/SkinButton.h"

#include <string>

// What the notification pop-ups share when they set up their controls.

// The text of a key in the pop-ups' section "XJNTrayNotifications" of the language table.
std::wstring PopupText(const wchar_t* key);

// Gives a control a font and redraws it.
void SetControlFont(HWND control, HFONT font);

// Takes over one of a pop-up's two push buttons (ids 1381, 1382) as a skin button drawn from the
// shared button strip, and gives it its caption.
void PreparePushButton(CSkinButton& button, HWND dialog, int id, const std::wstring& caption);
