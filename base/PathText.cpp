#include "base/PathText.h"

#include "base/StdStr.h"

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool IsNetworkPath(const std::wstring& path)
{
    return path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
}

} // namespace

PathParts SplitPath(const std::wstring& path)
{
    PathParts parts;
    size_t rest = 0;
    if (path.size() >= 2 && path[1] == L':')
    {
        parts.drive = path.substr(0, 2);
        rest = 2;
    }
    size_t lastSeparator = std::wstring::npos;
    for (size_t i = rest; i < path.size(); ++i)
        if (IsSeparator(path[i]))
            lastSeparator = i;
    size_t nameStart = rest;
    if (lastSeparator != std::wstring::npos)
    {
        parts.directory = path.substr(rest, lastSeparator + 1 - rest);
        nameStart = lastSeparator + 1;
    }
    const size_t dot = path.rfind(L'.');
    if (dot != std::wstring::npos && dot >= nameStart)
    {
        parts.name = path.substr(nameStart, dot - nameStart);
        parts.extension = path.substr(dot);
    }
    else
    {
        parts.name = path.substr(nameStart);
    }
    return parts;
}

std::wstring MakePath(const PathParts& parts)
{
    std::wstring path;
    if (!parts.drive.empty())
    {
        path += parts.drive[0];
        path += L':';
    }
    if (!parts.directory.empty())
    {
        path += parts.directory;
        if (!IsSeparator(path.back()))
            path += L'\\';
    }
    path += parts.name;
    if (!parts.extension.empty())
    {
        if (parts.extension[0] != L'.')
            path += L'.';
        path += parts.extension;
    }
    return path;
}

std::wstring NormalisePath(const std::wstring& path)
{
    stdstr slashes(path);
    slashes.ReplaceChar(L'/', L'\\');
    const bool network = IsNetworkPath(slashes);
    std::wstring result;
    result.reserve(slashes.size());
    for (wchar_t c : slashes)
    {
        const bool keepsNetworkStart = network && result.size() == 1;
        if (c == L'\\' && !result.empty() && result.back() == L'\\' && !keepsNetworkStart)
            continue;
        result += c;
    }
    return result;
}

bool IsRelativePath(const std::wstring& path)
{
    const bool hasDrive = path.size() >= 2 && path[1] == L':';
    return !hasDrive && !IsNetworkPath(path);
}

bool IsValidPath(const std::wstring& path)
{
    if (path.size() > MAX_PATH)
        return false;
    if (path.find_first_of(L"?*|\"<>") != std::wstring::npos)
        return false;
    if (path.find(L"//") != std::wstring::npos)
        return false;
    if (path.size() > 1 && path.find(L"\\\\", 1) != std::wstring::npos)
        return false;
    for (size_t at = path.find(L':'); at != std::wstring::npos; at = path.find(L':', at + 1))
        if (at != 1)
            return false;
    return true;
}

std::wstring PathRoot(const std::wstring& path)
{
    if (path.size() >= 2 && path[1] == L':')
        return path.substr(0, 2) + L"\\";
    if (!IsNetworkPath(path))
        return std::wstring();
    // "\\server\share\": the separator that ends the share name closes the root.
    const size_t server = path.find(L'\\', 2);
    if (server == std::wstring::npos)
        return std::wstring();
    const size_t share = path.find(L'\\', server + 1);
    return share == std::wstring::npos ? path + L"\\" : path.substr(0, share + 1);
}

std::wstring WithoutTrailingSeparators(const std::wstring& text)
{
    size_t end = text.size();
    while (end > 0 && IsSeparator(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::wstring MakeRandomName(size_t length, DWORD tick, unsigned digit)
{
    if (length == 0)
        return std::wstring();
    stdstr hex;
    hex.Format(L"%08lx", static_cast<unsigned long>(tick));
    std::wstring name;
    while (name.size() < length)
        name += hex.substr(0, length - name.size());
    name.back() = static_cast<wchar_t>(L'0' + digit % 10);
    return name;
}

WindowsFamily ClassifyWindows(DWORD platformId, DWORD major, DWORD minor)
{
    switch (platformId)
    {
    case VER_PLATFORM_WIN32s:
        return WindowsFamily::Win32s;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (minor < 10)
            return WindowsFamily::Windows95;
        return minor < 90 ? WindowsFamily::Windows98 : WindowsFamily::WindowsMe;
    default:
        return major > 3 || (major == 3 && minor >= 51) ? WindowsFamily::NT351AndLater : WindowsFamily::NTBefore351;
    }
}
