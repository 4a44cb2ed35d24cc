#include "engine/EngineCore.h"

#include "engine/UsageSources.h"

#include <algorithm>
#include <new>

namespace {
// Unadvise from a thread that is not itself answering a call lets the calls under way finish
// (serving messages sent to it meanwhile) for at most this long.
const DWORD kUnadviseWaitMs = 2000;

// Delivers the messages that other threads sent to this one, so that a listener's SendMessageW
// aimed at this thread can finish while we wait.
void ServeSentMessages(DWORD waitMs)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_SENDMESSAGE);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
} // namespace

EngineCore::EngineCore() : m_histories(kCounterCount, SampleRing(kHistoryLength))
{
    InitializeCriticalSection(&m_lock);
    m_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

EngineCore::~EngineCore()
{
    if (m_stopEvent)
        CloseHandle(m_stopEvent);
    DeleteCriticalSection(&m_lock);
}

void EngineCore::AddRef()
{
    InterlockedIncrement(&m_refCount);
}

void EngineCore::Release()
{
    if (InterlockedDecrement(&m_refCount) == 0)
        delete this;
}

bool EngineCore::StartSampling()
{
    EnterCriticalSection(&m_lock);
    const bool start = !m_started && !m_stopping && m_stopEvent;
    m_started = m_started || start;
    LeaveCriticalSection(&m_lock);
    if (!start)
        return m_started;
    // The thread keeps this library loaded until it has left its code: it ends with
    // FreeLibraryAndExitThread, so nobody ever has to wait for it (not even under the loader lock).
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&EngineCore::ThreadMain), &self))
        return false;
    AddRef();
    HANDLE thread = CreateThread(nullptr, 0, &EngineCore::ThreadMain, this, 0, nullptr);
    if (!thread)
    {
        Release();
        FreeLibrary(self);
        return false;
    }
    CloseHandle(thread);
    return true;
}

DWORD WINAPI EngineCore::ThreadMain(void* parameter)
{
    EngineCore* core = static_cast<EngineCore*>(parameter);
    core->Run();
    core->Release();
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&EngineCore::ThreadMain), &self);
    FreeLibraryAndExitThread(self, 0);
}

void EngineCore::Run()
{
    CpuUsageSource cpu;
    DiskUsageSource disk;
    const ULONGLONG start = GetTickCount64();
    for (ULONGLONG n = 1;; ++n)
    {
        // Keep to the second boundaries of the start, however long a round took.
        const ULONGLONG due = start + n * kSampleIntervalMs;
        const ULONGLONG now = GetTickCount64();
        const DWORD wait = due > now ? static_cast<DWORD>(due - now) : 0;
        if (WaitForSingleObject(m_stopEvent, wait) != WAIT_TIMEOUT)
            return;
        const ULONGLONG time = GetTickCount64();
        const LONG values[kCounterCount] = {cpu.Read(), disk.Read()};
        for (ULONG i = 0; i < kCounterCount; ++i)
        {
            bool changed = false;
            EnterCriticalSection(&m_lock);
            if (values[i] >= 0 || m_hasData[i])
                m_histories[i].Push(time, values[i] >= 0 ? values[i] : -1);
            if (m_hasData[i] != (values[i] >= 0))
            {
                m_hasData[i] = values[i] >= 0;
                changed = true;
            }
            const bool hasData = m_hasData[i];
            LeaveCriticalSection(&m_lock);
            if (changed)
                Notify(CounterState, i, hasData ? 0 : 1);
        }
        Notify(DataChanged, 0, 0);
    }
}

void EngineCore::Notify(Notification kind, ULONG first, BYTE second)
{
    std::vector<Listener*> targets;
    EnterCriticalSection(&m_lock);
    try
    {
        targets.reserve(m_listeners.size());
        for (Listener* entry : m_listeners)
        {
            targets.push_back(entry);
            ++entry->inCall;
        }
    }
    catch (...)
    {
        for (Listener* entry : targets)
            --entry->inCall;
        targets.clear();
    }
    LeaveCriticalSection(&m_lock);
    for (Listener* entry : targets)
    {
        EnterCriticalSection(&m_lock);
        const bool call = !entry->removed;
        LeaveCriticalSection(&m_lock);
        if (call)
        {
            if (kind == DataChanged)
                entry->listener->OnDataChanged(first);
            else
                entry->listener->OnCounterState(first, second);
        }
        if (EndCall(entry))
            ReleaseEntry(entry);
    }
}

