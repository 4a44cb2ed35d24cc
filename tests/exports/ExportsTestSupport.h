// The library loaded by name, its four exports, and what the logon-detect callback received.
#pragma once
#include "XJNTrayNotifications.h"
#include "LibraryExport.h"

#include <gtest/gtest.h>

#include <vector>

struct TrayLibrary
{
    typedef BOOL(WINAPI* ChoiceCall)(DWORD*);
    typedef BOOL(WINAPI* ShowLogonDetectCall)(XJNLogonDetectCallback, DWORD);
    typedef void(WINAPI* HideLogonDetectCall)();

    TrayLibrary() : module(LoadLibraryW(L"XJNTrayNotifications.dll"))
    {
        showShutdown = xjnhost::LibraryExport<ChoiceCall>(module, "ShowShutdownDialog");
        showAfterTasks = xjnhost::LibraryExport<ChoiceCall>(module, "ShowShutdownAfterTaskCompletionDialog");
        showLogonDetect = xjnhost::LibraryExport<ShowLogonDetectCall>(module, "ShowLogonDetectDialog");
        hideLogonDetect = xjnhost::LibraryExport<HideLogonDetectCall>(module, "HideLogonDetectDialog");
    }
    ~TrayLibrary()
    {
        if (hideLogonDetect)
            hideLogonDetect();  // never leave a pop-up behind for the next test
        if (module)
            FreeLibrary(module);
    }
    TrayLibrary(const TrayLibrary&) = delete;
    TrayLibrary& operator=(const TrayLibrary&) = delete;

    bool Complete() const { return module && showShutdown && showAfterTasks && showLogonDetect && hideLogonDetect; }

    HMODULE module;
    ChoiceCall showShutdown = nullptr;
    ChoiceCall showAfterTasks = nullptr;
    ShowLogonDetectCall showLogonDetect = nullptr;
    HideLogonDetectCall hideLogonDetect = nullptr;
};

struct CallbackCall
{
    DWORD context;
    DWORD choice;
    bool windowGone;  // no pop-up window was left on the thread when the callback ran
};

// Filled by the test callbacks below.
extern std::vector<CallbackCall> g_callbackCalls;

void WINAPI RecordingStdcallCallback(DWORD context, DWORD choice);
void __cdecl RecordingCdeclCallback(DWORD context, DWORD choice);
