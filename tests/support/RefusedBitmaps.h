// Off-screen bitmaps refused, as the system refuses them to a process that has used up its GDI
// objects, for the object's lifetime: what paints through an off-screen image must do without.
#pragma once
#include "winframe/BufferedPaint.h"

namespace testsupport {

class RefusedBufferBitmaps
{
public:
    RefusedBufferBitmaps() { SetBufferBitmapMaker(&Refuse); }
    ~RefusedBufferBitmaps() { SetBufferBitmapMaker(nullptr); }
    RefusedBufferBitmaps(const RefusedBufferBitmaps&) = delete;
    RefusedBufferBitmaps& operator=(const RefusedBufferBitmaps&) = delete;

private:
    static HBITMAP WINAPI Refuse(HDC, int, int)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
};

} // namespace testsupport
