#include "notifications/ModuleReference.h"

#include "base/HostCallback.h"

#include <atomic>

namespace {

std::atomic<int> g_pins{0};
std::atomic<int> g_parked{0};

// A new counted reference on the module that holds this code (null when it cannot be had).
HMODULE TakeModuleReference()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&TakeModuleReference),
                       &module);
    return module;
}

} // namespace

CModulePin::CModulePin() : m_module(TakeModuleReference())
{
    ++g_pins;
}

CModulePin::~CModulePin()
{
    --g_pins;
    if (m_module)
        FreeLibrary(m_module);
}

int CModulePin::Count()
{
    return g_pins;
}

void CallHostKeepingLibrary(XJNLogonDetectCallback callback, DWORD context, DWORD choice)
{
    if (!callback)
        return;
    HMODULE kept = TakeModuleReference();
    CallHostCallback(callback, context, choice);
    if (!kept)
        return;
    if (g_pins > 0)
        FreeLibrary(kept);  // a pin holds the library: this cannot be the last reference
    else
        ++g_parked;
}

void SettleParkedReferences()
{
    for (int parked = g_parked.exchange(0); parked > 0; --parked)
    {
        HMODULE module = nullptr;
        if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                               reinterpret_cast<LPCWSTR>(&SettleParkedReferences), &module))
            FreeLibrary(module);
    }
}

int ParkedReferences()
{
    return g_parked;
}
