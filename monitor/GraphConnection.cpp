#include "monitor/EngineClient.h"

using JNAPI::PerfMon::IPerfMonitor;
using JNAPI::PerfMon::IPerfService;

void ConnectGraph(HWND graphWindow, EngineConnection& connection)
{
    ConnectGraph(EngineClientEngine(), graphWindow, connection);
}

void ConnectGraph(JNAPI::IEngine* engineToUse, HWND graphWindow, EngineConnection& connection)
{
    const ComRef<JNAPI::IEngine> engine = ComRef<JNAPI::IEngine>::Copy(engineToUse);
    if (!engine)
        return;
    const ComRef<IPerfService> service = ComRef<IPerfService>::Adopt(engine->GetPerfService());
    if (!service)
        return;
    connection.monitor = ComRef<IPerfMonitor>::Adopt(service->GetPerfMonitor());
    connection.dataSource = connection.monitor;
    if (!connection.monitor)
        return;
    service->Activate();
    CoPerfMonListener* listener = nullptr;
    if (FAILED(CoPerfMonListener::CreateInstance(&listener)))
        return;
    connection.listener = ComRef<CoPerfMonListener>::Adopt(listener);
    listener->SetTargetWindow(graphWindow);
    connection.monitor->Advise(listener);
}

void DisconnectGraph(EngineConnection& connection)
{
    if (!connection.monitor)
        return;
    connection.monitor->Unadvise(connection.listener.Get());
    connection.monitor.Reset();
    // An engine that keeps calling after Unadvise must not reach a window that is going away.
    if (connection.listener)
        connection.listener->SetTargetWindow(nullptr);
}
