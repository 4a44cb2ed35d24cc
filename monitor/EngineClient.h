// The link to the product's engine: the engine library loaded once per module, the engine object
// it hands out, and the steps with which a usage graph connects to its performance monitor.
#pragma once
#include "winframe/Owners.h"
#include "monitor/EngineInterfaces.h"
#include "monitor/PerfMonListener.h"

// Names fixed by the engine library's makers.
extern const wchar_t kEngineLibraryName[]; // "aJNClient.dll"
extern const char kEngineEntryName[];      // "GetJanvek"

// The entry is asked again up to this many times, after a wait that grows with each retry.
const int kEngineEntryRetries = 3;
// Milliseconds to wait before retry number retry (0-based): 300, 600, 900.
DWORD EngineEntryRetryWait(int retry);

// Loads the engine library and takes the engine from its entry (at most 4 calls, with the waits
// above); drops an engine whose probe says it must not be used, else starts it (position 15 with
// 1). Releases the engine, then frees the library, when destroyed.
class CEngineClient
{
public:
    explicit CEngineClient(const wchar_t* libraryName = kEngineLibraryName);
    CEngineClient(const CEngineClient&) = delete;
    CEngineClient& operator=(const CEngineClient&) = delete;

    // Not counted: null when there is no engine.
    JNAPI::IEngine* GetEngine() const { return m_engine.Get(); }
    // 0 when the library did not load; kept even when its entry gave no engine.
    HMODULE GetLibrary() const { return m_library.Get(); }

private:
    // In this order: the engine is released before its library goes.
    ScopedLibrary m_library;
    ComRef<JNAPI::IEngine> m_engine;
};

// The module-wide client (one, built with the module objects): EngineClientEngine answers from it
// while it lives.
class CModuleEngineClient : public CEngineClient
{
public:
    CModuleEngineClient();
    ~CModuleEngineClient();
};

// The module-wide engine, not counted; null when there is none (no module-wide client, no library,
// no entry, no engine, or the probe refused it). A holder takes its own count:
// ComRef<JNAPI::IEngine>::Copy(EngineClientEngine()).
JNAPI::IEngine* EngineClientEngine();

// What a graph holds of its connection to the engine.
struct EngineConnection
{
    ComRef<JNAPI::PerfMon::IPerfMonitor> monitor;    // the connection's own: disconnecting goes through it
    ComRef<JNAPI::PerfMon::IPerfMonitor> dataSource; // read while painting; kept after disconnecting
    ComRef<CoPerfMonListener> listener;              // registered with the monitor; empty if never made
};

// Connects a graph window to the module-wide engine: service (17), its monitor (6) stored twice,
// the service's position 3, then a listener aimed at graphWindow registered with the monitor (10).
// Stops quietly at the first thing missing; the graph then simply has less (or no) data.
void ConnectGraph(HWND graphWindow, EngineConnection& connection);
// The same against a given engine (null: nothing to connect to).
void ConnectGraph(JNAPI::IEngine* engine, HWND graphWindow, EngineConnection& connection);
// For WM_DESTROY: unregisters the listener (monitor 11) and drops the connection's monitor. The
// listener stops sending to the window; it and the data source go with the graph object.
void DisconnectGraph(EngineConnection& connection);
