#include <gtest/gtest.h>

#include <algorithm>

#include "base/Path.h"
#include "base/StdStr.h"
#include "lang/LanguageFileCheck.h"
#include "lang/ResourceString.h"

namespace {

const wchar_t kSection[] = L"XJNTrayNotifications";

const LanguageSection& Reference()
{
    static const LanguageSection reference = [] {
        CResourceString builtIn;
        builtIn.loadResource(L"DEFAULTENGLANG", 237);
        LanguageTable table;
        ParseLanguageText(builtIn, table);
        return table[kSection];
    }();
    return reference;
}

// A complete, clean file: the built-in section's keys, each with a value, plus what is given.
std::string CleanFile(const std::string& extraLines = "", const std::string& head = "\xEF\xBB\xBF\r\n")
{
    std::string text = head + "[XJNTrayNotifications]\r\n";
    for (const auto& entry : Reference())
        text += stdstr::fromUNICODE(entry.first, CP_UTF8) + "=x\r\n";
    return text + extraLines;
}

bool Finds(const LanguageFileReport& report, CheckSeverity severity, unsigned line, const std::wstring& part)
{
    return std::any_of(report.findings.begin(), report.findings.end(), [&](const CheckFinding& finding) {
        return finding.severity == severity && finding.line == line && finding.text.find(part) != std::wstring::npos;
    });
}

std::wstring Dump(const LanguageFileReport& report)
{
    std::wstring text = report.encoding + L" / " + report.lineEnds + L"\n";
    for (const CheckFinding& finding : report.findings)
        text += std::to_wstring(static_cast<int>(finding.severity)) + L" (" + std::to_wstring(finding.line) + L") " +
                finding.text + L"\n";
    return text;
}

} // namespace

TEST(LanguageFileCheck, CleanFileHasNoFindings)
{
    const LanguageFileReport report = CheckLanguageFile(CleanFile(), Reference(), kSection);
    EXPECT_TRUE(report.findings.empty()) << Dump(report).c_str();
    EXPECT_EQ(report.encoding, L"UTF-8 with byte-order mark");
    EXPECT_EQ(report.lineEnds, L"CRLF");
}

TEST(LanguageFileCheck, FindsEachFault)
{
    const size_t keys = Reference().size();
    const unsigned after = static_cast<unsigned>(keys) + 3; // first line behind the clean file
    struct Case
    {
        const char* name;
        std::string bytes;
        CheckSeverity severity;
        unsigned line;
        std::wstring part;
    };
    const Case cases[] = {
        {"mark hides header", CleanFile("", "\xEF\xBB\xBF"), CheckSeverity::Problem, 1, L"hides the section header"},
        {"mark hides key", "\xEF\xBB\xBFXJNS_A=1\r\n" + CleanFile("", ""), CheckSeverity::Problem, 1,
         L"hides the key XJNS_A"},
        {"no equals", CleanFile("XJNS_SHUTDOWN_YES Cancel\r\n"), CheckSeverity::Warning, after, L"no \"=\""},
        {"unclosed header", CleanFile("[Other\r\n"), CheckSeverity::Warning, after, L"\"[\" without \"]\""},
        {"repeated key, other value", CleanFile("XJNS_SHUTDOWN_YES=y\r\n"), CheckSeverity::Problem, after,
         L"repeats in [XJNTrayNotifications] (line "},
        {"repeated key, same value", CleanFile("XJNS_SHUTDOWN_YES=x\r\n"), CheckSeverity::Warning, after,
         L"with the same value"},
        {"trailing blank in key", CleanFile("XJNS_A =1\r\n"), CheckSeverity::Problem, after, L"\"XJNS_A \" has blanks"},
        {"leading tab in key", CleanFile("\tXJNS_A=1\r\n"), CheckSeverity::Problem, after,
         L"\"<TAB>XJNS_A\" has blanks"},
        {"extra key", CleanFile("XJNS_EXTRA=1\r\n"), CheckSeverity::Warning, after, L"\"XJNS_EXTRA\" is no key"},
        {"stray backslash", CleanFile("XJNS_PATH=C:\\data\r\n"), CheckSeverity::Warning, after,
         L"keeps a backslash that is no escape"},
        {"doubled backslash", CleanFile("XJNS_PATH=a\\\\n\r\n"), CheckSeverity::Warning, after,
         L"keeps a backslash"},
        {"empty value", CleanFile("XJNS_SHUTDOWN_NO=\r\n"), CheckSeverity::Problem, after,
         L"XJNS_SHUTDOWN_NO has an empty value"},
        {"empty key", CleanFile("=1\r\n"), CheckSeverity::Warning, after, L"empty key"},
        {"zero byte", CleanFile(std::string("A=1\0B=2\r\n", 9)), CheckSeverity::Problem, 0, L"a zero byte at"},
        {"lone carriage returns", CleanFile("A=1\rB=2\r\n"), CheckSeverity::Problem, after, L"lone CR"},
        {"empty file", "", CheckSeverity::Problem, 0, L"the file is empty"},
        {"nothing but a mark", "\xEF\xBB\xBF", CheckSeverity::Problem, 0, L"the file holds no text"},
        {"headers only", "\xEF\xBB\xBF\r\n[XJNTrayNotifications]\r\n", CheckSeverity::Problem, 0,
         L"the file holds no text"},
        {"utf-16 big-endian", std::string("\xFE\xFF\0[", 4), CheckSeverity::Problem, 0, L"UTF-16 big-endian"},
        {"single-byte code page", CleanFile("XJNS_A=caf\xE9\r\n"), CheckSeverity::Problem, 0,
         L"is not UTF-8 (another code page?): such bytes show as the replacement character"},
        {"odd utf-16 byte", std::string("\xFF\xFE" "A\0B", 5), CheckSeverity::Warning, 0, L"odd last byte"},
    };
    for (const Case& c : cases)
    {
        const LanguageFileReport report = CheckLanguageFile(c.bytes, Reference(), kSection);
        EXPECT_TRUE(Finds(report, c.severity, c.line, c.part)) << c.name << "\n" << Dump(report).c_str();
        EXPECT_EQ(report.HasProblems(), c.severity == CheckSeverity::Problem || report.Count(CheckSeverity::Problem) > 0)
            << c.name;
    }
}

