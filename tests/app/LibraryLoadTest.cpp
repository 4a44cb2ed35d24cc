// The real library loaded into this process: what its attach and detach do with the trace log
// and the language settings of the registry.
#include "app/LanguageSetup.h"
#include "support/RegistrySandbox.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include "Logvane.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

using testsupport::FileExists;
using testsupport::ReadFileBytes;
using testsupport::RegistryValueOverride;
using testsupport::TempFolder;

const wchar_t kTraySettings[] = L"Software\\Orvanta\\Brevik\\TraySettings";
const wchar_t kLanguageKey[] = L"Software\\Orvanta\\Orvanta Utilities\\Language";

const char kFolderLine[] = "CXJNTrayNotificationsApp::InitLanguage() - Language directory is (";
const char kNoLanguageLine[] =
    "CXJNTrayNotificationsApp::InitLanguage() - Failed to receive language from registry, using English as default.";

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// Every setting the library reads at attach starts cleared and is put back afterwards; the
// current folder is a fresh one, where the default log file goes.
class LibraryLoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const wchar_t* name :
             {L"LogActivate", L"LogFilePath", L"LogLevel", L"LogAppend", L"LogFlushOnWrite", L"LogMaxSize"})
            settings[name] = std::make_unique<RegistryValueOverride>(HKEY_LOCAL_MACHINE, kTraySettings, name);
        for (auto& setting : settings)
            setting.second->Remove();
        userLanguage.Remove();
        machineLanguage.Remove();
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        previousDirectory = current;
        SetCurrentDirectoryW(folder.Path().c_str());
    }
    void TearDown() override
    {
        if (library)
            FreeLibrary(library);
        SetCurrentDirectoryW(previousDirectory.c_str());
    }

    RegistryValueOverride& Setting(const wchar_t* name) { return *settings.at(name); }

    void Load()
    {
        library = LoadLibraryW(L"XJNTrayNotifications.dll");
        ASSERT_NE(library, nullptr);
    }
    void Unload()
    {
        ASSERT_TRUE(FreeLibrary(library));
        library = nullptr;
    }

    TempFolder folder;
    std::wstring previousDirectory;
    std::map<std::wstring, std::unique_ptr<RegistryValueOverride>> settings;
    RegistryValueOverride userLanguage{HKEY_CURRENT_USER, kLanguageKey, L"default"};
    RegistryValueOverride machineLanguage{HKEY_LOCAL_MACHINE, kLanguageKey, L"default"};
    HMODULE library = nullptr;
};

TEST_F(LibraryLoad, WithLogActivateTheLanguageLinesGoToXJNTrayAppLogInTheCurrentFolder)
{
    ASSERT_TRUE(Setting(L"LogActivate").SetDword(1));
    Load();
    Unload();
    const std::string text = ReadFileBytes(folder.File(L"XJNTrayApp.log"));
    const std::string folderLine = kFolderLine + Narrow(HostLanguageDirectory()) + ")";
    EXPECT_NE(text.find(" INFO  .\\XJNTrayNotificationApp(184): " + folderLine + "\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(std::string(" ERROR .\\XJNTrayNotificationApp(193): ") + kNoLanguageLine), std::string::npos)
        << text;
    EXPECT_LT(text.find(folderLine), text.find(kNoLanguageLine));
    EXPECT_TRUE(DeleteFileW(folder.File(L"XJNTrayApp.log").c_str()));  // closed at unload
}

TEST_F(LibraryLoad, ALanguageInTheRegistryLeavesOnlyTheFolderLine)
{
    for (RegistryValueOverride* language : {&userLanguage, &machineLanguage})
    {
        SCOPED_TRACE(language == &userLanguage ? "user" : "machine");
        userLanguage.Remove();
        machineLanguage.Remove();
        ASSERT_TRUE(language->SetString(L"German"));
        ASSERT_TRUE(Setting(L"LogActivate").SetDword(1));
        ASSERT_TRUE(Setting(L"LogAppend").SetDword(0));
        Load();
        Unload();
        const std::string text = ReadFileBytes(folder.File(L"XJNTrayApp.log"));
        EXPECT_NE(text.find(kFolderLine), std::string::npos);
        EXPECT_EQ(text.find(kNoLanguageLine), std::string::npos);
    }
}

TEST_F(LibraryLoad, WithoutLogActivateNoFileAppears)
{
    for (bool stored : {false, true})
    {
        SCOPED_TRACE(stored ? "LogActivate 0" : "LogActivate absent");
        if (stored)
        {
            ASSERT_TRUE(Setting(L"LogActivate").SetDword(0));
        }
        Load();
        WriteTraceEx(TRACE_ERROR, L"nobody writes this", L"test", 1);
        Unload();
        EXPECT_FALSE(FileExists(folder.File(L"XJNTrayApp.log")));
    }
}

TEST_F(LibraryLoad, TheLogIsRegisteredWhileTheLibraryIsLoaded)
{
    const std::wstring path = folder.File(L"configured.log");
    ASSERT_TRUE(Setting(L"LogActivate").SetDword(1));
    ASSERT_TRUE(Setting(L"LogFilePath").SetString(path));
    Load();
    WriteTraceEx(TRACE_ERROR, L"while loaded", L"test", 1);
    Unload();
    WriteTraceEx(TRACE_ERROR, L"after unload", L"test", 2);
    const std::string text = ReadFileBytes(path);
    EXPECT_NE(text.find(kFolderLine), std::string::npos);
    EXPECT_NE(text.find("while loaded"), std::string::npos);
    EXPECT_EQ(text.find("after unload"), std::string::npos);
    EXPECT_FALSE(FileExists(folder.File(L"XJNTrayApp.log")));
}

TEST_F(LibraryLoad, ASmallLogMaxSizeRollsTheFileOver)
{
    ASSERT_TRUE(Setting(L"LogActivate").SetDword(1));
    ASSERT_TRUE(Setting(L"LogMaxSize").SetDword(300));
    Load();
    for (int i = 0; i < 10; ++i)
        WriteTraceEx(TRACE_ERROR, L"a trace line long enough to fill a small log", L"test", static_cast<unsigned>(i));
    Unload();
    EXPECT_TRUE(FileExists(folder.File(L"XJNTrayApp.log.1")));
    EXPECT_LE(ReadFileBytes(folder.File(L"XJNTrayApp.log")).size(), 300u);
}

TEST_F(LibraryLoad, LoadsAgainAfterAnUnload)
{
    ASSERT_TRUE(Setting(L"LogActivate").SetDword(1));
    for (int round = 0; round < 3; ++round)
    {
        Load();
        Unload();
    }
    size_t lines = 0;
    const std::string text = ReadFileBytes(folder.File(L"XJNTrayApp.log"));
    for (size_t at = text.find(kFolderLine); at != std::string::npos; at = text.find(kFolderLine, at + 1))
        ++lines;
    EXPECT_EQ(lines, 3u);  // appended, one per load
}

} // namespace
