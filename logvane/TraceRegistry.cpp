// The registered trace modules and the two trace entry points.
#include "Logvane.h"
#include "LockGuard.h"

#include <algorithm>
#include <cstdarg>
#include <cwchar>
#include <vector>

namespace {

// One lock for the module list and the dispatch, so lines from many threads never interleave
// and a module is never removed while it writes.
struct Registry
{
    CRITICAL_SECTION lock;
    std::vector<CTraceModule*> modules;
    Registry() { InitializeCriticalSection(&lock); }
    ~Registry() { DeleteCriticalSection(&lock); }
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

} // namespace

CTraceModule* AddTraceModule(CTraceModule* module)
{
    if (!module)
        return nullptr;
    Registry& r = registry();
    LockGuard guard(r.lock);
    if (std::find(r.modules.begin(), r.modules.end(), module) == r.modules.end())
        r.modules.push_back(module);
    return module;
}

CTraceModule* RemoveTraceModule(CTraceModule* module)
{
    Registry& r = registry();
    LockGuard guard(r.lock);
    auto it = std::find(r.modules.begin(), r.modules.end(), module);
    if (it == r.modules.end())
        return nullptr;
    r.modules.erase(it);
    return module;
}

void WriteTraceEx(TraceType type, const wchar_t* message, const wchar_t* source, unsigned line)
{
    Registry& r = registry();
    LockGuard guard(r.lock);
    for (CTraceModule* module : r.modules)
    {
        // Callers write traces from their own failure paths, out of memory among them: a line
        // that cannot be formatted or kept is lost, and no exception leaves this library.
        try
        {
            module->Trace(type, message ? message : L"", source ? source : L"", line);
        }
        catch (...)
        {
        }
    }
}

void WriteTraceF(const wchar_t* source, unsigned line, TraceType type, const wchar_t* format, ...)
{
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    va_list counting;
    va_copy(counting, args);
    // The msvcrt formatters keep the Microsoft meaning of "%s" (a wide string).
    const int count = _vscwprintf(format, counting);
    va_end(counting);
    std::vector<wchar_t> text;
    if (count >= 0)
    {
        try
        {
            text.assign(static_cast<size_t>(count) + 1, L'\0');
        }
        catch (...)
        {
            text.clear();  // no room for the text: the format itself goes out
        }
    }
    if (!text.empty())
    {
        _vsnwprintf(text.data(), text.size(), format, args);
        text.back() = L'\0';
        WriteTraceEx(type, text.data(), source, line);
    }
    else
    {
        WriteTraceEx(type, format, source, line);
    }
    va_end(args);
}
