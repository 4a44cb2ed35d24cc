// The sample host: what the product's tray application would be. It starts GDI+, loads the
// library by name for each call and shows the pop-up named on its command line.
#include "HostOptions.h"
#include "PopupAutomation.h"
#include "Screenshot.h"
#include "XJNTrayNotifications.h"

#include <gdiplus.h>

#include <cstdio>
#include <thread>

namespace {

DWORD g_mainThread = 0;
bool g_answered = false;

void WINAPI OnLogonDetectAnswer(DWORD context, DWORD choice)
{
    std::printf("logon-detect callback: context %lu, choice %lu (%s)\n", context, choice, choice ? "Stop" : "Hide");
    std::fflush(stdout);
    g_answered = true;
    PostThreadMessageW(g_mainThread, WM_QUIT, 0, 0);
}

// Acts as the user: waits until the pop-up has come out, then takes the picture and presses.
void Automate(const HostOptions& options)
{
    if (!options.pressId && options.screenshot.empty())
        return;
    HWND popup = xjnhost::WaitForSettledPopup(g_mainThread, 20000);
    if (!popup)
    {
        std::fprintf(stderr, "no pop-up appeared\n");
        return;
    }
    Sleep(options.delayMs);
    if (!options.screenshot.empty())
    {
        const bool saved = SaveWindowPng(popup, options.screenshot);
        std::printf("screenshot %ls: %s\n", options.screenshot.c_str(), saved ? "saved" : "FAILED");
        std::fflush(stdout);
    }
    if (options.pressId)
    {
        std::printf("pressing %u\n", options.pressId);
        std::fflush(stdout);
        PostMessageW(popup, WM_COMMAND, MAKEWPARAM(options.pressId, 0), 0);
    }
}

int ShowBlocking(const char* name, BOOL (*call)(DWORD*), const char* meaningOfOne, const char* meaningOfZero)
{
    DWORD choice = 0;
    const BOOL result = call(&choice);
    std::printf("%s returned %d, choice %lu (%s)\n", name, result, choice, choice ? meaningOfOne : meaningOfZero);
    return result ? 0 : 1;
}

int ShowLogonDetect(const HostOptions& options)
{
    if (!CallShowLogonDetectDialog(&OnLogonDetectAnswer, options.context))
    {
        std::printf("ShowLogonDetectDialog returned 0\n");
        return 1;
    }
    std::printf("ShowLogonDetectDialog returned 1\n");
    std::fflush(stdout);
    const UINT_PTR giveUp = options.hideAfterMs ? SetTimer(nullptr, 0, options.hideAfterMs, nullptr) : 0;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        if (giveUp && message.message == WM_TIMER && !message.hwnd && message.wParam == giveUp)
            break;  // nobody answered in time
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    CallHideLogonDetectDialog();
    std::printf("HideLogonDetectDialog called%s\n", g_answered ? "" : " without an answer");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    HostOptions options;
    std::wstring error;
    if (!ParseHostOptions(argc - 1, argv + 1, options, error))
    {
        std::fprintf(stderr, "%ls\n%s", error.c_str(), kHostUsage);
        return 2;
    }
    g_mainThread = GetCurrentThreadId();

    // The library's graphs draw with GDI+; the host starts it.
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    if (Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr) != Gdiplus::Ok)
    {
        std::fprintf(stderr, "GDI+ did not start\n");
        return 1;
    }

    std::thread user(Automate, options);
    int exitCode = 0;
    switch (options.popup)
    {
    case HostOptions::Popup::ShutdownWarning:
        exitCode = ShowBlocking("ShowShutdownDialog", &CallShowShutdownDialog, "cancel the shutdown", "go on");
        break;
    case HostOptions::Popup::ShutdownAfterTasks:
        exitCode = ShowBlocking("ShowShutdownAfterTaskCompletionDialog", &CallShowShutdownAfterTaskCompletionDialog,
                                "shut down", "cancel");
        break;
    case HostOptions::Popup::LogonDetect:
        exitCode = ShowLogonDetect(options);
        break;
    case HostOptions::Popup::None:
        break;
    }
    user.join();
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return exitCode;
}
