// The portable UTF-8 decoder against the system's own conversion, which it stands in for.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

#include "Utf8Cases.h"
#include "lang/TextDecoding.h"

namespace {

std::wstring SystemUtf8(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    const int needed = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], needed);
    return text;
}

std::wstring PortableUtf8(const std::string& bytes)
{
    return DecodeUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

} // namespace

TEST(TextDecodingSystem, TheTableIsWhatTheSystemMakes)
{
    for (const Utf8Case& c : Utf8Cases())
        EXPECT_EQ(SystemUtf8(c.bytes), c.units) << c.name;
}

// Short strings drawn mostly from the bytes where sequences start, end and go wrong.
TEST(TextDecodingSystem, AgreesOnManyMixedByteStrings)
{
    const unsigned char picks[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2,
                                   0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5,
                                   0xF8, 0xFE, 0xFF};
    std::uint32_t state = 12345;
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    };
    int disagreements = 0;
    for (int round = 0; round < 50000 && disagreements < 10; ++round)
    {
        std::string bytes(1 + next() % 8, '\0');
        for (char& b : bytes)
            b = static_cast<char>(next() % 4 == 0 ? next() & 0xFF : picks[next() % sizeof(picks)]);
        if (SystemUtf8(bytes) != PortableUtf8(bytes))
        {
            ++disagreements;
            std::string hex;
            for (unsigned char b : bytes)
                hex += "0123456789ABCDEF"[b >> 4], hex += "0123456789ABCDEF"[b & 15], hex += ' ';
            ADD_FAILURE() << "bytes " << hex;
        }
    }
}
