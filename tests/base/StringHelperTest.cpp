#include <gtest/gtest.h>

#include "base/StringHelper.h"

TEST(StringHelper, FormatsAnyLength)
{
    const std::wstring big(50000, L'z');
    EXPECT_EQ(StringHelper::stringFmt(L"%s!", big.c_str()), big + L"!");
    EXPECT_EQ(StringHelper::stringFmt(L"%d-%s", 7, L"x"), L"7-x");
}

TEST(StringHelper, NullFormatDegradesToFixedText)
{
    EXPECT_EQ(StringHelper::stringFmt(nullptr), L"StringHelper::stringFmt() - Invalid message format : ");
}

TEST(StringHelper, ReplaceReturnsChangedCopy)
{
    const std::wstring text = L"one two one";
    EXPECT_EQ(StringHelper::Replace(text, L"one", L"1"), L"1 two 1");
    EXPECT_EQ(text, L"one two one");
}

TEST(StringHelper, EscapeQuotesDoublesQuotesThenBackslashes)
{
    EXPECT_EQ(StringHelper::EscapeQuotes(L"a\"b\\c"), L"a\"\"b\\\\c");
}
