// Our engine library as a host loads it: the object from GetJanvek, its histories filling once a
// second, its listeners called from its own thread and let go on Unadvise and on the last release.
#include "winframe/Owners.h"
#include "monitor/EngineClient.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace JNAPI;
using namespace JNAPI::PerfMon;

namespace {

// A listener of the test's own: counts its calls and references.
class CountingListener : public IAdviseListener
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE OnDataChanged(ULONG value) override
    {
        if (value == 0)
            ++dataChanged;
        callThread = GetCurrentThreadId();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnCounterState(ULONG index, BYTE inactive) override
    {
        if (index < 2 && !inactive)
            shown[index] = true;
        return S_OK;
    }
    std::atomic<LONG> refs{1};
    std::atomic<int> dataChanged{0};
    std::atomic<DWORD> callThread{0};
    std::atomic<bool> shown[2] = {{false}, {false}};
};

class RealEngine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        library = LoadLibraryW(kEngineLibraryName);
        ASSERT_NE(library, nullptr);
        const auto entry =
            reinterpret_cast<GetJanvekFunction>(reinterpret_cast<void*>(GetProcAddress(library, kEngineEntryName)));
        ASSERT_NE(entry, nullptr);
        ASSERT_EQ(entry(engine.Receive()), 0);
        ASSERT_TRUE(engine);
        service = ComRef<IPerfService>::Adopt(engine->GetPerfService());
        ASSERT_TRUE(service);
        monitor = ComRef<IPerfMonitor>::Adopt(service->GetPerfMonitor());
        ASSERT_TRUE(monitor);
    }
    void TearDown() override
    {
        monitor.Reset();
        service.Reset();
        engine.Reset();
        if (library)
            FreeLibrary(library);
    }

    // The values of counter's history from the newest back; stops at maxCount.
    std::vector<std::pair<ULONGLONG, LONG>> Walk(ULONG counter)
    {
        std::vector<std::pair<ULONGLONG, LONG>> values;
        const ComRef<ICounterHistory> history = ComRef<ICounterHistory>::Adopt(monitor->GetCounterHistory(counter));
        if (!history)
            return values;
        history->BeginWalk();
        ComRef<ISample> sample = ComRef<ISample>::Adopt(history->GetNewest());
        while (sample)
        {
            values.emplace_back(sample->GetTime(), sample->GetValue());
            sample = ComRef<ISample>::Adopt(history->GetPrevious(sample.Get()));
        }
        history->EndWalk();
        return values;
    }

    HMODULE library = nullptr;
    ComRef<IEngine> engine;
    ComRef<IPerfService> service;
    ComRef<IPerfMonitor> monitor;
};

TEST_F(RealEngine, AnswersTheMonitorsFixedFigures)
{
    EXPECT_EQ(monitor->GetTimeSpan(), 60000u);
    EXPECT_EQ(monitor->GetMinimum(), 0);
    EXPECT_EQ(monitor->GetMaximum(), 100);
    EXPECT_EQ(monitor->GetCounterCount(), 2);
    EXPECT_EQ(monitor->GetCounterHistory(2), nullptr);
    ComRef<IEngineProbe> probe;
    EXPECT_EQ(engine->QueryInterface(IID_IEngineProbe, reinterpret_cast<void**>(probe.Receive())), E_NOINTERFACE);
    EXPECT_EQ(engine->Start(1), S_OK);
}

