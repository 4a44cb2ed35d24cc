#include "app/CrashNames.h"

#include "base/nosecure.h"

#include <cwchar>

namespace {

// Fixed: every copy of the handler in every module of the product must build the same name.
const wchar_t kSectionPrefix[] = L"{A085BD89-DDEA-49e4-B6F7-0F698238FF31}_";
const wchar_t kDumpExtension[] = L".dmp";
// Enough for a 64-bit number in any radix from 10 up, with its terminator.
const size_t kNumberCapacity = 24;

// Appends text; false when it does not fit (out is left as it was).
bool Append(wchar_t* out, size_t capacity, const wchar_t* text)
{
    return nosecure::wcscat_s(out, capacity, text) == 0;
}

bool AppendNumber(wchar_t* out, size_t capacity, unsigned long long number, int radix)
{
    wchar_t digits[kNumberCapacity] = {};
    return nosecure::_my_ui64tow_s(number, digits, kNumberCapacity, radix) == 0 && Append(out, capacity, digits);
}

// Appends name with its last "." replaced by "_".
bool AppendBaseName(wchar_t* out, size_t capacity, const wchar_t* name)
{
    const size_t start = std::wcslen(out);
    if (!Append(out, capacity, name))
        return false;
    if (wchar_t* dot = std::wcsrchr(out + start, L'.'))
        *dot = L'_';
    return true;
}

bool Fail(wchar_t* out, size_t capacity)
{
    if (out && capacity > 0)
        out[0] = L'\0';
    return false;
}

} // namespace

bool FormatCrashSectionName(DWORD processId, wchar_t* out, size_t capacity)
{
    if (!out || capacity == 0)
        return false;
    out[0] = L'\0';
    if (!Append(out, capacity, kSectionPrefix) || !AppendNumber(out, capacity, processId, 10))
        return Fail(out, capacity);
    return true;
}

bool FormatCrashDumpPath(const wchar_t* folder, const wchar_t* hostBaseName, DWORD processId,
                         unsigned long long secondsSince1970, wchar_t* out, size_t capacity)
{
    if (!out || capacity == 0 || !folder || !hostBaseName)
        return Fail(out, capacity);
    out[0] = L'\0';
    const bool built = Append(out, capacity, folder) && AppendBaseName(out, capacity, hostBaseName) &&
                       Append(out, capacity, L"_") && AppendNumber(out, capacity, processId, 10) &&
                       Append(out, capacity, L"_") && AppendNumber(out, capacity, secondsSince1970, 16) &&
                       Append(out, capacity, kDumpExtension);
    return built || Fail(out, capacity);
}
