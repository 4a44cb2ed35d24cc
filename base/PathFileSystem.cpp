#include "base/Path.h"

#include <cstdlib>

#include "base/BaseException.h"
#include "base/MessageConstants.h"
#include "base/OSErrorText.h"
#include "base/PathText.h"
#include "winframe/Owners.h"

namespace {

const wchar_t kSource[] = L".\\path";

bool IsExistingDirectory(const std::wstring& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Tests existence with the attributes, not by entering the folder: a library must not move
// its host's current directory. On failure the error of the first CreateDirectoryW stays the
// last error, for CreateDirectoryEx to report.
bool CreateFolder(const std::wstring& folder, bool withParents)
{
    if (folder.empty())
        return false;
    if (CreateDirectoryW(folder.c_str(), nullptr))
        return true;
    const DWORD error = GetLastError();
    if (IsExistingDirectory(folder))
        return true;
    if (withParents)
    {
        const size_t cut = folder.rfind(L'\\');
        if (cut != std::wstring::npos && cut > 0 && CreateFolder(folder.substr(0, cut), true) &&
            (CreateDirectoryW(folder.c_str(), nullptr) || IsExistingDirectory(folder)))
            return true;
    }
    SetLastError(error);
    return false;
}

bool IsDotEntry(const wchar_t* name)
{
    return (name[0] == L'.' && name[1] == L'\0') || (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

// A directory matches a mask that asks for directories; a file a mask that does not. Hidden and
// system entries match only when the mask names those attributes too.
bool MatchesMask(const WIN32_FIND_DATAW& entry, DWORD mask)
{
    const DWORD attributes = entry.dwFileAttributes;
    const bool isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isDirectory != ((mask & FILE_ATTRIBUTE_DIRECTORY) != 0))
        return false;
    if (isDirectory && IsDotEntry(entry.cFileName))
        return false;
    const DWORD restricted = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (attributes & restricted & ~mask) == 0;
}

// A found entry's full path; a directory's with its trailing backslash.
std::wstring EntryPath(const std::wstring& folder, const WIN32_FIND_DATAW& entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? folder + entry.cFileName + L"\\"
                                                               : folder + entry.cFileName;
}

bool IsDirectoryLink(const std::wstring& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Deletes a junction or directory link through a handle on the link itself. A system that opens
// the target instead (Wine 8 does so for its links, and RemoveDirectoryW there then deletes an
// empty target) would delete the target: then nothing is deleted and the remove fails.
bool RemoveDirectoryLink(const std::wstring& link)
{
    ScopedFile opened(CreateFileW(link.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!opened)
        return false;
    BY_HANDLE_FILE_INFORMATION what = {};
    if (!GetFileInformationByHandle(opened.Get(), &what) || !(what.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    FILE_DISPOSITION_INFO disposition = {TRUE};
    return SetFileInformationByHandle(opened.Get(), FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

bool QueryDiskSpace(const std::wstring& path, ULONGLONG& freeBytes, ULONGLONG& totalBytes)
{
    const std::wstring root = PathRoot(path);
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceW(root.empty() ? nullptr : root.c_str(), &sectorsPerCluster, &bytesPerSector,
                           &freeClusters, &totalClusters))
        return false;
    const ULONGLONG cluster = static_cast<ULONGLONG>(sectorsPerCluster) * bytesPerSector;
    freeBytes = cluster * freeClusters;
    totalBytes = cluster * totalClusters;
    return true;
}

std::wstring RandomName(size_t length)
{
    return MakeRandomName(length, GetTickCount(), static_cast<unsigned>(rand() % 10));
}

} // namespace

bool CPath::Exists() const
{
    const std::wstring target = WithoutTrailingSeparators(m_path);
    if (target.empty())
        return false;
    // A drive or share root is no entry that a search could find.
    if (PathRoot(m_path) == target + L"\\")
        return IsExistingDirectory(target + L"\\");
    WIN32_FIND_DATAW entry;
    return static_cast<bool>(ScopedFind(FindFirstFileW(target.c_str(), &entry)));
}

bool CPath::IsDirectory() const
{
    return !m_path.empty() && IsExistingDirectory(m_path);
}

DWORD CPath::GetAttributes() const
{
    return GetFileAttributesW(m_path.c_str());
}

bool CPath::SetAttributes(DWORD attributes) const
{
    return SetFileAttributesW(m_path.c_str(), attributes) != FALSE;
}

bool CPath::GetFileTimes(FILETIME* creation, FILETIME* access, FILETIME* write) const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(m_path.c_str(), GetFileExInfoStandard, &data))
        return false;
    const std::pair<const FILETIME*, FILETIME*> times[] = {
        {&data.ftCreationTime, creation}, {&data.ftLastAccessTime, access}, {&data.ftLastWriteTime, write}};
    for (const auto& time : times)
        if (time.second && !FileTimeToLocalFileTime(time.first, time.second))
            return false;
    return true;
}

bool CPath::SetFileTimes(const FILETIME* creation, const FILETIME* access, const FILETIME* write) const
{
    FILETIME utc[3];
    const FILETIME* local[3] = {creation, access, write};
    for (int i = 0; i < 3; ++i)
        if (local[i] && !LocalFileTimeToFileTime(local[i], &utc[i]))
            return false;
    ScopedFile file(CreateFileW(m_path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return false;
    return SetFileTime(file.Get(), creation ? &utc[0] : nullptr, access ? &utc[1] : nullptr,
                       write ? &utc[2] : nullptr) != FALSE;
}

UINT CPath::GetDriveType() const
{
    const std::wstring root = PathRoot(m_path);
    return GetDriveTypeW(root.empty() ? nullptr : root.c_str());
}

bool CPath::GetDriveFreeBytes(ULONGLONG& bytes) const
{
    ULONGLONG total = 0;
    return QueryDiskSpace(m_path, bytes, total);
}

bool CPath::GetDriveTotalBytes(ULONGLONG& bytes) const
{
    ULONGLONG free = 0;
    return QueryDiskSpace(m_path, free, bytes);
}

void CPath::CloseSearch()
{
    m_search.Reset();
    m_searchAttributes = 0;
}

bool CPath::FindFirst(DWORD attributeMask)
{
    CloseSearch();
    WIN32_FIND_DATAW entry;
    ScopedFind search(FindFirstFileW(m_path.c_str(), &entry));
    if (!search)
        return false;
    m_search = std::move(search);
    m_searchAttributes = attributeMask;
    m_searchFolder = Folder();
    if (!MatchesMask(entry, m_searchAttributes))
        return FindNext();
    m_path = EntryPath(m_searchFolder, entry);
    return true;
}

bool CPath::FindNext()
{
    if (!m_search)
        return false;
    WIN32_FIND_DATAW entry;
    while (FindNextFileW(m_search.Get(), &entry))
    {
        if (MatchesMask(entry, m_searchAttributes))
        {
            m_path = EntryPath(m_searchFolder, entry);
            return true;
        }
    }
    CloseSearch();
    return false;
}

bool CPath::DeleteFile(bool force) const
{
    const DWORD attributes = GetFileAttributesW(m_path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    {
        if (!force || !SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL))
            return false;
    }
    return DeleteFileW(m_path.c_str()) != FALSE;
}

bool CPath::CopyFile(const CPath& target, bool overwrite) const
{
    if (overwrite && target.Exists() && !DeleteFileW(target.GetPath()))
        return false;
    return CopyFileW(m_path.c_str(), target.GetPath(), TRUE) != FALSE;
}

bool CPath::MoveFile(const CPath& target, bool overwrite) const
{
    if (overwrite && target.Exists() && !DeleteFileW(target.GetPath()))
        return false;
    return MoveFileW(m_path.c_str(), target.GetPath()) != FALSE;
}

bool CPath::RemoveDirectory(bool withContent) const
{
    const std::wstring folder = Folder();
    if (folder.empty())
        return false;
    // A junction or directory link goes as a link: what it points to lies outside this tree.
    if (IsDirectoryLink(WithoutTrailingSeparators(folder)))
        return RemoveDirectoryLink(WithoutTrailingSeparators(folder));
    if (withContent)
    {
        const DWORD files = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_ARCHIVE; // 39
        const DWORD folders = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY; // 18
        CPath entry(folder + L"*.*");
        for (bool found = entry.FindFirst(files); found; found = entry.FindNext())
            entry.DeleteFile(true);
        entry.SetPath(folder + L"*.*");
        for (bool found = entry.FindFirst(folders); found; found = entry.FindNext())
            entry.RemoveDirectory(true);
    }
    return RemoveDirectoryW(WithoutTrailingSeparators(folder).c_str()) != FALSE;
}

bool CPath::CreateDirectory(bool withParents) const
{
    return CreateFolder(WithoutTrailingSeparators(Folder()), withParents);
}

void CPath::CreateDirectoryEx(bool withParents) const
{
    if (CreateDirectory(withParents))
        return;
    const DWORD error = GetLastError();
    throw BaseException(kSource, __LINE__, error, L"CPath::CreateDirectoryEx()", MessageFormat::Fields3,
                        MessageKey::FWFuncFailed, L"CreateDirectory", GetOSErrorText(error).c_str());
}

bool CPath::SetCurrentDirectory() const
{
    return SetCurrentDirectoryW(Folder().c_str()) != FALSE;
}

bool CPath::GetTempFileName(const wchar_t* prefix)
{
    if (!prefix)
        return false;
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(Folder().c_str(), prefix, 0, name))
        return false;
    SetPath(name);
    SetExtension(L"tmp");
    CPath(name).DeleteFile(true);
    return true;
}

bool CPath::MakeUniqueName(bool mustNotExist, int attempts)
{
    for (int attempt = 0; attempt < attempts; ++attempt)
    {
        SetName(RandomName(8));
        if (!mustNotExist || !Exists())
            return true;
    }
    return false;
}

bool CPath::MakeUniqueTempDirectory(const wchar_t* prefix, int attempts)
{
    if (!prefix)
        return false;
    const std::wstring folder = Folder();
    for (int attempt = 0; attempt < attempts; ++attempt)
    {
        const std::wstring name = std::wstring(prefix).substr(0, 4) + RandomName(5) + L".tmp";
        const std::wstring candidate = folder + name;
        if (IsExistingDirectory(candidate) || !CreateDirectoryW(candidate.c_str(), nullptr))
            continue;
        RemoveDirectoryW(candidate.c_str());
        AppendDirectory(name);
        return true;
    }
    return false;
}
