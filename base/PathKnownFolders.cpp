#include "base/Path.h"

#include <shlobj.h>

#include <vector>

#include "base/PathText.h"

namespace {

HINSTANCE g_moduleInstance = nullptr;

// Calls a "fill this buffer" function, growing the buffer while the answer is cut short.
template <typename Fill>
std::wstring FillGrowing(Fill fill)
{
    for (DWORD size = MAX_PATH + 1; size <= 32768 * 2; size *= 2)
    {
        std::vector<wchar_t> buffer(size);
        const DWORD length = fill(buffer.data(), size);
        if (length == 0)
            return std::wstring();
        if (length < size)
            return std::wstring(buffer.data(), length);
    }
    return std::wstring();
}

std::wstring WindowsFolder()
{
    return FillGrowing([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); });
}

std::wstring SystemFolder()
{
    return FillGrowing([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
}

WindowsFamily CurrentWindows()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info))
        return WindowsFamily::NT351AndLater;
    return ClassifyWindows(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

bool IsWindows9x(WindowsFamily family)
{
    return family == WindowsFamily::Windows95 || family == WindowsFamily::Windows98;
}

std::wstring ShellFolder(int csidl)
{
    const WindowsFamily family = CurrentWindows();
    if (family == WindowsFamily::Win32s || family == WindowsFamily::WindowsMe ||
        family == WindowsFamily::NTBefore351)
        return std::wstring();
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items)
        return std::wstring();
    wchar_t buffer[MAX_PATH] = {};
    const bool found = SHGetPathFromIDListW(items, buffer) != FALSE;
    CoTaskMemFree(items);
    return found ? std::wstring(buffer) : std::wstring();
}

std::wstring Windows9xFolder(const wchar_t* subFolder)
{
    if (!IsWindows9x(CurrentWindows()))
        return std::wstring();
    const std::wstring windows = WindowsFolder();
    return windows.empty() ? windows : windows + L"\\" + subFolder;
}

std::wstring AccessoriesFolder()
{
    const WindowsFamily family = CurrentWindows();
    const wchar_t* name = IsWindows9x(family)                    ? L"Accessories"
                          : family == WindowsFamily::NT351AndLater ? L"Windows NT\\Accessories"
                                                                   : L"Accessry";
    return std::wstring(L"C:\\Programs\\") + name;
}

std::wstring WithSubFolder(const std::wstring& folder, const wchar_t* subFolder)
{
    return folder.empty() ? folder : folder + L"\\" + subFolder;
}

std::wstring FolderOf(int id)
{
    // The registry values that could name folders 7, 8, 10, 11 and 25-28 are never found here,
    // so those folders always come from the fall-backs below.
    switch (id)
    {
    case CPath::CurrentDirectory:
        return FillGrowing([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
    case CPath::WindowsDirectory:
        return WindowsFolder();
    case CPath::SystemDirectory:
        return SystemFolder();
    case CPath::DriversDirectory:
        return WithSubFolder(SystemFolder(), L"drivers");
    case CPath::SystemDriveRoot:
        return PathRoot(SystemFolder());
    case CPath::ModuleDirectory:
        return FillGrowing(
            [](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(g_moduleInstance, buffer, size); });
    case CPath::TempDirectory:
        return FillGrowing([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
    case CPath::ProgramFiles:
        return L"C:\\Programs";
    case CPath::CommonFiles:
        return L"C:\\Programs\\Common";
    case CPath::Accessories:
        return AccessoriesFolder();
    case CPath::MediaDirectory:
        return WithSubFolder(WindowsFolder(), L"Media");
    case CPath::InfDirectory:
        return WithSubFolder(WindowsFolder(), L"Inf");
    case CPath::DesktopDirectory:
        return ShellFolder(CSIDL_DESKTOPDIRECTORY);
    case CPath::Favorites:
        return ShellFolder(CSIDL_FAVORITES);
    case CPath::Fonts:
        return ShellFolder(CSIDL_FONTS);
    case CPath::NetworkNeighbourhood:
        return ShellFolder(CSIDL_NETHOOD);
    case CPath::Personal:
        return ShellFolder(CSIDL_PERSONAL);
    case CPath::Recent:
        return ShellFolder(CSIDL_RECENT);
    case CPath::SendTo:
        return ShellFolder(CSIDL_SENDTO);
    case CPath::Templates:
        return ShellFolder(CSIDL_TEMPLATES);
    case CPath::RecycleBin:
        return ShellFolder(CSIDL_BITBUCKET);
    case CPath::ApplicationData:
        return ShellFolder(CSIDL_APPDATA);
    case CPath::StartMenu:
        return ShellFolder(CSIDL_STARTMENU);
    case CPath::Startup:
        return ShellFolder(CSIDL_STARTUP);
    case CPath::Programs:
        return ShellFolder(CSIDL_PROGRAMS);
    case CPath::CommonDesktop:
        return Windows9xFolder(L"Desktop");
    case CPath::CommonStartMenu:
        return Windows9xFolder(L"Start Menu");
    case CPath::CommonStartup:
        return Windows9xFolder(L"Start Menu\\Programs\\StartUp");
    case CPath::CommonPrograms:
        return Windows9xFolder(L"Start Menu\\Programs");
    default:
        return std::wstring();
    }
}

} // namespace

void CPath::SetModuleInstance(HINSTANCE instance)
{
    g_moduleInstance = instance;
}

bool CPath::SetToSpecialFolder(int folder)
{
    const std::wstring found = FolderOf(folder);
    m_path.clear();
    if (found.empty())
        return false;
    if (folder == ModuleDirectory)
    {
        SetPath(found);
        SetFileName(L"");
    }
    else
    {
        SetDirectory(found);
    }
    return true;
}
