// The listener object and a graph's connection to the engine, against the engine double.
#include "DoubleSupport.h"
#include "monitor/EngineClient.h"
#include "support/MessagePump.h"
#include "winframe/AppModule.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

using namespace enginedouble;
using testsupport::EngineDouble;

// A window that notes every listener message with the thread that handled it.
class RecordingWindow
{
public:
    struct Seen
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        DWORD thread;
    };

    RecordingWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &RecordingWindow::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"EngineClientTestWindow";
        RegisterClassW(&windowClass);
        m_window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                   windowClass.hInstance, nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~RecordingWindow() { DestroyWindow(m_window); }
    HWND Handle() const { return m_window; }
    std::vector<Seen> seen;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && (message == kDataChangedMessage || message == kCounterStateMessage))
        {
            self->seen.push_back({message, wParam, lParam, GetCurrentThreadId()});
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND m_window;
};

TEST(PerfMonListener, CreationCountingAndInterfaces)
{
    EXPECT_EQ(CoPerfMonListener::CreateInstance(nullptr), E_POINTER);
    CAppModule module; // this program has no module object of its own: this one becomes it
    ASSERT_EQ(ThisAppModule(), &module);
    const LONG locksBefore = module.GetLockCount();
    CoPerfMonListener* listener = nullptr;
    ASSERT_EQ(CoPerfMonListener::CreateInstance(&listener), S_OK);
    ASSERT_NE(listener, nullptr);
    EXPECT_EQ(module.GetLockCount(), locksBefore + 1);
    EXPECT_EQ(listener->AddRef(), 2u);

    for (const IID* iid : {&IID_IUnknown, &JNAPI::PerfMon::IID_IAdviseListener})
    {
        void* object = nullptr;
        EXPECT_EQ(listener->QueryInterface(*iid, &object), S_OK);
        EXPECT_EQ(object, static_cast<void*>(listener)) << "at the object's start";
        EXPECT_EQ(listener->Release(), 2u);
    }
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(listener->QueryInterface(JNAPI::IID_IEngineProbe, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(listener->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    EXPECT_EQ(listener->Release(), 1u);
    EXPECT_EQ(listener->Release(), 0u);
    EXPECT_EQ(module.GetLockCount(), locksBefore) << "the lock goes with the object";
}

TEST(PerfMonListener, NotificationsReachTheWindowOnItsOwnThread)
{
    RecordingWindow window;
    CoPerfMonListener* listener = nullptr;
    ASSERT_EQ(CoPerfMonListener::CreateInstance(&listener), S_OK);
    EXPECT_EQ(listener->OnDataChanged(0), S_OK) << "no target yet: nothing sent";
    listener->SetTargetWindow(window.Handle());

    // From another thread: the call waits until this thread has handled the message.
    std::atomic<bool> done{false};
    std::thread engineThread([&] {
        listener->OnDataChanged(0);
        listener->OnCounterState(1, 1);
        done = true;
    });
    EXPECT_TRUE(testsupport::PumpMessagesUntil([&] { return done.load(); }, 5000));
    engineThread.join();
    ASSERT_EQ(window.seen.size(), 2u);
    EXPECT_EQ(window.seen[0].message, 0x804Cu);
    EXPECT_EQ(window.seen[0].wParam, 0u);
    EXPECT_EQ(window.seen[0].lParam, 0);
    EXPECT_EQ(window.seen[1].message, 0x804Du);
    EXPECT_EQ(window.seen[1].wParam, 1u);
    EXPECT_EQ(window.seen[1].lParam, 1);
    for (const auto& seen : window.seen)
        EXPECT_EQ(seen.thread, GetCurrentThreadId());

    // On the window's own thread: handled before the call returns.
    listener->OnDataChanged(7);
    ASSERT_EQ(window.seen.size(), 3u);
    EXPECT_EQ(window.seen[2].wParam, 7u);
    listener->Release();
}

struct ConnectCase
{
    const char* name;
    bool noService;
    bool noMonitor;
    bool connected; // a listener registered
};

TEST(GraphConnection, CallOrderAndEveryReferenceGivenBack)
{
    const ConnectCase cases[] = {{"full engine", false, false, true},
                                 {"no service", true, false, false},
                                 {"no monitor", false, true, false}};
    for (const ConnectCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        EngineDouble engine;
        ASSERT_TRUE(engine.Ready());
        Script script = DefaultScript();
        script.noService = c.noService;
        script.noMonitor = c.noMonitor;
        engine.SetScript(script);
        {
            CModuleEngineClient client; // the module-wide one, as the library's module objects build it
            ASSERT_NE(EngineClientEngine(), nullptr);
            const int loadCalls = engine.Record().callCount;
            RecordingWindow window;
            EngineConnection connection;
            ConnectGraph(window.Handle(), connection);
            EXPECT_EQ(static_cast<bool>(connection.listener), c.connected);
            EXPECT_EQ(static_cast<bool>(connection.dataSource), !c.noService && !c.noMonitor);

            std::vector<std::pair<int, int>> expected = {{kEngine, 17}};
            if (!c.noService)
                expected.push_back({kService, 6});
            if (c.connected)
                expected.insert(expected.end(), {{kService, 3}, {kMonitor, 10}});
            Record record = engine.Record();
            std::vector<std::pair<int, int>> calls;
            for (int i = loadCalls; i < record.callCount; ++i)
                calls.push_back({record.calls[i].object, record.calls[i].position});
            EXPECT_EQ(calls, expected);

            if (c.connected)
            {
                EXPECT_EQ(record.live[kListener], 1);
                // A notification from the engine's side arrives on this thread.
                std::atomic<bool> done{false};
                std::thread engineThread([&] {
                    engine.Notify(1, 0, 0);
                    done = true;
                });
                EXPECT_TRUE(testsupport::PumpMessagesUntil([&] { return done.load(); }, 5000));
                engineThread.join();
                ASSERT_EQ(window.seen.size(), 1u);
                EXPECT_EQ(window.seen[0].message, kCounterStateMessage);
            }
            const int connectCalls = engine.Record().callCount;
            DisconnectGraph(connection);
            record = engine.Record();
            if (c.connected)
            {
                ASSERT_EQ(record.callCount, connectCalls + 1);
                EXPECT_EQ(record.calls[connectCalls].object, kMonitor);
                EXPECT_EQ(record.calls[connectCalls].position, 11);
                EXPECT_EQ(record.live[kListener], 0);
                EXPECT_TRUE(connection.dataSource) << "kept for the graph's last paints";
                EXPECT_EQ(connection.listener->GetTargetWindow(), nullptr);
            }
            else
            {
                EXPECT_EQ(record.callCount, connectCalls) << "nothing to disconnect";
            }
        }
        EXPECT_EQ(EngineClientEngine(), nullptr);
        EngineDouble::ExpectNothingHeld(engine.Record());
    }
}

TEST(GraphConnection, NoEngineConnectsNothing)
{
    EngineConnection connection;
    ConnectGraph(nullptr, nullptr, connection);
    EXPECT_FALSE(connection.monitor);
    EXPECT_FALSE(connection.listener);
    DisconnectGraph(connection);
}

} // namespace
