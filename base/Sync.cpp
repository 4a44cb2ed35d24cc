#include "base/Sync.h"

CriticalSection::CriticalSection()
{
    InitializeCriticalSection(&m_section);
}

CriticalSection::~CriticalSection()
{
    DeleteCriticalSection(&m_section);
}

bool CriticalSection::Lock(DWORD)
{
    EnterCriticalSection(&m_section);
    return true;
}

void CriticalSection::Unlock()
{
    LeaveCriticalSection(&m_section);
}

SyncObject::SyncObject(Synchronisable* lock, DWORD timeout) : m_lock(lock)
{
    if (m_lock)
        m_lock->Lock(timeout);
}

SyncObject::~SyncObject()
{
    if (!m_lock)
        return;
    try
    {
        m_lock->Unlock();
    }
    catch (...)
    {
        // A destructor must not throw; an unlock that fails has nothing left to undo.
    }
}
