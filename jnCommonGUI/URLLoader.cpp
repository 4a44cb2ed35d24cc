#include "jnCommonGUI/URLLoader.h"

#include "lang/Language.h"

void URLLoader::OpenProductInfo() const
{
    OpenAddressOf(kProductInfoKey);
}

void URLLoader::OpenProductSupport() const
{
    OpenAddressOf(kProductSupportKey);
}

// A failed launch is silent: the user simply sees no page.
void URLLoader::OpenAddressOf(const wchar_t* key) const
{
    Language* language = Language::GetInstance();
    if (!language)
        return;
    const std::wstring address = language->GetString(key, kProductUrlSection);
    m_launcher.Launch(address.c_str());
}
