// Real crashes, each in a child copy of this program that loads the library: how the child
// ends, which dump appears in its temporary folder and what the dump holds.
#include "crash/CrashChild.h"
#include "crash/MinidumpReader.h"
#include "support/FileBytes.h"
#include "support/RegistrySandbox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using testsupport::RegistryValueOverride;
using testsupport::TempFolder;

const wchar_t kCrashKey[] = L"SOFTWARE\\Orvanta\\Orvanta Utilities";
const wchar_t kSwitchOn[] = L"{6E2B9D04-A1C7-4f38-9B5E-27D0C8F3A6B1}";
const DWORD kCrashExit = 0xFFFFFFFF;
// The child's base name as the dump names it: "test_crash.exe" with its dot made "_".
const wchar_t kDumpPrefix[] = L"test_crash_exe_";

std::vector<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// The crash-test values under HKLM for the children, put back afterwards.
class CrashTestRegistry
{
public:
    // number 0: the crash test is off (no values); crashType -1: no type value.
    void Set(const wchar_t* switchText, DWORD number, int crashType)
    {
        m_activated.Remove();
        m_number.Remove();
        m_type.Remove();
        if (number == 0)
            return;
        ASSERT_TRUE(m_activated.SetString(switchText));
        ASSERT_TRUE(m_number.SetDword(number));
        if (crashType >= 0)
        {
            ASSERT_TRUE(m_type.SetDword(static_cast<DWORD>(crashType)));
        }
    }

private:
    RegistryValueOverride m_activated{HKEY_LOCAL_MACHINE, kCrashKey, L"CrashTestActivated"};
    RegistryValueOverride m_number{HKEY_LOCAL_MACHINE, kCrashKey, L"CrashTestNumber"};
    RegistryValueOverride m_type{HKEY_LOCAL_MACHINE, kCrashKey, L"CrashTestType"};
};

// The kinds of fault the children cause, with the code Windows raises for each.
struct FaultKind
{
    const char* name;
    DWORD windowsCode;
};
const FaultKind kDivide = {"divide", EXCEPTION_INT_DIVIDE_BY_ZERO};
const FaultKind kOverflow = {"overflow", EXCEPTION_STACK_OVERFLOW};
const FaultKind kAccess = {"access", EXCEPTION_ACCESS_VIOLATION};

// The code this system raises for a kind of fault, seen by a plain handler in a child without
// the library: the dump must hold that code. Under user-mode emulation of 32-bit code the
// fault's trap number can be lost, and the system then names a different code than Windows.
DWORD PlatformCode(const FaultKind& kind, const std::wstring& folder)
{
    static std::map<std::string, DWORD> codes;
    auto known = codes.find(kind.name);
    if (known != codes.end())
        return known->second;
    const ChildRun run = RunCrashChild(std::string("platform ") + kind.name, folder,
                                       folder + L"\\platform-output.txt");
    EXPECT_TRUE(run.ended);
    if (run.exitCode != kind.windowsCode)
        std::printf("note: this system raises 0x%08lX for the %s fault, Windows 0x%08lX\n", run.exitCode,
                    kind.name, kind.windowsCode);
    codes[kind.name] = run.exitCode;
    return run.exitCode;
}

// Which thread the dump must name as the crashing one.
enum class CrashingThread
{
    Main,
    NotMain
};

// Checks the one dump of a child that crashed: its name, the minidump format and its streams.
void ExpectOneDump(const std::wstring& folder, const ChildRun& run, DWORD exceptionCode, CrashingThread thread)
{
    const std::vector<std::wstring> dumps = FilesIn(folder, L"*.dmp");
    ASSERT_EQ(dumps.size(), 1u);
    const std::wstring& name = dumps[0];
    const std::wstring start = kDumpPrefix + std::to_wstring(run.processId) + L"_";
    ASSERT_EQ(name.compare(0, start.size(), start), 0) << testing::PrintToString(name);
    ASSERT_GT(name.size(), start.size() + 4);
    ASSERT_EQ(name.substr(name.size() - 4), L".dmp");
    const std::wstring hex = name.substr(start.size(), name.size() - 4 - start.size());
    EXPECT_EQ(hex.find_first_not_of(L"0123456789abcdef"), std::wstring::npos) << testing::PrintToString(hex);
    const unsigned long long seconds = std::wcstoull(hex.c_str(), nullptr, 16);
    EXPECT_GE(seconds + 1, run.startedAt);
    EXPECT_LE(seconds, run.endedAt + 1);

    const MinidumpSummary dump = ReadMinidump(folder + L"\\" + name);
    ASSERT_TRUE(dump.valid);
    ASSERT_TRUE(dump.hasException);
    EXPECT_EQ(dump.exceptionCode, exceptionCode);
    if (thread == CrashingThread::Main)
        EXPECT_EQ(dump.exceptionThread, run.mainThreadId);
    else
        EXPECT_NE(dump.exceptionThread, run.mainThreadId);
    EXPECT_TRUE(dump.hasThreadList);
    EXPECT_NE(std::find(dump.threads.begin(), dump.threads.end(), dump.exceptionThread), dump.threads.end());
    EXPECT_NE(std::find(dump.threads.begin(), dump.threads.end(), run.mainThreadId), dump.threads.end());
    EXPECT_NE(dump.memoryStream, 0u);
    EXPECT_GT(dump.memoryRanges, 0u);
}

