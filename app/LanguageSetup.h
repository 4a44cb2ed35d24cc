#pragma once
#include <string>

class Registry;

// The "Language" folder beside the host's executable, with its trailing backslash:
// "C:\Tray\tray.exe" -> "C:\Tray\Language\".
std::wstring HostLanguageDirectory();

// The language name: value "default" of "Software\Orvanta\Orvanta Utilities\Language" for the
// user, else for the machine. A value that exists is taken as it is, empty included.
// False when neither has one.
bool ReadLanguageName(const Registry& user, const Registry& machine, std::wstring& name);
