#include "base/StdStr.h"

#include <cstdarg>
#include <cwctype>
#include <memory>

namespace {

const int kFormatLimit = 32767;

} // namespace

stdstr& stdstr::operator=(const wchar_t* text)
{
    assign(text ? text : L"");
    return *this;
}

stdstr& stdstr::operator=(const std::wstring& text)
{
    std::wstring::operator=(text);
    return *this;
}

stdstr& stdstr::operator=(std::wstring&& text)
{
    std::wstring::operator=(std::move(text));
    return *this;
}

stdstr& stdstr::Format(const wchar_t* format, ...)
{
    if (!format)
    {
        clear();
        return *this;
    }
    std::unique_ptr<wchar_t[]> buffer(new wchar_t[kFormatLimit + 1]());
    va_list args;
    va_start(args, format);
    // Longer output is cut: _vsnwprintf then leaves the buffer unterminated, hence the last zero.
    _vsnwprintf(buffer.get(), kFormatLimit, format, args);
    va_end(args);
    buffer[kFormatLimit] = L'\0';
    assign(buffer.get());
    return *this;
}

stdstr& stdstr::TrimLeft(const wchar_t* set)
{
    if (empty() || !set)
        return *this;
    const size_t first = find_first_not_of(set);
    if (first == npos)
        clear();
    else
        erase(0, first);
    return *this;
}

stdstr& stdstr::TrimRight(const wchar_t* set)
{
    if (empty() || !set)
        return *this;
    const size_t last = find_last_not_of(set);
    if (last == npos)
        clear();
    else
        erase(last + 1);
    return *this;
}

stdstr& stdstr::Trim(bool lineBreaks)
{
    const wchar_t* set = lineBreaks ? L" \r\n" : L" ";
    return TrimLeft(set).TrimRight(set);
}

stdstr& stdstr::ReplaceAll(const std::wstring& what, const std::wstring& with)
{
    if (what.empty())
        return *this;
    for (size_t at = find(what); at != npos; at = find(what, at + with.size()))
        replace(at, what.size(), with);
    return *this;
}

stdstr& stdstr::ReplaceChar(wchar_t from, wchar_t to)
{
    for (wchar_t& c : *this)
        if (c == from)
            c = to;
    return *this;
}

stdstr& stdstr::ReplaceWithChar(const std::wstring& what, wchar_t with)
{
    return ReplaceAll(what, std::wstring(1, with));
}

stdstr& stdstr::ToLower()
{
    for (wchar_t& c : *this)
        c = static_cast<wchar_t>(towlower(c));
    return *this;
}

stdstr& stdstr::ToUpper()
{
    for (wchar_t& c : *this)
        c = static_cast<wchar_t>(towupper(c));
    return *this;
}

std::vector<stdstr> stdstr::Split(const wchar_t* delimiters) const
{
    std::vector<stdstr> tokens;
    const wchar_t* set = delimiters ? delimiters : L"";
    size_t start = find_first_not_of(set);
    size_t end = find_first_of(set, start);
    while (start != npos)
    {
        tokens.emplace_back(substr(start, end == npos ? npos : end - start));
        start = find_first_not_of(set, end);
        end = find_first_of(set, start);
    }
    return tokens;
}
