#include "notifications/ModuleReference.h"

#include "base/HostCallback.h"
#include "winframe/ModuleInstance.h"

#include <atomic>

namespace {

std::atomic<int> g_pins{0};
std::atomic<int> g_parked{0};

} // namespace

CModulePin::CModulePin() : m_module(TakeModuleReference())
{
    ++g_pins;
}

CModulePin::~CModulePin()
{
    --g_pins;
}

int CModulePin::Count()
{
    return g_pins;
}

void CallHostKeepingLibrary(XJNLogonDetectCallback callback, DWORD context, DWORD choice)
{
    if (!callback)
        return;
    ScopedLibrary kept(TakeModuleReference());
    CallHostCallback(callback, context, choice);
    // With a pin holding the library, letting go of this reference cannot be the last one;
    // without, it is parked until the host calls again.
    if (kept && g_pins == 0)
    {
        kept.Release();
        ++g_parked;
    }
}

void SettleParkedReferences()
{
    for (int parked = g_parked.exchange(0); parked > 0; --parked)
    {
        // A parked reference belongs to nobody: an owner takes it over and gives it back.
        ScopedLibrary parkedReference;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&SettleParkedReferences), parkedReference.Receive());
    }
}

int ParkedReferences()
{
    return g_parked;
}
