#pragma once
#include <windows.h>

// The image this code is linked into (the library itself; a test program in the tests):
// every dialog template, bitmap, icon and text resource is loaded from it.
HINSTANCE ModuleInstance();

// A new counted reference on that image (null when it cannot be had); the caller's owner gives
// it back.
HMODULE TakeModuleReference();
