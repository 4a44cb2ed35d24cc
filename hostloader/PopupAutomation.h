// Host-side help for unattended runs (the sample host's demo, the tests): finds a notification
// pop-up by the mark every pop-up window carries.
#pragma once
#include <windows.h>

namespace xjnhost {

// The window property that marks every pop-up window (value 1).
extern const wchar_t kPopupMark[];

// The first top-level window of the thread that carries the mark (only a visible one unless
// told otherwise), or null.
HWND FindMarkedWindow(DWORD threadId, bool visibleOnly = true);

// Waits until a marked window of the thread is visible and has kept its place for a while (a
// sliding pop-up has fully come out); null when none settles within timeoutMs.
HWND WaitForSettledPopup(DWORD threadId, DWORD timeoutMs);

} // namespace xjnhost