TEST(LanguageFileCheck, MissingKeysAndSectionAreProblems)
{
    std::string text = CleanFile();
    const size_t cut = text.find("XJNS_SHUTDOWN_YES=x\r\n");
    text.erase(cut, 21);
    LanguageFileReport report = CheckLanguageFile(text, Reference(), kSection);
    EXPECT_TRUE(Finds(report, CheckSeverity::Problem, 0, L"key XJNS_SHUTDOWN_YES is missing")) << Dump(report).c_str();
    EXPECT_EQ(report.Count(CheckSeverity::Problem), 1u);

    report = CheckLanguageFile("\r\n[xjntraynotifications]\r\nXJNS_SHUTDOWN_YES=x\r\n", Reference(), kSection);
    EXPECT_TRUE(Finds(report, CheckSeverity::Problem, 0, L"section [XJNTrayNotifications] has no keys"));
    EXPECT_EQ(report.Count(CheckSeverity::Problem), 1 + Reference().size());
}

TEST(LanguageFileCheck, HarmlessThingsAreNoProblems)
{
    const std::string text = CleanFile("; a comment\r\n\r\n   \r\n[XJNMainGUI]\r\n!!!NEW STRINGS!!!\r\n"
                                       "[XJNTrayNotifications]\r\nXJNS_NOTE=a\\nb\\tc\r\n",
                                       "\xEF\xBB\xBF; hidden comment\r\n");
    const LanguageFileReport report = CheckLanguageFile(text, Reference(), kSection);
    EXPECT_FALSE(report.HasProblems()) << Dump(report).c_str();
    const unsigned marker = static_cast<unsigned>(Reference().size()) + 7;
    EXPECT_TRUE(Finds(report, CheckSeverity::Note, marker, L"!!!NEW STRINGS!!!")) << Dump(report).c_str();
    EXPECT_TRUE(std::any_of(report.findings.begin(), report.findings.end(),
                            [](const CheckFinding& f) { return f.text.find(L"again") != std::wstring::npos; }));
}

TEST(LanguageFileCheck, EncodingsAndLineEndsAreNamed)
{
    const std::string utf8 = CleanFile("", "\r\n");
    std::string utf16("\xFF\xFE", 2);
    const stdstr wide = stdstr::toUNICODE(utf8);
    for (wchar_t c : wide)
    {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    std::string lf = utf8;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    struct Case
    {
        std::string bytes;
        const wchar_t* encoding;
        const wchar_t* lineEnds;
    };
    const Case cases[] = {
        {utf8, L"UTF-8 without byte-order mark", L"CRLF"},
        {utf16, L"UTF-16 little-endian with byte-order mark", L"CRLF"},
        {lf, L"UTF-8 without byte-order mark", L"LF"},
        {utf8 + "A=1\n", L"UTF-8 without byte-order mark", L"mixed CRLF, LF"},
    };
    for (const Case& c : cases)
    {
        const LanguageFileReport report = CheckLanguageFile(c.bytes, Reference(), kSection);
        EXPECT_EQ(report.encoding, c.encoding);
        EXPECT_EQ(report.lineEnds, c.lineEnds);
        EXPECT_FALSE(report.HasProblems()) << Dump(report).c_str();
    }
}

TEST(LanguageFileCheck, Utf8Validation)
{
    EXPECT_EQ(FirstInvalidUtf8("plain \xC3\xA4 \xE2\x82\xAC \xF0\x9F\x98\x80"), std::string::npos);
    EXPECT_EQ(FirstInvalidUtf8("ab\xE9z"), 2u);
    EXPECT_EQ(FirstInvalidUtf8("\xC0\x80"), 0u);     // overlong
    EXPECT_EQ(FirstInvalidUtf8("a\xED\xA0\x80"), 1u); // surrogate
    EXPECT_EQ(FirstInvalidUtf8("ab\xE2\x82"), 2u);    // cut short
}
