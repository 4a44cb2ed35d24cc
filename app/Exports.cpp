// The four exported calls.
#include "XJNTrayNotifications.h"
#include "app/CrashTestCheckpoint.h"
#include "notifications/PlaceholderPopup.h"

#include <memory>

namespace {
// The logon-detect slot: the live logon-detect pop-up, or none. An unload with the pop-up still
// there destroys it, so that no window is left whose procedure has gone with the library.
std::unique_ptr<PlaceholderPopup> g_logonDetect;
} // namespace

BOOL WINAPI ShowShutdownDialog(DWORD* choice)
{
    CrashTestCheckpoint(26);
    if (!choice)
        return FALSE;
    PlaceholderPopup dialog(PlaceholderPopup::Kind::ShutdownWarning);
    dialog.ShowBlocking();
    *choice = dialog.GetResult();
    return TRUE;
}

BOOL WINAPI ShowLogonDetectDialog(XJNLogonDetectCallback callback, DWORD context)
{
    if (g_logonDetect)
        return FALSE;
    g_logonDetect = std::make_unique<PlaceholderPopup>(PlaceholderPopup::Kind::LogonDetect, callback, context);
    g_logonDetect->Show(nullptr);
    return TRUE;
}

void WINAPI HideLogonDetectDialog(void)
{
    if (!g_logonDetect)
        return;
    g_logonDetect->Hide();
    g_logonDetect.reset();
}

// A null pointer shows nothing and returns 0, as ShowShutdownDialog does.
BOOL WINAPI ShowShutdownAfterTaskCompletionDialog(DWORD* choice)
{
    CrashTestCheckpoint(27);
    if (!choice)
        return FALSE;
    PlaceholderPopup dialog(PlaceholderPopup::Kind::ShutdownAfterTasks);
    dialog.ShowBlocking();
    *choice = dialog.GetResult();
    return TRUE;
}
