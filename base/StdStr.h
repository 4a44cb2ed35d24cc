#pragma once
#include <string>
#include <vector>

#include "base/PortableTypes.h"

// The library's string: a UTF-16 std::wstring with formatting, trimming, replacing and the
// conversions to and from narrow text in a given code page (UTF-8 as a rule).
class stdstr : public std::wstring
{
public:
    using std::wstring::wstring;
    stdstr() = default;
    stdstr(const std::wstring& text) : std::wstring(text) {}
    stdstr(std::wstring&& text) : std::wstring(std::move(text)) {}
    // A null pointer makes the empty string.
    stdstr(const wchar_t* text) : std::wstring(text ? text : L"") {}

    stdstr& operator=(const wchar_t* text);
    stdstr& operator=(const std::wstring& text);
    stdstr& operator=(std::wstring&& text);

    // Narrow to wide, always from UTF-8. Both throw BaseException when the system refuses.
    static stdstr toUNICODE(const std::string& text);
    static stdstr toTString(const char* text);
    // Wide to narrow in the given code page. Both throw BaseException when the system refuses.
    static std::string fromUNICODE(const std::wstring& text, UINT codePage);
    static std::string fromTString(const wchar_t* text, UINT codePage);

    // Replaces the content by the formatted text (Microsoft conventions: "%s" takes a wide
    // string), at most 32,767 characters; a null format gives the empty string.
    stdstr& Format(const wchar_t* format, ...);

    stdstr& TrimLeft(const wchar_t* set);
    stdstr& TrimRight(const wchar_t* set);
    // Spaces at both ends; with lineBreaks also carriage returns and line feeds.
    stdstr& Trim(bool lineBreaks);

    // Every occurrence, left to right, resuming behind each inserted text.
    stdstr& ReplaceAll(const std::wstring& what, const std::wstring& with);
    stdstr& ReplaceChar(wchar_t from, wchar_t to);
    stdstr& ReplaceWithChar(const std::wstring& what, wchar_t with);

    stdstr& ToLower();
    stdstr& ToUpper();

    // The tokens between runs of delimiter characters; empty tokens are not produced.
    std::vector<stdstr> Split(const wchar_t* delimiters) const;
};
