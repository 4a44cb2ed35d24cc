// The crash handler's plain parts: the names it builds, the shared block's layout and the table
// of reporting functions.
#include "app/CrashBlock.h"
#include "app/CrashNames.h"
#include "app/WerReportFunctions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(CrashNames, TheSectionNameHoldsTheProcessIdInDecimal)
{
    const struct
    {
        DWORD processId;
        const wchar_t* name;
    } cases[] = {
        {0, L"{A085BD89-DDEA-49e4-B6F7-0F698238FF31}_0"},
        {1234, L"{A085BD89-DDEA-49e4-B6F7-0F698238FF31}_1234"},
        {0xFFFFFFFF, L"{A085BD89-DDEA-49e4-B6F7-0F698238FF31}_4294967295"},
    };
    for (const auto& c : cases)
    {
        wchar_t name[kCrashSectionNameCapacity] = {L'x'};
        ASSERT_TRUE(FormatCrashSectionName(c.processId, name, kCrashSectionNameCapacity));
        EXPECT_STREQ(name, c.name);
    }
    wchar_t tooSmall[20] = {L'x'};
    EXPECT_FALSE(FormatCrashSectionName(1234, tooSmall, 20));
    EXPECT_STREQ(tooSmall, L"");
}

TEST(CrashNames, TheDumpPathIsFolderBaseNameProcessAndTime)
{
    const struct
    {
        const char* label;
        const wchar_t* folder;
        const wchar_t* baseName;
        DWORD processId;
        unsigned long long seconds;
        const wchar_t* path;
    } cases[] = {
        {"the example", L"", L"tray.exe", 1234, 0x4f1a2b3c, L"tray_exe_1234_4f1a2b3c.dmp"},
        {"in the folder", L"C:\\Temp\\", L"tray.exe", 1234, 0x4f1a2b3c, L"C:\\Temp\\tray_exe_1234_4f1a2b3c.dmp"},
        {"only the last dot", L"", L"my.tray.app.exe", 7, 0xABCDEF, L"my.tray.app_exe_7_abcdef.dmp"},
        {"no dot", L"", L"tray", 7, 0, L"tray_7_0.dmp"},
        {"a dot in the folder stays", L"C:\\a.b\\", L"tray", 7, 16, L"C:\\a.b\\tray_7_10.dmp"},
        {"64-bit time", L"", L"t.exe", 4294967295u, 0x123456789ABCDEFull, L"t_exe_4294967295_123456789abcdef.dmp"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.label);
        wchar_t path[MAX_PATH] = {L'x'};
        ASSERT_TRUE(FormatCrashDumpPath(c.folder, c.baseName, c.processId, c.seconds, path, MAX_PATH));
        EXPECT_STREQ(path, c.path);
    }
}

TEST(CrashNames, ADumpPathThatDoesNotFitIsEmpty)
{
    const std::wstring folder(MAX_PATH - 20, L'f');
    wchar_t path[MAX_PATH] = {L'x'};
    EXPECT_FALSE(FormatCrashDumpPath(folder.c_str(), L"tray.exe", 1234, 0x4f1a2b3c, path, MAX_PATH));
    EXPECT_STREQ(path, L"");
    // Exactly full: the path and its terminator.
    const std::wstring fits(MAX_PATH - 1 - std::wcslen(L"tray_exe_1234_4f1a2b3c.dmp"), L'f');
    ASSERT_TRUE(FormatCrashDumpPath(fits.c_str(), L"tray.exe", 1234, 0x4f1a2b3c, path, MAX_PATH));
    EXPECT_EQ(std::wcslen(path), static_cast<size_t>(MAX_PATH - 1));
}

// Each field lands at its offset in the 24 shared bytes (a copy built elsewhere reads them so).
TEST(CrashBlockLayout, FieldsSitAtTheirOffsets)
{
    CrashBlock block;
    std::memset(&block, 0, sizeof(block));
    block.reportThread = reinterpret_cast<HANDLE>(0x11111111);
    block.startEvent = reinterpret_cast<HANDLE>(0x22222222);
    block.readyEvent = reinterpret_cast<HANDLE>(0x33333333);
    block.exceptionPointers = reinterpret_cast<EXCEPTION_POINTERS*>(0x44444444);
    block.entryRunning = true;
    block.crashingThread = 0x55555555;
    BYTE bytes[24];
    ASSERT_EQ(sizeof(block), sizeof(bytes));
    std::memcpy(bytes, &block, sizeof(bytes));
    const BYTE expected[24] = {0x11, 0x11, 0x11, 0x11, 0x22, 0x22, 0x22, 0x22, 0x33, 0x33, 0x33, 0x33,
                               0x44, 0x44, 0x44, 0x44, 0x01, 0x00, 0x00, 0x00, 0x55, 0x55, 0x55, 0x55};
    EXPECT_EQ(std::memcmp(bytes, expected, sizeof(bytes)), 0);
}

TEST(WerReportFunctions, AllFourOrNone)
{
    WerReportFunctions table;
    ASSERT_TRUE(LoadWerReportFunctions(L"Wer.dll", table));
    EXPECT_NE(table.library, nullptr);
    EXPECT_NE(table.create, nullptr);
    EXPECT_NE(table.addDump, nullptr);
    EXPECT_NE(table.submit, nullptr);
    EXPECT_NE(table.closeHandle, nullptr);
    FreeLibrary(table.library);

    // A library without them, and one that does not exist: an empty table.
    for (const wchar_t* library : {L"version.dll", L"NoSuchLibrary-XJN.dll"})
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(library)));
        EXPECT_FALSE(LoadWerReportFunctions(library, table));
        EXPECT_EQ(table.library, nullptr);
        EXPECT_EQ(table.create, nullptr);
        EXPECT_EQ(table.closeHandle, nullptr);
    }
}

TEST(WerReportFunctions, TheProcessTableIsLoadedOnce)
{
    const WerReportFunctions* first = ProcessWerReportFunctions();
    ASSERT_NE(first, nullptr);  // Wine's Wer.dll has all four
    EXPECT_EQ(ProcessWerReportFunctions(), first);
}

} // namespace
