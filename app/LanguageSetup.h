#pragma once
#include <string>

class Registry;

// The language folder for a host executable: its folder with "Language\" appended,
// "C:\Tray\tray.exe" -> "C:\Tray\Language\".
std::wstring LanguageDirectoryFor(const std::wstring& executablePath);

// The full path of the process's executable.
std::wstring HostExecutablePath();

// The language name: value "default" of "Software\Orvanta\Orvanta Utilities\Language" for the
// user, else for the machine. A value that exists is taken as it is, empty included.
// False when neither has one.
bool ReadLanguageName(const Registry& user, const Registry& machine, std::wstring& name);
