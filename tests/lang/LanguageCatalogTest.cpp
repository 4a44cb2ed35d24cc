#include <gtest/gtest.h>

#include "EnglishTexts.h"
#include "lang/LanguageCatalog.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "support/TraceCapture.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::TraceCapture;
using testsupport::WriteFileBytes;

const wchar_t kType[] = L"DEFAULTENGLANG";
const DWORD kId = 237;

const std::wstring kLocateFailed = L"Unable to locate the following language file.\r\n";
const std::wstring kNamesEmpty = L"Unable to set language file, empty directory or file names. "
                                 L"Try to load default English language file from resources.";
const std::wstring kResourceUnset = L"Unable to set default English language file, empty type name or resource ID.";
const std::wstring kOpenFailed = L"Unable to open the following language file :";
const std::wstring kResourceFailed = L"Unable to load the default English language file from resource";

std::wstring LocateFailed(const std::wstring& path)
{
    return kLocateFailed + path + L" Try to load default English language file from resources.";
}

std::wstring OpenFailed(const std::wstring& path)
{
    return kOpenFailed + path + L"\n Try to load default English language file from resource.";
}

std::wstring HoldsNoText(const std::wstring& path)
{
    return L"The following language file holds no text :" + path +
           L"\n Try to load default English language file from resource.";
}

void ExpectEnglish(const LanguageCatalog& catalog)
{
    for (const auto& text : EnglishTrayTexts())
        EXPECT_EQ(catalog.Lookup(text.first, kTraySection), text.second) << text.first.c_str();
}

void ExpectMissingKeyForm(const LanguageCatalog& catalog)
{
    for (const auto& text : EnglishTrayTexts())
        EXPECT_EQ(catalog.Lookup(text.first, kTraySection), L"*" + text.first);
}

} // namespace

TEST(LanguageCatalog, AnswersFromTheLanguageFile)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File(L"Test.lng"), "\xEF\xBB\xBF\r\n[XJNTrayNotifications]\r\n"
                                                         "XJNS_SHUTDOWN_YES=Abbrechen\r\nEMPTY=\r\n"));
    TraceCapture capture;
    LanguageCatalog catalog;
    catalog.SetLanguageFile(folder.Directory(), L"Test", kId, kType, L"");
    catalog.Load();
    EXPECT_TRUE(capture.Records().empty());
    EXPECT_EQ(catalog.Lookup(L"XJNS_SHUTDOWN_YES", kTraySection), L"Abbrechen");
    EXPECT_EQ(catalog.Lookup(L"EMPTY", kTraySection), L"");
    EXPECT_EQ(catalog.Lookup(L"XJNS_SHUTDOWN_NO", kTraySection), L"*XJNS_SHUTDOWN_NO");
    EXPECT_EQ(catalog.Lookup(L"XJNS_SHUTDOWN_YES", L"xjntraynotifications"), L"*XJNS_SHUTDOWN_YES");
    EXPECT_EQ(catalog.Lookup(L"xjns_shutdown_yes", kTraySection), L"*xjns_shutdown_yes");
    EXPECT_EQ(catalog.GetLanguageName(), L"Test");
    EXPECT_EQ(catalog.GetLanguageDirectory(), folder.Directory());
    EXPECT_EQ(catalog.GetLanguageFilePath(), folder.File(L"Test.lng"));
}

TEST(LanguageCatalog, MissingFileFallsBackToTheBuiltInEnglish)
{
    TempFolder folder;
    TraceCapture capture;
    LanguageCatalog catalog;
    catalog.SetLanguageFile(folder.Directory(), L"Klingon", kId, kType, L"");
    catalog.Load();
    ExpectEnglish(catalog);
    const std::wstring path = folder.File(L"Klingon.lng");
    EXPECT_EQ(capture.Messages(), (std::vector<std::wstring>{LocateFailed(path), OpenFailed(path)}));
    for (const auto& line : capture.Records())
    {
        EXPECT_EQ(line.type, TRACE_ERROR);
        EXPECT_EQ(line.source, L".\\Language");
    }
}

