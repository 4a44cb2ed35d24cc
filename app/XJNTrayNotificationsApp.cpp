#include "app/XJNTrayNotificationsApp.h"

#include "Logvane.h"
#include "app/LanguageSetup.h"
#include "app/TraceLogSettings.h"
#include "lang/Language.h"

namespace {
const wchar_t kSource[] = L".\\XJNTrayNotificationApp";
const unsigned kEnglishTextResource = 237;
} // namespace

CXJNTrayNotificationsApp::CXJNTrayNotificationsApp(ICoreLogErrors& errorSink, HKEY userRoot, HKEY machineRoot)
    : m_userRegistry(userRoot), m_machineRegistry(machineRoot), m_errorSink(errorSink)
{
}

CXJNTrayNotificationsApp::~CXJNTrayNotificationsApp()
{
    if (m_traceLog)
    {
        RemoveTraceModule(m_traceLog);
        delete m_traceLog;
        m_traceLog = nullptr;
    }
}

bool CXJNTrayNotificationsApp::Init(HINSTANCE instance)
{
    if (!CAppModule::Init(instance))
        return false;
    // The log first, so that the language line reaches it.
    InitTraceLog();
    InitLanguage();
    return true;
}

void CXJNTrayNotificationsApp::InitTraceLog()
{
    if (m_traceLog)
        return;
    const TraceLogSettings settings = ReadTraceLogSettings(m_machineRegistry);
    if (!settings.activate)
        return;
    m_traceLog = new CTraceFileLog(settings.filePath.c_str(), &m_errorSink, settings.flushOnWrite != 0,
                                   settings.append != 0 ? LOG_OPEN_APPEND : LOG_OPEN_NEW, settings.level,
                                   settings.maxSize);
    AddTraceModule(m_traceLog);
}

void CXJNTrayNotificationsApp::InitLanguage()
{
    const std::wstring directory = HostLanguageDirectory();
    WriteTraceF(kSource, 184, TRACE_INFO, L"CXJNTrayNotificationsApp::InitLanguage() - Language directory is (%s)",
                directory.c_str());
    std::wstring name;
    if (!ReadLanguageName(m_userRegistry, m_machineRegistry, name))
    {
        WriteTraceEx(TRACE_ERROR,
                     L"CXJNTrayNotificationsApp::InitLanguage() - Failed to receive language from registry, using "
                     L"English as default.",
                     kSource, 193);
        name = L"English";
    }
    Language::SetLanguageFile(directory, name, kEnglishTextResource, L"DEFAULTENGLANG", L"");
}
