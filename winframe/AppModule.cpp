#include "winframe/AppModule.h"

CAppModule::CAppModule()
{
    m_lockReady = InitializeCriticalSectionAndSpinCount(&m_lock, 0) != FALSE;
}

CAppModule::~CAppModule()
{
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
