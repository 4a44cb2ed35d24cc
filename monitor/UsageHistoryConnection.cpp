#include "monitor/UsageHistoryConnection.h"

#include "monitor/UsageHistoryMessages.h"

#include <new>

namespace usagehistory {

using JNAPI::PerfMon::IAdviseListener;
using JNAPI::PerfMon::IPerfMonitor;
using JNAPI::PerfMon::IPerfService;

namespace {

ComPtr<JNAPI::IEngine>& EngineSlot()
{
    static ComPtr<JNAPI::IEngine> engine;
    return engine;
}

// Hands each notification to the graph's thread: SendMessageW runs the graph's handler there
// while the engine's calling thread waits.
class UsageHistoryListener final : public IAdviseListener
{
public:
    explicit UsageHistoryListener(HWND window) : m_window(window) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, JNAPI::PerfMon::IID_IAdviseListener))
        {
            *object = static_cast<IAdviseListener*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE OnDataChanged(ULONG value) override
    {
        return static_cast<HRESULT>(SendMessageW(m_window, kUsageDataChangedMessage, value, 0));
    }
    HRESULT STDMETHODCALLTYPE OnCounterState(ULONG index, BYTE inactive) override
    {
        return static_cast<HRESULT>(SendMessageW(m_window, kUsageCounterStateMessage, index, inactive));
    }

private:
    LONG m_references = 1;
    HWND m_window;
};

} // namespace

ComPtr<JNAPI::IEngine> UsageHistoryEngine()
{
    return EngineSlot();
}

void SetUsageHistoryEngine(JNAPI::IEngine* engine)
{
    EngineSlot() = engine;
}

HRESULT CreateUsageHistoryListener(HWND window, IAdviseListener** listener)
{
    if (!listener)
        return E_POINTER;
    *listener = new (std::nothrow) UsageHistoryListener(window);
    return *listener ? S_OK : E_OUTOFMEMORY;
}

ComPtr<IPerfMonitor> ConnectUsageHistory(HWND window, UsageHistoryLink& link)
{
    const ComPtr<JNAPI::IEngine> engine = UsageHistoryEngine();
    if (!engine)
        return nullptr;
    ComPtr<IPerfService> service;
    service.Attach(engine->GetPerfService());
    if (!service)
        return nullptr;
    ComPtr<IPerfMonitor> monitor;
    monitor.Attach(service->GetPerfMonitor());
    if (!monitor)
        return nullptr;
    link.monitor = monitor;
    service->Activate();

    ComPtr<IAdviseListener> listener;
    if (FAILED(CreateUsageHistoryListener(window, listener.GetAddressOf())))
        return monitor;
    link.listener = listener;
    monitor->Advise(listener.Get());
    return monitor;
}

void DisconnectUsageHistory(UsageHistoryLink& link)
{
    if (!link.monitor)
        return;
    if (link.listener)
        link.monitor->Unadvise(link.listener.Get());
    link.monitor.Reset();
}

} // namespace usagehistory
