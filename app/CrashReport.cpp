// What the crash handler writes and sends for one crash.
#include "app/CrashHandler.h"

#include "winframe/Owners.h"

#include <dbghelp.h>

#include <cstring>

extern "C" {
#include <errorrep.h>  // declared without C linkage by the cross compiler's header
}

namespace {

// MiniDumpWithDataSegs | MiniDumpWithFullMemory | MiniDumpWithHandleData |
// MiniDumpWithUnloadedModules | MiniDumpWithIndirectlyReferencedMemory |
// MiniDumpWithProcessThreadData | MiniDumpWithPrivateReadWriteMemory: the whole process.
const MINIDUMP_TYPE kDumpType = static_cast<MINIDUMP_TYPE>(0x367);
const wchar_t kWerEventType[] = L"Stopped working";

} // namespace

bool CrashHandler::ReportCrash(EXCEPTION_POINTERS* pointers, DWORD threadId)
{
    WriteMinidump(pointers, threadId);
    if (m_reportFunctions && SubmitWerReport(pointers))
        return true;
    const EFaultRepRetVal fault = ReportFault(pointers, 0);
    return fault != frrvErr && fault != frrvErrNoDW && fault != frrvErrTimeout;
}

// A name that exists already (CREATE_NEW) or a folder that cannot be written means no dump.
void CrashHandler::WriteMinidump(EXCEPTION_POINTERS* pointers, DWORD threadId)
{
    ScopedFile file(
        CreateFileW(m_dumpPath, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    MINIDUMP_EXCEPTION_INFORMATION exception = {threadId, pointers, FALSE};
    const BOOL written = MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file.Get(), kDumpType,
                                           &exception, nullptr, nullptr);
    file.Reset();
    if (!written)
        DeleteFileW(m_dumpPath);
}

bool CrashHandler::SubmitWerReport(EXCEPTION_POINTERS* pointers)
{
    std::memset(&m_reportInformation, 0, sizeof(m_reportInformation));
    m_reportInformation.dwSize = sizeof(WER_REPORT_INFORMATION);
    GetModuleFileNameW(nullptr, m_reportInformation.wzApplicationPath, MAX_PATH);
    HREPORT report = nullptr;
    if (FAILED(m_reportFunctions->create(kWerEventType, kWerReportApplicationCrash, &m_reportInformation, &report)))
        return false;
    m_exceptionInformation.pExceptionPointers = pointers;
    m_exceptionInformation.bClientPointers = FALSE;
    if (FAILED(m_reportFunctions->addDump(report, GetCurrentProcess(), nullptr, kWerDumpTypeMiniDump,
                                          &m_exceptionInformation, nullptr, 0)))
    {
        m_reportFunctions->closeHandle(report);
        return false;
    }
    int result = 0;
    const HRESULT submitted = m_reportFunctions->submit(report, kWerConsentNotAsked, kWerSubmitOutOfProcess, &result);
    m_reportFunctions->closeHandle(report);
    return SUCCEEDED(submitted);
}
