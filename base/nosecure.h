#pragma once
#include <cstddef>

// Bounded copies that stand in for the C runtime's size-testing ones. Each tests the
// destination size first; when it does not suffice it writes one trace line
// ("Out of range on <name>!"), leaves the destination as it was and returns OutOfRange.
// Sizes count elements of the destination. Null pointers give InvalidArgument.
namespace nosecure {

constexpr int OutOfRange = 34;      // ERANGE
constexpr int InvalidArgument = 22; // EINVAL

int memcpy_s(void* dest, size_t destSize, const void* src, size_t count);
int wmemcpy_s(wchar_t* dest, size_t destSize, const wchar_t* src, size_t count);
int memmove_s(void* dest, size_t destSize, const void* src, size_t count);
int wmemmove_s(wchar_t* dest, size_t destSize, const wchar_t* src, size_t count);
int strcpy_s(char* dest, size_t destSize, const char* src);
int wcscpy_s(wchar_t* dest, size_t destSize, const wchar_t* src);
int wcscat_s(wchar_t* dest, size_t destSize, const wchar_t* src);
// Copies the smaller of count and the source length, then a terminating zero.
int wcsncpy_s(wchar_t* dest, size_t destSize, const wchar_t* src, size_t count);
// Appends at most count characters of the source, then a terminating zero.
int wcsncat_s(wchar_t* dest, size_t destSize, const wchar_t* src, size_t count);
// Returns the number of characters written, or -1 (text and terminator do not fit, or a bad format).
int my_swprintf_s(wchar_t* buffer, size_t size, const wchar_t* format, ...);
// Integer to text in radix 2..36; radix 10 writes a minus sign for negative signed values,
// other radixes write the value's two's-complement bits.
int _my_itow_s(int value, wchar_t* buffer, size_t size, int radix);
int _my_i64tow_s(long long value, wchar_t* buffer, size_t size, int radix);
int _my_ui64tow_s(unsigned long long value, wchar_t* buffer, size_t size, int radix);

} // namespace nosecure
