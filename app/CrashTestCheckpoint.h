#pragma once
#include <windows.h>

#include <vector>

// Numbered places where a crash can be provoked, to try out crash reporting in the field.
// Switched on under HKLM "SOFTWARE\Orvanta\Orvanta Utilities"; the library calls 25 when it
// attaches, 26 in ShowShutdownDialog and 27 in ShowShutdownAfterTaskCompletionDialog.
// Returns normally unless the crash test is on for this number.
void CrashTestCheckpoint(unsigned number);

struct CrashTestSettings
{
    bool active = false;
    DWORD number = 0;
    DWORD crashType = 0;  // 2: stack overflow; anything else: integer division by zero
};

// One value as the registry held it: absent, or its type and bytes.
struct RawRegistryValue
{
    bool present = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct CrashTestValues
{
    RawRegistryValue activated;  // "CrashTestActivated", at most 128 bytes
    RawRegistryValue number;     // "CrashTestNumber", at most 4 bytes
    RawRegistryValue crashType;  // "CrashTestType", at most 4 bytes
};

// On when "CrashTestActivated" is the switch-on text exactly (letter case counts) and
// "CrashTestNumber" is a non-zero 4-byte REG_DWORD; "CrashTestType" counts as 0 unless it is a
// 4-byte REG_DWORD.
CrashTestSettings ParseCrashTestValues(const CrashTestValues& values);

// Reads the three values under root (HKEY_LOCAL_MACHINE in the library); a value longer than
// its buffer counts as absent.
CrashTestValues ReadCrashTestValues(HKEY root);
