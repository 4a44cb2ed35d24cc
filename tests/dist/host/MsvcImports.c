/* Linked against the bundle's import library by a Microsoft-format linker, with no C runtime:
 * the compiler emits the decorated names (_ShowShutdownDialog@4, and __imp_ for dllimport), the
 * import library must bind them to the plain export names. Calls the two blocking exports with
 * a null choice, which show nothing and answer 0; exit status 7 when both did. Ends with
 * ExitProcess: a return from the entry point would end only this thread, and the library's crash
 * handler has a thread of its own. */
typedef int BOOL;
typedef unsigned long DWORD;
typedef void(__stdcall* LogonDetectCallback)(DWORD context, DWORD choice);

BOOL __stdcall ShowShutdownDialog(DWORD* choice);
__declspec(dllimport) BOOL __stdcall ShowShutdownAfterTaskCompletionDialog(DWORD* choice);
BOOL __stdcall ShowLogonDetectDialog(LogonDetectCallback callback, DWORD context);
__declspec(dllimport) void __stdcall HideLogonDetectDialog(void);

__declspec(dllimport) void __stdcall ExitProcess(unsigned int code);

/* Referenced, not called: it would show the notice. */
BOOL(__stdcall* volatile g_showLogonDetect)(LogonDetectCallback, DWORD) = &ShowLogonDetectDialog;

void __stdcall Start(void)
{
    HideLogonDetectDialog();
    ExitProcess(ShowShutdownDialog(0) == 0 && ShowShutdownAfterTaskCompletionDialog(0) == 0 ? 7 : 1);
}
