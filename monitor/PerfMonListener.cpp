#include "monitor/PerfMonListener.h"

#include "winframe/AppModule.h"

#include <new>

CoPerfMonListener::CoPerfMonListener()
{
    if (CAppModule* module = ThisAppModule())
        module->Lock();
}

CoPerfMonListener::~CoPerfMonListener()
{
    if (CAppModule* module = ThisAppModule())
        module->Unlock();
}

HRESULT CoPerfMonListener::CreateInstance(CoPerfMonListener** result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    CoPerfMonListener* listener = new (std::nothrow) CoPerfMonListener;
    if (!listener)
        return E_OUTOFMEMORY;
    listener->AddRef();
    *result = listener;
    return S_OK;
}

void CoPerfMonListener::SetTargetWindow(HWND window)
{
    InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&m_target), window);
}

HWND CoPerfMonListener::GetTargetWindow() const
{
    return m_target;
}

HRESULT CoPerfMonListener::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, JNAPI::PerfMon::IID_IAdviseListener))
    {
        *object = static_cast<JNAPI::PerfMon::IAdviseListener*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CoPerfMonListener::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refCount));
}

ULONG CoPerfMonListener::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT CoPerfMonListener::OnDataChanged(ULONG value)
{
    HWND target = m_target;
    return target ? static_cast<HRESULT>(SendMessageW(target, kDataChangedMessage, value, 0)) : S_OK;
}

HRESULT CoPerfMonListener::OnCounterState(ULONG index, BYTE inactive)
{
    HWND target = m_target;
    return target ? static_cast<HRESULT>(SendMessageW(target, kCounterStateMessage, index, inactive)) : S_OK;
}
