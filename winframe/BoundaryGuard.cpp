#include "winframe/BoundaryGuard.h"

#include <cwchar>
#include <exception>
#include <new>

#include "Logvane.h"

namespace {

const wchar_t kSource[] = L".\\BoundaryGuard";

// What the exception was, without allocating: memory may be what ran out.
const wchar_t* Kind() noexcept
{
    try
    {
        throw;
    }
    catch (const std::bad_alloc&)
    {
        return L"out of memory";
    }
    catch (const std::exception&)
    {
        return L"a standard exception";
    }
    catch (...)
    {
        return L"an exception";
    }
}

} // namespace

void TraceEscapedException(const wchar_t* where) noexcept
{
    wchar_t message[256];
    _snwprintf(message, sizeof(message) / sizeof(message[0]), L"%ls - %ls, answered as a failure",
               where ? where : L"", Kind());
    message[sizeof(message) / sizeof(message[0]) - 1] = L'\0';
    WriteTraceEx(TRACE_ERROR, message, kSource, __LINE__);
}
