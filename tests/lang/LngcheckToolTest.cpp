#include <gtest/gtest.h>

#include "base/Path.h"
#include "winframe/Owners.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

struct ToolRun
{
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

// Runs the checker beside this program and collects what it prints.
ToolRun RunLngcheck(const std::wstring& arguments)
{
    ToolRun run;
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return run;
    ScopedKernelHandle reader(readEnd);
    ScopedKernelHandle writer(writeEnd);
    SetHandleInformation(reader.Get(), HANDLE_FLAG_INHERIT, 0);

    const CPath tool(CPath::ModuleDirectory, L"lngcheck.exe");
    std::wstring commandLine = L"\"" + std::wstring(tool.GetPath()) + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer.Get();
    startup.hStdError = writer.Get();
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return run;
    ScopedKernelHandle processHandle(process.hProcess);
    ScopedKernelHandle threadHandle(process.hThread);
    writer.Reset();
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(reader.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        run.output.append(buffer, read);
    WaitForSingleObject(processHandle.Get(), 60000);
    GetExitCodeProcess(processHandle.Get(), &run.exitCode);
    return run;
}

std::wstring Quote(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

} // namespace

TEST(LngcheckTool, EveryShippedFileIsClean)
{
    CPath search(CPath::ModuleDirectory, L"Language\\*.lng");
    int files = 0;
    for (bool found = search.FindFirst(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY); found; found = search.FindNext())
    {
        ++files;
        const ToolRun run = RunLngcheck(Quote(search.GetPath()));
        EXPECT_EQ(run.exitCode, 0u) << run.output;
        EXPECT_NE(run.output.find(": 0 problem(s), 0 warning(s)"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("encoding UTF-8 with byte-order mark; line ends CRLF"), std::string::npos)
            << run.output;
    }
    EXPECT_EQ(files, 10);
}

TEST(LngcheckTool, ExitStatusTellsProblemsFromWarnings)
{
    TempFolder folder;
    // Only the built-in English's own keys are clean; start from the shipped English file.
    const std::string english =
        ReadFileBytes(std::wstring(CPath(CPath::ModuleDirectory, L"Language\\English.lng").GetPath()));
    ASSERT_FALSE(english.empty());
    ASSERT_TRUE(WriteFileBytes(folder.File(L"warning.lng"), english + "Unfinished line\r\n"));
    ASSERT_TRUE(WriteFileBytes(folder.File(L"problem.lng"), english + "XJNS_SHUTDOWN_YES =Annuler\r\n"));

    ToolRun run = RunLngcheck(Quote(folder.File(L"warning.lng")));
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("warning.lng(27): warning: line ignored: no \"=\""), std::string::npos) << run.output;

    run = RunLngcheck(Quote(folder.File(L"problem.lng")));
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_NE(run.output.find("problem.lng(27): problem: key \"XJNS_SHUTDOWN_YES \" has blanks"), std::string::npos)
        << run.output;

    run = RunLngcheck(Quote(folder.File(L"warning.lng")) + L" " + Quote(folder.File(L"problem.lng")));
    EXPECT_EQ(run.exitCode, 1u);

    run = RunLngcheck(Quote(folder.File(L"absent.lng")));
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.output.find("absent.lng: cannot be read"), std::string::npos) << run.output;

    run = RunLngcheck(L"");
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.output.find("usage: lngcheck"), std::string::npos);
}
