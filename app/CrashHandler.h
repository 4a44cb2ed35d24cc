#pragma once
#include <windows.h>

#include "app/CrashBlock.h"
#include "app/CrashNames.h"
#include "app/WerReportFunctions.h"

// Catches every exception nobody handles: writes a full minidump into the temporary folder,
// reports the crash to Windows Error Reporting (else to the older fault reporting) and ends the
// process with kCrashExitCode. One handler per module, never destroyed; the copies in one
// process share one CrashBlock in a named section, so the first one's report thread and filter
// serve them all.
//
// Everything here runs before the module's runtime has started (the entry point sets it up
// first): static storage without constructors, no heap, no C++ exceptions.
class CrashHandler
{
public:
    // The module's handler, created on first use and set up; null when it cannot be set up
    // (NtDll.dll lacks the loader-lock functions, or the section cannot be created or mapped).
    static CrashHandler* Obtain();

    // Marks that a module's entry point is running (crashes are then reported on the crashing
    // thread: the report thread cannot run while the entry holds the loader lock).
    void SetEntryRunning(bool running);

    // The module is being unloaded while the process goes on: its code goes with it, so nothing
    // may point into it any more. The first handler puts back the previous filter and the
    // system's filter setter and stops its report thread; every handler unmaps the section.
    // (At process end nothing is released: the handler stays installed to the last.)
    void Release();

private:
    typedef LONG(NTAPI* LockLoaderLockFunction)(ULONG flags, ULONG* disposition, ULONG_PTR* cookie);
    typedef LONG(NTAPI* UnlockLoaderLockFunction)(ULONG flags, ULONG_PTR cookie);

    CrashHandler();
    CrashHandler(const CrashHandler&) = delete;
    CrashHandler& operator=(const CrashHandler&) = delete;

    bool SetUp();
    void StartReportThread();
    void StopReportThread();
    void FreezeFilter();
    void UnfreezeFilter();
    void ComputeDumpPath();
    LONG Handle(EXCEPTION_POINTERS* pointers);
    // Leaves the report to the report thread when there is one; returns when there is none.
    void HandOver(EXCEPTION_POINTERS* pointers);
    bool ReportCrash(EXCEPTION_POINTERS* pointers, DWORD threadId);
    void WriteMinidump(EXCEPTION_POINTERS* pointers, DWORD threadId);
    bool SubmitWerReport(EXCEPTION_POINTERS* pointers);
    ULONG_PTR LockLoader();
    void UnlockLoader(ULONG_PTR cookie);

    static DWORD WINAPI ReportThread(void* handler);
    friend LONG WINAPI HandleCrash(EXCEPTION_POINTERS* pointers);

    // Members, not locals: a crash may be handled on a thread whose stack has overflowed.
    WER_REPORT_INFORMATION m_reportInformation;
    WER_EXCEPTION_INFORMATION m_exceptionInformation;
    HANDLE m_section;
    CrashBlock* m_block;
    bool m_first;  // this handler made the section, installed the filter and started the thread
    LPTOP_LEVEL_EXCEPTION_FILTER m_previousFilter;
    BYTE* m_filterSetter;  // the system's SetUnhandledExceptionFilter once frozen, else null
    BYTE m_filterSetterBytes[4];
    LockLoaderLockFunction m_lockLoaderLock;
    UnlockLoaderLockFunction m_unlockLoaderLock;
    const WerReportFunctions* m_reportFunctions;
    wchar_t m_sectionName[kCrashSectionNameCapacity];
    wchar_t m_dumpPath[MAX_PATH];
};

// The exit code of a process that the handler ends.
const UINT kCrashExitCode = 0xFFFFFFFF;

// The unhandled-exception filter: reports the crash and ends the process; returns
// EXCEPTION_CONTINUE_SEARCH only when the process could not be ended (or this module's handler
// is not set up).
LONG WINAPI HandleCrash(EXCEPTION_POINTERS* pointers);
