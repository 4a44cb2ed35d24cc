#include "monitor/UsageHistoryScale.h"

#include <cstdint>

namespace usagehistory {

namespace {

// Far enough outside any plot to be cut off, near enough that a line's direction survives.
constexpr std::int64_t kFarOut = 1 << 30;

} // namespace

bool IsDrawable(const SeriesScale& scale)
{
    return scale.timeSpan != 0 && scale.maximum > scale.minimum;
}

int SampleX(const RECT& plot, const SeriesScale& scale, ULONGLONG newest, ULONGLONG time)
{
    const ULONGLONG width = static_cast<ULONGLONG>(plot.right - plot.left);
    const ULONGLONG distance = (newest - time) * width / scale.timeSpan;
    if (distance > static_cast<ULONGLONG>(kFarOut))
        return static_cast<int>(plot.right - kFarOut);
    return static_cast<int>(plot.right - static_cast<std::int64_t>(distance));
}

int SampleY(const RECT& plot, const SeriesScale& scale, LONG value)
{
    // Widened so that a range or a product beyond 32 bits cannot overflow; within 32 bits the
    // result is the 32-bit one.
    const std::int64_t height = plot.bottom - plot.top;
    const std::int64_t range = static_cast<std::int64_t>(scale.maximum) - scale.minimum;
    const std::int64_t rise = (static_cast<std::int64_t>(value) - scale.minimum) * height / range;
    if (rise > kFarOut)
        return static_cast<int>(plot.bottom - kFarOut);
    if (rise < -kFarOut)
        return static_cast<int>(plot.bottom + kFarOut);
    return static_cast<int>(plot.bottom - rise);
}

} // namespace usagehistory
