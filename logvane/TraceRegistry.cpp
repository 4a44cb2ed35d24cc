// The registered trace modules and the two trace entry points.
#include "Logvane.h"

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

class Guard
{
public:
    explicit Guard(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
    ~Guard() { LeaveCriticalSection(&m_cs); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};

} // namespace

CTraceModule* AddTraceModule(CTraceModule* module)
{
    if (!module)
        return nullptr;
    Registry& r = registry();
    Guard guard(r.lock);
    if (std::find(r.modules.begin(), r.modules.end(), module) == r.modules.end())
        r.modules.push_back(module);
    return module;
}

CTraceModule* RemoveTraceModule(CTraceModule* module)
{
    Registry& r = registry();
    Guard guard(r.lock);
    auto it = std::find(r.modules.begin(), r.modules.end(), module);
    if (it == r.modules.end())
        return nullptr;
    r.modules.erase(it);
    return module;
}

void WriteTraceEx(TraceType type, const wchar_t* message, const wchar_t* source, unsigned line)
{
    Registry& r = registry();
    Guard guard(r.lock);
    for (CTraceModule* module : r.modules)
        module->Trace(type, message ? message : L"", source ? source : L"", line);
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
    if (count >= 0)
    {
        std::vector<wchar_t> text(static_cast<size_t>(count) + 1, L'\0');
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
