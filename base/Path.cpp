#include "base/Path.h"

#include "base/PathText.h"

CPath::CPath(const CPath& other) : m_path(other.m_path) {}

CPath& CPath::operator=(const CPath& other)
{
    m_path = other.m_path;
    return *this;
}

CPath::CPath(const wchar_t* path) : m_path(NormalisePath(path ? path : L"")) {}

CPath::CPath(const std::wstring& path) : m_path(NormalisePath(path)) {}

CPath::CPath(const std::wstring& directory, const std::wstring& fileName)
{
    SetDirectory(directory);
    SetFileName(fileName);
}

CPath::CPath(SpecialFolder folder)
{
    SetToSpecialFolder(folder);
}

CPath::CPath(SpecialFolder folder, const std::wstring& fileName)
{
    if (SetToSpecialFolder(folder))
        SetFileName(fileName);
}

CPath::~CPath()
{
    CloseSearch();
}

void CPath::SetPath(const std::wstring& path)
{
    m_path = NormalisePath(path);
}

std::wstring CPath::Folder() const
{
    const PathParts parts = SplitPath(m_path);
    return MakePath({parts.drive, parts.directory, L"", L""});
}

void CPath::SetDirectory(const std::wstring& directory)
{
    std::wstring folder = NormalisePath(directory);
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    const PathParts parts = SplitPath(m_path);
    m_path = folder + MakePath({L"", L"", parts.name, parts.extension});
}

void CPath::SetDirectoryPart(const std::wstring& directory, bool rooted)
{
    std::wstring folder = NormalisePath(directory);
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    if (rooted && (folder.empty() || folder.front() != L'\\'))
        folder.insert(0, L"\\");
    PathParts parts = SplitPath(m_path);
    parts.directory = folder;
    m_path = NormalisePath(MakePath(parts));
}

void CPath::AppendDirectory(const std::wstring& name)
{
    if (name.empty())
        return;
    std::wstring folder = NormalisePath(name);
    if (folder.front() == L'\\')
        folder.erase(0, 1);
    if (folder.empty())
        return;
    if (folder.back() != L'\\')
        folder += L'\\';
    PathParts parts = SplitPath(m_path);
    parts.directory += folder;
    m_path = NormalisePath(MakePath(parts));
}

void CPath::SetFileName(const std::wstring& fileName)
{
    m_path = NormalisePath(Folder() + fileName);
}

void CPath::SetName(const std::wstring& name)
{
    PathParts parts = SplitPath(m_path);
    parts.name = name;
    m_path = MakePath(parts);
}

void CPath::SetName(int number)
{
    SetName(std::to_wstring(number));
}

void CPath::SetExtension(const std::wstring& extension)
{
    PathParts parts = SplitPath(m_path);
    parts.extension = extension;
    m_path = MakePath(parts);
}

void CPath::SetExtension(int number)
{
    SetExtension(std::to_wstring(number));
}

void CPath::GetRoot()
{
    const PathParts parts = SplitPath(m_path);
    m_path = MakePath({parts.drive, L"\\", L"", L""});
}

std::wstring CPath::GetDirectory() const
{
    return WithoutTrailingSeparators(SplitPath(m_path).directory);
}

std::wstring CPath::GetName() const
{
    return SplitPath(m_path).name;
}

std::wstring CPath::GetExtension() const
{
    const std::wstring extension = SplitPath(m_path).extension;
    return extension.empty() ? extension : extension.substr(1);
}

std::wstring CPath::GetDrive() const
{
    const std::wstring drive = SplitPath(m_path).drive;
    return drive.substr(0, 1);
}

bool CPath::ToLongPath()
{
    wchar_t buffer[1300];
    const DWORD length = GetLongPathNameW(m_path.c_str(), buffer, 1300);
    if (length == 0 || length >= 1300)
        return false;
    m_path.assign(buffer, length);
    return true;
}

bool CPath::IsRelative() const
{
    return IsRelativePath(m_path);
}

bool CPath::IsValid() const
{
    return IsValidPath(m_path);
}
