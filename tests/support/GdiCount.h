// Counts the GDI objects the process holds, for leak checks.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

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

// The kinds of GDI object that leak checks count one by one. Regions are among them: every step
// of a pop-up's slide gives its window a new one (some 55 for each show), which the window owns.
constexpr DWORD kLeakCheckedKinds[] = {OBJ_REGION, OBJ_BITMAP, OBJ_FONT, OBJ_BRUSH, OBJ_PEN, OBJ_MEMDC};

// The live objects of each leak-checked kind, in the order of kLeakCheckedKinds.
inline std::vector<int> LiveGdiObjectsByKind()
{
    std::vector<int> counts;
    for (DWORD kind : kLeakCheckedKinds)
        counts.push_back(LiveGdiObjects(kind));
    return counts;
}

// What changed since before, kind by kind ("regions 40 -> 95; "); empty when nothing did.
inline std::string GdiObjectsChangedSince(const std::vector<int>& before)
{
    static const char* const names[] = {"regions", "bitmaps", "fonts", "brushes", "pens", "memory DCs"};
    static_assert(sizeof names / sizeof names[0] == sizeof kLeakCheckedKinds / sizeof kLeakCheckedKinds[0]);
    const std::vector<int> now = LiveGdiObjectsByKind();
    std::string changes;
    for (size_t i = 0; i < now.size() && i < before.size(); ++i)
        if (now[i] != before[i])
            changes += std::string(names[i]) + " " + std::to_string(before[i]) + " -> " + std::to_string(now[i]) + "; ";
    return changes;
}

} // namespace testsupport
