// A language file read from the disk and parsed, in each encoding the library reads.
#include <gtest/gtest.h>

#include "lang/FileString.h"
#include "lang/LanguageParser.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

using testsupport::TempFolder;
using testsupport::WriteFileBytes;

TEST(LanguageParser, EncodingsOfOneFileParseAlike)
{
    const std::wstring text = L"\r\n[S\u00E4]\r\nK=\u20AC \u00FC\\n\r\n";
    std::string utf16("\xFF\xFE", 2);
    for (wchar_t c : text)
    {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    const std::string utf8 = "\r\n[S\xC3\xA4]\r\nK=\xE2\x82\xAC \xC3\xBC\\n\r\n";
    const LanguageTable expected = {{L"S\u00E4", {{L"K", L"\u20AC \u00FC\n"}}}};

    TempFolder folder;
    for (const std::string& bytes : {utf16, "\xEF\xBB\xBF" + utf8, utf8})
    {
        ASSERT_TRUE(WriteFileBytes(folder.File(L"f.lng"), bytes));
        FileString file;
        ASSERT_TRUE(file.loadFile(folder.File(L"f.lng"), false));
        LanguageTable table;
        ParseLanguageText(file, table);
        EXPECT_EQ(table, expected);
    }
}
