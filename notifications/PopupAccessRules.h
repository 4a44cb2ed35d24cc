#pragma once
// When a pop-up tells a screen reader that its value changed, and where Tab takes the keyboard.
#include "base/PortableTypes.h"

// A countdown's value changes every second; a screen reader that spoke each one would say nothing
// else. It hears of a change at most this often, counted from the last thing it was told (the
// alert counts).
constexpr DWORD kValueAnnouncementPeriodMs = 5000;

// Whether a change at nowMs is told, the last announcement having been at lastMs (tick counts:
// the difference is taken modulo 2^32, so the counter's wrap does not matter).
bool ValueAnnouncementDue(DWORD lastMs, DWORD nowMs);

// The index of the button that Tab (or Shift+Tab, backwards) moves the focus to, among count
// buttons in their visual order, from the focused one (-1: none of them). -1 when there is none.
int RingStep(int current, int count, bool backwards);
