#include "FakePerfMonitor.h"

namespace graphtest {

using JNAPI::PerfMon::IAdviseListener;
using JNAPI::PerfMon::ICounterHistory;
using JNAPI::PerfMon::ISample;

namespace {

class FakeSample final : public ISample
{
public:
    FakeSample(const Sample& sample, size_t index) : m_sample(sample), index(index) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (!left)
            delete this;
        return left;
    }
    ULONGLONG STDMETHODCALLTYPE GetTime() override { return m_sample.time; }
    LONG STDMETHODCALLTYPE GetValue() override { return m_sample.value; }

private:
    ULONG m_references = 1;
    Sample m_sample;

public:
    size_t index;
};

class FakeHistory final : public ICounterHistory
{
public:
    FakeHistory(FakePerfMonitor& monitor, const std::vector<Sample>& samples) : m_monitor(monitor), m_samples(samples)
    {
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (!left)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE BeginWalk() override
    {
        ++m_monitor.openWalks;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EndWalk() override
    {
        --m_monitor.openWalks;
        return S_OK;
    }
    ISample* STDMETHODCALLTYPE GetNewest() override
    {
        return m_samples.empty() ? nullptr : Make(m_samples.size() - 1);
    }
    ISample* STDMETHODCALLTYPE GetPrevious(ISample* sample) override
    {
        const size_t index = static_cast<FakeSample*>(sample)->index;
        return index == 0 ? nullptr : Make(index - 1);
    }

private:
    ISample* Make(size_t index)
    {
        ++m_monitor.samplesVisited;
        return new FakeSample(m_samples[index], index);
    }

    ULONG m_references = 1;
    FakePerfMonitor& m_monitor;
    const std::vector<Sample>& m_samples;
};

} // namespace

FakePerfMonitor::FakePerfMonitor(ULONGLONG span, LONG minimum, LONG maximum)
    : span(span), minimum(minimum), maximum(maximum)
{
}

FakePerfMonitor::~FakePerfMonitor()
{
    if (listener)
        listener->Release();
}

void FakePerfMonitor::AddCounter(std::vector<Sample> samples, bool withHistory)
{
    m_counters.push_back({std::move(samples), withHistory});
}

HRESULT FakePerfMonitor::QueryInterface(REFIID, void** object)
{
    *object = nullptr;
    return E_NOINTERFACE;
}

ICounterHistory* FakePerfMonitor::GetCounterHistory(ULONG index)
{
    if (index >= m_counters.size() || !m_counters[index].withHistory)
        return nullptr;
    return new FakeHistory(*this, m_counters[index].samples);
}

HRESULT FakePerfMonitor::Advise(IAdviseListener* newListener)
{
    ++advised;
    if (listener)
        listener->Release();
    listener = newListener;
    if (listener)
        listener->AddRef();
    return S_OK;
}

HRESULT FakePerfMonitor::Unadvise(IAdviseListener* old)
{
    ++unadvised;
    if (listener && listener == old)
    {
        listener->Release();
        listener = nullptr;
    }
    return S_OK;
}

} // namespace graphtest
