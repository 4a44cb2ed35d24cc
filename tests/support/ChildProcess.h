// Runs one disabled test of this very program in a child process: for what may end the process
// (a crash, an exception nothing catches), must happen in a fresh one, or needs a second process.
#pragma once
#include <windows.h>

#include <cstring>
#include <string>

namespace testsupport {

// Starts the child at once: it runs the test named by filter with the environment variable set to
// value (the child's test reads what to do from it); its output goes nowhere.
class ChildTest
{
public:
    ChildTest(const char* filter, const char* variable, const char* value)
    {
        wchar_t program[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(program) +
                               L"\" --gtest_also_run_disabled_tests --gtest_filter=" +
                               std::wstring(filter, filter + std::strlen(filter));
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 OPEN_EXISTING, 0, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
        SetEnvironmentVariableA(variable, value);
        if (!CreateProcessW(program, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &m_process))
            m_process = PROCESS_INFORMATION{};
        SetEnvironmentVariableA(variable, nullptr);
        CloseHandle(nul);
    }
    ~ChildTest() { Wait(0); }
    ChildTest(const ChildTest&) = delete;
    ChildTest& operator=(const ChildTest&) = delete;

    // The child's exit code: 0 when it came through, 0xFFFFFFFF when it could not start,
    // 0xFFFFFFFE when it was still running after the wait and was ended.
    DWORD Wait(DWORD waitMs)
    {
        if (!m_process.hProcess)
            return m_code;
        m_code = 0xFFFFFFFE;
        if (WaitForSingleObject(m_process.hProcess, waitMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(m_process.hProcess, &m_code);
        else
            TerminateProcess(m_process.hProcess, m_code);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
        m_process = PROCESS_INFORMATION{};
        return m_code;
    }

private:
    PROCESS_INFORMATION m_process{};
    DWORD m_code = 0xFFFFFFFF;
};

// Runs the child to its end and returns its exit code, as ChildTest::Wait does.
inline DWORD RunChildTest(const char* filter, const char* variable, const char* value, DWORD waitMs = 60000)
{
    ChildTest child(filter, variable, value);
    return child.Wait(waitMs);
}

} // namespace testsupport
