#pragma once
#include "lang/FileStringBase.h"

// A text read from a resource of the image this code is linked into
// (UTF-16 LE with byte-order mark, or UTF-8).
class CResourceString : public CFileStringBase
{
public:
    CResourceString() = default;
    ~CResourceString() override;
    CResourceString(const CResourceString&) = delete;
    CResourceString& operator=(const CResourceString&) = delete;

    // The resource with the numeric id and the string type; the resource stays loaded until the
    // object goes or loads again.
    virtual bool loadResource(const wchar_t* typeName, DWORD id);

private:
    void Release();

    HGLOBAL m_loaded = nullptr;
    HRSRC m_found = nullptr;
};
