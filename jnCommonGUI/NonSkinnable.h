#pragma once

// The window property that tells window-skinning code elsewhere in the host to leave a window
// alone. The "%s" is part of the name: nothing is filled in.
constexpr wchar_t kNonSkinnableProperty[] = L"NON_SKINABLE_2809%s!fgj";
