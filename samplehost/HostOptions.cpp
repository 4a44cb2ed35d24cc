#include "HostOptions.h"

#include <cwchar>

const char kHostUsage[] =
    "usage: XJNSampleHost <shutdown|aftertasks|logondetect> [options]\n"
    "  shutdown      ShowShutdownDialog: blocks, prints the choice (1 cancel the shutdown, 0 go on)\n"
    "  aftertasks    ShowShutdownAfterTaskCompletionDialog: blocks, prints the choice (1 shut down, 0 cancel)\n"
    "  logondetect   ShowLogonDetectDialog: runs a message loop and prints each callback\n"
    "options:\n"
    "  --press ID         press the button with this command id (1381 first, 1382 second, 1095 close, 2 cancel)\n"
    "  --delay MS         wait this long after the pop-up has come out (default 1000)\n"
    "  --screenshot FILE  save a PNG of the pop-up after the delay\n"
    "  --context N        the logon-detect callback's context value (default 1234)\n"
    "  --hide-after MS    logon-detect: hide the pop-up after this long if nobody answered\n";

namespace {

bool ParseNumber(const wchar_t* text, DWORD& value)
{
    wchar_t* end = nullptr;
    const unsigned long number = std::wcstoul(text, &end, 0);
    if (!*text || *end)
        return false;
    value = number;
    return true;
}

} // namespace

bool ParseHostOptions(int argc, wchar_t** argv, HostOptions& options, std::wstring& error)
{
    for (int i = 0; i < argc; ++i)
    {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        DWORD number = 0;
        if (arg == L"shutdown")
            options.popup = HostOptions::Popup::ShutdownWarning;
        else if (arg == L"aftertasks")
            options.popup = HostOptions::Popup::ShutdownAfterTasks;
        else if (arg == L"logondetect")
            options.popup = HostOptions::Popup::LogonDetect;
        else if (arg == L"--screenshot" && hasValue)
            options.screenshot = argv[++i];
        else if ((arg == L"--press" || arg == L"--delay" || arg == L"--context" || arg == L"--hide-after") && hasValue)
        {
            if (!ParseNumber(argv[++i], number))
            {
                error = L"not a number: " + std::wstring(argv[i]);
                return false;
            }
            if (arg == L"--press")
                options.pressId = static_cast<WORD>(number);
            else if (arg == L"--delay")
                options.delayMs = number;
            else if (arg == L"--context")
                options.context = number;
            else
                options.hideAfterMs = number;
        }
        else
        {
            error = L"unknown or incomplete argument: " + arg;
            return false;
        }
    }
    if (options.popup == HostOptions::Popup::None)
    {
        error = L"name a pop-up";
        return false;
    }
    return true;
}
