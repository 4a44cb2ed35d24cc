#pragma once

class CCoreLogErrors;
class CXJNTrayNotificationsApp;

// The module-wide objects, built when the library loads and destroyed in reverse order when it
// unloads: the trace error sink first, then the module object that hands it to its trace log,
// then the engine client (monitor/EngineClient.h, reached through EngineClientEngine()).
CCoreLogErrors& CoreLogErrors();
CXJNTrayNotificationsApp& TrayApp();

// True once the library's attach has run to its end. A library whose start-up never ran (its
// crash handler could not be set up, so none of the objects above exists) stays false, and its
// exports refuse.
bool ModuleStarted();
void MarkModuleStarted();
