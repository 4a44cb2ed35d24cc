// A stand-in engine library for the tests: behaves as its script says and records, in order, every
// call it receives and the references it has handed out.
#include "monitor/EngineInterfaces.h"
#include "support/enginedouble/EngineDoubleControl.h"

using namespace enginedouble;
using namespace JNAPI;
using namespace JNAPI::PerfMon;

namespace {

Script g_script = DefaultScript();
Record g_record;
int g_getJanvekCalls = 0;
IAdviseListener* g_listener = nullptr;
CRITICAL_SECTION g_lock;

struct Locked
{
    Locked() { EnterCriticalSection(&g_lock); }
    ~Locked() { LeaveCriticalSection(&g_lock); }
};

void Note(ObjectKind object, int position, ULONG argument = 0)
{
    Locked locked;
    if (g_record.callCount < kMaxCalls)
        g_record.calls[g_record.callCount++] = {object, position, argument};
}

void Count(ObjectKind object, LONG change)
{
    Locked locked;
    if (change < 0 && g_record.live[object] <= 0)
        ++g_record.overReleases;
    else
        g_record.live[object] += change;
}

// Statically allocated objects: the double never frees, it only counts.
template <class Interface, ObjectKind kind>
class Counted : public Interface
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        Note(kind, 0);
        *object = nullptr;
        if (g_script.noInterfaces || !IsEqualIID(iid, IID_IUnknown))
            return E_NOINTERFACE;
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        Count(kind, 1);
        return 2;
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        Count(kind, -1);
        return 1;
    }
    Interface* Handed()
    {
        Count(kind, 1);
        return this;
    }
};

class Sample : public Counted<ISample, kSample>
{
public:
    int index = 0;
    ULONGLONG STDMETHODCALLTYPE GetTime() override { return g_script.times[index]; }
    LONG STDMETHODCALLTYPE GetValue() override { return g_script.values[index]; }
};
Sample g_samples[kMaxSamples];

class History : public Counted<ICounterHistory, kHistory>
{
public:
    HRESULT STDMETHODCALLTYPE BeginWalk() override { return Note(kHistory, 3), S_OK; }
    HRESULT STDMETHODCALLTYPE EndWalk() override { return Note(kHistory, 4), S_OK; }
    ISample* STDMETHODCALLTYPE GetNewest() override
    {
        Note(kHistory, 5);
        return g_script.sampleCount > 0 ? g_samples[g_script.sampleCount - 1].Handed() : nullptr;
    }
    ISample* STDMETHODCALLTYPE GetPrevious(ISample* sample) override
    {
        Note(kHistory, 6);
        for (int i = 1; i < g_script.sampleCount; ++i)
            if (sample == &g_samples[i])
                return g_samples[i - 1].Handed();
        return nullptr;
    }
};
History g_history;

class Monitor : public Counted<IPerfMonitor, kMonitor>
{
public:
    HRESULT STDMETHODCALLTYPE Reserved3() override { return Note(kMonitor, 3), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return Note(kMonitor, 4), E_NOTIMPL; }
    ULONGLONG STDMETHODCALLTYPE GetTimeSpan() override { return Note(kMonitor, 5), g_script.timeSpan; }
    LONG STDMETHODCALLTYPE GetMinimum() override { return Note(kMonitor, 6), g_script.minimum; }
    LONG STDMETHODCALLTYPE GetMaximum() override { return Note(kMonitor, 7), g_script.maximum; }
    LONG STDMETHODCALLTYPE GetCounterCount() override { return Note(kMonitor, 8), 2; }
    ICounterHistory* STDMETHODCALLTYPE GetCounterHistory(ULONG index) override
    {
        Note(kMonitor, 9, index);
        return index == 0 ? g_history.Handed() : nullptr;
    }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseListener* listener) override
    {
        Note(kMonitor, 10, listener != nullptr);
        if (!listener)
            return E_POINTER;
        listener->AddRef();
        Count(kListener, 1);
        IAdviseListener* previous = static_cast<IAdviseListener*>(InterlockedExchangePointer(
            reinterpret_cast<void* volatile*>(&g_listener), listener));
        if (previous)
        {
            Count(kListener, -1);
            previous->Release();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(IAdviseListener* listener) override
    {
        Note(kMonitor, 11, listener != nullptr);
        if (!listener || InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&g_listener), nullptr,
                                                           listener) != listener)
            return E_INVALIDARG;
        Count(kListener, -1);
        listener->Release();
        return S_OK;
    }
};
Monitor g_monitor;

