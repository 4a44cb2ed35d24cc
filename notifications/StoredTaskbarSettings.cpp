#include "notifications/StoredTaskbarSettings.h"

#include "notifications/SlideGeometry.h"

#include <algorithm>
#include <cstring>

namespace {

DWORD Word(const std::vector<BYTE>& data, size_t index)
{
    DWORD value = 0;
    std::memcpy(&value, data.data() + index * sizeof(DWORD), sizeof(DWORD));
    return value;
}

// The stored thickness within 0 and the monitor's extent from low to high: a damaged value
// keeps the taskbar on its monitor (and the sums below from overflowing).
LONG Thickness(int stored, LONG low, LONG high)
{
    const long long extent = std::max(0LL, static_cast<long long>(high) - low);
    return static_cast<LONG>(std::clamp(static_cast<long long>(stored), 0LL, extent));
}

} // namespace

bool ParseStoredTaskbarSettings(const std::vector<BYTE>& data, DWORD type, StoredTaskbarSettings& settings)
{
    if (type != REG_BINARY || data.size() < kStoredTaskbarSettingsMinSize)
        return false;
    const DWORD edge = Word(data, 3);
    if (!IsTaskbarEdge(edge))
        return false;
    settings.edge = edge;
    settings.width = static_cast<int>(Word(data, 4));
    settings.height = static_cast<int>(Word(data, 5));
    settings.rect = {static_cast<LONG>(Word(data, 6)), static_cast<LONG>(Word(data, 7)),
                     static_cast<LONG>(Word(data, 8)), static_cast<LONG>(Word(data, 9))};
    return true;
}

RECT TaskbarOnMonitor(const RECT& monitor, const StoredTaskbarSettings& settings)
{
    RECT rect = monitor;
    const LONG width = Thickness(settings.width, monitor.left, monitor.right);
    const LONG height = Thickness(settings.height, monitor.top, monitor.bottom);
    switch (settings.edge)
    {
    case kEdgeLeft:
        rect.right = rect.left + width;
        break;
    case kEdgeTop:
        rect.bottom = rect.top + height;
        break;
    case kEdgeRight:
        rect.left = rect.right - width;
        break;
    default:
        rect.top = rect.bottom - height;
        break;
    }
    return rect;
}
