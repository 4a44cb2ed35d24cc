#pragma once
#include <windows.h>

// The Windows Error Reporting records and functions the crash handler uses, declared here as
// the system defines them: the cross compiler's werapi.h cannot be included (it lacks HREPORT
// and other names it uses).
typedef HANDLE HREPORT;

struct WER_REPORT_INFORMATION
{
    DWORD dwSize;
    HANDLE hProcess;
    WCHAR wzConsentKey[64];
    WCHAR wzFriendlyEventName[128];
    WCHAR wzApplicationName[128];
    WCHAR wzApplicationPath[MAX_PATH];
    WCHAR wzDescription[512];
    HWND hwndParent;
};
static_assert(sizeof(WER_REPORT_INFORMATION) == 2196, "the system's record size");

struct WER_EXCEPTION_INFORMATION
{
    EXCEPTION_POINTERS* pExceptionPointers;
    BOOL bClientPointers;
};

// The system's values of the enumerations and flags used.
const int kWerReportApplicationCrash = 2;
const int kWerDumpTypeMiniDump = 2;
const int kWerConsentNotAsked = 1;
const DWORD kWerSubmitOutOfProcess = 0x20;

typedef HRESULT(WINAPI* WerReportCreateFunction)(PCWSTR eventType, int reportType,
                                                 WER_REPORT_INFORMATION* information, HREPORT* report);
typedef HRESULT(WINAPI* WerReportAddDumpFunction)(HREPORT report, HANDLE process, HANDLE thread, int dumpType,
                                                  WER_EXCEPTION_INFORMATION* exception, void* customOptions,
                                                  DWORD flags);
typedef HRESULT(WINAPI* WerReportSubmitFunction)(HREPORT report, int consent, DWORD flags, int* result);
typedef HRESULT(WINAPI* WerReportCloseHandleFunction)(HREPORT report);

// The four functions of one loaded library: all present, or the table is not used.
struct WerReportFunctions
{
    HMODULE library;
    WerReportCreateFunction create;
    WerReportAddDumpFunction addDump;
    WerReportSubmitFunction submit;
    WerReportCloseHandleFunction closeHandle;
};

// Loads library and resolves "WerReportCreate", "WerReportAddDump", "WerReportSubmit" and
// "WerReportCloseHandle" in this order. At the first one missing the library is freed, table
// is emptied and the result is false.
bool LoadWerReportFunctions(const wchar_t* library, WerReportFunctions& table);

// The table of "Wer.dll", loaded on the first call only (under a lock of its own, usable before
// the module's constructors have run); null when it is unavailable.
const WerReportFunctions* ProcessWerReportFunctions();
