// A second module carrying its own copy of the crash handler, as other modules of the product
// may: loaded beside the library, it must find the first handler through the shared section.
#include "app/CrashHandler.h"

#include <cstdint>

// Whether this module's handler is set up (it was, at attach, or the module would not work).
extern "C" __declspec(dllexport) BOOL CrashCopyHandlerReady()
{
    return CrashHandler::Obtain() != nullptr;
}

// An access violation inside this module, for the process's filter to report.
extern "C" __declspec(dllexport) void CrashCopyFault()
{
    volatile std::uintptr_t nowhere = 0x10;
    *reinterpret_cast<volatile int*>(nowhere) = 1;
}
