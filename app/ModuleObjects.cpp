#include "app/ModuleObjects.h"

#include "app/CoreLogErrors.h"
#include "app/XJNTrayNotificationsApp.h"
#include "monitor/EngineClient.h"

namespace {
// Declaration order is construction order: the sink outlives the log that reports to it.
CCoreLogErrors g_coreLogErrors;
CXJNTrayNotificationsApp g_app(g_coreLogErrors);
// Last: it may wait up to 1.8 s for the engine, and it is released first at unload.
CModuleEngineClient g_engineClient;
} // namespace

CCoreLogErrors& CoreLogErrors()
{
    return g_coreLogErrors;
}

CXJNTrayNotificationsApp& TrayApp()
{
    return g_app;
}
