// Runs one action in a child copy of this test program, with a temporary folder of its own, and
// tells the parent how it ended.
#pragma once
#include <windows.h>

#include <string>

struct ChildRun
{
    bool started = false;
    bool ended = false;          // ended by itself within the wait (else it was killed)
    DWORD exitCode = 0;
    DWORD processId = 0;
    DWORD mainThreadId = 0;
    unsigned long long startedAt = 0;  // seconds since 1970, before the start and after the end
    unsigned long long endedAt = 0;
    std::string output;          // what the child wrote (its GoogleTest report)
};

// What a child's own unhandled-exception filter ends it with.
const UINT kHostFilterExitCode = 0xB;

// The environment variable naming the child's action (read by CrashChild.DISABLED_Run).
extern const wchar_t kChildActionVariable[];

// Starts the child with TEMP and TMP set to tempFolder (which need not exist) and its output
// in outputFile; waits up to a generous limit, then kills it.
ChildRun RunCrashChild(const std::string& action, const std::wstring& tempFolder, const std::wstring& outputFile);
