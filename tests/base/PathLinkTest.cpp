// Removing a folder tree that holds a link to a folder outside it: the link goes (where the
// system can remove a link), what it points to stays. Each kind of link is made only where the
// system can make it. Measured under Wine 8: FSCTL_SET_REPARSE_POINT answers ERROR_NOT_SUPPORTED,
// CreateSymbolicLinkW answers TRUE and makes nothing; a symbolic link of the host's file system
// shows as a folder with FILE_ATTRIBUTE_REPARSE_POINT, and no call can remove it (every open
// follows it to its target).
#include "LibraryExport.h"
#include "base/Path.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <winioctl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using testsupport::TempFolder;

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsLinkedFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A junction (mount point) made with FSCTL_SET_REPARSE_POINT on an empty folder.
bool MakeJunction(const std::wstring& link, const std::wstring& target)
{
    if (!CreateDirectoryW(link.c_str(), nullptr))
        return false;
    HANDLE folder = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    bool made = false;
    if (folder != INVALID_HANDLE_VALUE)
    {
        const std::wstring substitute = L"\\??\\" + target;
        const USHORT substituteBytes = static_cast<USHORT>(substitute.size() * sizeof(wchar_t));
        const USHORT printBytes = static_cast<USHORT>(target.size() * sizeof(wchar_t));
        // Tag, data length, reserved; then substitute offset and length, print offset and length,
        // and the two names, each ending in a zero.
        std::vector<BYTE> buffer(16 + substituteBytes + printBytes + 4, 0);
        const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
        const USHORT dataBytes = static_cast<USHORT>(buffer.size() - 8);
        const USHORT fields[] = {0, substituteBytes, static_cast<USHORT>(substituteBytes + 2), printBytes};
        memcpy(&buffer[0], &tag, 4);
        memcpy(&buffer[4], &dataBytes, 2);
        memcpy(&buffer[8], fields, sizeof fields);
        memcpy(&buffer[16], substitute.c_str(), substituteBytes);
        memcpy(&buffer[16 + substituteBytes + 2], target.c_str(), printBytes);
        DWORD returned = 0;
        made = DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                               nullptr, 0, &returned, nullptr) != FALSE;
        CloseHandle(folder);
    }
    if (!made)
        RemoveDirectoryW(link.c_str());
    return made && IsLinkedFolder(link);
}

bool MakeSymbolicLink(const std::wstring& link, const std::wstring& target)
{
    return CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) && IsLinkedFolder(link);
}

// Under Wine: the host's own tools run from a Windows process, and Wine names the host path.
typedef char*(CDECL* UnixFileNameCall)(const wchar_t*);

std::string UnixName(const std::wstring& path)
{
    const auto unixFileName =
        xjnhost::LibraryExport<UnixFileNameCall>(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (!unixFileName)
        return {};
    char* name = unixFileName(path.c_str());
    if (!name)
        return {};
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a host command and waits (a host process gives no exit code to wait for) until done().
bool RunHostCommand(const std::string& command, const std::function<bool()>& done)
{
    std::wstring line(command.begin(), command.end());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int wait = 0; wait < 500 && !done(); ++wait)
        Sleep(10);
    return done();
}

bool MakeHostLink(const std::wstring& link, const std::wstring& target)
{
    const std::string unixLink = UnixName(link), unixTarget = UnixName(target);
    if (unixLink.empty() || unixTarget.empty())
        return false;
    return RunHostCommand("/bin/ln -s \"" + unixTarget + "\" \"" + unixLink + "\"", [&] { return Exists(link); }) &&
           IsLinkedFolder(link);
}

bool RemoveWindowsLink(const std::wstring& link)
{
    return RemoveDirectoryW(link.c_str()) != FALSE;
}

bool RemoveHostLink(const std::wstring& link)
{
    const std::string unixLink = UnixName(link);
    return !unixLink.empty() && RunHostCommand("/bin/rm \"" + unixLink + "\"", [&] { return !Exists(link); });
}

struct LinkKind
{
    const char* name;
    bool (*make)(const std::wstring& link, const std::wstring& target);
    bool (*unmake)(const std::wstring& link);  // the way the test's own clean-up removes it
    bool systemRemovesIt;                      // false: the system has no way to remove the link itself
};

const LinkKind kKinds[] = {
    {"junction", &MakeJunction, &RemoveWindowsLink, true},
    {"directory symbolic link", &MakeSymbolicLink, &RemoveWindowsLink, true},
    {"the host file system's symbolic link", &MakeHostLink, &RemoveHostLink, false},
};

struct RemoveCase
{
    const char* name;
    bool targetHasFile;
    bool removeTheLinkItself;  // false: remove the tree that holds the link
};

const RemoveCase kRemoves[] = {
    {"a tree holding a link to a folder with a file", true, false},
    {"a tree holding a link to an empty folder", false, false},
    {"the link itself", true, true},
};

TEST(PathLinks, RemovingATreeRemovesItsLinksAndNeverWhatTheyPointTo)
{
    TempFolder folder;
    ASSERT_FALSE(folder.Directory().empty());
    int kindsMade = 0;
    for (const LinkKind& kind : kKinds)
        for (const RemoveCase& c : kRemoves)
        {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.name);
            const std::wstring target = folder.File(L"outside"), tree = folder.File(L"tree");
            const std::wstring link = tree + L"\\link", kept = target + L"\\kept.txt";
            ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
            ASSERT_TRUE(CreateDirectoryW(tree.c_str(), nullptr));
            if (c.targetHasFile)
                ASSERT_TRUE(testsupport::WriteFileBytes(kept, "keep me"));
            ASSERT_TRUE(testsupport::WriteFileBytes(tree + L"\\own.txt", "mine"));
            if (!kind.make(link, target))
            {
                std::printf("note: this system makes no %s\n", kind.name);
                ASSERT_TRUE(CPath(tree + L"\\").RemoveDirectory(true));
                ASSERT_TRUE(CPath(target + L"\\").RemoveDirectory(true));
                continue;
            }
            ++kindsMade;
            const std::wstring removed = c.removeTheLinkItself ? link : tree;
            const bool reported = CPath(removed + L"\\").RemoveDirectory(true);

            EXPECT_TRUE(Exists(target)) << "the folder the link points to stays";
            if (c.targetHasFile)
            {
                EXPECT_TRUE(Exists(kept)) << "and so does its file";
            }
            EXPECT_EQ(reported, !Exists(removed)) << "the answer says what happened";
            if (kind.systemRemovesIt)
            {
                EXPECT_TRUE(reported && !Exists(link)) << "the link is gone";
            }
            else if (Exists(link))
            {
                std::printf("note: %s stays, the system cannot remove it\n", kind.name);
            }

            if (Exists(link))
                ASSERT_TRUE(kind.unmake(link));
            CPath(tree + L"\\").RemoveDirectory(true);
            CPath(target + L"\\").RemoveDirectory(true);
            ASSERT_FALSE(Exists(tree));
            ASSERT_FALSE(Exists(target));
        }
    EXPECT_GT(kindsMade, 0) << "no kind of link to try";
}

} // namespace