TEST_F(RealEngine, ProcessorHistoryFillsOnceASecondWithinTheRange)
{
    CountingListener listener;
    ASSERT_EQ(monitor->Advise(&listener), S_OK);
    EXPECT_EQ(listener.refs, 2);
    EXPECT_TRUE(Walk(0).empty()) << "nothing is sampled before a graph activates the service";
    ASSERT_EQ(service->Activate(), S_OK);
    Sleep(3600);
    const auto cpu = Walk(0);
    ASSERT_GE(cpu.size(), 2u);
    EXPECT_LE(cpu.size(), 4u);
    for (size_t i = 0; i < cpu.size(); ++i)
    {
        EXPECT_GE(cpu[i].second, 0);
        EXPECT_LE(cpu[i].second, 100);
        if (i > 0)
        {
            const ULONGLONG gap = cpu[i - 1].first - cpu[i].first;
            EXPECT_GE(gap, 900u);
            EXPECT_LE(gap, 1500u);
        }
    }
    EXPECT_GE(listener.dataChanged, 2);
    EXPECT_TRUE(listener.shown[0]);
    EXPECT_NE(listener.callThread, GetCurrentThreadId());
    for (const auto& sample : Walk(1))
        EXPECT_TRUE(sample.second >= -1 && sample.second <= 100) << sample.second;
    EXPECT_EQ(listener.shown[1].load(), !Walk(1).empty());
    ASSERT_EQ(monitor->Unadvise(&listener), S_OK);
    EXPECT_EQ(listener.refs, 1);
    const int calls = listener.dataChanged;
    Sleep(1500);
    EXPECT_EQ(listener.dataChanged, calls) << "called after Unadvise";
    EXPECT_EQ(monitor->Unadvise(&listener), E_INVALIDARG);
}

TEST_F(RealEngine, TheLastReleaseLetsRegisteredListenersGoAndTheLibraryUnloads)
{
    CountingListener listener;
    ASSERT_EQ(monitor->Advise(&listener), S_OK);
    ASSERT_EQ(service->Activate(), S_OK);
    Sleep(1200);
    monitor.Reset();
    service.Reset();
    engine.Reset();
    EXPECT_EQ(listener.refs, 1);
    ASSERT_TRUE(FreeLibrary(library));
    library = nullptr;
    // The sampling thread drops its own hold on the library as it leaves.
    EXPECT_TRUE(testsupport::PumpMessagesUntil([] { return GetModuleHandleW(kEngineLibraryName) == nullptr; }, 3000));
}

// The graph's case: a window whose thread unadvises while the engine's thread is inside its
// SendMessageW (from the message's own handler, or between messages), round after round.
struct StressWindow
{
    EngineConnection connection;
    bool disconnectInHandler = false;
    int messages = 0;
    ULONGLONG disconnectMs = 0;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<StressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == kDataChangedMessage)
        {
            ++self->messages;
            if (self->disconnectInHandler && self->connection.monitor)
            {
                const ULONGLONG start = GetTickCount64();
                DisconnectGraph(self->connection);
                self->disconnectMs = GetTickCount64() - start;
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

TEST_F(RealEngine, UnadviseFromTheWindowThreadWhileNotificationsArriveNeverHangs)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &StressWindow::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"EngineStressWindow";
    RegisterClassW(&windowClass);
    ASSERT_EQ(service->Activate(), S_OK);
    for (int round = 0; round < 6; ++round)
    {
        SCOPED_TRACE(round);
        StressWindow state;
        state.disconnectInHandler = round % 2 == 0;
        HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
        ConnectGraph(engine.Get(), window, state.connection);
        ASSERT_TRUE(state.connection.listener);
        ASSERT_TRUE(testsupport::PumpMessagesUntil([&] { return state.messages > 0; }, 3000));
        if (!state.disconnectInHandler)
        {
            // Right after a message: the next one is due in about a second; unadvise half-way.
            Sleep(round * 150);
            const ULONGLONG start = GetTickCount64();
            DisconnectGraph(state.connection);
            state.disconnectMs = GetTickCount64() - start;
        }
        EXPECT_FALSE(state.connection.monitor);
        EXPECT_LT(state.disconnectMs, 2500u);
        const int seen = state.messages;
        testsupport::PumpMessagesUntil([] { return false; }, 1500);
        EXPECT_EQ(state.messages, seen) << "a message after Unadvise returned";
        DestroyWindow(window);
    }
}

} // namespace
