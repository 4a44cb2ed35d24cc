// A scripted performance monitor for the graph's tests: counters with sample lists, walked the
// way the engine's histories are. Samples are made on demand, so a long history costs no memory
// per sample beyond its time and value.
#pragma once
#include "monitor/EngineInterfaces.h"

#include <vector>

namespace graphtest {

struct Sample
{
    ULONGLONG time;
    LONG value;
};

class FakePerfMonitor final : public JNAPI::PerfMon::IPerfMonitor
{
public:
    FakePerfMonitor(ULONGLONG span, LONG minimum, LONG maximum);

    // Oldest first. A counter with withHistory false answers no history.
    void AddCounter(std::vector<Sample> samples, bool withHistory = true);
    std::vector<Sample>& Counter(size_t i) { return m_counters[i].samples; }

    ULONGLONG span;
    LONG minimum, maximum;
    int samplesVisited = 0;  // samples handed out since the last reset
    int openWalks = 0;       // BeginWalk minus EndWalk
    int advised = 0, unadvised = 0;
    JNAPI::PerfMon::IAdviseListener* listener = nullptr;  // the last one advised (counted)
    LONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE Reserved3() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return S_OK; }
    ULONGLONG STDMETHODCALLTYPE GetTimeSpan() override { return span; }
    LONG STDMETHODCALLTYPE GetMinimum() override { return minimum; }
    LONG STDMETHODCALLTYPE GetMaximum() override { return maximum; }
    LONG STDMETHODCALLTYPE GetCounterCount() override { return static_cast<LONG>(m_counters.size()); }
    JNAPI::PerfMon::ICounterHistory* STDMETHODCALLTYPE GetCounterHistory(ULONG index) override;
    HRESULT STDMETHODCALLTYPE Advise(JNAPI::PerfMon::IAdviseListener* listener) override;
    HRESULT STDMETHODCALLTYPE Unadvise(JNAPI::PerfMon::IAdviseListener* listener) override;
    ~FakePerfMonitor();

    struct CounterData
    {
        std::vector<Sample> samples;
        bool withHistory;
    };

private:
    std::vector<CounterData> m_counters;
};

// An engine and its performance service that lead to a monitor, for the connect path.
class FakeEngine final : public JNAPI::IEngine, public JNAPI::PerfMon::IPerfService
{
public:
    explicit FakeEngine(JNAPI::PerfMon::IPerfMonitor* monitor) : m_monitor(monitor) {}
    LONG references = 1;
    int activated = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE Reserved3() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved6() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved7() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved8() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved9() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved10() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved11() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved12() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved13() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved14() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Start(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved16() override { return S_OK; }
    JNAPI::PerfMon::IPerfService* STDMETHODCALLTYPE GetPerfService() override
    {
        ++references;
        return this;
    }
    HRESULT STDMETHODCALLTYPE Activate() override
    {
        ++activated;
        return S_OK;
    }
    JNAPI::PerfMon::IPerfMonitor* STDMETHODCALLTYPE GetPerfMonitor() override
    {
        if (m_monitor)
            m_monitor->AddRef();
        return m_monitor;
    }

private:
    JNAPI::PerfMon::IPerfMonitor* m_monitor;
};

} // namespace graphtest
