#pragma once
#include "jnCommonGUI/DocumentLauncher.h"

// Opens the product's web pages. The addresses are not in the program: they are the texts of
// language keys, so each language can point to its own pages.
class URLLoader
{
public:
    explicit URLLoader(const CDocumentLauncher& launcher = CDocumentLauncher()) : m_launcher(launcher) {}
    virtual ~URLLoader() = default;

    void OpenProductInfo() const;
    void OpenProductSupport() const;

private:
    void OpenAddressOf(const wchar_t* key) const;

    CDocumentLauncher m_launcher;
};

constexpr wchar_t kProductInfoKey[] = L"XJNS_URL_PRODUCT_INFO";
constexpr wchar_t kProductSupportKey[] = L"XJNS_URL_PRODUCT_SUPPORT";
constexpr wchar_t kProductUrlSection[] = L"XJNMainGUI";
