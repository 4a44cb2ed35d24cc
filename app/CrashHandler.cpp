#include "app/CrashHandler.h"

#include "base/SelfInitialisingLock.h"

#include <psapi.h>

#include <cstring>
#include <ctime>
#include <new>

namespace {

// SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX: the system shows no
// box of its own while the handler reports.
const UINT kErrorMode = 0x8005;
// "ret 4": the filter setter returns at once, removing its one argument, so nobody in the
// process can replace the filter any more.
const BYTE kReturnPopOneArgument[4] = {0xC2, 0x04, 0x00, 0x00};
// The room GetModuleBaseNameW gets for the host's executable name.
const DWORD kBaseNameCapacity = 128;
// A thread that finds a crash being reported on another thread waits this long between looks
// (the process ends under it).
const DWORD kParkMilliseconds = 1000;
// How long an unload waits for the stopped report thread to be gone; ending a thread does not
// need the loader lock, so this is only a bound against a system that never reports it.
const DWORD kReportThreadStopMilliseconds = 10000;

// Static storage without constructors: usable before the module's runtime has started.
SelfInitialisingLock g_handlerLock;
alignas(CrashHandler) unsigned char g_handlerStorage[sizeof(CrashHandler)];
CrashHandler* g_handler;
// Set once the handler is set up: what HandleCrash works with.
CrashHandler* volatile g_readyHandler;

template <typename Function>
Function NtDllFunction(HMODULE library, const char* name)
{
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

// The block's handles are shared raw values: closed here and cleared for every copy.
void CloseAndForget(HANDLE& handle)
{
    if (handle)
        CloseHandle(handle);
    handle = nullptr;
}

bool Patch(BYTE* code, const BYTE* bytes, size_t size)
{
    DWORD protection = 0;
    if (!VirtualProtect(code, size, PAGE_EXECUTE_WRITECOPY, &protection))
        return false;
    std::memcpy(code, bytes, size);
    VirtualProtect(code, size, protection, &protection);
    FlushInstructionCache(GetCurrentProcess(), code, size);
    return true;
}

} // namespace

CrashHandler::CrashHandler()
    : m_reportInformation(), m_exceptionInformation(), m_section(nullptr), m_block(nullptr), m_first(false),
      m_previousFilter(nullptr), m_filterSetter(nullptr), m_filterSetterBytes(), m_lockLoaderLock(nullptr), m_unlockLoaderLock(nullptr), m_reportFunctions(nullptr), m_sectionName(),
      m_dumpPath()
{
    const HMODULE ntdll = LoadLibraryW(L"NtDll.dll");
    m_lockLoaderLock = NtDllFunction<LockLoaderLockFunction>(ntdll, "LdrLockLoaderLock");
    m_unlockLoaderLock = NtDllFunction<UnlockLoaderLockFunction>(ntdll, "LdrUnlockLoaderLock");
    m_reportFunctions = ProcessWerReportFunctions();
}

CrashHandler* CrashHandler::Obtain()
{
    SelfInitialisingLockGuard guard(g_handlerLock);
    if (!g_handler)
        g_handler = new (g_handlerStorage) CrashHandler;
    return g_handler->SetUp() ? g_handler : nullptr;
}

void CrashHandler::SetEntryRunning(bool running)
{
    m_block->entryRunning = running;
}

bool CrashHandler::SetUp()
{
    if (m_block)
        return true;
    if (!m_lockLoaderLock || !m_unlockLoaderLock)
        return false;
    if (!FormatCrashSectionName(GetProcessId(GetCurrentProcess()), m_sectionName, kCrashSectionNameCapacity))
        return false;
    const HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(CrashBlock),
                                              m_sectionName);
    if (!section)
        return false;
    const bool first = GetLastError() != ERROR_ALREADY_EXISTS;
    void* view = MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!view)
    {
        CloseHandle(section);
        return false;
    }
    m_section = section;
    m_block = static_cast<CrashBlock*>(view);
    m_first = first;
    if (first)
    {
        std::memset(m_block, 0, sizeof(CrashBlock));
        StartReportThread();
        SetErrorMode(kErrorMode);
        m_previousFilter = SetUnhandledExceptionFilter(&HandleCrash);
        FreezeFilter();
    }
    ComputeDumpPath();
    g_readyHandler = this;
    return true;
}

// Without its events or thread the handler still works: the crashing thread then reports.
void CrashHandler::StartReportThread()
{
    m_block->startEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_block->readyEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (m_block->startEvent && m_block->readyEvent)
        m_block->reportThread = CreateThread(nullptr, 0, &CrashHandler::ReportThread, this, 0, nullptr);
    if (m_block->reportThread)
        return;
    CloseAndForget(m_block->startEvent);
    CloseAndForget(m_block->readyEvent);
}

