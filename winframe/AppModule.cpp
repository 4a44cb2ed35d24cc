#include "winframe/AppModule.h"

namespace {
CAppModule* volatile g_thisModule = nullptr;
} // namespace

CAppModule* ThisAppModule()
{
    return g_thisModule;
}

CAppModule::CAppModule()
{
    m_lockReady = InitializeCriticalSectionAndSpinCount(&m_lock, 0) != FALSE;
    InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&g_thisModule), this, nullptr);
}

CAppModule::~CAppModule()
{
    InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&g_thisModule), nullptr, this);
    if (m_lockReady)
        DeleteCriticalSection(&m_lock);
}

bool CAppModule::Init(HINSTANCE instance)
{
    if (InitFailed())
        return false;
    m_instance = instance;
    return true;
}

LONG CAppModule::Lock()
{
    return InterlockedIncrement(&m_lockCount);
}

LONG CAppModule::Unlock()
{
    return InterlockedDecrement(&m_lockCount);
}

void CAppModule::EnterModuleLock()
{
    EnterCriticalSection(&m_lock);
}

void CAppModule::LeaveModuleLock()
{
    LeaveCriticalSection(&m_lock);
}
