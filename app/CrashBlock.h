#pragma once
#include <windows.h>

#include <cstddef>

// The record that every copy of the crash handler in a process shares through the named
// section: one report thread and one first crash per process. The offsets are a contract
// between copies built at different times, so they are fixed here.
struct CrashBlock
{
    HANDLE reportThread;                    // the thread that writes the report
    HANDLE startEvent;                      // auto-reset: wakes the report thread
    HANDLE readyEvent;                      // manual reset: set by the report thread when it waits
    EXCEPTION_POINTERS* exceptionPointers;  // the crash being reported; null while there is none
    bool entryRunning;                      // a module's entry point is running on some thread
    BYTE padding[3];
    DWORD crashingThread;                   // id of the thread whose crash is reported
};

static_assert(offsetof(CrashBlock, reportThread) == 0, "shared layout");
static_assert(offsetof(CrashBlock, startEvent) == 4, "shared layout");
static_assert(offsetof(CrashBlock, readyEvent) == 8, "shared layout");
static_assert(offsetof(CrashBlock, exceptionPointers) == 12, "shared layout");
static_assert(offsetof(CrashBlock, entryRunning) == 16, "shared layout");
static_assert(offsetof(CrashBlock, crashingThread) == 20, "shared layout");
static_assert(sizeof(CrashBlock) == 24, "shared layout");
