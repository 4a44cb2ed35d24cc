#include "lang/ResourceString.h"

#include "lang/TextDecoding.h"
#include "winframe/ModuleInstance.h"

CResourceString::~CResourceString()
{
    Release();
}

void CResourceString::Release()
{
    if (m_loaded)
        FreeResource(m_loaded);
    m_loaded = nullptr;
    m_found = nullptr;
}

bool CResourceString::loadResource(const wchar_t* typeName, DWORD id)
{
    Release();
    if (!typeName || !*typeName)
        return false;
    const HMODULE module = ModuleInstance();
    m_found = FindResourceW(module, MAKEINTRESOURCEW(id), typeName);
    if (!m_found)
        return false;
    m_loaded = LoadResource(module, m_found);
    if (!m_loaded)
    {
        m_found = nullptr;
        return false;
    }
    const void* bytes = LockResource(m_loaded);
    const DWORD size = SizeofResource(module, m_found);
    if (!bytes || size == 0)
        return false;
    return DecodeTextBytes(static_cast<const unsigned char*>(bytes), size, m_text);
}
