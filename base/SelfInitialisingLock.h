#pragma once
#include <windows.h>

// A critical section that needs no constructor: an object in static storage is ready for use
// before any constructor of its module has run (the crash handler is set up ahead of the
// runtime's start-up). The first thread to claim it creates the section; the others wait
// until it exists. Zero-initialised storage is its starting state; it is never deleted.
// Only for objects of static storage duration.
class SelfInitialisingLock
{
public:
    void Enter();
    void Leave();

private:
    LONG m_claimed;           // swapped from 0 to 1 by the thread that creates the section
    volatile LONG m_ready;    // 1 once the section exists
    CRITICAL_SECTION m_section;
};

// Holds a SelfInitialisingLock for its own lifetime.
class SelfInitialisingLockGuard
{
public:
    explicit SelfInitialisingLockGuard(SelfInitialisingLock& lock) : m_lock(lock) { m_lock.Enter(); }
    ~SelfInitialisingLockGuard() { m_lock.Leave(); }
    SelfInitialisingLockGuard(const SelfInitialisingLockGuard&) = delete;
    SelfInitialisingLockGuard& operator=(const SelfInitialisingLockGuard&) = delete;

private:
    SelfInitialisingLock& m_lock;
};