class Service : public Counted<IPerfService, kService>
{
public:
    HRESULT STDMETHODCALLTYPE Activate() override { return Note(kService, 3), S_OK; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return Note(kService, 4), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return Note(kService, 5), E_NOTIMPL; }
    IPerfMonitor* STDMETHODCALLTYPE GetPerfMonitor() override
    {
        Note(kService, 6);
        return g_script.noMonitor ? nullptr : g_monitor.Handed();
    }
};
Service g_service;

class Probe : public Counted<IEngineProbe, kProbe>
{
public:
    BOOL STDMETHODCALLTYPE MustNotBeUsed() override
    {
        Note(kProbe, 3);
        return g_script.probe == kProbeAnswersNonZero;
    }
};
Probe g_probe;

class Engine : public Counted<IEngine, kEngine>
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!g_script.noInterfaces && g_script.probe != kProbeMissing && IsEqualIID(iid, IID_IEngineProbe))
        {
            Note(kEngine, 0);
            *object = g_probe.Handed();
            return S_OK;
        }
        return Counted::QueryInterface(iid, object);
    }
#define DOUBLE_SLOT(n) \
    HRESULT STDMETHODCALLTYPE Reserved##n() override { return Note(kEngine, n), E_NOTIMPL; }
    DOUBLE_SLOT(3) DOUBLE_SLOT(4) DOUBLE_SLOT(5) DOUBLE_SLOT(6) DOUBLE_SLOT(7) DOUBLE_SLOT(8) DOUBLE_SLOT(9)
    DOUBLE_SLOT(10) DOUBLE_SLOT(11) DOUBLE_SLOT(12) DOUBLE_SLOT(13) DOUBLE_SLOT(14) DOUBLE_SLOT(16)
#undef DOUBLE_SLOT
    HRESULT STDMETHODCALLTYPE Start(DWORD value) override { return Note(kEngine, 15, value), S_OK; }
    IPerfService* STDMETHODCALLTYPE GetPerfService() override
    {
        Note(kEngine, 17);
        return g_script.noService ? nullptr : g_service.Handed();
    }
};
Engine g_engine;

// The tick count is refreshed in steps and can trail the clock on a busy machine, so that a
// Sleep that ran its full time looked short; the performance counter reads the clock itself.
ULONGLONG MillisecondsNow()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<ULONGLONG>(count.QuadPart * 1000 / frequency.QuadPart);
}

} // namespace

extern "C" LONG WINAPI GetJanvek(IEngine** engine)
{
    {
        Locked locked;
        if (g_getJanvekCalls < 8)
            g_record.getJanvekTimes[g_getJanvekCalls] = MillisecondsNow();
    }
    const int call = g_getJanvekCalls++;
    Note(kEngine, -1, static_cast<ULONG>(call)); // -1: the entry itself
    const bool fail = call < g_script.failures;
    *engine = g_script.noObject || (fail && !g_script.objectOnFailure) ? nullptr : g_engine.Handed();
    return fail ? E_FAIL : S_OK;
}

extern "C" void WINAPI DoubleSetScript(const Script* script)
{
    Locked locked;
    g_script = *script;
    for (int i = 0; i < kMaxSamples; ++i)
        g_samples[i].index = i;
    g_record = Record();
    g_getJanvekCalls = 0;
}

extern "C" void WINAPI DoubleReadRecord(Record* record)
{
    Locked locked;
    *record = g_record;
}

extern "C" HRESULT WINAPI DoubleNotify(int kind, ULONG a, BYTE b)
{
    IAdviseListener* listener = g_listener;
    if (!listener)
        return E_FAIL;
    return kind == 0 ? listener->OnDataChanged(a) : listener->OnCounterState(a, b);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        InitializeCriticalSection(&g_lock);
    return TRUE;
}
