#include <gtest/gtest.h>

#include "lang/FileStringBase.h"
#include "lang/LanguageParser.h"

namespace {

using Kind = LanguageLineKind;

LanguageTable Parse(const std::wstring& text)
{
    CFileStringBase source;
    source.setText(text);
    LanguageTable table;
    ParseLanguageText(source, table);
    return table;
}

} // namespace

TEST(LanguageParser, LineCases)
{
    struct Case
    {
        std::wstring line;
        Kind kind;
        std::wstring name;
        std::wstring value;
    };
    const Case cases[] = {
        {L"KEY=value", Kind::Pair, L"KEY", L"value"},
        {L"  KEY=  Hello  ", Kind::Pair, L"KEY", L"Hello"},
        {L"KEY =Hello", Kind::Pair, L"KEY ", L"Hello"},
        {L"KEY=a=b", Kind::Pair, L"KEY", L"a=b"},
        {L"=x", Kind::Pair, L"", L"x"},
        {L"KEY=", Kind::Pair, L"KEY", L""},
        {L"KEY=   ", Kind::Pair, L"KEY", L""},
        {L"\tKEY=x", Kind::Pair, L"\tKEY", L"x"},
        {L"KEY=x\t", Kind::Pair, L"KEY", L"x\t"},
        {L"KEY=value ; note", Kind::Pair, L"KEY", L"value ; note"},
        {L"A=line1\\nline2", Kind::Pair, L"A", L"line1\nline2"},
        {L"A=C:\\data", Kind::Pair, L"A", L"C:\\data"},
        {L"A=C:\\temp", Kind::Pair, L"A", L"C:\temp"},
        {L"A=\\\\n", Kind::Pair, L"A", L"\\\n"},
        {L"A=\\r\\n\\t\\x", Kind::Pair, L"A", L"\r\n\t\\x"},
        {L"K=x\r", Kind::Pair, L"K", L"x\r"},
        {L"\uFEFFKEY=x", Kind::Pair, L"\uFEFFKEY", L"x"},
        {L"[Sec]", Kind::Section, L"Sec", L""},
        {L"  [Sec] trailing", Kind::Section, L"Sec", L""},
        {L"[A]B]", Kind::Section, L"A]B", L""},
        {L"[ Spaced Name ]", Kind::Section, L" Spaced Name ", L""},
        {L"[]", Kind::Section, L"", L""},
        {L"[Sec", Kind::UnclosedSection, L"", L""},
        {L"\uFEFF[Sec]", Kind::NoEquals, L"", L""},
        {L"\uFEFF[Sec]=x", Kind::Pair, L"\uFEFF[Sec]", L"x"},
        {L"; comment = x", Kind::Comment, L"", L""},
        {L"   ;[Sec]", Kind::Comment, L"", L""},
        {L"!!!NEW STRINGS!!!", Kind::NoEquals, L"", L""},
        {L"", Kind::Blank, L"", L""},
        {L"     ", Kind::Blank, L"", L""},
        {L"\t", Kind::NoEquals, L"", L""},
    };
    for (const Case& c : cases)
    {
        const LanguageLine read = ReadLanguageLine(c.line);
        EXPECT_EQ(read.kind, c.kind) << c.line.c_str();
        EXPECT_EQ(read.name, c.name) << c.line.c_str();
        EXPECT_EQ(read.value, c.value) << c.line.c_str();
    }
}

TEST(LanguageParser, EscapesOnlyInValues)
{
    EXPECT_EQ(ExpandEscapes(L"a\\tb\\rc\\nd"), L"a\tb\rc\nd");
    EXPECT_EQ(ExpandEscapes(L"\\"), L"\\");
    EXPECT_EQ(ExpandEscapes(L"\\\\t"), L"\\\t");
    EXPECT_EQ(ReadLanguageLine(L"K\\n=v").name, L"K\\n");
}

