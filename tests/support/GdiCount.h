// Counts the GDI objects the process holds, for leak checks.
#pragma once
#include <windows.h>

namespace testsupport {

// The process's live GDI objects, all of them or those of one type (OBJ_FONT, OBJ_BITMAP, ...).
// GetGuiResources says 0 under Wine, but its handles carry the table index in their low 16 bits,
// so asking each index for its type counts them. Window DCs come and go with Wine's DC cache
// (a DC and its region each), so leak checks of one kind of object count that kind only.
inline int LiveGdiObjects(DWORD type = 0)
{
    int count = 0;
    for (UINT_PTR i = 1; i <= 0xFFFF; ++i)
    {
        const DWORD found = GetObjectType(reinterpret_cast<HGDIOBJ>(i));
        if (found && (!type || found == type))
            ++count;
    }
    return count;
}

} // namespace testsupport
