// How a usage history graph reaches the engine: the module's engine reference, and the connect
// and disconnect steps that get the performance monitor and register a listener with it.
#pragma once
#include "monitor/EngineInterfaces.h"

#include <wrl/client.h>

namespace usagehistory {

using Microsoft::WRL::ComPtr;

// The module-wide engine that graphs connect to; empty when there is none.
ComPtr<JNAPI::IEngine> UsageHistoryEngine();
// Replaces it (the engine client sets it when it has loaded the engine).
void SetUsageHistoryEngine(JNAPI::IEngine* engine);

// A graph's link to the engine: the monitor it registered its listener with, and the listener.
struct UsageHistoryLink
{
    ComPtr<JNAPI::PerfMon::IPerfMonitor> monitor;
    ComPtr<JNAPI::PerfMon::IAdviseListener> listener;
};

// A listener that forwards the engine's notifications to window as the two graph messages.
HRESULT CreateUsageHistoryListener(HWND window, JNAPI::PerfMon::IAdviseListener** listener);

// Gets the engine's performance monitor and registers a listener for window with it. Returns the
// monitor to read from (null without one); link keeps what disconnecting needs. A listener that
// cannot be made leaves the monitor readable without notifications. Never fails otherwise.
ComPtr<JNAPI::PerfMon::IPerfMonitor> ConnectUsageHistory(HWND window, UsageHistoryLink& link);

// Unregisters the listener and drops the link's monitor; the listener itself stays in link.
void DisconnectUsageHistory(UsageHistoryLink& link);

} // namespace usagehistory
