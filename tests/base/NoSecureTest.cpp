#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

#include "base/nosecure.h"
#include "support/TraceCapture.h"

namespace {

using testsupport::TraceCapture;

// The trace line a refused copy wrote, or an empty string.
std::wstring LastMessage(const TraceCapture& capture)
{
    return capture.Records().empty() ? std::wstring() : capture.Records().back().message;
}

} // namespace

TEST(NoSecure, StringCopiesTestTheTerminator)
{
    struct Case
    {
        size_t size;
        const wchar_t* source;
        int result;
    };
    const Case cases[] = {{5, L"abcde", 34}, {6, L"abcde", 0}, {1, L"", 0}, {0, L"", 34}};
    for (const Case& c : cases)
    {
        TraceCapture capture;
        wchar_t buffer[8];
        std::wmemset(buffer, L'#', 8);
        EXPECT_EQ(nosecure::wcscpy_s(buffer, c.size, c.source), c.result) << c.size << c.source;
        if (c.result == 0)
        {
            EXPECT_STREQ(buffer, c.source);
            EXPECT_TRUE(capture.Records().empty());
        }
        else
        {
            EXPECT_EQ(buffer[0], L'#'); // left as it was
            EXPECT_EQ(LastMessage(capture), L"Out of range on wcscpy_s!");
            EXPECT_EQ(capture.Records().back().source, L".\\nosecure");
            EXPECT_EQ(capture.Records().back().type, TRACE_ERROR);
        }
    }
}

TEST(NoSecure, NarrowCopy)
{
    TraceCapture capture;
    char buffer[4] = "xyz";
    EXPECT_EQ(nosecure::strcpy_s(buffer, 4, "abcd"), 34);
    EXPECT_STREQ(buffer, "xyz");
    EXPECT_EQ(LastMessage(capture), L"Out of range on strcpy_s!");
    EXPECT_EQ(nosecure::strcpy_s(buffer, 4, "abc"), 0);
    EXPECT_STREQ(buffer, "abc");
}

TEST(NoSecure, Concatenation)
{
    TraceCapture capture;
    wchar_t buffer[6] = L"abc";
    EXPECT_EQ(nosecure::wcscat_s(buffer, 6, L"def"), 34);
    EXPECT_STREQ(buffer, L"abc");
    EXPECT_EQ(LastMessage(capture), L"Out of range on wcscat_s!");
    EXPECT_EQ(nosecure::wcscat_s(buffer, 6, L"de"), 0);
    EXPECT_STREQ(buffer, L"abcde");

    // A destination without a terminator inside its size is refused, not read past its end.
    wchar_t full[3] = {L'a', L'b', L'c'};
    EXPECT_EQ(nosecure::wcscat_s(full, 3, L""), 34);
}

TEST(NoSecure, CountedCopyAndConcatenation)
{
    TraceCapture capture;
    wchar_t buffer[4];
    EXPECT_EQ(nosecure::wcsncpy_s(buffer, 4, L"abcdef", 3), 0);
    EXPECT_STREQ(buffer, L"abc");
    EXPECT_EQ(nosecure::wcsncpy_s(buffer, 4, L"ab", 10), 0);
    EXPECT_STREQ(buffer, L"ab");
    EXPECT_EQ(nosecure::wcsncpy_s(buffer, 4, L"abcdef", 4), 34);
    EXPECT_STREQ(buffer, L"ab");
    EXPECT_EQ(LastMessage(capture), L"Out of range on wcsncpy_s!");

    EXPECT_EQ(nosecure::wcsncat_s(buffer, 4, L"xyz", 1), 0);
    EXPECT_STREQ(buffer, L"abx");
    EXPECT_EQ(nosecure::wcsncat_s(buffer, 4, L"xyz", 1), 34);
    EXPECT_STREQ(buffer, L"abx");
}

TEST(NoSecure, MemoryCopies)
{
    struct Case
    {
        const char* name;
        int (*copy)(void*, size_t, const void*, size_t);
    };
    const Case cases[] = {{"memcpy_s", nosecure::memcpy_s}, {"memmove_s", nosecure::memmove_s}};
    for (const Case& c : cases)
    {
        TraceCapture capture;
        char buffer[4] = {'w', 'x', 'y', 'z'};
        EXPECT_EQ(c.copy(buffer, 3, "abcd", 4), 34) << c.name;
        EXPECT_EQ(std::memcmp(buffer, "wxyz", 4), 0) << c.name;
        EXPECT_EQ(LastMessage(capture), L"Out of range on " + std::wstring(c.name, c.name + std::strlen(c.name)) + L"!");
        EXPECT_EQ(c.copy(buffer, 4, "abcd", 4), 0) << c.name;
        EXPECT_EQ(std::memcmp(buffer, "abcd", 4), 0) << c.name;
    }

    TraceCapture capture;
    wchar_t wide[3] = L"ab";
    EXPECT_EQ(nosecure::wmemcpy_s(wide, 2, L"xyz", 3), 34);
    EXPECT_EQ(LastMessage(capture), L"Out of range on wmemcpy_s!");
    EXPECT_EQ(nosecure::wmemmove_s(wide, 2, L"xyz", 3), 34);
    EXPECT_EQ(LastMessage(capture), L"Out of range on wmemmove_s!");
    EXPECT_EQ(nosecure::wmemmove_s(wide + 1, 2, wide, 2), 0); // overlapping move
    EXPECT_EQ(std::wstring(wide, 3), std::wstring(L"aab", 3));
}

