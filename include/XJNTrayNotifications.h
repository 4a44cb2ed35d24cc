/* XJNTrayNotifications.dll: the tray notification pop-ups, for the host application.
 *
 * Call the exports on a thread that runs a message loop. ShowShutdownDialog and
 * ShowShutdownAfterTaskCompletionDialog block (pumping that thread's messages) until the
 * pop-up has closed; ShowLogonDetectDialog returns at once and its pop-up lives on the
 * calling thread until HideLogonDetectDialog, which must be called on the same thread.
 */
#ifndef XJN_TRAY_NOTIFICATIONS_H
#define XJN_TRAY_NOTIFICATIONS_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The user's answer to the logon-detect notice: choice 1 = Stop, 0 = Hide or closed.
 * context is the value given to ShowLogonDetectDialog. The library calls it with either
 * convention: WINAPI as declared here, or a callee that leaves its arguments to the caller. */
typedef void (WINAPI *XJNLogonDetectCallback)(DWORD context, DWORD choice);

/* Blocks until the shutdown warning has closed; *choice = 1: cancel the shutdown, 0: go on
 * (also after 30 s without an answer), and returns 1. Returns 0 and shows nothing when choice is
 * NULL. Returns 0 at once, *choice left as it was, when the pop-up's window cannot be made (no
 * desktop heap, no desktop to show it on). Returns 0, *choice left as it was, when something
 * else in the process destroys the pop-up's window before it has an answer (no button pressed,
 * display time not over): there is no answer. */
BOOL WINAPI ShowShutdownDialog(DWORD* choice);

/* Shows the modeless logon-detect notice; returns 0 when one is already shown. */
BOOL WINAPI ShowLogonDetectDialog(XJNLogonDetectCallback callback, DWORD context);

/* Removes the logon-detect notice, if any. */
void WINAPI HideLogonDetectDialog(void);

/* Blocks until the shutdown-after-tasks notice has closed; *choice = 1: shut down (also after
 * 29 s without an answer), 0: cancel. Returns 1; returns 0 and shows nothing when choice is NULL.
 * Returns 0 at once, *choice left as it was, when the pop-up's window cannot be made, and
 * returns 0, *choice left as it was, when something else destroys its window before it has an
 * answer: that is no answer, least of all "shut down". */
BOOL WINAPI ShowShutdownAfterTaskCompletionDialog(DWORD* choice);

/* Host-side loaders (XJNTrayLoader): load the library by name for each call, so that it is
 * unloaded after each blocking call and stays loaded while a logon-detect notice exists. */
BOOL CallShowShutdownDialog(DWORD* choice);
BOOL CallShowLogonDetectDialog(XJNLogonDetectCallback callback, DWORD context);
void CallHideLogonDetectDialog(void);
BOOL CallShowShutdownAfterTaskCompletionDialog(DWORD* choice);

#ifdef __cplusplus
}
#endif

#endif
