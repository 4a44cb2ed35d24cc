#pragma once
#include <cstdarg>

#include "base/StdStr.h"

// Formatting and replacing that return a new string.
class StringHelper
{
public:
    // The formatted text of any length; a bad format gives
    // "StringHelper::stringFmt() - Invalid message format : " followed by the format.
    static stdstr stringFmt(const wchar_t* format, ...);
    static stdstr Replace(const std::wstring& text, const std::wstring& what, const std::wstring& with);
    // Doubles every double quote, then every backslash.
    static stdstr EscapeQuotes(const std::wstring& text);

    // Formats without a length limit; false (result untouched) for a null or malformed format.
    static bool TryFormatV(const wchar_t* format, va_list args, std::wstring& result);
};
