#include "Logvane.h"

#include <cwchar>
#include <string>

namespace {

unsigned AcceptedTypes(unsigned level)
{
    switch (level)
    {
    case 0:  return 0;
    case 1:  return TRACE_ERROR;
    case 2:  return TRACE_ERROR | TRACE_WARNING;
    case 3:  return TRACE_ERROR | TRACE_WARNING | TRACE_NOTICE | TRACE_INFO;
    default: return ~0u;
    }
}

std::wstring TypeName(TraceType type)
{
    switch (type)
    {
    case TRACE_ERROR:   return L"ERROR";
    case TRACE_WARNING: return L"WARN ";
    case TRACE_NOTICE:  return L"NOTE ";
    case TRACE_INFO:    return L"INFO ";
    case TRACE_DEBUG:   return L"DEBUG";
    }
    wchar_t name[16];
    _snwprintf(name, 16, L"0x%X", static_cast<unsigned>(type));
    name[15] = L'\0';
    return name;
}

// One trace is one line in the log.
void AppendOnOneLine(std::wstring& text, const wchar_t* message)
{
    for (const wchar_t* c = message; *c; ++c)
        text += (*c == L'\r' || *c == L'\n') ? L' ' : *c;
}

} // namespace

CTraceModule::CTraceModule(unsigned level) : m_level(level) {}

CTraceModule::~CTraceModule() = default;

bool CTraceModule::LevelAccepts(unsigned level, TraceType type)
{
    return type != 0 && (type & ~AcceptedTypes(level)) == 0;
}

void CTraceModule::Trace(TraceType type, const wchar_t* message, const wchar_t* source, unsigned line)
{
    if (!LevelAccepts(m_level, type))
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t head[128];
    _snwprintf(head, 128, L"%04u-%02u-%02u %02u:%02u:%02u.%03u pid %lu tid %lu %s ", now.wYear, now.wMonth,
               now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, GetCurrentProcessId(),
               GetCurrentThreadId(), TypeName(type).c_str());
    head[127] = L'\0';
    std::wstring text(head);
    text += source ? source : L"";
    text += L'(';
    text += std::to_wstring(line);
    text += L"): ";
    AppendOnOneLine(text, message ? message : L"");
    Write(text.c_str());
}
