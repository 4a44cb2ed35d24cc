// References the library holds on itself, so that its code stays mapped while something of it
// must still run: a pop-up window on a host's thread, or a call into the host that may free the
// library before it returns here. The last reference is never given back from a path that then
// returns into the library: that would unmap the code under the returning call.
#pragma once
#include "XJNTrayNotifications.h"
#include "winframe/Owners.h"

// Holds one reference on the library while it lives. Destroy it only where the caller holds a
// reference of its own (inside an export, whose caller has the library loaded).
class CModulePin
{
public:
    CModulePin();
    ~CModulePin();
    CModulePin(const CModulePin&) = delete;
    CModulePin& operator=(const CModulePin&) = delete;

    // How many pins live now.
    static int Count();

private:
    ScopedLibrary m_module;
};

// Calls the host back (either calling convention) with the library kept loaded across the call.
// Afterwards the extra reference goes at once when a pin outlives it; otherwise (the host removed
// the pop-up inside its callback and may have freed the library too) it stays parked until the
// next SettleParkedReferences.
void CallHostKeepingLibrary(XJNLogonDetectCallback callback, DWORD context, DWORD choice);

// Gives back the parked references. Only where the caller holds a reference of its own.
void SettleParkedReferences();
// How many are parked (for tests).
int ParkedReferences();
