#pragma once
#include <string>

#include "base/Path.h"

// A fresh folder under the temporary folder, removed with its content at the end of the test.
// Its name holds the process id, so test programs running side by side never share one.
class TempFolder
{
public:
    TempFolder() : m_path(CPath::TempDirectory)
    {
        static unsigned counter = 0;
        m_path.AppendDirectory(L"xjn-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                               std::to_wstring(++counter));
        m_path.RemoveDirectory(true); // left over from an earlier process with the same id
        if (!CreateDirectoryW(m_path.GetPath(), nullptr))
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
