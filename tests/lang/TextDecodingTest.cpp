#include <gtest/gtest.h>

#include "Utf8Cases.h"
#include "lang/TextDecoding.h"

namespace {

const unsigned char* Bytes(const std::string& text)
{
    return reinterpret_cast<const unsigned char*>(text.data());
}

} // namespace

TEST(TextDecoding, Utf8AsTheSystemConvertsIt)
{
    for (const Utf8Case& c : Utf8Cases())
        EXPECT_EQ(DecodeUtf8(Bytes(c.bytes), c.bytes.size()), c.units) << c.name;
}

TEST(TextDecoding, CompleteLengthDropsOnlyACutSequenceAtTheEnd)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        size_t complete;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"ascii", "abc", 3},
        {"whole two-byte", "a\xC3\xA4", 3},
        {"cut two-byte", "a\xC3", 1},
        {"cut three-byte after one", "a\xE2", 1},
        {"cut three-byte after two", "a\xE2\x82", 1},
        {"whole three-byte", "a\xE2\x82\xAC", 4},
        {"cut four-byte after three", "a\xF0\x9F\x98", 1},
        {"whole four-byte", "\xF0\x9F\x98\x80", 4},
        {"a lone lead at the end goes", "ab\xE9", 2},
        {"stray continuation stays", "ab\x80", 3},
        {"a cut surrogate goes too", "a\xED\xA0", 1},
        {"a lead before ascii stays", "a\xE2z", 3},
        {"too many continuation bytes stay", "\xC3\xA4\x80", 3},
        {"only a cut lead", "\xF0", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompleteUtf8Length(Bytes(c.bytes), c.bytes.size()), c.complete) << c.name;
}

TEST(TextDecoding, TextBytesByMark)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"utf-16 with mark", std::string("\xFF\xFE" "A\0B\0", 6), L"AB"},
        {"utf-16 odd byte", std::string("\xFF\xFE" "A\0B", 5), L"A"},
        {"utf-16 keeps nul", std::string("\xFF\xFE" "A\0\0\0B\0", 8), std::wstring(L"A\0B", 3)},
        {"utf-16 surrogates stay units", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), Units({0xD83D, 0xDE00})},
        {"utf-16 mark alone", "\xFF\xFE", L""},
        {"utf-8 ends at nul", std::string("ab\0cd", 5), L"ab"},
        {"utf-8 replacement", "a\xE9", Units({'a', 0xFFFD})},
        {"utf-8 mark stays", "\xEF\xBB\xBF" "AB", Units({0xFEFF, 'A', 'B'})},
    };
    for (const Case& c : cases)
    {
        std::wstring text = L"before";
        EXPECT_TRUE(DecodeTextBytes(Bytes(c.bytes), c.bytes.size(), text)) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }
    std::wstring text = L"before";
    EXPECT_FALSE(DecodeTextBytes(Bytes(""), 0, text));
    EXPECT_FALSE(DecodeTextBytes(nullptr, 3, text));
    EXPECT_EQ(text, L"before");
}
