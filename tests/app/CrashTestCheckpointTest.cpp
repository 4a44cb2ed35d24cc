// Crash-test checkpoints: the settings as plain data, and real crashes in a child process.
#include "app/CrashTestCheckpoint.h"
#include "LibraryExport.h"
#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using testsupport::RegistrySandbox;
using testsupport::RegistryValueOverride;

const wchar_t kCrashKey[] = L"SOFTWARE\\Orvanta\\Orvanta Utilities";
const wchar_t kSwitchOn[] = L"{6E2B9D04-A1C7-4f38-9B5E-27D0C8F3A6B1}";

RawRegistryValue Text(const std::wstring& text, bool terminated = true)
{
    RawRegistryValue value;
    value.present = true;
    value.type = REG_SZ;
    const size_t bytes = (text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t);
    value.data.resize(bytes);
    std::memcpy(value.data.data(), text.c_str(), bytes);
    return value;
}

RawRegistryValue Absent()
{
    return RawRegistryValue();
}

RawRegistryValue Number(DWORD number, DWORD type = REG_DWORD, size_t size = 4)
{
    RawRegistryValue value;
    value.present = true;
    value.type = type;
    value.data.assign(size, 0);
    std::memcpy(value.data.data(), &number, std::min<size_t>(size, 4));
    return value;
}

