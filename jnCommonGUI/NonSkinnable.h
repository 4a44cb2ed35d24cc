#pragma once
#include <windows.h>

// The window property that tells window-skinning code elsewhere in the host process to leave a
// window alone. The name is used exactly so: "%s" is part of it, nothing is filled in.
inline constexpr wchar_t kNonSkinnableProperty[] = L"NON_SKINABLE_2809%s!fgj";

// Sets the property to 1; false when SetPropW fails (the caller traces it in its own name).
inline bool MarkNonSkinnable(HWND window)
{
    return SetPropW(window, kNonSkinnableProperty, reinterpret_cast<HANDLE>(1)) != FALSE;
}