// The file opens but gives not a single text: the trace says so, and English answers.
TEST(LanguageCatalog, FilesWithoutAnyTextFallBackToTheBuiltInEnglish)
{
    struct Case
    {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"utf-16 big-endian", std::string("\xFE\xFF\0\r\0\n\0[\0X\0]", 12)},
        {"only a zero byte", std::string("\0", 1)},
        {"only a mark", "\xEF\xBB\xBF"},
        {"comments and headers only", "\r\n; nothing yet\r\n[XJNTrayNotifications]\r\n"},
    };
    TempFolder folder;
    for (const Case& c : cases)
    {
        ASSERT_TRUE(WriteFileBytes(folder.File(L"Broken.lng"), c.bytes));
        TraceCapture capture;
        LanguageCatalog catalog;
        catalog.SetLanguageFile(folder.Directory(), L"Broken", kId, kType, L"");
        catalog.Load();
        SCOPED_TRACE(c.name);
        ExpectEnglish(catalog);
        EXPECT_EQ(capture.Messages(), std::vector<std::wstring>{HoldsNoText(folder.File(L"Broken.lng"))});
    }
}

// A translator's file in another code page still shows its words; only its stray bytes become
// U+FFFD, one for each, as the system's conversion makes them.
// A file past 16 MiB is damaged or no language file: it is not read at all (its bytes and their
// text would take three times its size), and English answers.
TEST(LanguageCatalog, AFileLargerThanSixteenMebibytesIsNotRead)
{
    TempFolder folder;
    std::string bytes = "\xEF\xBB\xBF\r\n[XJNTrayNotifications]\r\nXJNS_SHUTDOWN_YES=Abbrechen\r\n;";
    bytes.resize(16 * 1024 * 1024 + 1, ' ');
    ASSERT_TRUE(WriteFileBytes(folder.File(L"Huge.lng"), bytes));
    TraceCapture capture;
    LanguageCatalog catalog;
    catalog.SetLanguageFile(folder.Directory(), L"Huge", kId, kType, L"");
    catalog.Load();
    ExpectEnglish(catalog);
    EXPECT_EQ(capture.Messages(),
              std::vector<std::wstring>{L"The following language file is larger than 16 MiB and is not read :" +
                                        folder.File(L"Huge.lng") +
                                        L"\n Try to load default English language file from resource."});
}

TEST(LanguageCatalog, BytesThatAreNoUtf8BecomeReplacementCharacters)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File(L"French.lng"), "\r\n[XJNTrayNotifications]\r\n"
                                                           "XJNS_SHUTDOWN_YES=Annul\xE9\r\n"
                                                           "XJNS_SHUTDOWN_NO=Arr\xEAt\r\n"));
    TraceCapture capture;
    LanguageCatalog catalog;
    catalog.SetLanguageFile(folder.Directory(), L"French", kId, kType, L"");
    catalog.Load();
    EXPECT_EQ(catalog.Lookup(L"XJNS_SHUTDOWN_YES", kTraySection), L"Annul\uFFFD");
    EXPECT_EQ(catalog.Lookup(L"XJNS_SHUTDOWN_NO", kTraySection), L"Arr\uFFFDt");
    EXPECT_EQ(catalog.Lookup(L"XJNS_TRAY_INFO", kTraySection), L"*XJNS_TRAY_INFO");
    EXPECT_TRUE(capture.Messages().empty());
}

TEST(LanguageCatalog, ByteOrderMarkBeforeTheHeaderLosesTheSection)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File(L"Marked.lng"),
                               "\xEF\xBB\xBF[XJNTrayNotifications]\r\nXJNS_SHUTDOWN_YES=Nein\r\n"));
    LanguageCatalog catalog;
    catalog.SetLanguageFile(folder.Directory(), L"Marked", kId, kType, L"");
    catalog.Load();
    EXPECT_EQ(catalog.Lookup(L"XJNS_SHUTDOWN_YES", kTraySection), L"*XJNS_SHUTDOWN_YES");
    EXPECT_EQ(catalog.Lookup(L"XJNS_SHUTDOWN_YES", L""), L"Nein");
}

TEST(LanguageCatalog, EmptyNamesGiveTheMissingKeyFormThoughEnglishLoads)
{
    struct Case
    {
        const wchar_t* directory;
        const wchar_t* name;
    };
    const Case cases[] = {{L"", L"English"}, {L"C:\\somewhere\\", L""}, {L"", L""}};
    for (const Case& c : cases)
    {
        TraceCapture capture;
        LanguageCatalog catalog;
        catalog.SetLanguageFile(c.directory, c.name, kId, kType, L"");
        catalog.Load();
        ExpectMissingKeyForm(catalog);
        EXPECT_FALSE(catalog.GetTable().empty()); // the built-in text was read all the same
        EXPECT_EQ(capture.Messages(), (std::vector<std::wstring>{kNamesEmpty, OpenFailed(L"")}));
        EXPECT_EQ(catalog.GetLanguageName(), L"");
    }
}

