#pragma once
#include <string>

#include "base/Path.h"

// A fresh folder under the temporary folder, removed with its content at the end of the test.
class TempFolder
{
public:
    TempFolder() : m_path(CPath::TempDirectory)
    {
        if (!m_path.MakeUniqueTempDirectory(L"xjnt", 20) || !m_path.CreateDirectory(false))
            m_path.SetPath(L"");
    }
    ~TempFolder()
    {
        if (*m_path.GetPath())
            m_path.RemoveDirectory(true);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, with its trailing backslash.
    std::wstring Path() const { return m_path.GetPath(); }
    std::wstring operator/(const std::wstring& name) const { return Path() + name; }

private:
    CPath m_path;
};
