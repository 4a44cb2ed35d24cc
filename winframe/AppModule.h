#pragma once
#include <windows.h>

// The application-module object of a library: its instance, its resource instance and the
// module-wide lock count that the library's COM objects hold while they live.
class CAppModule
{
public:
    CAppModule();
    virtual ~CAppModule();
    CAppModule(const CAppModule&) = delete;
    CAppModule& operator=(const CAppModule&) = delete;

    // False when the module's lock could not be created at construction: the module is unusable.
    bool Init(HINSTANCE instance);
    bool InitFailed() const { return !m_lockReady; }

    HINSTANCE GetModuleInstance() const { return m_instance; }
    HINSTANCE GetResourceInstance() const { return m_instance; }

    LONG Lock();
    LONG Unlock();
    LONG GetLockCount() const { return m_lockCount; }

    // Serialises the module-wide state that COM objects share.
    void EnterModuleLock();
    void LeaveModuleLock();

private:
    HINSTANCE m_instance = nullptr;
    volatile LONG m_lockCount = 0;
    CRITICAL_SECTION m_lock;
    bool m_lockReady = false;
};

// The module object of this image: the first one built and not yet destroyed (the library's own;
// null in a program that builds none). COM objects lock it while they live.
CAppModule* ThisAppModule();
