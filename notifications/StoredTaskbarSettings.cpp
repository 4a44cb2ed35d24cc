#include "notifications/StoredTaskbarSettings.h"

#include "notifications/SlideGeometry.h"

#include <cstring>

namespace {

DWORD Word(const std::vector<BYTE>& data, size_t index)
{
    DWORD value = 0;
    std::memcpy(&value, data.data() + index * sizeof(DWORD), sizeof(DWORD));
    return value;
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
    switch (settings.edge)
    {
    case kEdgeLeft:
        rect.right = rect.left + settings.width;
        break;
    case kEdgeTop:
        rect.bottom = rect.top + settings.height;
        break;
    case kEdgeRight:
        rect.left = rect.right - settings.width;
        break;
    default:
        rect.top = rect.bottom - settings.height;
        break;
    }
    return rect;
}
