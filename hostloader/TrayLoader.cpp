#include "XJNTrayNotifications.h"

#include "LibraryExport.h"

namespace {

const wchar_t kLibraryName[] = L"XJNTrayNotifications.dll";
// Kept loaded while a logon-detect notice exists: its window procedure lives in the library.
HMODULE g_logonDetectLibrary = nullptr;

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
    if (call && call(callback, context))
    {
        if (g_logonDetectLibrary)
            FreeLibrary(library);  // one reference is enough to keep it loaded
        else
            g_logonDetectLibrary = library;
        return TRUE;
    }
    FreeLibrary(library);
    return FALSE;
}

extern "C" void CallHideLogonDetectDialog(void)
{
    if (!g_logonDetectLibrary)
        return;
    if (auto call = xjnhost::LibraryExport<HideLogonDetectExport>(g_logonDetectLibrary, "HideLogonDetectDialog"))
        call();
    FreeLibrary(g_logonDetectLibrary);
    g_logonDetectLibrary = nullptr;
}