bool EngineCore::EndCall(Listener* entry)
{
    EnterCriticalSection(&m_lock);
    const bool last = --entry->inCall == 0 && entry->orphaned;
    LeaveCriticalSection(&m_lock);
    return last;
}

void EngineCore::ReleaseEntry(Listener* entry)
{
    entry->listener->Release();
    delete entry;
}

HRESULT EngineCore::Advise(JNAPI::PerfMon::IAdviseListener* listener)
{
    if (!listener)
        return E_POINTER;
    Listener* entry = new (std::nothrow) Listener{listener, 0, false, false};
    if (!entry)
        return E_OUTOFMEMORY;
    listener->AddRef();
    EnterCriticalSection(&m_lock);
    bool added = !m_stopping;
    if (added)
    {
        try
        {
            m_listeners.push_back(entry);
        }
        catch (...)
        {
            added = false;
        }
    }
    LeaveCriticalSection(&m_lock);
    if (!added)
    {
        ReleaseEntry(entry);
        return E_FAIL;
    }
    return S_OK;
}

HRESULT EngineCore::Unadvise(JNAPI::PerfMon::IAdviseListener* listener)
{
    EnterCriticalSection(&m_lock);
    const auto found = std::find_if(m_listeners.begin(), m_listeners.end(),
                                    [listener](const Listener* entry) { return entry->listener == listener; });
    Listener* entry = found != m_listeners.end() ? *found : nullptr;
    if (entry)
    {
        m_listeners.erase(found);
        entry->removed = true;
    }
    // A thread answering a sent message may be answering the very call under way: waiting would
    // never end. Any other thread lets the calls under way finish first.
    const bool wait = entry && !InSendMessage();
    const ULONGLONG end = GetTickCount64() + kUnadviseWaitMs;
    while (wait && entry->inCall > 0 && GetTickCount64() < end)
    {
        LeaveCriticalSection(&m_lock);
        ServeSentMessages(5);
        EnterCriticalSection(&m_lock);
    }
    const bool release = entry && entry->inCall == 0;
    if (entry && !release)
        entry->orphaned = true;
    LeaveCriticalSection(&m_lock);
    if (!entry)
        return E_INVALIDARG;
    if (release)
        ReleaseEntry(entry);
    return S_OK;
}

void EngineCore::Stop()
{
    std::vector<Listener*> entries;
    EnterCriticalSection(&m_lock);
    m_stopping = true;
    if (m_stopEvent)
        SetEvent(m_stopEvent);
    entries.swap(m_listeners);
    for (Listener* entry : entries)
    {
        entry->removed = true;
        entry->orphaned = entry->inCall > 0;
    }
    // The orphaned ones belong to the sampling thread from here on: never touched again.
    const auto idleEnd =
        std::partition(entries.begin(), entries.end(), [](const Listener* entry) { return !entry->orphaned; });
    LeaveCriticalSection(&m_lock);
    for (auto entry = entries.begin(); entry != idleEnd; ++entry)
        ReleaseEntry(*entry);
}

bool EngineCore::Newest(ULONG counter, SampleValue& sample)
{
    if (counter >= kCounterCount)
        return false;
    EnterCriticalSection(&m_lock);
    const bool found = m_histories[counter].Newest(sample);
    LeaveCriticalSection(&m_lock);
    return found;
}

bool EngineCore::Before(ULONG counter, ULONGLONG sequence, SampleValue& sample)
{
    if (counter >= kCounterCount)
        return false;
    EnterCriticalSection(&m_lock);
    const bool found = m_histories[counter].Before(sequence, sample);
    LeaveCriticalSection(&m_lock);
    return found;
}

size_t EngineCore::HistorySize(ULONG counter)
{
    if (counter >= kCounterCount)
        return 0;
    EnterCriticalSection(&m_lock);
    const size_t size = m_histories[counter].Size();
    LeaveCriticalSection(&m_lock);
    return size;
}
