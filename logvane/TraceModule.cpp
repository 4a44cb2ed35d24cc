#include "Logvane.h"

#include <cwchar>
#include <string>

namespace {

const wchar_t* TypeName(TraceType type)
{
    switch (type)
    {
    case TRACE_ERROR:   return L"ERROR";
    case TRACE_WARNING: return L"WARN ";
    case TRACE_NOTICE:  return L"NOTE ";
    case TRACE_INFO:    return L"INFO ";
    case TRACE_DEBUG:   return L"DEBUG";
    }
    return L"TRACE";
}

} // namespace

CTraceModule::CTraceModule(unsigned level) : m_level(level) {}

CTraceModule::~CTraceModule() = default;

bool CTraceModule::LevelAccepts(unsigned level, TraceType type)
{
    switch (level)
    {
    case 0:  return false;
    case 1:  return type == TRACE_ERROR;
    case 2:  return type == TRACE_ERROR || type == TRACE_WARNING;
    case 3:  return type != TRACE_DEBUG && type <= TRACE_INFO;
    default: return true;
    }
}

void CTraceModule::Trace(TraceType type, const wchar_t* message, const wchar_t* source, unsigned line)
{
    if (!LevelAccepts(m_level, type))
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t head[128];
    _snwprintf(head, 128, L"%04u-%02u-%02u %02u:%02u:%02u.%03u pid %lu tid %lu %s ",
               now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
               now.wMilliseconds, GetCurrentProcessId(), GetCurrentThreadId(), TypeName(type));
    head[127] = L'\0';
    std::wstring text(head);
    text += source;
    text += L'(';
    text += std::to_wstring(line);
    text += L"): ";
    text += message;
    Write(text.c_str());
}
