#include "app/LanguageSetup.h"

#include "base/Path.h"
#include "base/Registry.h"

namespace {
const wchar_t kLanguageKey[] = L"Software\\Orvanta\\Orvanta Utilities\\Language";
} // namespace

std::wstring HostLanguageDirectory()
{
    CPath directory(CPath::ModuleDirectory);
    directory.AppendDirectory(L"Language");
    return directory.GetPath();
}

bool ReadLanguageName(const Registry& user, const Registry& machine, std::wstring& name)
{
    return user.GetStringValue(kLanguageKey, L"default", name) || machine.GetStringValue(kLanguageKey, L"default", name);
}
