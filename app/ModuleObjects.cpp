#include "app/ModuleObjects.h"

#include "app/CoreLogErrors.h"
#include "app/XJNTrayNotificationsApp.h"
#include "monitor/EngineClient.h"

#include <atomic>

namespace {
// Declaration order is construction order: the sink outlives the log that reports to it.
CCoreLogErrors g_coreLogErrors;
CXJNTrayNotificationsApp g_app(g_coreLogErrors);
// Last: it may wait up to 1.8 s for the engine, and it is released first at unload.
CModuleEngineClient g_engineClient;
// Constant-initialised: false also in a module whose constructors never ran.
std::atomic<bool> g_started{false};
} // namespace

CCoreLogErrors& CoreLogErrors()
{
    return g_coreLogErrors;
}

CXJNTrayNotificationsApp& TrayApp()
{
    return g_app;
}

bool ModuleStarted()
{
    return g_started;
}

void MarkModuleStarted()
{
    g_started = true;
}
