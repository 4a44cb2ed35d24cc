// The four exported calls.
#include "XJNTrayNotifications.h"
#include "app/CrashTestCheckpoint.h"
#include "app/ModuleObjects.h"
#include "notifications/DialogTrayMessage.h"
#include "notifications/DlgShutdownAfterTaskCompletion.h"
#include "notifications/DialogTrayMessageLogonDetect.h"
#include "notifications/ModuleReference.h"
#include "winframe/BoundaryGuard.h"

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

// A blocking pop-up whose window cannot be made, or whose window something else destroyed before
// it had an answer, has none to give: the caller's value stays as it was.
BOOL ReportNoAnswer(const wchar_t* message, unsigned line)
{
    WriteTraceEx(TRACE_ERROR, message, kSource, line);
    return FALSE;
}

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
    return CallGuarded(L"ShowShutdownDialog", FALSE, [choice]() -> BOOL {
        DialogTrayMessage dialog;
        if (!dialog.ShowModal())
            return ReportNoAnswer(L"ShowShutdownDialog - the pop-up could not be shown, no answer", __LINE__);
        if (!dialog.HasAnswer())
            return ReportNoAnswer(L"ShowShutdownDialog - the pop-up went before it had an answer, no answer",
                                  __LINE__);
        *choice = static_cast<DWORD>(dialog.GetResult());
        return TRUE;
    });
}

BOOL WINAPI ShowLogonDetectDialog(XJNLogonDetectCallback callback, DWORD context)
{
    if (Refused(L"ShowLogonDetectDialog - the library did not start, refused"))
        return FALSE;
    return CallGuarded(L"ShowLogonDetectDialog", FALSE, [callback, context]() -> BOOL {
        if (g_logonDetectThread != 0)
            return FALSE;
        SettleParkedReferences();
        auto pin = std::make_unique<CModulePin>();
        auto popup = std::make_unique<CDialogTrayMessageLogonDetect>(callback, context);
        popup->Show(nullptr);
        if (!popup->m_hWnd)
            return FALSE;  // no window: nothing is shown
        g_logonDetectPin = pin.release();
        g_logonDetect = popup.release();
        g_logonDetectThread = GetCurrentThreadId();
        return TRUE;
    });
}

// Only the thread that owns the window may destroy it; any other is refused.
void WINAPI HideLogonDetectDialog(void)
{
    if (Refused(L"HideLogonDetectDialog - the library did not start, refused"))
        return;
    CallGuarded(L"HideLogonDetectDialog", false, [] {
        const DWORD owner = g_logonDetectThread;
        if (owner != 0 && owner != GetCurrentThreadId())
        {
            WriteTraceEx(TRACE_ERROR,
                         L"HideLogonDetectDialog - called on a thread that does not own the pop-up, refused", kSource,
                         __LINE__);
            return false;
        }
        if (owner != 0)
        {
            // The pop-up goes before the pin that keeps its code loaded.
            std::unique_ptr<CModulePin> pin(g_logonDetectPin);
            std::unique_ptr<CDialogTrayMessageLogonDetect> popup(g_logonDetect);
            g_logonDetectPin = nullptr;
            g_logonDetect = nullptr;
            g_logonDetectThread = 0;
            popup->Hide();
        }
        SettleParkedReferences();
        return true;
    });
}

// A null pointer shows nothing and returns 0, as ShowShutdownDialog does.
BOOL WINAPI ShowShutdownAfterTaskCompletionDialog(DWORD* choice)
{
    if (Refused(L"ShowShutdownAfterTaskCompletionDialog - the library did not start, refused"))
        return FALSE;
    CrashTestCheckpoint(27);
    if (!choice)
        return FALSE;
    return CallGuarded(L"ShowShutdownAfterTaskCompletionDialog", FALSE, [choice]() -> BOOL {
        CDlgShutdownAfterTaskCompletion dialog;
        dialog.Show(nullptr);
        if (!dialog.WasShown())
            return ReportNoAnswer(
                L"ShowShutdownAfterTaskCompletionDialog - the pop-up could not be shown, no answer", __LINE__);
        if (!dialog.HasAnswer())
            return ReportNoAnswer(
                L"ShowShutdownAfterTaskCompletionDialog - the pop-up went before it had an answer, no answer",
                __LINE__);
        *choice = dialog.GetResult() ? 1 : 0;
        return TRUE;
    });
}
