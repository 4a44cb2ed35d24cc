#pragma once
#include <string>
#include <vector>

// UTF-8 byte strings and the UTF-16 code units the system's conversion (flags 0) makes of them.
// The expected text is written as code units, so that it reads the same where wchar_t is 32 bits.
struct Utf8Case
{
    const char* name;
    std::string bytes;
    std::wstring units;
};

inline std::wstring Units(std::initializer_list<unsigned> units)
{
    std::wstring text;
    for (unsigned unit : units)
        text += static_cast<wchar_t>(unit);
    return text;
}

inline std::vector<Utf8Case> Utf8Cases()
{
    const unsigned R = 0xFFFD;
    return {
        {"ascii", "Ab1", Units({'A', 'b', '1'})},
        {"nul is converted", std::string("a\0b", 3), Units({'a', 0, 'b'})},
        {"two bytes", "\xC3\xA4", Units({0xE4})},
        {"three bytes", "\xE2\x82\xAC", Units({0x20AC})},
        {"byte-order mark", "\xEF\xBB\xBF" "A", Units({0xFEFF, 'A'})},
        {"four bytes", "\xF0\x9F\x98\x80", Units({0xD83D, 0xDE00})},
        {"highest code point", "\xF4\x8F\xBF\xBF", Units({0xDBFF, 0xDFFF})},
        {"stray continuation", "a\x80z", Units({'a', R, 'z'})},
        {"two stray continuations", "\x80\xBF", Units({R, R})},
        {"single-byte code page", "caf\xE9", Units({'c', 'a', 'f', R})},
        {"latin-1 letter before ascii", "\xE9t\xE9", Units({R, 't', R})},
        {"overlong two bytes", "\xC0\x80", Units({R, R})},
        {"overlong C1", "\xC1\xBF", Units({R, R})},
        {"overlong three bytes", "\xE0\x80\x80", Units({R, R})},
        {"overlong four bytes", "\xF0\x80\x80\x80", Units({R, R, R})},
        {"surrogate", "\xED\xA0\x80", Units({R, R})},
        {"low surrogate", "\xED\xBF\xBF", Units({R, R})},
        {"above U+10FFFF", "\xF4\x90\x80\x80", Units({R, R, R})},
        {"F5 lead", "\xF5\x80\x80\x80", Units({R, R, R, R})},
        {"FF and FE", "\xFF\xFE", Units({R, R})},
        {"cut two-byte at end", "a\xC3", Units({'a', R})},
        {"cut three-byte at end", "a\xE2\x82", Units({'a', R})},
        {"cut four-byte at end", "a\xF0\x9F\x98", Units({'a', R})},
        {"cut three-byte before ascii", "\xE2\x82z", Units({R, 'z'})},
        {"cut four-byte before ascii", "\xF0\x9F\x98z", Units({R, 'z'})},
        {"lead before lead", "\xE2\xC3\xA4", Units({R, 0xE4})},
        {"wrong second byte of E0", "\xE0\x9F\x80", Units({R, R})},
        {"cut lead takes the rest", "\xF4\x90", Units({R})},
        {"cut lead takes an ascii byte", "a\xE2z", Units({'a', R})},
        {"lead before two ascii bytes", "\xE2zz", Units({R, 'z', 'z'})},
        {"five-byte form", "\xF8\x88\x80\x80\x80", Units({R, R, R, R, R})},
        {"big-endian utf-16", std::string("\xFE\xFF\0A", 4), Units({R, R, 0, 'A'})},
    };
}
