#include "app/TraceLogSettings.h"

#include "base/Registry.h"

namespace {
const wchar_t kTraySettingsKey[] = L"Software\\Orvanta\\Brevik\\TraySettings";
} // namespace

TraceLogSettings ReadTraceLogSettings(const Registry& machine)
{
    TraceLogSettings settings;
    DWORD activate = 0;
    settings.activate = machine.GetDWORDValue(kTraySettingsKey, L"LogActivate", activate) && activate != 0;
    if (!settings.activate)
        return settings;
    machine.GetStringValue(kTraySettingsKey, L"LogFilePath", settings.filePath);
    machine.GetDWORDValue(kTraySettingsKey, L"LogLevel", settings.level);
    machine.GetDWORDValue(kTraySettingsKey, L"LogAppend", settings.append);
    machine.GetDWORDValue(kTraySettingsKey, L"LogFlushOnWrite", settings.flushOnWrite);
    machine.GetDWORDValue(kTraySettingsKey, L"LogMaxSize", settings.maxSize);
    return settings;
}
