#pragma once
#include <windows.h>

#include "notifications/StoredTaskbarSettings.h"

#include <functional>
#include <vector>

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
