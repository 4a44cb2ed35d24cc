#include "app/XJNTrayNotificationsApp.h"

#include "Logvane.h"
#include "app/LanguageSetup.h"
#include "app/TraceLogSettings.h"
#include "lang/Language.h"
#include "res/resource.h"

namespace {
// Source and lines of the start-up trace lines. Fixed: readers of the product's trace logs know
// these lines by source and line number, whatever this file looks like today.
const wchar_t kSource[] = L".\\XJNTrayNotificationApp";
const int kLanguageDirectoryTraceLine = 184;
const int kNoLanguageSettingTraceLine = 193;
} // namespace

CXJNTrayNotificationsApp::CXJNTrayNotificationsApp(ICoreLogErrors& errorSink, HKEY userRoot, HKEY machineRoot)
    : m_userRegistry(userRoot), m_machineRegistry(machineRoot), m_errorSink(errorSink)
{
}

void RemoveAndDeleteTraceLog::operator()(CTraceFileLog* log) const
{
    RemoveTraceModule(log);
    delete log;
}

CXJNTrayNotificationsApp::~CXJNTrayNotificationsApp() = default;

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
    m_traceLog.reset(new CTraceFileLog(settings.filePath.c_str(), &m_errorSink, settings.flushOnWrite != 0,
                                       settings.append != 0 ? LOG_OPEN_APPEND : LOG_OPEN_NEW, settings.level,
                                       settings.maxSize));
    AddTraceModule(m_traceLog.get());
}

void CXJNTrayNotificationsApp::InitLanguage()
{
    const std::wstring directory = HostLanguageDirectory();
    WriteTraceF(kSource, kLanguageDirectoryTraceLine, TRACE_INFO,
                L"CXJNTrayNotificationsApp::InitLanguage() - Language directory is (%s)", directory.c_str());
    std::wstring name;
    if (!ReadLanguageName(m_userRegistry, m_machineRegistry, name))
    {
        WriteTraceEx(TRACE_ERROR,
                     L"CXJNTrayNotificationsApp::InitLanguage() - Failed to receive language from registry, using "
                     L"English as default.",
                     kSource, kNoLanguageSettingTraceLine);
        name = L"English";
    }
    Language::SetLanguageFile(directory, name, IDR_DEFAULTENGLANG, L"DEFAULTENGLANG", L"");
}
