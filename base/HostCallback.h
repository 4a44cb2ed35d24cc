#pragma once
#include "XJNTrayNotifications.h"

// Calls the host's logon-detect callback with (context, choice); does nothing for null. The
// host may have written the callback with either calling convention: the stack pointer is put
// back after the call, whether the callee removed its arguments or left them.
void CallHostCallback(XJNLogonDetectCallback callback, DWORD context, DWORD choice);
