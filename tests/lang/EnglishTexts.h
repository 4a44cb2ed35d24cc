#pragma once
#include <string>
#include <utility>
#include <vector>

// The section "XJNTrayNotifications" of the built-in English text, in file order, as looked up
// (the escape "\n" already a line feed).
inline const std::vector<std::pair<std::wstring, std::wstring>>& EnglishTrayTexts()
{
    static const std::vector<std::pair<std::wstring, std::wstring>> texts = {
        {L"XJNS_SHUTDOWN_WARNING", L"There are incomplete tasks in execution queue."},
        {L"XJNS_SHUTDOWN_YES", L"Cancel"},
        {L"XJNS_SHUTDOWN_NO", L"Shutdown"},
        {L"XJNS_SHUTDOWN_WARNING_TITLE", L"System shutdown"},
        {L"XJNS_SHUTDOWN_WARNINGTIP",
         L"Shutdown will interrupt execution of these tasks that can cause to data loss. Cancel shutdown?"},
        {L"XJNS_TRAY_INFO", L"Click here for more information"},
        {L"XJNS_NETLOGIN_WARNING", L"Scheduled task require you attention"},
        {L"XJNS_NETLOGIN_YES", L"Yes"},
        {L"XJNS_NETLOGIN_NO", L"No"},
        {L"XJNS_NETLOGIN_WARNING_TITLE", L"Network operation"},
        {L"XJNS_NETLOGIN_WARNINGTIP",
         L"Network backup operation require login to network share. Do you wish login?"},
        {L"XJNS_LOGONDETECT_YES", L"Stop"},
        {L"XJNS_LOGONDETECT_NO", L"Hide"},
        {L"XJNS_LOGONDETECT_TITLE", L"Logon Detecting"},
        {L"XJNS_LOGONDETECT_MESSAGE",
         L"Please wait when your system completely starts.\nPlease do not run any programs."},
        {L"XJNS_DEFRAG_TOTAL_CPU_USAGE", L"CPU usage"},
        {L"XJNS_DEFRAG_TOTAL_DISK_USAGE", L"Disks usage"},
        {L"XJNS_TRAY_SHUTDOWN_BUTTON_OK_TEXT", L"Shutdown"},
        {L"XJNS_TRAY_SHUTDOWN_BUTTON_CANCEL_TEXT", L"Cancel"},
        {L"XJNS_TRAY_SHUTDOWN_MAIN_TEXT", L"System shutdown"},
        {L"XJNS_TRAY_SHUTDOWN_SUB_TEXT", L"Your system will shut down."},
    };
    return texts;
}

inline const wchar_t kTraySection[] = L"XJNTrayNotifications";
