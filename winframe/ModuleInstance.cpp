#include "winframe/ModuleInstance.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE ModuleInstance()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

HMODULE TakeModuleReference()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(ModuleInstance()), &module);
    return module;
}
