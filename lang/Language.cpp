// Records where the language file lies; every lookup answers with the missing-key form
// until the table is loaded from it.
#include "lang/Language.h"

#include <algorithm>
#include <cwchar>

namespace {
std::wstring g_languageName;
std::wstring g_languageDirectory;
} // namespace

void Language::SetLanguageFile(const std::wstring& directory, const std::wstring& languageName, unsigned,
                               const std::wstring&, const std::wstring&)
{
    g_languageDirectory = directory;
    g_languageName = languageName;
}

Language* Language::GetInstance()
{
    static Language instance;
    return &instance;
}

std::wstring Language::GetLanguageName()
{
    return g_languageName;
}

std::wstring Language::GetLanguageDirectory()
{
    return g_languageDirectory;
}

Language::~Language() = default;

void Language::GetStringToBuffer(const std::wstring& key, const std::wstring& section, wchar_t* buffer,
                                 unsigned bufferSize)
{
    const std::wstring text = GetString(key, section);
    if (text.empty() || bufferSize == 0 || !buffer)
        return;
    std::fill(buffer, buffer + bufferSize, L'\0');
    std::copy_n(text.c_str(), std::min<size_t>(text.size(), bufferSize - 1), buffer);
}

std::wstring Language::GetString(const std::wstring& key, const std::wstring&)
{
    return L"*" + key;
}