TEST(CrashTestSettings, ParsedFromTheThreeValues)
{
    struct Case
    {
        const char* label;
        CrashTestValues values;
        bool active;
        DWORD number, crashType;
    };
    const Case cases[] = {
        {"all three", {Text(kSwitchOn), Number(26), Number(2)}, true, 26, 2},
        {"no type", {Text(kSwitchOn), Number(26), Absent()}, true, 26, 0},
        {"type of another type", {Text(kSwitchOn), Number(26), Number(2, REG_BINARY)}, true, 26, 0},
        {"type of another size", {Text(kSwitchOn), Number(26), Number(2, REG_DWORD, 2)}, true, 26, 0},
        {"switch text without its zero", {Text(kSwitchOn, false), Number(27), Number(1)}, true, 27, 1},
        {"switch text in other letter case", {Text(L"{6e2b9d04-a1c7-4f38-9b5e-27d0c8f3a6b1}"), Number(26), Number(2)},
         false, 0, 0},
        {"switch text with more after it", {Text(std::wstring(kSwitchOn) + L" "), Number(26), Number(2)}, false, 0, 0},
        {"no switch", {Absent(), Number(26), Number(2)}, false, 0, 0},
        {"number 0", {Text(kSwitchOn), Number(0), Number(2)}, false, 0, 0},
        {"number missing", {Text(kSwitchOn), Absent(), Number(2)}, false, 0, 0},
        {"number as a string", {Text(kSwitchOn), Text(L"26"), Number(2)}, false, 0, 0},
        {"number of two bytes", {Text(kSwitchOn), Number(26, REG_DWORD, 2), Absent()}, false, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        const CrashTestSettings settings = ParseCrashTestValues(c.values);
        EXPECT_EQ(settings.active, c.active);
        EXPECT_EQ(settings.number, c.number);
        EXPECT_EQ(settings.crashType, c.crashType);
    }
}

TEST(CrashTestSettings, ReadFromTheRegistry)
{
    RegistrySandbox root(L"CrashTest");
    EXPECT_FALSE(ReadCrashTestValues(root.Key()).activated.present);  // no key

    root.SetString(kCrashKey, L"CrashTestActivated", kSwitchOn);
    root.SetDword(kCrashKey, L"CrashTestNumber", 26);
    const BYTE eight[8] = {2};
    root.SetRaw(kCrashKey, L"CrashTestType", REG_DWORD, eight, 8);  // too long for its buffer
    CrashTestValues values = ReadCrashTestValues(root.Key());
    EXPECT_TRUE(values.activated.present);
    EXPECT_EQ(values.activated.data.size(), sizeof(kSwitchOn));
    EXPECT_TRUE(values.number.present);
    EXPECT_FALSE(values.crashType.present);
    const CrashTestSettings settings = ParseCrashTestValues(values);
    EXPECT_TRUE(settings.active);
    EXPECT_EQ(settings.number, 26u);
    EXPECT_EQ(settings.crashType, 0u);

    const std::wstring longText(64, L'x');  // 130 bytes with its zero: more than 128
    root.SetString(kCrashKey, L"CrashTestActivated", longText);
    EXPECT_FALSE(ReadCrashTestValues(root.Key()).activated.present);
}

// ---- Real crashes, each in a child copy of this program ----

LONG CALLBACK EndWithTheExceptionCode(EXCEPTION_POINTERS* info)
{
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    // Any error, so that the code the system raised is reported even where it names the fault
    // differently (under user-mode emulation of 32-bit code a division can arrive as another code).
    if ((code & 0xC0000000) == 0xC0000000)
        TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_CONTINUE_SEARCH;
}

// A division by zero of the host's own, for the code the system raises for one.
void HostDivideByZero()
{
    volatile int dividend = 1;
    volatile int divisor = 0;
    volatile int result = dividend / divisor;
    (void)result;
}

// Runs only in the child: does what XJN_CRASH_CHILD names and reports a crash by its code.
TEST(CrashTestChild, DISABLED_Run)
{
    AddVectoredExceptionHandler(1, &EndWithTheExceptionCode);
    const char* what = std::getenv("XJN_CRASH_CHILD");
    ASSERT_NE(what, nullptr);
    const std::string action = what;
    if (action == "load")
    {
        HMODULE library = LoadLibraryW(L"XJNTrayNotifications.dll");
        ASSERT_NE(library, nullptr);
        FreeLibrary(library);
    }
    else if (action == "ShowShutdownDialog")
    {
        HMODULE library = LoadLibraryW(L"XJNTrayNotifications.dll");
        ASSERT_NE(library, nullptr);
        auto show = xjnhost::LibraryExport<BOOL(WINAPI*)(DWORD*)>(library, "ShowShutdownDialog");
        ASSERT_NE(show, nullptr);
        // Answers at once if no crash comes: the child must not wait for the pop-up's time.
        show(nullptr);
        FreeLibrary(library);
    }
    else if (action == "divide")
    {
        HostDivideByZero();
    }
    else
    {
        CrashTestCheckpoint(static_cast<unsigned>(std::stoul(action)));
    }
}

// The child's exit code: 0 when it came through, else the exception code.
DWORD RunChild(const char* action)
{
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(program) +
                           L"\" --gtest_also_run_disabled_tests --gtest_filter=CrashTestChild.DISABLED_Run";
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    SetEnvironmentVariableA("XJN_CRASH_CHILD", action);
    const BOOL started = CreateProcessW(program, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                        &process);
    SetEnvironmentVariableA("XJN_CRASH_CHILD", nullptr);
    CloseHandle(nul);
    if (!started)
        return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFE;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(CrashTestCheckpoint, CrashesOnlyAtItsNumberAndInItsWay)
{
    // What the system raises for a division by zero outside the checkpoints (Windows:
    // EXCEPTION_INT_DIVIDE_BY_ZERO); the checkpoint's division must raise the same.
    const DWORD division = RunChild("divide");
    EXPECT_NE(division, 0u);
    if (division != EXCEPTION_INT_DIVIDE_BY_ZERO)
        std::printf("note: this system raises 0x%08lX for a division by zero\n", division);
    struct Case
    {
        const char* label;
        const wchar_t* switchText;
        DWORD number;
        int crashType;  // -1: no value
        const char* action;
        DWORD exitCode;
    };
    const Case cases[] = {
        {"type 2 in the shutdown-warning export", kSwitchOn, 26, 2, "ShowShutdownDialog", EXCEPTION_STACK_OVERFLOW},
        {"type 0 divides by zero", kSwitchOn, 26, 0, "26", division},
        {"no type divides by zero", kSwitchOn, 26, -1, "26", division},
        {"checkpoint 25 when the library attaches", kSwitchOn, 25, 0, "load", division},
        {"another checkpoint returns", kSwitchOn, 26, 2, "27", 0},
        {"switch text in other letter case", L"{6E2B9D04-A1C7-4F38-9B5E-27D0C8F3A6B1}", 26, 2, "26", 0},
    };
    RegistryValueOverride activated(HKEY_LOCAL_MACHINE, kCrashKey, L"CrashTestActivated");
    RegistryValueOverride number(HKEY_LOCAL_MACHINE, kCrashKey, L"CrashTestNumber");
    RegistryValueOverride type(HKEY_LOCAL_MACHINE, kCrashKey, L"CrashTestType");
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(activated.SetString(c.switchText));
        ASSERT_TRUE(number.SetDword(c.number));
        if (c.crashType < 0)
        {
            type.Remove();
        }
        else
        {
            ASSERT_TRUE(type.SetDword(static_cast<DWORD>(c.crashType)));
        }
        EXPECT_EQ(RunChild(c.action), c.exitCode);
    }
}

} // namespace
