#pragma once

class CCoreLogErrors;
class CXJNTrayNotificationsApp;

// The module-wide objects, built when the library loads and destroyed in reverse order when it
// unloads: the trace error sink first, then the module object that hands it to its trace log,
// then the engine client (monitor/EngineClient.h, reached through EngineClientEngine()).
CCoreLogErrors& CoreLogErrors();
CXJNTrayNotificationsApp& TrayApp();
