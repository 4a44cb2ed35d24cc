#include "XJNTrayNotifications.h"

BOOL WINAPI ShowShutdownDialog(DWORD* choice)
{
    if (!choice)
        return FALSE;
    *choice = 0;
    return TRUE;
}

BOOL WINAPI ShowLogonDetectDialog(XJNLogonDetectCallback, DWORD)
{
    return TRUE;
}

void WINAPI HideLogonDetectDialog(void)
{
}

BOOL WINAPI ShowShutdownAfterTaskCompletionDialog(DWORD* choice)
{
    if (!choice)
        return FALSE;
    *choice = 1;
    return TRUE;
}
