#include "winframe/ObjectBinding.h"

namespace winframe {
namespace {
const wchar_t kObjectProperty[] = L"winframe.object";
}

void BindObject(HWND window, void* object)
{
    SetPropW(window, kObjectProperty, object);
}

void* BoundObject(HWND window)
{
    return GetPropW(window, kObjectProperty);
}

void UnbindObject(HWND window)
{
    RemovePropW(window, kObjectProperty);
}

} // namespace winframe
