#pragma once
#include <windows.h>

#include <cstddef>

// Names the crash handler builds. Plain text work into caller buffers: no allocation and no
// exception, because the handler is set up before the module's runtime has started.

// Room for the section name: its fixed prefix, "_" and a 32-bit number in decimal.
const size_t kCrashSectionNameCapacity = 64;

// "{A085BD89-DDEA-49e4-B6F7-0F698238FF31}_<processId in decimal>", the section that every copy
// of the handler in the process opens. False (out left empty) when capacity is too small.
bool FormatCrashSectionName(DWORD processId, wchar_t* out, size_t capacity);

// folder + hostBaseName with its last "." made "_" + "_<processId in decimal>_<seconds in
// lower-case hexadecimal>.dmp", e.g. "tray.exe", 1234, 0x4f1a2b3c -> "tray_exe_1234_4f1a2b3c.dmp".
// folder is used as it is (GetTempPathW ends it with a backslash). False (out left empty)
// when the path does not fit.
bool FormatCrashDumpPath(const wchar_t* folder, const wchar_t* hostBaseName, DWORD processId,
                         unsigned long long secondsSince1970, wchar_t* out, size_t capacity);
