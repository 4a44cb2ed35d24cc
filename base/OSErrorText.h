#pragma once
#include <windows.h>

#include "base/StdStr.h"

// "Windows OS Error: " and the first line of the system's text for the code;
// the code alone in decimal when the system has no text for it.
stdstr GetOSErrorText(DWORD errorCode);
stdstr GetLastOSErrorText();
