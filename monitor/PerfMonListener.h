// The listener through which the engine announces new data: it hands each notification to the
// graph window's thread with SendMessageW, so engine threads never touch the graph.
#pragma once
#include "monitor/EngineInterfaces.h"

// Messages sent to the listener's target window. Private to this library and the graph.
const UINT kDataChangedMessage = WM_APP + 76;  // wParam: the engine's value (0: new samples); lParam 0
const UINT kCounterStateMessage = WM_APP + 77; // wParam: counter index; lParam: non-zero = hidden

class CoPerfMonListener : public JNAPI::PerfMon::IAdviseListener
{
public:
    // S_OK with a new listener whose one count belongs to the caller; E_POINTER without a place for
    // it, E_OUTOFMEMORY when it cannot be allocated.
    static HRESULT CreateInstance(CoPerfMonListener** result);

    // The window that receives the two messages; 0 sends nothing.
    void SetTargetWindow(HWND window);
    HWND GetTargetWindow() const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE OnDataChanged(ULONG value) override;
    HRESULT STDMETHODCALLTYPE OnCounterState(ULONG index, BYTE inactive) override;

    // Only Release destroys it: after the interface's slots, so the table stays the contract.
    virtual ~CoPerfMonListener();
    CoPerfMonListener(const CoPerfMonListener&) = delete;
    CoPerfMonListener& operator=(const CoPerfMonListener&) = delete;

private:
    CoPerfMonListener();

    volatile LONG m_refCount = 0;
    HWND volatile m_target = nullptr;
};