TEST(NoSecure, NullPointersAreRefusedSafely)
{
    TraceCapture capture;
    wchar_t buffer[4] = L"ab";
    EXPECT_EQ(nosecure::wcscpy_s(nullptr, 4, L"a"), 22);
    EXPECT_EQ(nosecure::wcscpy_s(buffer, 4, nullptr), 22);
    EXPECT_EQ(nosecure::wcscat_s(buffer, 4, nullptr), 22);
    EXPECT_EQ(nosecure::memcpy_s(nullptr, 4, "a", 1), 22);
    EXPECT_EQ(nosecure::memcpy_s(nullptr, 0, nullptr, 0), 0);
    EXPECT_EQ(nosecure::my_swprintf_s(buffer, 4, nullptr), -1);
    EXPECT_STREQ(buffer, L"ab");
}

TEST(NoSecure, FormattingNeedsRoomForTheTerminator)
{
    TraceCapture capture;
    wchar_t buffer[6] = L"old";
    EXPECT_EQ(nosecure::my_swprintf_s(buffer, 6, L"%s%d", L"ab", 123), 5);
    EXPECT_STREQ(buffer, L"ab123");
    EXPECT_EQ(nosecure::my_swprintf_s(buffer, 6, L"%s%d", L"ab", 1234), -1);
    EXPECT_STREQ(buffer, L"ab123");
    EXPECT_EQ(LastMessage(capture), L"Out of range on my_swprintf_s!");
}

TEST(NoSecure, IntegersToText)
{
    struct Case
    {
        const char* name;
        int result;
        const wchar_t* text;
        const wchar_t* message;
        int (*convert)(wchar_t*, size_t);
    };
    const Case cases[] = {
        {"itow -123 r10 size 5", 0, L"-123", nullptr,
         [](wchar_t* b, size_t n) { return nosecure::_my_itow_s(-123, b, n, 10); }},
        {"itow -123 r10 size 4", 34, nullptr, L"Out of range on _my_itow_s!",
         [](wchar_t* b, size_t n) { return nosecure::_my_itow_s(-123, b, n - 1, 10); }},
        {"itow 255 r16", 0, L"ff", nullptr, [](wchar_t* b, size_t n) { return nosecure::_my_itow_s(255, b, n, 16); }},
        {"itow -1 r16", 0, L"ffffffff", nullptr,
         [](wchar_t* b, size_t n) { return nosecure::_my_itow_s(-1, b, n, 16); }},
        {"itow 0 r2", 0, L"0", nullptr, [](wchar_t* b, size_t n) { return nosecure::_my_itow_s(0, b, n, 2); }},
        {"itow min r10", 0, L"-2147483648", nullptr,
         [](wchar_t* b, size_t n) { return nosecure::_my_itow_s(-2147483647 - 1, b, n, 10); }},
        {"i64tow min r10", 0, L"-9223372036854775808", nullptr,
         [](wchar_t* b, size_t n) { return nosecure::_my_i64tow_s(-9223372036854775807LL - 1, b, n, 10); }},
        {"i64tow small buffer", 34, nullptr, L"Out of range on _my_i64tow_s!",
         [](wchar_t* b, size_t) { return nosecure::_my_i64tow_s(100, b, 3, 10); }},
        {"ui64tow max r36", 0, L"3w5e11264sgsf", nullptr,
         [](wchar_t* b, size_t n) { return nosecure::_my_ui64tow_s(~0ULL, b, n, 36); }},
        {"ui64tow exact fit", 0, L"100", nullptr,
         [](wchar_t* b, size_t) { return nosecure::_my_ui64tow_s(100, b, 4, 10); }},
        {"ui64tow one short", 34, nullptr, L"Out of range on _my_ui64tow_s!",
         [](wchar_t* b, size_t) { return nosecure::_my_ui64tow_s(1000, b, 4, 10); }},
        {"bad radix", 22, nullptr, nullptr, [](wchar_t* b, size_t n) { return nosecure::_my_itow_s(5, b, n, 1); }},
    };
    for (const Case& c : cases)
    {
        TraceCapture capture;
        wchar_t buffer[32] = L"untouched";
        EXPECT_EQ(c.convert(buffer, 5 + (c.text ? std::wcslen(c.text) : 0)), c.result) << c.name;
        EXPECT_STREQ(buffer, c.text ? c.text : L"untouched") << c.name;
        if (c.message)
        {
            EXPECT_EQ(LastMessage(capture), c.message) << c.name;
        }
    }
}
