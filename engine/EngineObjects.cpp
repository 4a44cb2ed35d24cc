// The engine's COM objects over its core. The engine, its performance service, its monitor and the
// counter histories share the engine's one count (a reference to any keeps all alive); a sample is
// an object of its own that holds a copy, so readers walk without holding any lock.
#include "engine/EngineCore.h"

#include <new>

using namespace JNAPI;
using namespace JNAPI::PerfMon;

namespace {

// {6B1F7C2E-3D4A-4E8B-9A51-2C7D0E4F8B13}: asked of a sample to know it is one of ours.
const IID IID_OwnSample = {0x6B1F7C2E, 0x3D4A, 0x4E8B, {0x9A, 0x51, 0x2C, 0x7D, 0x0E, 0x4F, 0x8B, 0x13}};

class Sample final : public ISample
{
public:
    Sample(ULONG counter, const SampleValue& value) : m_counter(counter), m_value(value) {}

    static Sample* Own(ISample* sample)
    {
        Sample* own = nullptr;
        if (sample && SUCCEEDED(sample->QueryInterface(IID_OwnSample, reinterpret_cast<void**>(&own))) && own)
            own->Release();
        return own;
    }
    ULONG Counter() const { return m_counter; }
    ULONGLONG Sequence() const { return m_value.sequence; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_OwnSample))
            return E_NOINTERFACE;
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refCount); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG count = InterlockedDecrement(&m_refCount);
        if (count == 0)
            delete this;
        return count;
    }
    ULONGLONG STDMETHODCALLTYPE GetTime() override { return m_value.time; }
    LONG STDMETHODCALLTYPE GetValue() override { return m_value.value; }

private:
    volatile LONG m_refCount = 1;
    ULONG m_counter;
    SampleValue m_value;
};

ISample* NewSample(ULONG counter, bool found, const SampleValue& value)
{
    return found ? new (std::nothrow) Sample(counter, value) : nullptr;
}

class Engine;

// Answers IUnknown with the engine's identity and counts on the engine.
template <class Interface>
class Part : public Interface
{
public:
    explicit Part(IUnknown& owner) : m_owner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown))
            return m_owner.QueryInterface(iid, object);
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_owner.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_owner.Release(); }

protected:
    IUnknown& m_owner;
};

class CounterHistory : public Part<ICounterHistory>
{
public:
    CounterHistory(IUnknown& owner, EngineCore& core, ULONG counter) : Part(owner), m_core(core), m_counter(counter) {}
    // Samples are copies: a walk needs no lock.
    HRESULT STDMETHODCALLTYPE BeginWalk() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EndWalk() override { return S_OK; }
    ISample* STDMETHODCALLTYPE GetNewest() override
    {
        SampleValue value;
        const bool found = m_core.Newest(m_counter, value);
        return NewSample(m_counter, found, value);
    }
    ISample* STDMETHODCALLTYPE GetPrevious(ISample* sample) override
    {
        const Sample* own = Sample::Own(sample);
        if (!own || own->Counter() != m_counter)
            return nullptr;
        SampleValue value;
        const bool found = m_core.Before(m_counter, own->Sequence(), value);
        return NewSample(m_counter, found, value);
    }

private:
    EngineCore& m_core;
    ULONG m_counter;
};

class PerfMonitor : public Part<IPerfMonitor>
{
public:
    PerfMonitor(IUnknown& owner, EngineCore& core, CounterHistory* histories)
        : Part(owner), m_core(core), m_histories(histories)
    {
    }
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    ULONGLONG STDMETHODCALLTYPE GetTimeSpan() override { return kTimeSpanMs; }
    LONG STDMETHODCALLTYPE GetMinimum() override { return kMinimumValue; }
    LONG STDMETHODCALLTYPE GetMaximum() override { return kMaximumValue; }
    LONG STDMETHODCALLTYPE GetCounterCount() override { return kCounterCount; }
    ICounterHistory* STDMETHODCALLTYPE GetCounterHistory(ULONG index) override
    {
        if (index >= kCounterCount)
            return nullptr;
        m_histories[index].AddRef();
        return &m_histories[index];
    }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseListener* listener) override { return m_core.Advise(listener); }
    HRESULT STDMETHODCALLTYPE Unadvise(IAdviseListener* listener) override { return m_core.Unadvise(listener); }

private:
    EngineCore& m_core;
    // The derived type: indexing through the interface type would step by the wrong size.
    CounterHistory* m_histories;
};

class PerfService : public Part<IPerfService>
{
public:
    PerfService(IUnknown& owner, EngineCore& core, IPerfMonitor& monitor) : Part(owner), m_core(core), m_monitor(monitor)
    {
    }
    // Sampling starts when the first graph connects: a host that never shows one pays nothing.
    HRESULT STDMETHODCALLTYPE Activate() override { return m_core.StartSampling() ? S_OK : E_FAIL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
    IPerfMonitor* STDMETHODCALLTYPE GetPerfMonitor() override
    {
        m_monitor.AddRef();
        return &m_monitor;
    }

private:
    EngineCore& m_core;
    IPerfMonitor& m_monitor;
};

class Engine final : public IEngine
{
public:
    Engine()
        : m_histories{{*this, *m_core, 0}, {*this, *m_core, 1}},
          m_monitor(*this, *m_core, m_histories),
          m_service(*this, *m_core, m_monitor)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown))
            return E_NOINTERFACE;
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refCount); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG count = InterlockedDecrement(&m_refCount);
        if (count == 0)
            delete this;
        return count;
    }
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
    // The client's start call: nothing to do, sampling waits for a graph.
    HRESULT STDMETHODCALLTYPE Start(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
    IPerfService* STDMETHODCALLTYPE GetPerfService() override
    {
        m_service.AddRef();
        return &m_service;
    }

private:
    // Only Release destroys it; the last reference may be dropped under the loader lock, so the
    // thread is told to stop and never waited for.
    ~Engine()
    {
        m_core->Stop();
        m_core->Release();
    }

    volatile LONG m_refCount = 1;
    EngineCore* m_core = new EngineCore;
    CounterHistory m_histories[kCounterCount];
    PerfMonitor m_monitor;
    PerfService m_service;
};

} // namespace

// Runs while the host loads its library (loader lock held): makes an object, starts nothing.
extern "C" LONG WINAPI GetJanvek(IEngine** engine)
{
    if (!engine)
        return E_POINTER;
    *engine = nullptr;
    try
    {
        *engine = new Engine;
    }
    catch (...)
    {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}
