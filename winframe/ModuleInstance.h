#pragma once
#include <windows.h>

// The image this code is linked into (the library itself; a test program in the tests):
// every dialog template, bitmap, icon and text resource is loaded from it.
HINSTANCE ModuleInstance();
