// Looks up an export of a loaded library as a function pointer of the caller's type.
#pragma once
#include <windows.h>

namespace xjnhost {

template <class Function>
Function LibraryExport(HMODULE library, const char* name)
{
    // Through a plain function pointer type, so that the compiler accepts the change of signature.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

} // namespace xjnhost
