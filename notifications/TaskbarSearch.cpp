#include "notifications/TaskbarSearch.h"

#include "base/Registry.h"
#include "notifications/SlideGeometry.h"

#include <shellapi.h>

namespace {

constexpr int kFallbackTaskbarHeight = 34;
const wchar_t kStuckRectsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StuckRects2";
const wchar_t kStuckRectsValue[] = L"Settings";

bool AskAppBar(RECT& rect, UINT& edge)
{
    APPBARDATA data = {};
    data.cbSize = sizeof(data);
    if (!SHAppBarMessage(ABM_GETTASKBARPOS, &data))
        return false;
    rect = data.rc;
    edge = data.uEdge;
    return true;
}

bool AskTrayWindow(RECT& rect)
{
    HWND tray = FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr);
    return tray && GetWindowRect(tray, &rect);
}

// Read into 40 bytes first; a longer value is read again at its reported size.
bool ReadStoredSettings(std::vector<BYTE>& data, DWORD& type)
{
    const Registry user(HKEY_CURRENT_USER, KEY_WOW64_64KEY);
    return user.GetValue(kStuckRectsKey, kStuckRectsValue, type, data, kStoredTaskbarSettingsMinSize);
}

bool AskMonitor(const RECT& rect, RECT& monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR handle = MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY);
    if (!handle || !GetMonitorInfoW(handle, &info))
        return false;
    monitor = info.rcMonitor;
    return true;
}

bool AskWorkArea(RECT& workArea)
{
    return SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0) != FALSE;
}

bool StoredSettings(const TaskbarProbes& probes, StoredTaskbarSettings& settings)
{
    std::vector<BYTE> data;
    DWORD type = REG_NONE;
    return probes.storedSettings && probes.storedSettings(data, type) &&
           ParseStoredTaskbarSettings(data, type, settings);
}

} // namespace

TaskbarProbes SystemTaskbarProbes()
{
    return TaskbarProbes{AskAppBar, AskTrayWindow, ReadStoredSettings, AskMonitor, AskWorkArea};
}

RECT FindTaskbarRect(const TaskbarProbes& probes)
{
    RECT rect = {};
    UINT edge = 0;
    if (probes.appBar && probes.appBar(rect, edge))
        return rect;
    if (probes.trayWindow && probes.trayWindow(rect))
        return rect;
    StoredTaskbarSettings settings;
    RECT monitor = {};
    if (StoredSettings(probes, settings) && probes.monitorOf && probes.monitorOf(settings.rect, monitor))
        return TaskbarOnMonitor(monitor, settings);
    rect = {};
    if (probes.workArea)
        probes.workArea(rect);
    rect.top = rect.bottom - kFallbackTaskbarHeight;
    return rect;
}

int FindTaskbarEdge(const TaskbarProbes& probes)
{
    RECT rect = {};
    UINT edge = 0;
    // An edge outside 0..3 would leave the pop-up without a placement rule: ask the next source.
    if (probes.appBar && probes.appBar(rect, edge) && IsTaskbarEdge(edge))
        return static_cast<int>(edge);
    StoredTaskbarSettings settings;
    if (StoredSettings(probes, settings))
        return static_cast<int>(settings.edge);
    return kEdgeBottom;
}
