#include "monitor/UsageHistorySettings.h"

namespace usagehistory {

GraphSettings::GraphSettings()
    : colours{RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0)}
{
    borders[kPlotBorder].outer = {RGB(0x90, 0x90, 0x90), RGB(0xC0, 0xC0, 0xC0), 0, true};
    borders[kPlotBorder].inner = {RGB(0x40, 0x40, 0x40), RGB(0x70, 0x70, 0x70), 0, true};
    for (bool& on : switches)
        on = true;
    for (int& mode : modes)
        mode = kCentred;
}

} // namespace usagehistory
