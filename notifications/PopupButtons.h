#pragma once
#include "jnCommonGUI/SkinButton.h"

#include <string>

// Takes over one of a pop-up's two push buttons (ids 1381, 1382) as a skin button drawn from the
// shared button strip, and gives it its caption.
void PreparePushButton(CSkinButton& button, HWND dialog, int id, const std::wstring& caption);
