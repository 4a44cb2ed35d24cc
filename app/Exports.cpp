// The four exported calls.
#include "XJNTrayNotifications.h"
#include "app/CrashTestCheckpoint.h"
#include "app/ModuleObjects.h"
#include "notifications/DialogTrayMessage.h"
#include "notifications/DlgShutdownAfterTaskCompletion.h"
#include "notifications/DialogTrayMessageLogonDetect.h"
#include "notifications/ModuleReference.h"

#include <atomic>
#include <memory>

namespace {
// The logon-detect slot: the live pop-up, the pin that keeps the library loaded while it exists
// (a FreeLibrary on any thread then cannot pull the code from under its window), and the thread
// that owns its window. Left as it is at process end, when nothing needs freeing.
CDialogTrayMessageLogonDetect* g_logonDetect = nullptr;
CModulePin* g_logonDetectPin = nullptr;
std::atomic<DWORD> g_logonDetectThread{0};

const wchar_t kSource[] = L".\\Exports";

// A library whose start-up never ran has none of its objects: every export refuses, writes
// nothing and shows nothing.
bool Refused(const wchar_t* message)
{
    if (ModuleStarted())
        return false;
    WriteTraceEx(TRACE_ERROR, message, kSource, __LINE__);
    return true;
}
} // namespace

BOOL WINAPI ShowShutdownDialog(DWORD* choice)
{
    if (Refused(L"ShowShutdownDialog - the library did not start, refused"))
        return FALSE;
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
    if (Refused(L"ShowLogonDetectDialog - the library did not start, refused"))
        return FALSE;
    if (g_logonDetectThread != 0)
        return FALSE;
    SettleParkedReferences();
    auto popup = std::make_unique<CDialogTrayMessageLogonDetect>(callback, context);
    popup->Show(nullptr);
    if (!popup->m_hWnd)
        return FALSE;  // no window: nothing is shown
    g_logonDetectPin = new CModulePin;
    g_logonDetect = popup.release();
    g_logonDetectThread = GetCurrentThreadId();
    return TRUE;
}

// Only the thread that owns the window may destroy it; any other is refused.
void WINAPI HideLogonDetectDialog(void)
{
    if (Refused(L"HideLogonDetectDialog - the library did not start, refused"))
        return;
    const DWORD owner = g_logonDetectThread;
    if (owner != 0 && owner != GetCurrentThreadId())
    {
        WriteTraceEx(TRACE_ERROR, L"HideLogonDetectDialog - called on a thread that does not own the pop-up, refused",
                     kSource, __LINE__);
        return;
    }
    if (owner != 0)
    {
        CDialogTrayMessageLogonDetect* popup = g_logonDetect;
        g_logonDetect = nullptr;
        g_logonDetectThread = 0;
        popup->Hide();
        delete popup;
        delete g_logonDetectPin;
        g_logonDetectPin = nullptr;
    }
    SettleParkedReferences();
}

// A null pointer shows nothing and returns 0, as ShowShutdownDialog does.
BOOL WINAPI ShowShutdownAfterTaskCompletionDialog(DWORD* choice)
{
    if (Refused(L"ShowShutdownAfterTaskCompletionDialog - the library did not start, refused"))
        return FALSE;
    CrashTestCheckpoint(27);
    if (!choice)
        return FALSE;
    CDlgShutdownAfterTaskCompletion dialog;
    dialog.Show(nullptr);
    *choice = dialog.GetResult() ? 1 : 0;
    return TRUE;
}
