// What the engine's sampling thread and its COM objects share: the counter histories, the
// registered listeners and the thread itself. Counted, so that the thread can outlive the engine
// object by the moment it takes to notice that it has to stop.
#pragma once
#include "engine/SampleRing.h"
#include "monitor/EngineInterfaces.h"

#include <vector>

const ULONG kCounterCount = 2;          // 0: total processor usage, 1: total disk usage (percent)
const DWORD kSampleIntervalMs = 1000;   // one sample a second
const size_t kHistoryLength = 600;      // ten minutes of samples per counter
const ULONGLONG kTimeSpanMs = 60000;    // the plot's width stands for one minute (times are in ms)
const LONG kMinimumValue = 0;
const LONG kMaximumValue = 100;

class EngineCore
{
public:
    EngineCore();
    void AddRef();
    void Release();

    // Starts the sampling thread unless it runs; never waits for it.
    bool StartSampling();
    // Asks the thread to end and lets every listener go (released on this thread unless a call to it
    // is under way on the sampling thread, which then releases it). Never waits for the thread.
    void Stop();

    HRESULT Advise(JNAPI::PerfMon::IAdviseListener* listener);
    HRESULT Unadvise(JNAPI::PerfMon::IAdviseListener* listener);

    // Copies out of a counter's history; false when there is no such sample.
    bool Newest(ULONG counter, SampleValue& sample);
    bool Before(ULONG counter, ULONGLONG sequence, SampleValue& sample);
    size_t HistorySize(ULONG counter);

private:
    struct Listener
    {
        JNAPI::PerfMon::IAdviseListener* listener;
        LONG inCall;       // calls under way (or about to be made) on the sampling thread
        bool removed;      // unadvised: no new call starts
        bool orphaned;     // left behind while a call was under way: the last call releases it
    };
    enum Notification
    {
        DataChanged,
        CounterState
    };

    ~EngineCore();
    static DWORD WINAPI ThreadMain(void* core);
    void Run();
    void TakeSample();
    void Notify(Notification kind, ULONG first, BYTE second);
    // Ends a call on entry; true when the entry was left behind and this was its last call.
    bool EndCall(Listener* entry);
    void ReleaseEntry(Listener* entry);

    volatile LONG m_refCount = 1;
    CRITICAL_SECTION m_lock;
    HANDLE m_stopEvent = nullptr;
    bool m_started = false;
    bool m_stopping = false;
    std::vector<Listener*> m_listeners;
    std::vector<SampleRing> m_histories;
    bool m_hasData[kCounterCount] = {};
};
