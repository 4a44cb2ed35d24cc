// The trace log settings under TraySettings and the log the module object builds from them.
#include "support/TraceLogSupport.h"
#include "app/TraceLogSettings.h"
#include "app/XJNTrayNotificationsApp.h"
#include "base/Registry.h"
#include "support/RegistrySandbox.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using testsupport::ReadFileBytes;
using testsupport::RegistrySandbox;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

const wchar_t kTraySettings[] = L"Software\\Orvanta\\Brevik\\TraySettings";

TEST(TraceLogSettings, DefaultsWrongTypesAndPresentValues)
{
    struct Case
    {
        const char* label;
        std::function<void(const RegistrySandbox&)> store;
        TraceLogSettings expected;
    };
    auto settings = [](bool activate, std::wstring path, DWORD level, DWORD append, DWORD flush, DWORD maxSize) {
        TraceLogSettings s;
        s.activate = activate;
        s.filePath = path;
        s.level = level;
        s.append = append;
        s.flushOnWrite = flush;
        s.maxSize = maxSize;
        return s;
    };
    const TraceLogSettings defaultsOn = settings(true, L"XJNTrayApp.log", 3, 1, 1, 5242880);
    const Case cases[] = {
        {"nothing stored", [](const RegistrySandbox&) {}, TraceLogSettings()},
        {"LogActivate 0",
         [](const RegistrySandbox& r) {
             r.SetDword(kTraySettings, L"LogActivate", 0);
             r.SetDword(kTraySettings, L"LogLevel", 4);
         },
         TraceLogSettings()},
        {"LogActivate as a string", [](const RegistrySandbox& r) { r.SetString(kTraySettings, L"LogActivate", L"1"); },
         TraceLogSettings()},
        {"LogActivate 1 alone", [](const RegistrySandbox& r) { r.SetDword(kTraySettings, L"LogActivate", 1); },
         defaultsOn},
        {"every value stored, zeros included",
         [](const RegistrySandbox& r) {
             r.SetDword(kTraySettings, L"LogActivate", 7);
             r.SetString(kTraySettings, L"LogFilePath", L"C:\\logs\\tray.log");
             r.SetDword(kTraySettings, L"LogLevel", 0);
             r.SetDword(kTraySettings, L"LogAppend", 0);
             r.SetDword(kTraySettings, L"LogFlushOnWrite", 0);
             r.SetDword(kTraySettings, L"LogMaxSize", 0);
         },
         settings(true, L"C:\\logs\\tray.log", 0, 0, 0, 0)},
        {"numbers of the wrong type or size keep their defaults",
         [](const RegistrySandbox& r) {
             r.SetDword(kTraySettings, L"LogActivate", 1);
             r.SetString(kTraySettings, L"LogLevel", L"5");
             const BYTE shortDword[2] = {9, 9};
             r.SetRaw(kTraySettings, L"LogAppend", REG_DWORD, shortDword, 2);
             const BYTE binary[4] = {0, 0, 0, 0};
             r.SetRaw(kTraySettings, L"LogFlushOnWrite", REG_BINARY, binary, 4);
             r.SetRaw(kTraySettings, L"LogMaxSize", REG_QWORD, "\1\0\0\0\0\0\0\0", 8);
         },
         defaultsOn},
        {"the path is read whatever its type",
         [](const RegistrySandbox& r) {
             r.SetDword(kTraySettings, L"LogActivate", 1);
             const wchar_t path[] = L"%TEMP%\\x.log";
             r.SetRaw(kTraySettings, L"LogFilePath", REG_EXPAND_SZ, path, sizeof(path));
         },
         settings(true, L"%TEMP%\\x.log", 3, 1, 1, 5242880)},
        {"an empty path is handed over as it is",
         [](const RegistrySandbox& r) {
             r.SetDword(kTraySettings, L"LogActivate", 1);
             r.SetString(kTraySettings, L"LogFilePath", L"");
         },
         settings(true, L"", 3, 1, 1, 5242880)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        RegistrySandbox machine(L"TraySettings");
        c.store(machine);
        const TraceLogSettings read = ReadTraceLogSettings(Registry(machine.Key()));
        EXPECT_EQ(read.activate, c.expected.activate);
        if (!c.expected.activate)
            continue;
        EXPECT_EQ(read.filePath, c.expected.filePath);
        EXPECT_EQ(read.level, c.expected.level);
        EXPECT_EQ(read.append, c.expected.append);
        EXPECT_EQ(read.flushOnWrite, c.expected.flushOnWrite);
        EXPECT_EQ(read.maxSize, c.expected.maxSize);
    }
}

// The module object against registry keys of its own.
class TrayAppTraceLog : public ::testing::Test
{
protected:
    RegistrySandbox user{L"AppUser"};
    RegistrySandbox machine{L"AppMachine"};
    TempFolder folder;
    std::wstring logPath = folder.File(L"tray.log");
    RecordingSink sink;

    void Activate() { machine.SetDword(kTraySettings, L"LogActivate", 1); }
    void SetPath(const std::wstring& path) { machine.SetString(kTraySettings, L"LogFilePath", path); }
};

TEST_F(TrayAppTraceLog, WithoutLogActivateThereIsNoLog)
{
    SetPath(logPath);
    CXJNTrayNotificationsApp app(sink, user.Key(), machine.Key());
    app.InitTraceLog();
    EXPECT_EQ(app.GetTraceLog(), nullptr);
    WriteTraceEx(TRACE_ERROR, L"to nobody", L"src", 1);
    EXPECT_FALSE(testsupport::FileExists(logPath));
}

TEST_F(TrayAppTraceLog, TheLogIsRegisteredUntilTheModuleObjectGoes)
{
    Activate();
    SetPath(logPath);
    {
        CXJNTrayNotificationsApp app(sink, user.Key(), machine.Key());
        app.InitTraceLog();
        CTraceFileLog* log = app.GetTraceLog();
        ASSERT_NE(log, nullptr);
        app.InitTraceLog();
        EXPECT_EQ(app.GetTraceLog(), log);  // once only
        WriteTraceEx(TRACE_ERROR, L"while loaded", L"src", 1);
    }
    WriteTraceEx(TRACE_ERROR, L"after unload", L"src", 2);
    const std::string text = ReadFileBytes(logPath);
    EXPECT_NE(text.find("while loaded"), std::string::npos);
    EXPECT_EQ(text.find("after unload"), std::string::npos);
    EXPECT_TRUE(DeleteFileW(logPath.c_str()));  // closed
}

TEST_F(TrayAppTraceLog, SettingsReachTheLog)
{
    struct Case
    {
        const char* label;
        DWORD append, flush, level;
        bool oldKept, visibleBeforeUnload, infoKept;
    };
    const Case cases[] = {
        {"defaults: append, flush, level 3", 1, 1, 3, true, true, true},
        {"new file", 0, 1, 3, false, true, true},
        {"no flushing", 1, 0, 3, true, false, true},
        {"errors only", 1, 1, 1, true, true, false},
    };
    Activate();
    SetPath(logPath);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(WriteFileBytes(logPath, "old\r\n"));
        machine.SetDword(kTraySettings, L"LogAppend", c.append);
        machine.SetDword(kTraySettings, L"LogFlushOnWrite", c.flush);
        machine.SetDword(kTraySettings, L"LogLevel", c.level);
        std::string beforeUnload;
        {
            CXJNTrayNotificationsApp app(sink, user.Key(), machine.Key());
            app.InitTraceLog();
            WriteTraceEx(TRACE_ERROR, L"an error", L"src", 1);
            WriteTraceEx(TRACE_INFO, L"some information", L"src", 2);
            beforeUnload = ReadFileBytes(logPath);
        }
        const std::string text = ReadFileBytes(logPath);
        EXPECT_EQ(text.rfind("old\r\n", 0) == 0, c.oldKept);
        EXPECT_EQ(beforeUnload.find("an error") != std::string::npos, c.visibleBeforeUnload);
        EXPECT_NE(text.find("an error"), std::string::npos);
        EXPECT_EQ(text.find("some information") != std::string::npos, c.infoKept);
    }
}

TEST_F(TrayAppTraceLog, TheSizeLimitReachesTheLog)
{
    Activate();
    SetPath(logPath);
    machine.SetDword(kTraySettings, L"LogMaxSize", 400);
    CXJNTrayNotificationsApp app(sink, user.Key(), machine.Key());
    app.InitTraceLog();
    for (int i = 0; i < 20; ++i)
        WriteTraceEx(TRACE_ERROR, L"a line of some length to fill the file", L"src", static_cast<unsigned>(i));
    EXPECT_TRUE(testsupport::FileExists(logPath + L".1"));
    EXPECT_LE(ReadFileBytes(logPath).size(), 400u);
}

TEST_F(TrayAppTraceLog, TheErrorSinkIsHandedToTheLog)
{
    Activate();
    SetPath(folder.File(L"missing\\tray.log"));
    CXJNTrayNotificationsApp app(sink, user.Key(), machine.Key());
    app.InitTraceLog();
    ASSERT_NE(app.GetTraceLog(), nullptr);
    EXPECT_EQ(sink.openErrors, std::vector<unsigned long>{ERROR_PATH_NOT_FOUND});
}

} // namespace
