#include "jnCommonGUI/Imaging.h"

#include "winframe/Owners.h"

bool GetIconSize(HICON icon, SIZE& size)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    const ScopedBitmap colour(info.hbmColor);
    const ScopedBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    if (colour)
    {
        if (!GetObjectW(colour.Get(), sizeof bitmap, &bitmap))
            return false;
        size = {bitmap.bmWidth, bitmap.bmHeight};
        return true;
    }
    // A monochrome icon keeps its image and its mask one above the other in the mask bitmap.
    if (!mask || !GetObjectW(mask.Get(), sizeof bitmap, &bitmap))
        return false;
    size = {bitmap.bmWidth, bitmap.bmHeight / 2};
    return true;
}