// Makes the system's SetUnhandledExceptionFilter return without doing anything, keeping the
// bytes it replaces for Release.
void CrashHandler::FreezeFilter()
{
    BYTE* setter =
        reinterpret_cast<BYTE*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetUnhandledExceptionFilter"));
    if (!setter)
        return;
    std::memcpy(m_filterSetterBytes, setter, sizeof(m_filterSetterBytes));
    if (Patch(setter, kReturnPopOneArgument, sizeof(kReturnPopOneArgument)))
        m_filterSetter = setter;
}

void CrashHandler::UnfreezeFilter()
{
    if (m_filterSetter && Patch(m_filterSetter, m_filterSetterBytes, sizeof(m_filterSetterBytes)))
        m_filterSetter = nullptr;
}

// The thread may not even have started yet (it waits for the loader lock that the unloading
// thread holds); it holds no lock of its own, so ending it from outside is safe.
void CrashHandler::StopReportThread()
{
    if (m_block->reportThread)
    {
        TerminateThread(m_block->reportThread, 0);
        WaitForSingleObject(m_block->reportThread, kReportThreadStopMilliseconds);
    }
    CloseAndForget(m_block->reportThread);
    CloseAndForget(m_block->startEvent);
    CloseAndForget(m_block->readyEvent);
}

void CrashHandler::Release()
{
    if (!m_block)
        return;
    g_readyHandler = nullptr;
    if (m_first)
    {
        UnfreezeFilter();
        if (!m_filterSetter)
            SetUnhandledExceptionFilter(m_previousFilter);
        StopReportThread();
    }
    UnmapViewOfFile(m_block);
    CloseHandle(m_section);
    m_block = nullptr;
    m_section = nullptr;
}

void CrashHandler::ComputeDumpPath()
{
    wchar_t folder[MAX_PATH] = {};
    wchar_t baseName[kBaseNameCapacity] = {};
    if (!GetTempPathW(MAX_PATH, folder) || !GetModuleBaseNameW(GetCurrentProcess(), nullptr, baseName, kBaseNameCapacity))
    {
        m_dumpPath[0] = L'\0';  // no dump: the file cannot be created
        return;
    }
    FormatCrashDumpPath(folder, baseName, GetProcessId(GetCurrentProcess()),
                        static_cast<unsigned long long>(_time64(nullptr)), m_dumpPath, MAX_PATH);
}

ULONG_PTR CrashHandler::LockLoader()
{
    ULONG disposition = 0;
    ULONG_PTR cookie = 0;
    m_lockLoaderLock(0, &disposition, &cookie);
    return cookie;
}

void CrashHandler::UnlockLoader(ULONG_PTR cookie)
{
    m_unlockLoaderLock(0, cookie);
}

LONG CrashHandler::Handle(EXCEPTION_POINTERS* pointers)
{
    ULONG_PTR cookie = LockLoader();
    if (!m_block->entryRunning)
    {
        const bool reporter = m_block->exceptionPointers == nullptr;
        if (reporter)
        {
            m_block->exceptionPointers = pointers;
            m_block->crashingThread = GetCurrentThreadId();
        }
        UnlockLoader(cookie);
        while (!reporter)
            Sleep(kParkMilliseconds);
        HandOver(pointers);
        cookie = LockLoader();
    }
    ReportCrash(pointers, GetCurrentThreadId());
    TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    UnlockLoader(cookie);
    return EXCEPTION_CONTINUE_SEARCH;
}

void CrashHandler::HandOver(EXCEPTION_POINTERS* pointers)
{
    if (!m_block->reportThread || !m_block->readyEvent)
        return;
    const HANDLE waits[2] = {m_block->readyEvent, m_block->reportThread};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0)
        return;  // the report thread has gone
    m_block->exceptionPointers = pointers;
    SetEvent(m_block->startEvent);
    WaitForSingleObject(m_block->reportThread, INFINITE);  // it ends the process
}

DWORD WINAPI CrashHandler::ReportThread(void* context)
{
    CrashHandler* handler = static_cast<CrashHandler*>(context);
    CrashBlock* block = handler->m_block;
    SetEvent(block->readyEvent);
    WaitForSingleObject(block->startEvent, INFINITE);
    const ULONG_PTR cookie = handler->LockLoader();
    handler->ReportCrash(block->exceptionPointers, block->crashingThread);
    TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    handler->UnlockLoader(cookie);
    return 0;
}

LONG WINAPI HandleCrash(EXCEPTION_POINTERS* pointers)
{
    CrashHandler* handler = g_readyHandler;
    return handler ? handler->Handle(pointers) : EXCEPTION_CONTINUE_SEARCH;
}