TEST(LanguageCatalog, MissingResourceSettingsGiveTheMissingKeyForm)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File(L"Test.lng"),
                               "\r\n[XJNTrayNotifications]\r\nXJNS_SHUTDOWN_YES=Abbrechen\r\n"));
    struct Case
    {
        DWORD id;
        const wchar_t* type;
    };
    for (const Case& c : {Case{0, kType}, Case{kId, L""}})
    {
        TraceCapture capture;
        LanguageCatalog catalog;
        catalog.SetLanguageFile(folder.Directory(), L"Test", c.id, c.type, L"");
        catalog.Load();
        EXPECT_EQ(catalog.Lookup(L"XJNS_SHUTDOWN_YES", kTraySection), L"*XJNS_SHUTDOWN_YES");
        EXPECT_EQ(capture.Messages(), std::vector<std::wstring>{kResourceUnset});
    }
}

TEST(LanguageCatalog, LaterBadResourceSettingsKeepTheEarlierOnes)
{
    TempFolder folder;
    LanguageCatalog catalog;
    catalog.SetLanguageFile(folder.Directory(), L"Absent", kId, kType, L"");
    catalog.SetLanguageFile(folder.Directory(), L"Absent", 0, L"", L"extra");
    catalog.Load();
    ExpectEnglish(catalog);
}

TEST(LanguageCatalog, WithoutAnyConfigurationEveryTextIsItsKey)
{
    TraceCapture capture;
    LanguageCatalog catalog;
    catalog.Load();
    ExpectMissingKeyForm(catalog);
    EXPECT_TRUE(catalog.GetTable().empty());
    EXPECT_EQ(capture.Messages(), (std::vector<std::wstring>{OpenFailed(L""), kResourceFailed}));
}

TEST(LanguageCatalog, ResourceThatIsNotThereLeavesTheTableEmpty)
{
    TempFolder folder;
    TraceCapture capture;
    LanguageCatalog catalog;
    catalog.SetLanguageFile(folder.Directory(), L"Absent", 999, kType, L"");
    catalog.Load();
    EXPECT_TRUE(catalog.GetTable().empty());
    EXPECT_EQ(catalog.Lookup(L"XJNS_SHUTDOWN_YES", kTraySection), L"*XJNS_SHUTDOWN_YES");
    EXPECT_EQ(capture.Messages().back(), kResourceFailed);
}

TEST(LanguageCatalog, TextToBuffer)
{
    wchar_t buffer[8];
    std::fill(buffer, buffer + 8, L'#');
    CopyTextToBuffer(L"Cancel", buffer, 4);
    EXPECT_EQ(std::wstring(buffer, 5), std::wstring(L"Can\0#", 5));

    std::fill(buffer, buffer + 8, L'#');
    CopyTextToBuffer(L"Cancel", buffer, 0);
    EXPECT_EQ(buffer[0], L'#');
    CopyTextToBuffer(L"Cancel", nullptr, 8);

    CopyTextToBuffer(L"Cancel", buffer, 8);
    EXPECT_EQ(std::wstring(buffer, 8), std::wstring(L"Cancel\0\0", 8));

    // An empty text empties the buffer rather than leaving what it held before.
    CopyTextToBuffer(L"", buffer, 8);
    EXPECT_EQ(std::wstring(buffer, 8), std::wstring(8, L'\0'));
}

TEST(BuiltInEnglish, IsTheShippedEnglishFileByteForByte)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(237), L"DEFAULTENGLANG");
    ASSERT_NE(found, nullptr);
    const HGLOBAL loaded = LoadResource(module, found);
    const std::string bytes(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));

    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring shipped(exe);
    shipped.erase(shipped.rfind(L'\\') + 1);
    EXPECT_EQ(bytes, ReadFileBytes(shipped + L"Language\\English.lng"));

    EXPECT_EQ(bytes.substr(0, 5), "\xEF\xBB\xBF\r\n");
    for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
        EXPECT_EQ(bytes[at - 1], '\r') << "line end at " << at;
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

    std::string expected = "\xEF\xBB\xBF\r\n[XJNMainGUI]\r\n!!!NEW STRINGS!!!\r\n[XJNTrayGUI]\r\n[XJNTrayNotifications]\r\n";
    for (const auto& text : EnglishTrayTexts())
    {
        std::wstring value = text.second;
        const size_t feed = value.find(L'\n');
        if (feed != std::wstring::npos)
            value.replace(feed, 1, L"\\n");
        expected += std::string(text.first.begin(), text.first.end()) + "=" +
                    std::string(value.begin(), value.end()) + "\r\n";
    }
    EXPECT_EQ(bytes, expected);
}
