#include <gtest/gtest.h>

#include <vector>

#include "EnglishTexts.h"
#include "lang/Language.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

// The one test in this program that uses the process-wide Language: it loads once per process.
namespace {

using testsupport::TempFolder;
using testsupport::WriteFileBytes;

struct Reader
{
    HANDLE start;
    Language* instance = nullptr;
    int wrong = 0;
};

std::string BigLanguageFile()
{
    std::string text = "\xEF\xBB\xBF\r\n[XJNMainGUI]\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "XJNS_FILLER_" + std::to_string(i) + "=Filler text number " + std::to_string(i) + "\r\n";
    text += "[XJNTrayNotifications]\r\n";
    for (const auto& entry : EnglishTrayTexts())
        text += std::string(entry.first.begin(), entry.first.end()) + "=T " +
                std::string(entry.first.begin(), entry.first.end()) + "\r\n";
    text += "LAST=last\r\n";
    return text;
}

DWORD WINAPI ReadAllTexts(void* context)
{
    auto* reader = static_cast<Reader*>(context);
    WaitForSingleObject(reader->start, INFINITE);
    reader->instance = Language::GetInstance();
    for (const auto& entry : EnglishTrayTexts())
        if (reader->instance->GetString(entry.first, kTraySection) != L"T " + entry.first)
            ++reader->wrong;
    if (reader->instance->GetString(L"LAST", kTraySection) != L"last")
        ++reader->wrong;
    if (reader->instance->GetString(L"XJNS_FILLER_2999", L"XJNMainGUI") != L"Filler text number 2999")
        ++reader->wrong;
    return 0;
}

} // namespace

TEST(LanguageProcess, ThreadsRacingTheFirstLookupAllSeeTheWholeTable)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File(L"Big.lng"), BigLanguageFile()));
    Language::SetLanguageFile(folder.Directory(), L"Big", 237, L"DEFAULTENGLANG", L"");
    EXPECT_EQ(Language::GetLanguageName(), L"Big");
    EXPECT_EQ(Language::GetLanguageDirectory(), folder.Directory());

    const HANDLE start = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::vector<Reader> readers(8, Reader{start});
    std::vector<HANDLE> threads;
    for (Reader& reader : readers)
        threads.push_back(CreateThread(nullptr, 0, ReadAllTexts, &reader, 0, nullptr));
    SetEvent(start);
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    CloseHandle(start);

    Language* const instance = Language::GetInstance();
    ASSERT_NE(instance, nullptr);
    for (const Reader& reader : readers)
    {
        EXPECT_EQ(reader.instance, instance);
        EXPECT_EQ(reader.wrong, 0);
    }

    wchar_t buffer[4];
    instance->GetStringToBuffer(L"XJNS_SHUTDOWN_YES", kTraySection, buffer, 4);
    EXPECT_EQ(std::wstring(buffer, 4), std::wstring(L"T X\0", 4));
    EXPECT_EQ(instance->GetString(L"NOPE", kTraySection), L"*NOPE");
    EXPECT_EQ(instance->GetString(std::wstring(L"LAST"), std::wstring(kTraySection)), L"last");
    EXPECT_EQ(instance->GetString(nullptr, kTraySection), L"*");
    EXPECT_EQ(instance->GetString(L"LAST", nullptr), L"*LAST");
}
