#include <gtest/gtest.h>

#include <vector>

#include "lang/FileStringBase.h"

namespace {

std::vector<std::wstring> AllLines(CFileStringBase& text)
{
    std::vector<std::wstring> lines;
    std::wstring line;
    while (text.readLine(line))
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(FileStringBase, ReadsLinesAtLineFeeds)
{
    struct Case
    {
        std::wstring text;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {L"a\r\nb\nc", {L"a", L"b", L"c"}},
        {L"a\n", {L"a"}},
        {L"", {}},
        {L"\n", {L""}},
        {L"\r\n", {L""}},
        {L"a\rb\n", {L"a\rb"}},
        {L"a\r\r\nb", {L"a\r", L"b"}},
        {L"\n\nx", {L"", L"", L"x"}},
        {std::wstring(L"a\0b\nc", 5), {std::wstring(L"a\0b", 3), L"c"}},
    };
    for (const Case& c : cases)
    {
        CFileStringBase text;
        text.setText(c.text);
        EXPECT_EQ(AllLines(text), c.lines);
    }
}

TEST(FileStringBase, EndLeavesTheLineAloneAndRewindReadsAgain)
{
    CFileStringBase text;
    text.setText(L"one\ntwo");
    std::wstring line = L"kept";
    EXPECT_EQ(AllLines(text).size(), 2u);
    EXPECT_FALSE(text.readLine(line));
    EXPECT_EQ(line, L"kept");
    text.setPosition(4);
    ASSERT_TRUE(text.readLine(line));
    EXPECT_EQ(line, L"two");
    text.setPosition(100);
    EXPECT_FALSE(text.readLine(line));
}

TEST(FileStringBase, AppendKeepsThePositionAndLengthStopsAtNul)
{
    CFileStringBase text;
    text.setText(L"a\n");
    std::wstring line;
    ASSERT_TRUE(text.readLine(line));
    text.appendText(L"b");
    ASSERT_TRUE(text.readLine(line));
    EXPECT_EQ(line, L"b");
    text.setText(std::wstring(L"ab\0cd", 5));
    EXPECT_EQ(text.getTextLength(), 2u);
    EXPECT_EQ(text.getText().size(), 5u);
}
