#pragma once
#include <windows.h>

// The counter and the animation of the shutdown-after-tasks pop-up, one tick at a time.

// The seconds the counter starts from: whole seconds of the display time.
int CountdownStart(DWORD displayTimeMs);

// One second later: one less, but never below 0.
int NextSecondsLeft(int secondsLeft);

// The frame after this one; after the last frame the animation starts again at 0.
int NextAnimationFrame(int frame, int frameCount);
