#pragma once
#include <windows.h>

#include <functional>
#include <vector>

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

// The monitor's rectangle cut down to the taskbar that lies along the settings' edge.
RECT TaskbarOnMonitor(const RECT& monitor, const StoredTaskbarSettings& settings);

// The sources the taskbar search asks, in its order. Each returns false when it knows nothing.
// Tests replace them; SystemTaskbarProbes() asks the shell, the windows, the registry and the
// monitors for real.
struct TaskbarProbes
{
    std::function<bool(RECT& rect, UINT& edge)> appBar;
    std::function<bool(RECT& rect)> trayWindow;
    std::function<bool(std::vector<BYTE>& data, DWORD& type)> storedSettings;
    std::function<bool(const RECT& rect, RECT& monitor)> monitorOf;
    std::function<bool(RECT& workArea)> workArea;
};

TaskbarProbes SystemTaskbarProbes();

// Shell, taskbar window, stored settings; failing all, a 34-pixel strip at the bottom of the
// work area.
RECT FindTaskbarRect(const TaskbarProbes& probes);

// Shell, stored settings; failing both, the bottom.
int FindTaskbarEdge(const TaskbarProbes& probes);
