// Locks held for the lifetime of a scope: every way out of the scope lets them go.
#pragma once
#include <windows.h>

// A critical section: the threads of this process.
class LockGuard
{
public:
    explicit LockGuard(CRITICAL_SECTION& lock) : m_lock(lock) { EnterCriticalSection(&m_lock); }
    ~LockGuard() { LeaveCriticalSection(&m_lock); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

private:
    CRITICAL_SECTION& m_lock;
};

// A mutex: the processes that share it. Null holds nothing; an owner that ended without letting
// go (WAIT_ABANDONED) still hands it on.
class MutexGuard
{
public:
    explicit MutexGuard(HANDLE mutex) : m_mutex(mutex)
    {
        if (m_mutex)
        {
            const DWORD waited = WaitForSingleObject(m_mutex, INFINITE);
            if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED)
                m_mutex = nullptr;
        }
    }
    ~MutexGuard()
    {
        if (m_mutex)
            ReleaseMutex(m_mutex);
    }
    MutexGuard(const MutexGuard&) = delete;
    MutexGuard& operator=(const MutexGuard&) = delete;

private:
    HANDLE m_mutex;
};
