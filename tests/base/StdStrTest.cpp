#include <gtest/gtest.h>

#include "base/BaseException.h"
#include "base/StdStr.h"

TEST(StdStr, ConvertsBetweenUtf8AndUtf16BothWays)
{
    const std::string utf8 = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"; // a, a-umlaut, euro sign, an emoji
    const stdstr wide = stdstr::toUNICODE(utf8);
    EXPECT_EQ(wide, std::wstring(L"a\u00E4\u20AC\U0001F600"));
    EXPECT_EQ(stdstr::fromUNICODE(wide, CP_UTF8), utf8);
    EXPECT_EQ(stdstr::toTString(utf8.c_str()), wide);
    EXPECT_EQ(stdstr::fromTString(wide.c_str(), CP_UTF8), utf8);
    EXPECT_EQ(stdstr::fromUNICODE(L"\u00E4", CP_UTF8), "\xC3\xA4");
}

TEST(StdStr, EmptyAndNullInputsConvertToEmptyStrings)
{
    EXPECT_EQ(stdstr::fromUNICODE(L"", CP_UTF8), "");
    EXPECT_EQ(stdstr::toUNICODE(""), L"");
    EXPECT_EQ(stdstr::toTString(nullptr), L"");
    EXPECT_EQ(stdstr::fromTString(nullptr, CP_UTF8), "");
}

TEST(StdStr, ConversionFailureThrowsStructuredMessage)
{
    // Code page 42 (the symbol code page) is refused by WideCharToMultiByte with flags 0.
    try
    {
        stdstr::fromUNICODE(L"x", 42);
        FAIL() << "no exception";
    }
    catch (const BaseException& e)
    {
        EXPECT_NE(e.GetErrorCode(), BaseException::NoErrorCode);
        EXPECT_EQ(e.GetFile(), L".\\std string");
        EXPECT_EQ(e.GetMessage().rfind(L"FWFuncFailed##WideCharToMultiByte##", 0), 0u) << e.GetMessage().c_str();
        EXPECT_EQ(e.GetFullMessage().rfind(L"stdstr::fromUNICODE() - FWFuncFailed##", 0), 0u);
    }
}

TEST(StdStr, NullPointerAssignsEmpty)
{
    stdstr text(L"old");
    text = static_cast<const wchar_t*>(nullptr);
    EXPECT_TRUE(text.empty());
    EXPECT_TRUE(stdstr(static_cast<const wchar_t*>(nullptr)).empty());
}

TEST(StdStr, FormatUsesWideStringsAndCutsAt32767)
{
    stdstr text;
    EXPECT_EQ(text.Format(L"%s=%d", L"x", 5), L"x=5");
    EXPECT_EQ(text.Format(nullptr), L"");
    const std::wstring big(40000, L'q');
    text.Format(L"%s", big.c_str());
    EXPECT_EQ(text.size(), 32767u);
    EXPECT_EQ(text, big.substr(0, 32767));
}

TEST(StdStr, Trimming)
{
    struct Case
    {
        const wchar_t* text;
        const wchar_t* left;
        const wchar_t* right;
        const wchar_t* both;
        const wchar_t* withBreaks;
    };
    const Case cases[] = {
        {L"   ", L"", L"", L"", L""},
        {L"", L"", L"", L"", L""},
        {L"\tx ", L"\tx ", L"\tx", L"\tx", L"\tx"},
        {L"  a b  ", L"a b  ", L"  a b", L"a b", L"a b"},
        {L"\r\n a \r\n", L"\r\n a \r\n", L"\r\n a \r\n", L"\r\n a \r\n", L"a"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(stdstr(c.text).TrimLeft(L" "), c.left) << c.text;
        EXPECT_EQ(stdstr(c.text).TrimRight(L" "), c.right) << c.text;
        EXPECT_EQ(stdstr(c.text).Trim(false), c.both) << c.text;
        EXPECT_EQ(stdstr(c.text).Trim(true), c.withBreaks) << c.text;
    }
}

TEST(StdStr, Replacing)
{
    EXPECT_EQ(stdstr(L"aaa").ReplaceAll(L"a", L"aa"), L"aaaaaa"); // resumes behind the inserted text
    EXPECT_EQ(stdstr(L"x--y--").ReplaceAll(L"--", L"+"), L"x+y+");
    EXPECT_EQ(stdstr(L"abc").ReplaceAll(L"", L"z"), L"abc");
    EXPECT_EQ(stdstr(L"a/b/c").ReplaceChar(L'/', L'\\'), L"a\\b\\c");
    EXPECT_EQ(stdstr(L"a\\nb\\n").ReplaceWithChar(L"\\n", L'\n'), L"a\nb\n");
}

TEST(StdStr, CaseChanges)
{
    EXPECT_EQ(stdstr(L"MiXed 1-Z").ToLower(), L"mixed 1-z");
    EXPECT_EQ(stdstr(L"MiXed 1-z").ToUpper(), L"MIXED 1-Z");
}

TEST(StdStr, SplitDropsEmptyTokens)
{
    struct Case
    {
        const wchar_t* text;
        const wchar_t* set;
        std::vector<std::wstring> tokens;
    };
    const Case cases[] = {
        {L",a,,b,", L",", {L"a", L"b"}},
        {L"a b;c", L" ;", {L"a", L"b", L"c"}},
        {L"", L",", {}},
        {L",,,", L",", {}},
        {L"abc", L",", {L"abc"}},
    };
    for (const Case& c : cases)
    {
        const std::vector<stdstr> tokens = stdstr(c.text).Split(c.set);
        EXPECT_EQ(std::vector<std::wstring>(tokens.begin(), tokens.end()), c.tokens) << c.text;
    }
}
