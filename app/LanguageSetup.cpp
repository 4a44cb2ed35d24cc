#include "app/LanguageSetup.h"

#include "base/Registry.h"

#include <windows.h>

#include <vector>

namespace {
const wchar_t kLanguageKey[] = L"Software\\Orvanta\\Orvanta Utilities\\Language";
} // namespace

std::wstring LanguageDirectoryFor(const std::wstring& executablePath)
{
    const size_t separator = executablePath.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? std::wstring() : executablePath.substr(0, separator + 1);
    return folder + L"Language\\";
}

std::wstring HostExecutablePath()
{
    // Paths may be longer than MAX_PATH: grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::wstring();
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        if (buffer.size() >= 32768)
            return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

bool ReadLanguageName(const Registry& user, const Registry& machine, std::wstring& name)
{
    return user.GetStringValue(kLanguageKey, L"default", name) || machine.GetStringValue(kLanguageKey, L"default", name);
}
