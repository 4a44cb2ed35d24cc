#include "base/StringHelper.h"

#include <memory>

bool StringHelper::TryFormatV(const wchar_t* format, va_list args, std::wstring& result)
{
    if (!format)
        return false;
    va_list counting;
    va_copy(counting, args);
    const int count = _vscwprintf(format, counting);
    va_end(counting);
    if (count < 0)
        return false;
    std::unique_ptr<wchar_t[]> buffer(new (std::nothrow) wchar_t[count + 1]);
    if (!buffer)
        return false;
    va_list writing;
    va_copy(writing, args);
    const int written = _vsnwprintf(buffer.get(), count + 1, format, writing);
    va_end(writing);
    if (written < 0)
        return false;
    result.assign(buffer.get(), written);
    return true;
}

stdstr StringHelper::stringFmt(const wchar_t* format, ...)
{
    std::wstring text;
    va_list args;
    va_start(args, format);
    const bool formatted = TryFormatV(format, args, text);
    va_end(args);
    if (!formatted)
        return stdstr(L"StringHelper::stringFmt() - Invalid message format : ") + stdstr(format);
    return stdstr(std::move(text));
}

stdstr StringHelper::Replace(const std::wstring& text, const std::wstring& what, const std::wstring& with)
{
    stdstr copy(text);
    copy.ReplaceAll(what, with);
    return copy;
}

stdstr StringHelper::EscapeQuotes(const std::wstring& text)
{
    stdstr copy(text);
    copy.ReplaceAll(L"\"", L"\"\"");
    copy.ReplaceAll(L"\\", L"\\\\");
    return copy;
}