class CrashReporting : public ::testing::Test
{
protected:
    std::wstring TempFor(const char* name) const { return work.File(std::wstring(name, name + std::strlen(name))); }

    ChildRun Run(const std::string& action, const std::wstring& temp)
    {
        ChildRun run = RunCrashChild(action, temp, work.File(L"child-output.txt"));
        EXPECT_TRUE(run.started);
        EXPECT_TRUE(run.ended) << "the child hung and was killed";
        return run;
    }

    TempFolder work;
    CrashTestRegistry registry;
};

TEST_F(CrashReporting, ACrashEndsTheProcessWithOneDump)
{
    const struct
    {
        const char* label;
        const char* action;
        DWORD number;  // 0: crash test off
        int crashType;
        const FaultKind& fault;
        CrashingThread thread;
    } cases[] = {
        {"checkpoint 26, type 0", "ShowShutdownDialog", 26, 0, kDivide, CrashingThread::Main},
        {"checkpoint 26, type 2", "ShowShutdownDialog", 26, 2, kOverflow, CrashingThread::Main},
        {"checkpoint 27, no type", "ShowShutdownAfterTaskCompletionDialog", 27, -1, kDivide, CrashingThread::Main},
        {"checkpoint 27, type 2", "ShowShutdownAfterTaskCompletionDialog", 27, 2, kOverflow, CrashingThread::Main},
        // In the entry point the report thread cannot run: the crashing thread reports.
        {"checkpoint 25 in the entry point", "load", 25, 0, kDivide, CrashingThread::Main},
        {"two threads at once", "two threads", 26, 0, kDivide, CrashingThread::NotMain},
        {"the host's own filter after load", "host filter", 0, -1, kAccess, CrashingThread::Main},
        {"in a second module with the handler", "second copy", 0, -1, kAccess, CrashingThread::Main},
        {"loaded again after an unload", "reload", 26, 0, kDivide, CrashingThread::Main},
    };
    int index = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.label);
        registry.Set(kSwitchOn, c.number, c.crashType);
        const std::wstring temp = TempFor("temp") + std::to_wstring(++index);
        ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
        const ChildRun run = Run(c.action, temp);
        EXPECT_EQ(run.exitCode, kCrashExit) << run.output;
        ExpectOneDump(temp, run, PlatformCode(c.fault, work.Path()), c.thread);
        for (const std::wstring& dump : FilesIn(temp, L"*.dmp"))
            DeleteFileW((temp + L"\\" + dump).c_str());  // a full dump is hundreds of MB here
    }
}

TEST_F(CrashReporting, NoCrashWhereTheTestIsNotOnForTheCall)
{
    const struct
    {
        const char* label;
        const wchar_t* switchText;
        DWORD number;
        const char* action;
    } cases[] = {
        {"checkpoint 26 set, the other export", kSwitchOn, 26, "ShowShutdownAfterTaskCompletionDialog"},
        {"checkpoint 27 set, the other export", kSwitchOn, 27, "ShowShutdownDialog"},
        {"switch text in other letter case", L"{6E2B9D04-A1C7-4F38-9B5E-27D0C8F3A6B1}", 26, "ShowShutdownDialog"},
    };
    int index = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.label);
        registry.Set(c.switchText, c.number, 0);
        const std::wstring temp = TempFor("calm") + std::to_wstring(++index);
        ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
        const ChildRun run = Run(c.action, temp);
        EXPECT_EQ(run.exitCode, 0u) << run.output;
        EXPECT_TRUE(FilesIn(temp, L"*.dmp").empty());
    }
}

// A temporary folder that cannot be written (it does not exist): no dump, and still the end.
TEST_F(CrashReporting, WithoutAWritableTemporaryFolderTheProcessStillEnds)
{
    registry.Set(kSwitchOn, 26, 0);
    const std::wstring missing = TempFor("missing");
    const ChildRun run = Run("ShowShutdownDialog", missing + L"\\");
    EXPECT_EQ(run.exitCode, kCrashExit) << run.output;
    EXPECT_FALSE(testsupport::FileExists(missing));
    EXPECT_TRUE(FilesIn(work.Path(), L"*.dmp").empty());
}

// After the library has been unloaded the host's own filter gets the host's crash.
TEST_F(CrashReporting, AfterAnUnloadTheHostsFilterWorksAgain)
{
    const std::wstring temp = TempFor("unloaded");
    ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
    const ChildRun run = Run("unload", temp);
    EXPECT_EQ(run.exitCode, kHostFilterExitCode) << run.output;
    EXPECT_TRUE(FilesIn(temp, L"*.dmp").empty());
}

// The section's name taken by another kind of object: the handler cannot be set up, the library
// loads without starting, and every export refuses (the child checks what they return and write).
TEST_F(CrashReporting, ALibraryThatCouldNotStartRefusesEveryExport)
{
    registry.Set(kSwitchOn, 26, 0);  // would crash in ShowShutdownDialog, had the library started
    const std::wstring temp = TempFor("unstarted");
    ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
    const ChildRun run = Run("never started", temp);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_TRUE(FilesIn(temp, L"*.dmp").empty());
}

} // namespace
