#include "app/CrashTestCheckpoint.h"
#include "app/ModuleObjects.h"
#include "app/XJNTrayNotificationsApp.h"

#include <windows.h>

// The module-wide objects are built before this runs and destroyed after the detach call;
// nothing else needs doing on the other reasons.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    CrashTestCheckpoint(25);
    if (TrayApp().InitFailed())
        return FALSE;
    TrayApp().Init(instance);
    MarkModuleStarted();
    return TRUE;
}