TEST(LanguageParser, SectionsKeysAndRepeats)
{
    const LanguageTable table = Parse(L"before=0\n"
                                      L"[A]\n"
                                      L"k=1\n"
                                      L"k=2\n"
                                      L"[B]\n"
                                      L"k=3\n"
                                      L"[Broken\n"
                                      L"m=4\n"
                                      L"[A]\n"
                                      L"n=5\n"
                                      L"[Empty]\n"
                                      L"[a]\n"
                                      L"k=6\n");
    const LanguageTable expected = {
        {L"", {{L"before", L"0"}}},
        {L"A", {{L"k", L"2"}, {L"n", L"5"}}},
        {L"B", {{L"k", L"3"}, {L"m", L"4"}}},
        {L"a", {{L"k", L"6"}}},
    };
    EXPECT_EQ(table, expected);
}

TEST(LanguageParser, LineEndsParseAlike)
{
    const LanguageTable expected = {{L"S", {{L"A", L"1"}, {L"B", L"2"}}}};
    for (const wchar_t* text : {L"[S]\r\nA=1\r\nB=2\r\n", L"[S]\nA=1\nB=2\n", L"[S]\nA=1\r\nB=2", L"[S]\r\nA=1\r\nB=2"})
        EXPECT_EQ(Parse(text), expected) << text;
    // Carriage returns alone end no line: the whole text is one header line.
    EXPECT_EQ(Parse(L"[S]\rA=1\rB=2\r"), LanguageTable());
}

TEST(LanguageParser, ByteOrderMarkHidesAFirstHeader)
{
    const LanguageTable hidden = Parse(L"\uFEFF[XJNTrayNotifications]\r\nK=v\r\n");
    EXPECT_EQ(hidden, (LanguageTable{{L"", {{L"K", L"v"}}}}));
    const LanguageTable behindEmptyLine = Parse(L"\uFEFF\r\n[XJNTrayNotifications]\r\nK=v\r\n");
    EXPECT_EQ(behindEmptyLine, (LanguageTable{{L"XJNTrayNotifications", {{L"K", L"v"}}}}));
}

TEST(LanguageParser, ParsingRewindsAndAddsToTheTable)
{
    CFileStringBase source;
    source.setText(L"[S]\nA=1\n");
    std::wstring line;
    source.readLine(line);
    LanguageTable table = {{L"S", {{L"Z", L"9"}}}};
    ParseLanguageText(source, table);
    EXPECT_EQ(table, (LanguageTable{{L"S", {{L"A", L"1"}, {L"Z", L"9"}}}}));
}

TEST(LanguageParser, ZeroCharactersInUtf16StayInTheirLine)
{
    const LanguageTable table = Parse(std::wstring(L"[S]\nK=a\0b\nL=c\n", 15));
    EXPECT_EQ(table.at(L"S").at(L"K"), std::wstring(L"a\0b", 3));
    EXPECT_EQ(table.at(L"S").at(L"L"), L"c");
}

TEST(LanguageParser, BuilderReportsTheCurrentSection)
{
    LanguageTable table;
    LanguageTableBuilder builder(table);
    EXPECT_EQ(builder.CurrentSection(), L"");
    builder.Feed(L"[X] y");
    EXPECT_EQ(builder.CurrentSection(), L"X");
    builder.Feed(L"[Y");
    EXPECT_EQ(builder.CurrentSection(), L"X");
    EXPECT_TRUE(table.empty()); // a header alone makes no section
    EXPECT_EQ(builder.Feed(L"k=v").kind, LanguageLineKind::Pair);
    EXPECT_EQ(table.at(L"X").at(L"k"), L"v");
}

TEST(LanguageParser, MergingAddsAndReplaces)
{
    LanguageTable into = {{L"A", {{L"k", L"1"}, {L"m", L"2"}}}};
    MergeLanguageTable(LanguageTable{{L"A", {{L"k", L"3"}}}, {L"B", {{L"n", L"4"}}}}, into);
    EXPECT_EQ(into, (LanguageTable{{L"A", {{L"k", L"3"}, {L"m", L"2"}}}, {L"B", {{L"n", L"4"}}}}));
    LanguageTable empty;
    MergeLanguageTable(LanguageTable(into), empty);
    EXPECT_EQ(empty, into);
}
