// A private folder under the temporary folder, removed with its content when the test ends.
// Its name holds the process id, so test programs running side by side never share one.
#pragma once
#include <windows.h>

#include <string>

#include "base/Path.h"

namespace testsupport {

class TempFolder
{
public:
    TempFolder() : m_folder(CPath::TempDirectory)
    {
        static LONG counter = 0;
        m_folder.AppendDirectory(L"xjn-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(InterlockedIncrement(&counter)));
        m_folder.RemoveDirectory(true);  // left over from an earlier process with the same id
        if (!CreateDirectoryW(m_folder.GetPath(), nullptr))
            m_folder.SetPath(L"");
    }
    ~TempFolder()
    {
        if (*m_folder.GetPath())
            m_folder.RemoveDirectory(true);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder as the library hands folders on, with its trailing backslash; empty when it
    // could not be made.
    std::wstring Directory() const { return m_folder.GetPath(); }
    // The folder without the trailing backslash, as a path of its own.
    std::wstring Path() const
    {
        const std::wstring directory = Directory();
        return directory.empty() ? directory : directory.substr(0, directory.size() - 1);
    }
    // A file or subfolder inside the folder.
    std::wstring File(const std::wstring& name) const { return Directory() + name; }

private:
    CPath m_folder;
};

} // namespace testsupport
