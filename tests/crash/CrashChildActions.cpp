// What a child copy of this program does; the parent (CrashReportingTest.cpp) judges how it ended.
// Each action either crashes (the library's crash handler then ends the process) or ends the
// child normally after its own checks.
#include "app/CrashBlock.h"
#include "app/CrashNames.h"
#include "crash/CrashChild.h"
#include "LibraryExport.h"
#include "XJNTrayNotifications.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

typedef BOOL(WINAPI* ChoiceCall)(DWORD*);
typedef BOOL(WINAPI* ShowLogonDetectCall)(XJNLogonDetectCallback, DWORD);
typedef void(WINAPI* HideLogonDetectCall)();
typedef BOOL (*CopyReadyCall)();
typedef void (*CopyFaultCall)();

// A value no export writes: it shows that nothing was written through the pointer.
const DWORD kUntouched = 0xC0FFEE;

int g_callbackCalls = 0;

void WINAPI CountingCallback(DWORD, DWORD)
{
    ++g_callbackCalls;
}

LONG WINAPI HostFilter(EXCEPTION_POINTERS*)
{
    TerminateProcess(GetCurrentProcess(), kHostFilterExitCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

// The host's own faults, outside the library.
void HostFault()
{
    volatile std::uintptr_t nowhere = 0x10;
    *reinterpret_cast<volatile int*>(nowhere) = 1;
}

void HostDivideByZero()
{
    volatile int dividend = 1;
    volatile int divisor = 0;
    volatile int result = dividend / divisor;
    (void)result;
}

__attribute__((noinline)) void HostOverflowStack(unsigned depth)
{
    volatile unsigned frame[64];
    frame[0] = depth;
    if (frame[0] == depth)
        HostOverflowStack(depth + 1);
    frame[1] = frame[0];
}

// Ends the process with the code of the exception the system raised.
LONG CALLBACK EndWithTheExceptionCode(EXCEPTION_POINTERS* pointers)
{
    TerminateProcess(GetCurrentProcess(), pointers->ExceptionRecord->ExceptionCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

// Which code the system raises for each kind of fault, without the library in the process.
void PlatformFault(const std::wstring& kind)
{
    AddVectoredExceptionHandler(1, &EndWithTheExceptionCode);
    if (kind == L"divide")
        HostDivideByZero();
    else if (kind == L"access")
        HostFault();
    else if (kind == L"overflow")
        HostOverflowStack(0);
    ADD_FAILURE() << "no fault";
}

std::wstring SectionName()
{
    wchar_t name[kCrashSectionNameCapacity] = {};
    FormatCrashSectionName(GetCurrentProcessId(), name, kCrashSectionNameCapacity);
    return name;
}

size_t ThreadsOfThisProcess()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    size_t count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

// The shared block as the process's handlers see it; false when there is no section.
bool ReadBlock(CrashBlock& block)
{
    HANDLE section = OpenFileMappingW(FILE_MAP_READ, FALSE, SectionName().c_str());
    if (!section)
        return false;
    const void* view = MapViewOfFile(section, FILE_MAP_READ, 0, 0, sizeof(CrashBlock));
    if (view)
        block = *static_cast<const CrashBlock*>(view);
    if (view)
        UnmapViewOfFile(view);
    CloseHandle(section);
    return view != nullptr;
}

DWORD WINAPI ShowShutdownWhenSignalled(void* context)
{
    auto* start = static_cast<HANDLE*>(context);
    WaitForSingleObject(start[0], INFINITE);
    HMODULE library = GetModuleHandleW(L"XJNTrayNotifications.dll");
    xjnhost::LibraryExport<ChoiceCall>(library, "ShowShutdownDialog")(nullptr);
    return 0;
}

HMODULE LoadTheLibrary()
{
    return LoadLibraryW(L"XJNTrayNotifications.dll");
}

void CallChoiceExport(const char* name)
{
    HMODULE library = LoadTheLibrary();
    ASSERT_NE(library, nullptr);
    auto call = xjnhost::LibraryExport<ChoiceCall>(library, name);
    ASSERT_NE(call, nullptr);
    EXPECT_FALSE(call(nullptr));  // only reached when no crash test is on here
}

void TwoThreadsCrashAtOnce()
{
    ASSERT_NE(LoadTheLibrary(), nullptr);
    HANDLE start = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE threads[2];
    for (HANDLE& thread : threads)
        thread = CreateThread(nullptr, 0, ShowShutdownWhenSignalled, &start, 0, nullptr);
    SetEvent(start);
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
    ADD_FAILURE() << "both threads came back";
}

void HostReplacesTheFilter()
{
    ASSERT_NE(LoadTheLibrary(), nullptr);
    SetUnhandledExceptionFilter(&HostFilter);
    HostFault();
}

void SecondCopyOfTheHandler()
{
    ASSERT_NE(LoadTheLibrary(), nullptr);
    CrashBlock before{};
    ASSERT_TRUE(ReadBlock(before));
    ASSERT_NE(before.reportThread, nullptr);
    const size_t threadsBefore = ThreadsOfThisProcess();
    HMODULE copy = LoadLibraryW(L"CrashHandlerCopy.dll");
    ASSERT_NE(copy, nullptr);
    auto ready = xjnhost::LibraryExport<CopyReadyCall>(copy, "CrashCopyHandlerReady");
    auto fault = xjnhost::LibraryExport<CopyFaultCall>(copy, "CrashCopyFault");
    ASSERT_NE(ready, nullptr);
    ASSERT_NE(fault, nullptr);
    EXPECT_TRUE(ready());
    CrashBlock after{};
    ASSERT_TRUE(ReadBlock(after));
    EXPECT_EQ(after.reportThread, before.reportThread);
    EXPECT_EQ(after.startEvent, before.startEvent);
    EXPECT_EQ(after.readyEvent, before.readyEvent);
    EXPECT_EQ(ThreadsOfThisProcess(), threadsBefore);  // no second report thread
    if (!testing::Test::HasFailure())
        fault();
}

// Unloaded, the library leaves nothing behind that points into its code: the host's filter
// works again and a crash does not jump into unmapped memory.
void HostCrashesAfterAnUnload()
{
    HMODULE library = LoadTheLibrary();
    ASSERT_NE(library, nullptr);
    ASSERT_TRUE(FreeLibrary(library));
    ASSERT_EQ(GetModuleHandleW(L"XJNTrayNotifications.dll"), nullptr);
    CrashBlock block{};
    EXPECT_FALSE(ReadBlock(block));
    SetUnhandledExceptionFilter(&HostFilter);
    if (!testing::Test::HasFailure())
        HostFault();
}

// Loaded again after an unload, the library has a working handler again.
void ReloadedLibrary()
{
    HMODULE library = LoadTheLibrary();
    ASSERT_NE(library, nullptr);
    ASSERT_TRUE(FreeLibrary(library));
    CallChoiceExport("ShowShutdownDialog");
}

BOOL CALLBACK NoteWindow(HWND, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

// A name taken by an object of another kind: the section cannot be created, so the library's
// crash handler cannot be set up and its start-up never runs.
void LibraryThatNeverStarted()
{
    HANDLE squatter = CreateMutexW(nullptr, FALSE, SectionName().c_str());
    ASSERT_NE(squatter, nullptr);
    HMODULE library = LoadTheLibrary();
    ASSERT_NE(library, nullptr);  // loaded, but not started
    DWORD choice = kUntouched;
    EXPECT_FALSE(xjnhost::LibraryExport<ChoiceCall>(library, "ShowShutdownDialog")(&choice));
    EXPECT_EQ(choice, kUntouched);
    EXPECT_FALSE(xjnhost::LibraryExport<ChoiceCall>(library, "ShowShutdownAfterTaskCompletionDialog")(&choice));
    EXPECT_EQ(choice, kUntouched);
    EXPECT_FALSE(xjnhost::LibraryExport<ShowLogonDetectCall>(library, "ShowLogonDetectDialog")(&CountingCallback, 7));
    xjnhost::LibraryExport<HideLogonDetectCall>(library, "HideLogonDetectDialog")();
    EXPECT_EQ(g_callbackCalls, 0);
    bool shown = false;  // any window of this thread
    EnumThreadWindows(GetCurrentThreadId(), &NoteWindow, reinterpret_cast<LPARAM>(&shown));
    EXPECT_FALSE(shown);
    CrashBlock block{};
    EXPECT_FALSE(ReadBlock(block));  // no section, so no report thread either
    EXPECT_TRUE(FreeLibrary(library));
    CloseHandle(squatter);
}

} // namespace

TEST(CrashChild, DISABLED_Run)
{
    wchar_t what[64] = {};
    ASSERT_GT(GetEnvironmentVariableW(kChildActionVariable, what, 64), 0u);
    const std::wstring action = what;
    if (action == L"ShowShutdownDialog" || action == L"ShowShutdownAfterTaskCompletionDialog")
        CallChoiceExport(std::string(action.begin(), action.end()).c_str());
    else if (action == L"load")
        EXPECT_NE(LoadTheLibrary(), nullptr);
    else if (action == L"two threads")
        TwoThreadsCrashAtOnce();
    else if (action == L"host filter")
        HostReplacesTheFilter();
    else if (action == L"second copy")
        SecondCopyOfTheHandler();
    else if (action == L"unload")
        HostCrashesAfterAnUnload();
    else if (action == L"reload")
        ReloadedLibrary();
    else if (action == L"never started")
        LibraryThatNeverStarted();
    else if (action.compare(0, 9, L"platform ") == 0)
        PlatformFault(action.substr(9));
    else
        FAIL() << "unknown action";
}
