#pragma once
#include "base/Registry.h"
#include "winframe/AppModule.h"

#include <memory>

class CTraceFileLog;
class ICoreLogErrors;

// A registered trace log leaves the trace library before it is deleted.
struct RemoveAndDeleteTraceLog
{
    void operator()(CTraceFileLog* log) const;
};

// The module object: lives as long as the library is loaded, reads the settings through its two
// registry accessors and owns the trace log while there is one.
class CXJNTrayNotificationsApp : public CAppModule
{
public:
    // errorSink goes to the trace log; the roots are HKCU and HKLM (tests give keys of their own).
    explicit CXJNTrayNotificationsApp(ICoreLogErrors& errorSink, HKEY userRoot = HKEY_CURRENT_USER,
                                      HKEY machineRoot = HKEY_LOCAL_MACHINE);
    ~CXJNTrayNotificationsApp() override;

    // Runs at attach: the framework's module, then InitTraceLog, then InitLanguage.
    bool Init(HINSTANCE instance);

    // Makes and registers the trace log when LogActivate is on; once only.
    void InitTraceLog();
    // Hands the language folder and name to Language.
    void InitLanguage();

    CTraceFileLog* GetTraceLog() const { return m_traceLog.get(); }

private:
    Registry m_userRegistry;
    Registry m_machineRegistry;
    std::unique_ptr<CTraceFileLog, RemoveAndDeleteTraceLog> m_traceLog;
    ICoreLogErrors& m_errorSink;
};
