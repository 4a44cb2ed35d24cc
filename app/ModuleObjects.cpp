#include "app/ModuleObjects.h"

#include "app/CoreLogErrors.h"
#include "app/XJNTrayNotificationsApp.h"

namespace {
// Declaration order is construction order: the sink outlives the log that reports to it.
CCoreLogErrors g_coreLogErrors;
CXJNTrayNotificationsApp g_app(g_coreLogErrors);
} // namespace

CCoreLogErrors& CoreLogErrors()
{
    return g_coreLogErrors;
}

CXJNTrayNotificationsApp& TrayApp()
{
    return g_app;
}
