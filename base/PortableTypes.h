#pragma once
// The few Win32 types that plain logic works with. On Windows they come from the system
// headers; the native (Linux) build of that logic, which runs it under sanitizers and fuzzers,
// gets layout-equal stand-ins. Text stays std::wstring on both: each element holds one UTF-16
// code unit, also where wchar_t is 32 bits wide.
#ifdef _WIN32
#include <windows.h>
#else
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cwchar>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using BOOL = int;
using COLORREF = DWORD;

struct RECT
{
    LONG left, top, right, bottom;
};

struct POINT
{
    LONG x, y;
};

constexpr BYTE GetRValue(COLORREF colour) { return static_cast<BYTE>(colour); }
constexpr BYTE GetGValue(COLORREF colour) { return static_cast<BYTE>(colour >> 8); }
constexpr BYTE GetBValue(COLORREF colour) { return static_cast<BYTE>(colour >> 16); }
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}

// Formats in the C99 convention ("%ls" takes a wide string): the same text as on Windows for
// every format that takes no string argument.
inline int _vsnwprintf(wchar_t* buffer, std::size_t count, const wchar_t* format, va_list args)
{
    return std::vswprintf(buffer, count, format, args);
}

// Dialog style and registry type values that templates and stored settings carry.
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD REG_BINARY = 3;
// Path length limit and the platform ids of the system's version record.
constexpr DWORD MAX_PATH = 260;
constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
#endif
