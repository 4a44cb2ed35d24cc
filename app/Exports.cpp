// The four exported calls.
#include "XJNTrayNotifications.h"
#include "app/CrashTestCheckpoint.h"
#include "notifications/DialogTrayMessage.h"
#include "notifications/DlgShutdownAfterTaskCompletion.h"
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
    DialogTrayMessage dialog;
    dialog.ShowModal();
    *choice = static_cast<DWORD>(dialog.GetResult());
    return TRUE;
}

BOOL WINAPI ShowLogonDetectDialog(XJNLogonDetectCallback callback, DWORD context)
{
    if (g_logonDetect)
        return FALSE;
    g_logonDetect = std::make_unique<PlaceholderPopup>(callback, context);
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
    CDlgShutdownAfterTaskCompletion dialog;
    dialog.Show(nullptr);
    *choice = dialog.GetResult() ? 1 : 0;
    return TRUE;
}
