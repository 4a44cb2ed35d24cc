#include <gtest/gtest.h>

#include <vector>

#include "base/BaseException.h"
#include "lang/FileString.h"
#include "lang/ResourceString.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

} // namespace

TEST(FileString, LoadDecodesByMark)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        DWORD limit;
        std::wstring text;
    };
    const Case cases[] = {
        {"utf-16 with mark", std::string("\xFF\xFE" "A\0B\0", 6), FileString::WholeFile, L"AB"},
        {"utf-16 odd byte", std::string("\xFF\xFE" "A\0B", 5), FileString::WholeFile, L"A"},
        {"utf-16 keeps nul", std::string("\xFF\xFE" "A\0\0\0B\0", 8), FileString::WholeFile, std::wstring(L"A\0B", 3)},
        {"utf-8 with mark", "\xEF\xBB\xBF" "AB", FileString::WholeFile, L"\uFEFFAB"},
        {"utf-8 letters", "\xC3\xA4\xE2\x82\xAC", FileString::WholeFile, L"\u00E4\u20AC"},
        {"utf-8 zero byte", std::string("ab\0cd", 5), FileString::WholeFile, L"ab"},
        {"byte limit", "0123456789", 3, L"012"},
        // Bytes that are no UTF-8 each become U+FFFD, as the system's conversion makes them.
        {"single-byte code page", "caf\xE9 ok", FileString::WholeFile, L"caf\uFFFD ok"},
        {"utf-16 big-endian", std::string("\xFE\xFF\0A", 4), FileString::WholeFile, L"\uFFFD\uFFFD"},
        {"cut at the file's end", "ab\xE2\x82", FileString::WholeFile, L"ab\uFFFD"},
        // A limit that cuts a character converts the characters before it.
        {"limit cuts a character", "ab\xE2\x82\xAC", 4, L"ab"},
        {"limit cuts a four-byte character", "a\xF0\x9F\x98\x80" "b", 4, L"a"},
        {"limit behind a character", "ab\xE2\x82\xAC" "cd", 5, L"ab\u20AC"},
        {"limit behind a lone lead byte", "ab\xE9z", 3, L"ab"},
    };
    TempFolder folder;
    for (const Case& c : cases)
    {
        ASSERT_TRUE(WriteFileBytes(folder.File(L"t.lng"), c.bytes));
        FileString file;
        EXPECT_TRUE(file.loadFile(folder.File(L"t.lng"), false, c.limit)) << c.name;
        EXPECT_EQ(file.getText(), c.text) << c.name;
        EXPECT_EQ(file.getFileName(), folder.File(L"t.lng"));
    }
}

TEST(FileString, LoadFailuresLeaveTheTextAlone)
{
    TempFolder folder;
    FileString file;
    file.setText(L"before");

    ASSERT_TRUE(WriteFileBytes(folder.File(L"empty.lng"), ""));
    EXPECT_TRUE(file.loadFile(folder.File(L"empty.lng"), false));
    EXPECT_EQ(file.getText(), L"before");

    EXPECT_FALSE(file.loadFile(folder.File(L"missing.lng"), false));
    EXPECT_EQ(file.getText(), L"before");
    EXPECT_EQ(file.getFileName(), folder.File(L"missing.lng"));

    EXPECT_FALSE(file.loadFile(folder.Directory(), false)); // a folder is no file
}

TEST(FileString, OpenAlwaysCreatesAMissingFile)
{
    TempFolder folder;
    FileString file;
    EXPECT_TRUE(file.loadFile(folder.File(L"new.lng"), true));
    EXPECT_EQ(GetFileAttributesW(folder.File(L"new.lng").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(FileString, SavesUtf8WithoutMarkAndReloads)
{
    TempFolder folder;
    FileString file;
    file.setText(L"[S]\r\nK=\u00E4\u20AC\r\n");
    EXPECT_TRUE(file.saveFile(folder.File(L"out.lng")));
    EXPECT_EQ(ReadFileBytes(folder.File(L"out.lng")), "[S]\r\nK=\xC3\xA4\xE2\x82\xAC\r\n");
    EXPECT_EQ(file.getFileName(), L""); // saving records no name

    FileString again;
    ASSERT_TRUE(again.loadFile(folder.File(L"out.lng"), false));
    EXPECT_EQ(again.getText(), file.getText());
}

TEST(FileString, SaveAndDeleteWithoutAnyNameDoNothing)
{
    FileString file;
    file.setText(L"x");
    EXPECT_FALSE(file.saveFile(L""));
    EXPECT_FALSE(file.deleteFile(L""));
}

TEST(FileString, CreateRecordsTheNameForSaveAndDelete)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File(L"c.lng"), "old content"));
    FileString file;
    EXPECT_TRUE(file.createFile(folder.File(L"c.lng")));
    EXPECT_EQ(ReadFileBytes(folder.File(L"c.lng")), "");
    file.setText(L"new");
    EXPECT_TRUE(file.saveFile(L""));
    EXPECT_EQ(ReadFileBytes(folder.File(L"c.lng")), "new");
    EXPECT_TRUE(file.deleteFile(L""));
    EXPECT_EQ(GetFileAttributesW(folder.File(L"c.lng").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FileString, CreateAndSaveThrowTheirMessages)
{
    TempFolder folder;
    const std::wstring unreachable = folder.File(L"no\\such\\folder\\f.lng");
    struct Case
    {
        const char* name;
        bool (*call)(FileString&, const std::wstring&);
        const wchar_t* message;
    };
    const Case cases[] = {
        {"create", [](FileString& f, const std::wstring& p) { return f.createFile(p); }, L"File String Exception"},
        {"save", [](FileString& f, const std::wstring& p) { return f.saveFile(p); },
         L"FileString::saveFile(), OpenFile Failed"},
    };
    for (const Case& c : cases)
    {
        FileString file;
        try
        {
            c.call(file, unreachable);
            ADD_FAILURE() << c.name << ": no exception";
        }
        catch (const BaseException& e)
        {
            EXPECT_EQ(e.GetMessage(), c.message) << c.name;
            EXPECT_EQ(e.GetErrorCode(), BaseException::NoErrorCode);
            EXPECT_EQ(e.GetFile(), L".\\FileString");
        }
    }
}

TEST(ResourceString, LoadsTheBuiltInText)
{
    CResourceString text;
    ASSERT_TRUE(text.loadResource(L"DEFAULTENGLANG", 237));
    EXPECT_EQ(text.getText().substr(0, 3), L"\uFEFF\r\n");
    // Loading again replaces the text from the start.
    ASSERT_TRUE(text.loadResource(L"DEFAULTENGLANG", 237));
    EXPECT_EQ(text.getText().substr(0, 3), L"\uFEFF\r\n");
}

TEST(ResourceString, MissingResourcesFail)
{
    CResourceString text;
    text.setText(L"kept");
    EXPECT_FALSE(text.loadResource(nullptr, 237));
    EXPECT_FALSE(text.loadResource(L"", 237));
    EXPECT_FALSE(text.loadResource(L"DEFAULTENGLANG", 238));
    EXPECT_FALSE(text.loadResource(L"OTHERTYPE", 237));
    EXPECT_EQ(text.getText(), L"kept");
}
