#pragma once
#include <string>

#include "base/PortableTypes.h"

// Path text without the file system: splitting, rebuilding, normalising and checking.

// The components as the C runtime splits them: drive with its colon ("C:"), directory with its
// leading and trailing separators ("\a\b\"), name, and extension with its dot (".txt").
struct PathParts
{
    std::wstring drive;
    std::wstring directory;
    std::wstring name;
    std::wstring extension;
};

PathParts SplitPath(const std::wstring& path);
// Rebuilds a path: a colon after the drive letter, a backslash after a directory that lacks
// one, a dot before an extension that lacks one.
std::wstring MakePath(const PathParts& parts);

// Every "/" becomes "\", doubled backslashes become one, except the two that start a network path.
std::wstring NormalisePath(const std::wstring& path);
// No drive colon at index 1 and not a network path.
bool IsRelativePath(const std::wstring& path);
// No wildcard or | " < >, no "//", no doubled backslash after the start, a colon only at
// index 1, at most 260 characters.
bool IsValidPath(const std::wstring& path);
// The root a drive query needs: "C:\" or "\\server\share\"; empty for a relative path.
std::wstring PathRoot(const std::wstring& path);
// The text without its trailing separators.
std::wstring WithoutTrailingSeparators(const std::wstring& text);

// A name of the given length taken from the tick count in hex ("%08lx", repeated as needed),
// whose last character is replaced by the decimal digit.
std::wstring MakeRandomName(size_t length, DWORD tick, unsigned digit);

enum class WindowsFamily
{
    Win32s,
    Windows95,
    Windows98,
    WindowsMe,
    NTBefore351,
    NT351AndLater,
};
WindowsFamily ClassifyWindows(DWORD platformId, DWORD major, DWORD minor);
