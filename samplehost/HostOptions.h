#pragma once
#include <windows.h>

#include <string>

// What the sample host was asked to do, from its command line.
struct HostOptions
{
    enum class Popup
    {
        None,
        ShutdownWarning,
        ShutdownAfterTasks,
        LogonDetect,
    };
    Popup popup = Popup::None;
    WORD pressId = 0;         // 0: nobody presses; the user answers or the pop-up times out
    DWORD delayMs = 1000;     // after the pop-up has come out, before the screenshot and the press
    std::wstring screenshot;  // PNG file; empty: none
    DWORD context = 1234;     // handed to the logon-detect callback
    DWORD hideAfterMs = 0;    // logon-detect: hide it after this long without an answer; 0: never
};

// Parses the arguments after the program name; false with a reason on error.
bool ParseHostOptions(int argc, wchar_t** argv, HostOptions& options, std::wstring& error);

extern const char kHostUsage[];
