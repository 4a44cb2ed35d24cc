// Where a sample lands on the plot: time runs from the newest sample at the plot's right edge
// leftwards, one time span across the plot's width; values from the minimum at the bottom to the
// maximum at the top.
#pragma once
#include <windows.h>

namespace usagehistory {

// The scales of one paint, as the data source gives them.
struct SeriesScale
{
    ULONGLONG timeSpan = 0;
    LONG minimum = 0;
    LONG maximum = 0;
};

// A span of 0 or a maximum not above the minimum gives no scale to draw on (the point formulas
// would divide by zero or turn the plot upside down).
bool IsDrawable(const SeriesScale& scale);

// x of a sample taken at time, newest being the newest sample's time (64-bit arithmetic).
// Samples older than newest by far lie far to the left; the result is kept within int range.
int SampleX(const RECT& plot, const SeriesScale& scale, ULONGLONG newest, ULONGLONG time);

// y of a value; values outside the range lie outside the plot.
int SampleY(const RECT& plot, const SeriesScale& scale, LONG value);

} // namespace usagehistory
