#pragma once
#include <string>

#include "base/Win32Names.h"
#include "winframe/Owners.h"

// One file-system path, edited by components (drive, directory, name, extension), settable to a
// well-known folder, with the file operations that act on it. A folder path ends in a backslash.
// Failures are reported as false or an empty path; only CreateDirectoryEx throws.
class CPath
{
public:
    enum SpecialFolder
    {
        CurrentDirectory = 0,
        WindowsDirectory = 1,
        SystemDirectory = 2,
        DriversDirectory = 3,
        SystemDriveRoot = 4,
        ModuleDirectory = 5, // the registered module's folder, else the host executable's
        TempDirectory = 6,
        ProgramFiles = 7,
        CommonFiles = 8,
        Accessories = 9,
        MediaDirectory = 10,
        InfDirectory = 11,
        DesktopDirectory = 12,
        Favorites = 13,
        Fonts = 14,
        NetworkNeighbourhood = 15,
        Personal = 16,
        Recent = 17,
        SendTo = 18,
        Templates = 19,
        RecycleBin = 20,
        ApplicationData = 21,
        StartMenu = 22,
        Startup = 23,
        Programs = 24,
        CommonDesktop = 25,
        CommonStartMenu = 26,
        CommonStartup = 27,
        CommonPrograms = 28,
    };

    CPath() = default;
    CPath(const CPath& other);
    CPath& operator=(const CPath& other);
    CPath(const wchar_t* path);
    CPath(const std::wstring& path);
    CPath(const std::wstring& directory, const std::wstring& fileName);
    explicit CPath(SpecialFolder folder);
    CPath(SpecialFolder folder, const std::wstring& fileName);
    virtual ~CPath();

    // The module whose folder ModuleDirectory names; null means the host executable.
    static void SetModuleInstance(HINSTANCE instance);

    const wchar_t* GetPath() const { return m_path.c_str(); }
    void SetPath(const std::wstring& path);

    // Components.
    void SetDirectory(const std::wstring& directory);
    void SetDirectoryPart(const std::wstring& directory, bool rooted);
    void AppendDirectory(const std::wstring& name);
    void SetFileName(const std::wstring& fileName);
    void SetName(const std::wstring& name);
    void SetName(int number);
    void SetExtension(const std::wstring& extension);
    void SetExtension(int number);
    // Keeps only the drive and a single backslash.
    void GetRoot();
    std::wstring GetDirectory() const;
    std::wstring GetName() const;
    std::wstring GetExtension() const;
    std::wstring GetDrive() const;

    // Sets the path to the folder (see SpecialFolder); empty when it is unavailable.
    bool SetToSpecialFolder(int folder);
    // The long form of the path; unchanged when the system cannot give it.
    bool ToLongPath();
    bool IsRelative() const;
    bool IsValid() const;

    // File-system queries and changes on the path.
    bool Exists() const;
    bool IsDirectory() const;
    DWORD GetAttributes() const;
    bool SetAttributes(DWORD attributes) const;
    // Times in local time; null pointers are skipped.
    bool GetFileTimes(FILETIME* creation, FILETIME* access, FILETIME* write) const;
    bool SetFileTimes(const FILETIME* creation, const FILETIME* access, const FILETIME* write) const;
    UINT GetDriveType() const;
    bool GetDriveFreeBytes(ULONGLONG& bytes) const;
    bool GetDriveTotalBytes(ULONGLONG& bytes) const;

    // Iterates the entries that match the path and the attribute mask; each hit replaces the
    // name (a directory hit: the directory, with a trailing backslash).
    bool FindFirst(DWORD attributeMask);
    bool FindNext();

    bool DeleteFile(bool force) const;
    bool CopyFile(const CPath& target, bool overwrite) const;
    bool MoveFile(const CPath& target, bool overwrite) const;
    // With content: the folder's files and subfolders first. A junction or directory link, in
    // the tree or as the path itself, is removed as a link and never followed; where the system
    // cannot remove the link itself (Wine 8), it stays and the remove fails.
    bool RemoveDirectory(bool withContent) const;
    // Creates the path's folder (with its parents when asked); an existing folder counts as
    // created. Never changes the process's current directory.
    bool CreateDirectory(bool withParents) const;
    // As CreateDirectory, but throws BaseException on failure.
    void CreateDirectoryEx(bool withParents) const;
    bool SetCurrentDirectory() const;
    bool GetTempFileName(const wchar_t* prefix);
    bool MakeUniqueName(bool mustNotExist, int attempts);
    bool MakeUniqueTempDirectory(const wchar_t* prefix, int attempts);

private:
    // Drive and directory, e.g. "C:\a\b\".
    std::wstring Folder() const;
    void CloseSearch();
    bool TakeMatchingEntry();

    std::wstring m_path;
    DWORD m_searchAttributes = 0;
    ScopedFind m_search;
    std::wstring m_searchFolder;
};
