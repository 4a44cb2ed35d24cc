#pragma once
#include "base/PortableTypes.h"

#include <vector>

// The smallest value the shell writes; the fields the pop-ups read lie within it.
constexpr DWORD kStoredTaskbarSettingsMinSize = 40;

// The shell's stored taskbar settings ("StuckRects2"), as far as the pop-ups need them.
struct StoredTaskbarSettings
{
    unsigned long edge = 0;
    int width = 0;
    int height = 0;
    RECT rect = {};
};

// Decodes the stored settings: REG_BINARY, at least 40 bytes, an edge of 0 to 3.
bool ParseStoredTaskbarSettings(const std::vector<BYTE>& data, DWORD type, StoredTaskbarSettings& settings);

// The monitor's rectangle cut down to the taskbar that lies along the settings' edge. A thickness
// below 0 or beyond the monitor is taken as 0 or the monitor's whole extent.
RECT TaskbarOnMonitor(const RECT& monitor, const StoredTaskbarSettings& settings);
