#include "crash/CrashChild.h"

#include "support/FileBytes.h"

#include <ctime>
#include <vector>

const wchar_t kChildActionVariable[] = L"XJN_CRASH_ACTION";

namespace {

// Long enough for a full-memory dump of a process under emulation; a hang still ends the test.
const DWORD kChildWaitMilliseconds = 300000;

// Sets an environment variable for the children started meanwhile, and puts the old value back.
class EnvironmentOverride
{
public:
    EnvironmentOverride(const wchar_t* name, const std::wstring& value) : m_name(name)
    {
        const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
        if (size > 0)
        {
            std::vector<wchar_t> old(size);
            GetEnvironmentVariableW(name, old.data(), size);
            m_old.assign(old.data());
            m_had = true;
        }
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~EnvironmentOverride() { SetEnvironmentVariableW(m_name, m_had ? m_old.c_str() : nullptr); }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    const wchar_t* m_name;
    std::wstring m_old;
    bool m_had = false;
};

unsigned long long Now()
{
    return static_cast<unsigned long long>(_time64(nullptr));
}

} // namespace

ChildRun RunCrashChild(const std::string& action, const std::wstring& tempFolder, const std::wstring& outputFile)
{
    ChildRun run;
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(program) +
                           L"\" --gtest_also_run_disabled_tests --gtest_filter=CrashChild.DISABLED_Run "
                           L"--gtest_catch_exceptions=0 --gtest_color=no";
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                CREATE_ALWAYS, 0, nullptr);
    HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                               nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = startup.hStdError = output;
    PROCESS_INFORMATION process{};
    {
        EnvironmentOverride temp(L"TEMP", tempFolder);
        EnvironmentOverride tmp(L"TMP", tempFolder);
        EnvironmentOverride what(kChildActionVariable, std::wstring(action.begin(), action.end()));
        run.startedAt = Now();
        run.started = CreateProcessW(program, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                     &process) != FALSE;
    }
    CloseHandle(input);
    CloseHandle(output);
    if (!run.started)
        return run;
    run.processId = process.dwProcessId;
    run.mainThreadId = process.dwThreadId;
    run.ended = WaitForSingleObject(process.hProcess, kChildWaitMilliseconds) == WAIT_OBJECT_0;
    if (!run.ended)
    {
        TerminateProcess(process.hProcess, 0xDEAD);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    run.endedAt = Now();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.output = testsupport::ReadFileBytes(outputFile);
    return run;
}
