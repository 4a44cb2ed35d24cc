// The real engine's cost: processor time its sampling thread takes per sample and per hour; and the
// library's LoadLibrary time when no engine library can be found, against a bare DLL of the same
// file size (measured in a copy of this program in a folder without aJNClient.dll).
#include "BenchSupport.h"
#include "winframe/Owners.h"
#include "monitor/EngineClient.h"
#include "support/TempFolder.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kSampleSeconds = 20;
const int kLoadRounds = 40;

ULONGLONG ProcessCpu100ns()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return ticks(kernel) + ticks(user);
}

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

void SamplingCost()
{
    HMODULE library = LoadLibraryW(kEngineLibraryName);
    const auto entry = library ? reinterpret_cast<JNAPI::GetJanvekFunction>(
                                     reinterpret_cast<void*>(GetProcAddress(library, kEngineEntryName)))
                               : nullptr;
    ComRef<JNAPI::IEngine> engine;
    if (!entry || entry(engine.Receive()) != 0 || !engine)
    {
        std::printf("engine library not found beside the benchmark\n");
        return;
    }
    const auto service = ComRef<JNAPI::PerfMon::IPerfService>::Adopt(engine->GetPerfService());
    const auto monitor = ComRef<JNAPI::PerfMon::IPerfMonitor>::Adopt(service->GetPerfMonitor());
    const ULONGLONG before = ProcessCpu100ns();
    service->Activate();
    Sleep(kSampleSeconds * 1000 + 500);
    const double cpuMs = (ProcessCpu100ns() - before) / 10000.0;
    int samples = 0;
    const auto history = ComRef<JNAPI::PerfMon::ICounterHistory>::Adopt(monitor->GetCounterHistory(0));
    for (auto sample = ComRef<JNAPI::PerfMon::ISample>::Adopt(history->GetNewest()); sample;
         sample = ComRef<JNAPI::PerfMon::ISample>::Adopt(history->GetPrevious(sample.Get())))
        ++samples;
    std::printf("sampling: %d samples in %d s, process CPU %.1f ms: %.3f ms per sample, %.0f ms per hour\n",
                samples, kSampleSeconds, cpuMs, samples ? cpuMs / samples : 0.0,
                samples ? cpuMs / samples * 3600 : 0.0);
}

double MedianLoadMs(const std::wstring& file)
{
    std::vector<double> times;
    for (int i = 0; i < kLoadRounds; ++i)
    {
        const double start = MillisecondsNow();
        HMODULE module = LoadLibraryW(file.c_str());
        times.push_back(MillisecondsNow() - start);
        if (!module)
            return -1;
        FreeLibrary(module);
    }
    return SpreadOf(times).median;
}

// Runs in the copy: the library finds no engine library here.
int LoadTimes()
{
    const std::wstring folder = ExeFolder();
    const double library = MedianLoadMs(folder + L"XJNTrayNotifications.dll");
    const double bare = MedianLoadMs(folder + L"bare.dll");
    std::printf("LoadLibrary without engine library (median of %d): library %.2f ms, bare DLL of the same size "
                "%.2f ms, ratio %.1f\n",
                kLoadRounds, library, bare, bare > 0 ? library / bare : 0.0);
    return 0;
}

bool CopyPadded(const std::wstring& from, const std::wstring& to, LARGE_INTEGER size)
{
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
        return false;
    HANDLE file = CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // Bytes past the last section are never mapped: the file grows, the image stays bare.
    const bool padded = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return padded;
}

void LoadCostInACopy()
{
    testsupport::TempFolder folder;
    const std::wstring here = ExeFolder();
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    WIN32_FILE_ATTRIBUTE_DATA library = {};
    GetFileAttributesExW((here + L"XJNTrayNotifications.dll").c_str(), GetFileExInfoStandard, &library);
    LARGE_INTEGER size;
    size.LowPart = library.nFileSizeLow;
    size.HighPart = static_cast<LONG>(library.nFileSizeHigh);
    const std::wstring copy = folder.File(L"bench_engine.exe");
    if (!CopyFileW(self, copy.c_str(), FALSE) ||
        !CopyFileW((here + L"XJNTrayNotifications.dll").c_str(), folder.File(L"XJNTrayNotifications.dll").c_str(),
                   FALSE) ||
        !CopyFileW((here + L"Logvane.dll").c_str(), folder.File(L"Logvane.dll").c_str(), FALSE) ||
        !CopyPadded(here + L"enginenoentry\\aJNClient.dll", folder.File(L"bare.dll"), size))
    {
        std::printf("could not prepare the folder without engine library\n");
        return;
    }
    std::wstring command = L"\"" + copy + L"\" --load-times";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(copy.c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr, folder.Path().c_str(), &startup,
                        &process))
    {
        std::printf("could not start the copy\n");
        return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--load-times")
        return LoadTimes();
    std::fflush(stdout);
    LoadCostInACopy();
    SamplingCost();
    return 0;
}
