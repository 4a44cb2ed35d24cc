#include "XJNTrayNotifications.h"

#include "LibraryExport.h"
#include "base/HostCallback.h"

namespace {

const wchar_t kLibraryName[] = L"XJNTrayNotifications.dll";
// Kept loaded while a logon-detect notice exists: its window procedure lives in the library.
HMODULE g_logonDetectLibrary = nullptr;
// The host's own callback; the library calls ForwardToHost, which tells when the library's code
// is below on the stack.
XJNLogonDetectCallback g_hostCallback = nullptr;
int g_callbackDepth = 0;
// A reference let go inside the callback, freed once the host's loop is back out of the library.
HMODULE g_deferredFree = nullptr;

typedef BOOL (WINAPI *ChoiceExport)(DWORD*);
typedef BOOL (WINAPI *ShowLogonDetectExport)(XJNLogonDetectCallback, DWORD);
typedef void (WINAPI *HideLogonDetectExport)(void);

BOOL CallChoiceExport(const char* name, DWORD* choice)
{
    HMODULE library = LoadLibraryW(kLibraryName);
    if (!library)
        return FALSE;
    BOOL shown = FALSE;
    if (auto call = xjnhost::LibraryExport<ChoiceExport>(library, name))
        shown = call(choice) ? TRUE : FALSE;
    FreeLibrary(library);
    return shown;
}

void WINAPI ForwardToHost(DWORD context, DWORD choice)
{
    ++g_callbackDepth;
    CallHostCallback(g_hostCallback, context, choice);
    --g_callbackDepth;
}

// Runs from the host's message loop, so no frame of the library is left on the stack. The
// library's no-op hide first gives back what it kept across the callback (unless a new notice,
// whose show did that, is up), then the last reference goes.
void CALLBACK FreeDeferredLibrary(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HMODULE library = g_deferredFree;
    g_deferredFree = nullptr;
    if (!library)
        return;
    if (!g_logonDetectLibrary)
        if (auto call = xjnhost::LibraryExport<HideLogonDetectExport>(library, "HideLogonDetectDialog"))
            call();
    FreeLibrary(library);
}

// Inside the callback the library's code is still below on the stack: freeing it now would unmap
// the code the callback returns into.
void ReleaseLogonDetectLibrary(HMODULE library)
{
    if (g_callbackDepth == 0)
    {
        FreeLibrary(library);
        return;
    }
    if (g_deferredFree)
        FreeLibrary(g_deferredFree);  // not the last: this one is still held
    g_deferredFree = library;
    SetTimer(nullptr, 0, 0, &FreeDeferredLibrary);
}

} // namespace

extern "C" BOOL CallShowShutdownDialog(DWORD* choice)
{
    return CallChoiceExport("ShowShutdownDialog", choice);
}

extern "C" BOOL CallShowShutdownAfterTaskCompletionDialog(DWORD* choice)
{
    return CallChoiceExport("ShowShutdownAfterTaskCompletionDialog", choice);
}

extern "C" BOOL CallShowLogonDetectDialog(XJNLogonDetectCallback callback, DWORD context)
{
    HMODULE library = LoadLibraryW(kLibraryName);
    if (!library)
        return FALSE;
    auto call = xjnhost::LibraryExport<ShowLogonDetectExport>(library, "ShowLogonDetectDialog");
    const XJNLogonDetectCallback previous = g_hostCallback;
    g_hostCallback = callback;
    if (call && call(callback ? &ForwardToHost : nullptr, context))
    {
        if (g_logonDetectLibrary)
            FreeLibrary(library);  // one reference is enough to keep it loaded
        else
            g_logonDetectLibrary = library;
        return TRUE;
    }
    g_hostCallback = previous;  // the notice already shown keeps its own
    FreeLibrary(library);
    return FALSE;
}

extern "C" void CallHideLogonDetectDialog(void)
{
    if (!g_logonDetectLibrary)
        return;
    if (auto call = xjnhost::LibraryExport<HideLogonDetectExport>(g_logonDetectLibrary, "HideLogonDetectDialog"))
        call();
    HMODULE library = g_logonDetectLibrary;
    g_logonDetectLibrary = nullptr;
    ReleaseLogonDetectLibrary(library);
}
