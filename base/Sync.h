#pragma once
#include <windows.h>

// Anything that can be locked and unlocked.
class Synchronisable
{
public:
    virtual ~Synchronisable() = default;
    // Blocks until the lock is held; timeout in milliseconds.
    virtual bool Lock(DWORD timeout) = 0;
    virtual void Unlock() = 0;
};

// A recursive lock: the holding thread may lock again and unlocks as often as it locked.
class CriticalSection : public Synchronisable
{
public:
    CriticalSection();
    ~CriticalSection() override;
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    // Always waits without limit and returns true; the timeout is not used.
    bool Lock(DWORD timeout) override;
    void Unlock() override;

private:
    CRITICAL_SECTION m_section;
};

// Holds a lock for its own lifetime.
class SyncObject
{
public:
    explicit SyncObject(Synchronisable* lock, DWORD timeout = INFINITE);
    ~SyncObject();
    SyncObject(const SyncObject&) = delete;
    SyncObject& operator=(const SyncObject&) = delete;

private:
    Synchronisable* m_lock;
};
