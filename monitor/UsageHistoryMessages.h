// The two messages the engine's listener sends to a usage history graph window (with
// SendMessageW, so that the graph handles them on its own thread). Their numbers are the
// listener's contract with the graph.
#pragma once
#include <windows.h>

// wParam: the engine's value; the graph repaints when it is 0. lParam: 0.
constexpr UINT kUsageDataChangedMessage = WM_APP + 76;
// wParam: the counter (series) index; lParam: non-zero hides the series, 0 shows it.
constexpr UINT kUsageCounterStateMessage = WM_APP + 77;
