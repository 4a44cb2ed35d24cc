#include "base/nosecure.h"

#include <cstdarg>
#include <cstring>
#include <cwchar>

#include "base/StringHelper.h"
#include "Logvane.h"

namespace nosecure {
namespace {

const wchar_t kSource[] = L".\\nosecure";

int Refuse(int result, const wchar_t* message, unsigned line)
{
    WriteTraceEx(TRACE_ERROR, message, kSource, line);
    return result;
}

// Characters (sign included) of the value in the radix, without the terminator.
size_t DigitCount(unsigned long long magnitude, bool negative, unsigned radix)
{
    size_t digits = 1;
    while (magnitude >= radix)
    {
        magnitude /= radix;
        ++digits;
    }
    return digits + (negative ? 1 : 0);
}

int WriteNumber(unsigned long long magnitude, bool negative, wchar_t* buffer, size_t size, int radix,
                const wchar_t* invalidMessage, const wchar_t* overflowMessage, unsigned line)
{
    if (!buffer || radix < 2 || radix > 36)
        return Refuse(InvalidArgument, invalidMessage, line);
    const size_t length = DigitCount(magnitude, negative, static_cast<unsigned>(radix));
    if (size < length + 1)
        return Refuse(OutOfRange, overflowMessage, line);
    buffer[length] = L'\0';
    size_t at = length;
    do
    {
        const unsigned digit = static_cast<unsigned>(magnitude % static_cast<unsigned>(radix));
        buffer[--at] = static_cast<wchar_t>(digit < 10 ? L'0' + digit : L'a' + digit - 10);
        magnitude /= static_cast<unsigned>(radix);
    } while (magnitude != 0);
    if (negative)
        buffer[0] = L'-';
    return 0;
}

} // namespace

int memcpy_s(void* dest, size_t destSize, const void* src, size_t count)
{
    if (count == 0)
        return 0;
    if (!dest || !src)
        return Refuse(InvalidArgument, L"Invalid argument on memcpy_s!", __LINE__);
    if (destSize < count)
        return Refuse(OutOfRange, L"Out of range on memcpy_s!", __LINE__);
    std::memcpy(dest, src, count);
    return 0;
}

int wmemcpy_s(wchar_t* dest, size_t destSize, const wchar_t* src, size_t count)
{
    if (count == 0)
        return 0;
    if (!dest || !src)
        return Refuse(InvalidArgument, L"Invalid argument on wmemcpy_s!", __LINE__);
    if (destSize < count)
        return Refuse(OutOfRange, L"Out of range on wmemcpy_s!", __LINE__);
    std::wmemcpy(dest, src, count);
    return 0;
}

int memmove_s(void* dest, size_t destSize, const void* src, size_t count)
{
    if (count == 0)
        return 0;
    if (!dest || !src)
        return Refuse(InvalidArgument, L"Invalid argument on memmove_s!", __LINE__);
    if (destSize < count)
        return Refuse(OutOfRange, L"Out of range on memmove_s!", __LINE__);
    std::memmove(dest, src, count);
    return 0;
}

int wmemmove_s(wchar_t* dest, size_t destSize, const wchar_t* src, size_t count)
{
    if (count == 0)
        return 0;
    if (!dest || !src)
        return Refuse(InvalidArgument, L"Invalid argument on wmemmove_s!", __LINE__);
    if (destSize < count)
        return Refuse(OutOfRange, L"Out of range on wmemmove_s!", __LINE__);
    std::wmemmove(dest, src, count);
    return 0;
}

int strcpy_s(char* dest, size_t destSize, const char* src)
{
    if (!dest || !src)
        return Refuse(InvalidArgument, L"Invalid argument on strcpy_s!", __LINE__);
    const size_t length = std::strlen(src);
    if (destSize <= length)
        return Refuse(OutOfRange, L"Out of range on strcpy_s!", __LINE__);
    std::memcpy(dest, src, length + 1);
    return 0;
}

int wcscpy_s(wchar_t* dest, size_t destSize, const wchar_t* src)
{
    if (!dest || !src)
        return Refuse(InvalidArgument, L"Invalid argument on wcscpy_s!", __LINE__);
    const size_t length = std::wcslen(src);
    if (destSize <= length)
        return Refuse(OutOfRange, L"Out of range on wcscpy_s!", __LINE__);
    std::wmemcpy(dest, src, length + 1);
    return 0;
}

int wcscat_s(wchar_t* dest, size_t destSize, const wchar_t* src)
{
    if (!dest || !src)
        return Refuse(InvalidArgument, L"Invalid argument on wcscat_s!", __LINE__);
    // The destination's text must lie inside its size; reading on past it would be unsafe.
    const size_t present = wcsnlen(dest, destSize);
    const size_t length = std::wcslen(src);
    if (present == destSize || destSize <= present + length)
        return Refuse(OutOfRange, L"Out of range on wcscat_s!", __LINE__);
    std::wmemcpy(dest + present, src, length + 1);
    return 0;
}

int wcsncpy_s(wchar_t* dest, size_t destSize, const wchar_t* src, size_t count)
{
    if (!dest || !src)
        return Refuse(InvalidArgument, L"Invalid argument on wcsncpy_s!", __LINE__);
    const size_t length = wcsnlen(src, count);
    if (destSize <= length)
        return Refuse(OutOfRange, L"Out of range on wcsncpy_s!", __LINE__);
    std::wmemcpy(dest, src, length);
    dest[length] = L'\0';
    return 0;
}

int wcsncat_s(wchar_t* dest, size_t destSize, const wchar_t* src, size_t count)
{
    if (!dest || !src)
        return Refuse(InvalidArgument, L"Invalid argument on wcsncpy_s!", __LINE__);
    const size_t present = wcsnlen(dest, destSize);
    const size_t length = wcsnlen(src, count);
    if (present == destSize || destSize <= present + length)
        return Refuse(OutOfRange, L"Out of range on wcsncpy_s!", __LINE__);
    std::wmemcpy(dest + present, src, length);
    dest[present + length] = L'\0';
    return 0;
}

int my_swprintf_s(wchar_t* buffer, size_t size, const wchar_t* format, ...)
{
    if (!buffer || !format)
    {
        Refuse(InvalidArgument, L"Invalid argument on my_swprintf_s!", __LINE__);
        return -1;
    }
    std::wstring text;
    va_list args;
    va_start(args, format);
    const bool formatted = StringHelper::TryFormatV(format, args, text);
    va_end(args);
    if (!formatted)
    {
        Refuse(InvalidArgument, L"Invalid argument on my_swprintf_s!", __LINE__);
        return -1;
    }
    if (size <= text.size())
    {
        Refuse(OutOfRange, L"Out of range on my_swprintf_s!", __LINE__);
        return -1;
    }
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

int _my_itow_s(int value, wchar_t* buffer, size_t size, int radix)
{
    const bool negative = radix == 10 && value < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<long long>(value) : static_cast<unsigned>(value);
    return WriteNumber(magnitude, negative, buffer, size, radix, L"Invalid argument on _my_itow_s!",
                       L"Out of range on _my_itow_s!", __LINE__);
}

int _my_i64tow_s(long long value, wchar_t* buffer, size_t size, int radix)
{
    const bool negative = radix == 10 && value < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    return WriteNumber(magnitude, negative, buffer, size, radix, L"Invalid argument on _my_i64tow_s!",
                       L"Out of range on _my_i64tow_s!", __LINE__);
}

int _my_ui64tow_s(unsigned long long value, wchar_t* buffer, size_t size, int radix)
{
    return WriteNumber(value, false, buffer, size, radix, L"Invalid argument on _my_ui64tow_s!",
                       L"Out of range on _my_ui64tow_s!", __LINE__);
}

} // namespace nosecure
