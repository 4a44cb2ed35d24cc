#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/BaseException.h"
#include "base/Path.h"
#include "base/StdStr.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace {

using testsupport::TempFolder;
using testsupport::WriteFileBytes;

void WriteText(const std::wstring& path, const char* text)
{
    ASSERT_TRUE(WriteFileBytes(path, text));
}

std::wstring CurrentDirectory()
{
    wchar_t buffer[MAX_PATH * 2];
    GetCurrentDirectoryW(MAX_PATH * 2, buffer);
    return buffer;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

TEST(Path, ConstructionNormalises)
{
    EXPECT_STREQ(CPath(L"C:/a//b/file.txt").GetPath(), L"C:\\a\\b\\file.txt");
    EXPECT_STREQ(CPath(std::wstring(L"\\\\server\\share\\x")).GetPath(), L"\\\\server\\share\\x");
    EXPECT_STREQ(CPath(static_cast<const wchar_t*>(nullptr)).GetPath(), L"");
    EXPECT_STREQ(CPath(L"C:\\dir", L"name.ext").GetPath(), L"C:\\dir\\name.ext");
}

TEST(Path, ComponentEdits)
{
    struct Case
    {
        const wchar_t* start;
        void (*edit)(CPath&);
        const wchar_t* result;
    };
    const Case cases[] = {
        {L"C:\\App\\", [](CPath& p) { p.AppendDirectory(L"Language"); }, L"C:\\App\\Language\\"},
        {L"C:\\App\\", [](CPath& p) { p.AppendDirectory(L"\\Sub"); }, L"C:\\App\\Sub\\"},
        {L"C:\\App\\", [](CPath& p) { p.AppendDirectory(L"Sub\\"); }, L"C:\\App\\Sub\\"},
        {L"C:\\App\\", [](CPath& p) { p.AppendDirectory(L""); }, L"C:\\App\\"},
        {L"C:\\App\\f.txt", [](CPath& p) { p.AppendDirectory(L"Sub"); }, L"C:\\App\\Sub\\f.txt"},
        {L"C:\\a\\b.txt", [](CPath& p) { p.SetFileName(L""); }, L"C:\\a\\"},
        {L"C:\\a\\b.txt", [](CPath& p) { p.SetFileName(L"c.doc"); }, L"C:\\a\\c.doc"},
        {L"C:\\a\\b.txt", [](CPath& p) { p.SetName(L"z"); }, L"C:\\a\\z.txt"},
        {L"C:\\a\\b.txt", [](CPath& p) { p.SetName(42); }, L"C:\\a\\42.txt"},
        {L"C:\\a\\b.txt", [](CPath& p) { p.SetExtension(L"log"); }, L"C:\\a\\b.log"},
        {L"C:\\a\\b.txt", [](CPath& p) { p.SetExtension(3); }, L"C:\\a\\b.3"},
        {L"C:\\a\\b.txt", [](CPath& p) { p.SetDirectory(L"D:/x/y"); }, L"D:\\x\\y\\b.txt"},
        {L"C:\\a\\b.txt", [](CPath& p) { p.SetDirectoryPart(L"x", false); }, L"C:x\\b.txt"},
        {L"C:\\a\\b.txt", [](CPath& p) { p.SetDirectoryPart(L"x", true); }, L"C:\\x\\b.txt"},
        {L"C:\\a\\b\\c.txt", [](CPath& p) { p.GetRoot(); }, L"C:\\"},
    };
    for (const Case& c : cases)
    {
        CPath path(c.start);
        c.edit(path);
        EXPECT_STREQ(path.GetPath(), c.result) << c.start;
    }
}

TEST(Path, ComponentQueries)
{
    const CPath path(L"C:\\a\\b\\file.txt");
    EXPECT_EQ(path.GetDrive(), L"C");
    EXPECT_EQ(path.GetDirectory(), L"\\a\\b");
    EXPECT_EQ(path.GetName(), L"file");
    EXPECT_EQ(path.GetExtension(), L"txt");
    EXPECT_FALSE(path.IsRelative());
    EXPECT_TRUE(path.IsValid());
    EXPECT_TRUE(CPath(L"a\\b").IsRelative());
}

TEST(Path, CopyTakesThePathOnly)
{
    TempFolder folder;
    WriteText(folder.File(L"a.txt"), "a");
    CPath searching(folder.File(L"*.txt"));
    ASSERT_TRUE(searching.FindFirst(FILE_ATTRIBUTE_ARCHIVE));
    CPath copy(searching);
    EXPECT_STREQ(copy.GetPath(), searching.GetPath());
    EXPECT_FALSE(copy.FindNext()); // no search was copied
}

TEST(Path, SpecialFolders)
{
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring moduleFolder(module);
    moduleFolder.erase(moduleFolder.rfind(L'\\') + 1);
    const std::wstring win(windows);
    const std::wstring sys(system);

    struct Case
    {
        int id;
        std::wstring folder;
    };
    const Case cases[] = {
        {CPath::CurrentDirectory, CurrentDirectory() + L"\\"},
        {CPath::WindowsDirectory, win + L"\\"},
        {CPath::SystemDirectory, sys + L"\\"},
        {CPath::DriversDirectory, sys + L"\\drivers\\"},
        {CPath::SystemDriveRoot, sys.substr(0, 3)},
        {CPath::ModuleDirectory, moduleFolder},
        {CPath::TempDirectory, temp},
        {CPath::ProgramFiles, L"C:\\Programs\\"},
        {CPath::CommonFiles, L"C:\\Programs\\Common\\"},
        {CPath::Accessories, L"C:\\Programs\\Windows NT\\Accessories\\"},
        {CPath::MediaDirectory, win + L"\\Media\\"},
        {CPath::InfDirectory, win + L"\\Inf\\"},
        {CPath::CommonDesktop, L""},
        {CPath::CommonPrograms, L""},
        {29, L""},
        {-1, L""},
    };
    for (const Case& c : cases)
    {
        CPath path(L"C:\\old\\name.txt");
        EXPECT_EQ(path.SetToSpecialFolder(c.id), !c.folder.empty()) << c.id;
        EXPECT_EQ(path.GetPath(), c.folder) << c.id;
    }

    CPath personal(CPath::Personal);
    EXPECT_TRUE(personal.IsDirectory()) << personal.GetPath();
    EXPECT_EQ(std::wstring(personal.GetPath()).back(), L'\\');
}

TEST(Path, ModuleFolderFollowsTheRegisteredInstance)
{
    CPath::SetModuleInstance(GetModuleHandleW(L"kernel32.dll"));
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const CPath kernelFolder(CPath::ModuleDirectory);
    CPath::SetModuleInstance(nullptr);
    EXPECT_EQ(stdstr(kernelFolder.GetPath()).ToLower(), stdstr(system).ToLower() + L"\\");

    CPath language(CPath::ModuleDirectory);
    const std::wstring hostFolder = language.GetPath();
    language.AppendDirectory(L"Language");
    EXPECT_EQ(language.GetPath(), hostFolder + L"Language\\");
}

TEST(Path, ExistsAndAttributes)
{
    TempFolder folder;
    ASSERT_FALSE(folder.Directory().empty());
    WriteText(folder.File(L"f.txt"), "x");
    EXPECT_TRUE(CPath(folder.File(L"f.txt")).Exists());
    EXPECT_FALSE(CPath(folder.File(L"f.txt")).IsDirectory());
    EXPECT_TRUE(CPath(folder.Directory()).Exists());
    EXPECT_TRUE(CPath(folder.Directory()).IsDirectory());
    EXPECT_TRUE(CPath(folder.File(L"*.txt")).Exists());
    EXPECT_FALSE(CPath(folder.File(L"missing.txt")).Exists());
    EXPECT_TRUE(CPath(L"C:\\").Exists());
    EXPECT_FALSE(CPath(L"").Exists());

    const CPath file(folder.File(L"f.txt"));
    EXPECT_TRUE(file.SetAttributes(FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(file.GetAttributes() & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(file.DeleteFile(false));
    EXPECT_TRUE(file.Exists());
    EXPECT_TRUE(file.DeleteFile(true));
    EXPECT_FALSE(file.Exists());
}

TEST(Path, FileTimesRoundTripInLocalTime)
{
    TempFolder folder;
    WriteText(folder.File(L"t.txt"), "x");
    const CPath file(folder.File(L"t.txt"));
    SYSTEMTIME wanted = {2020, 2, 0, 29, 13, 45, 10, 0};
    FILETIME local;
    ASSERT_TRUE(SystemTimeToFileTime(&wanted, &local));
    ASSERT_TRUE(file.SetFileTimes(nullptr, nullptr, &local));
    FILETIME read;
    ASSERT_TRUE(file.GetFileTimes(nullptr, nullptr, &read));
    EXPECT_EQ(CompareFileTime(&read, &local), 0);
}

TEST(Path, DriveQueries)
{
    const CPath path(L"C:\\windows\\");
    EXPECT_EQ(path.GetDriveType(), static_cast<UINT>(DRIVE_FIXED));
    ULONGLONG freeBytes = 0, totalBytes = 0;
    EXPECT_TRUE(path.GetDriveFreeBytes(freeBytes));
    EXPECT_TRUE(path.GetDriveTotalBytes(totalBytes));
    EXPECT_GT(totalBytes, 0u);
    EXPECT_LE(freeBytes, totalBytes);
}

TEST(Path, SearchSeparatesFilesAndFolders)
{
    TempFolder folder;
    WriteText(folder.File(L"one.txt"), "1");
    WriteText(folder.File(L"two.txt"), "2");
    CreateDirectoryW(folder.File(L"sub").c_str(), nullptr);
    CreateDirectoryW(folder.File(L"hid").c_str(), nullptr);
    SetFileAttributesW(folder.File(L"hid").c_str(), FILE_ATTRIBUTE_HIDDEN);

    std::set<std::wstring> files;
    CPath search(folder.File(L"*.*"));
    for (bool found = search.FindFirst(39); found; found = search.FindNext())
        files.insert(search.GetPath());
    EXPECT_EQ(files, (std::set<std::wstring>{folder.File(L"one.txt"), folder.File(L"two.txt")}));

    std::set<std::wstring> folders;
    search.SetPath(folder.File(L"*.*"));
    for (bool found = search.FindFirst(FILE_ATTRIBUTE_DIRECTORY); found; found = search.FindNext())
        folders.insert(search.GetPath());
    EXPECT_EQ(folders, (std::set<std::wstring>{folder.File(L"sub\\")}));

    folders.clear();
    search.SetPath(folder.File(L"*.*"));
    for (bool found = search.FindFirst(18); found; found = search.FindNext())
        folders.insert(search.GetPath());
    EXPECT_EQ(folders, (std::set<std::wstring>{folder.File(L"sub\\"), folder.File(L"hid\\")}));
}

TEST(Path, CopyAndMoveRespectOverwrite)
{
    TempFolder folder;
    WriteText(folder.File(L"a.txt"), "a");
    WriteText(folder.File(L"b.txt"), "b");
    const CPath a(folder.File(L"a.txt"));
    const CPath b(folder.File(L"b.txt"));
    const CPath c(folder.File(L"c.txt"));
    EXPECT_FALSE(a.CopyFile(b, false));
    EXPECT_TRUE(a.CopyFile(b, true));
    EXPECT_TRUE(a.CopyFile(c, false));
    EXPECT_FALSE(c.MoveFile(b, false));
    EXPECT_TRUE(c.MoveFile(b, true));
    EXPECT_FALSE(c.Exists());
    EXPECT_TRUE(b.Exists());
}

TEST(Path, CreateDirectoryWithParentsKeepsTheCurrentDirectory)
{
    TempFolder folder;
    const std::wstring before = CurrentDirectory();
    const CPath deep(folder.File(L"x\\y\\z\\"));
    EXPECT_FALSE(deep.CreateDirectory(false));
    EXPECT_TRUE(deep.CreateDirectory(true));
    EXPECT_TRUE(IsFolder(folder.File(L"x\\y\\z")));
    EXPECT_TRUE(deep.CreateDirectory(false)); // exists already
    EXPECT_EQ(CurrentDirectory(), before);

    const CPath withFile(folder.File(L"p\\q\\file.txt"));
    EXPECT_TRUE(withFile.CreateDirectory(true));
    EXPECT_TRUE(IsFolder(folder.File(L"p\\q")));
    EXPECT_FALSE(IsFolder(folder.File(L"p\\q\\file.txt")));
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST(Path, CreateDirectoryFailsOverAFileAndExThrows)
{
    TempFolder folder;
    WriteText(folder.File(L"blocker"), "x");
    const CPath blocked(folder.File(L"blocker\\sub\\"));
    EXPECT_FALSE(blocked.CreateDirectory(true));
    const CPath sameName(folder.File(L"blocker\\"));
    EXPECT_FALSE(sameName.CreateDirectory(false));
    try
    {
        sameName.CreateDirectoryEx(false);
        FAIL() << "no exception";
    }
    catch (const BaseException& e)
    {
        EXPECT_EQ(e.GetErrorCode(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        EXPECT_EQ(e.GetFile(), L".\\path");
        EXPECT_EQ(e.GetFullMessage().rfind(L"CPath::CreateDirectoryEx() - FWFuncFailed##CreateDirectory##Windows OS Error: ", 0), 0u)
            << e.GetFullMessage().c_str();
    }
    EXPECT_NO_THROW(CPath(folder.File(L"fine\\")).CreateDirectoryEx(false));
}

TEST(Path, RemoveDirectoryWithContent)
{
    TempFolder folder;
    const std::wstring root = folder.File(L"r\\");
    CPath(root + L"a\\b\\").CreateDirectory(true);
    WriteText(root + L"f.txt", "1");
    WriteText(root + L"a\\g.txt", "2");
    WriteText(root + L"a\\b\\h.txt", "3");
    SetFileAttributesW((root + L"a\\g.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW((root + L"f.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(CPath(root).RemoveDirectory(false));
    EXPECT_TRUE(IsFolder(root));
    EXPECT_TRUE(CPath(root).RemoveDirectory(true));
    EXPECT_FALSE(IsFolder(root));
}

TEST(Path, SetCurrentDirectoryMovesIt)
{
    TempFolder folder;
    const std::wstring before = CurrentDirectory();
    EXPECT_TRUE(CPath(folder.File(L"file.txt")).SetCurrentDirectory());
    EXPECT_EQ(CurrentDirectory() + L"\\", folder.Directory());
    SetCurrentDirectoryW(before.c_str());
}

TEST(Path, UniqueNames)
{
    TempFolder folder;
    CPath temp(folder.Directory());
    EXPECT_FALSE(temp.GetTempFileName(nullptr));
    ASSERT_TRUE(temp.GetTempFileName(L"xj"));
    EXPECT_EQ(temp.GetExtension(), L"tmp");
    EXPECT_FALSE(temp.Exists()); // the file the system made is gone again
    EXPECT_EQ(std::wstring(temp.GetPath()).rfind(folder.Directory(), 0), 0u);

    CPath unique(folder.File(L"x.dat"));
    ASSERT_TRUE(unique.MakeUniqueName(true, 5));
    EXPECT_EQ(unique.GetName().size(), 8u);
    EXPECT_EQ(unique.GetExtension(), L"dat");
    EXPECT_FALSE(unique.Exists());
    EXPECT_FALSE(unique.MakeUniqueName(true, 0));

    CPath directory(folder.Directory());
    EXPECT_FALSE(directory.MakeUniqueTempDirectory(nullptr, 3));
    ASSERT_TRUE(directory.MakeUniqueTempDirectory(L"prefix", 3));
    const std::wstring made = directory.GetPath();
    EXPECT_EQ(made.rfind(folder.File(L"pref"), 0), 0u) << made;
    EXPECT_EQ(made.size(), folder.Directory().size() + 4 + 5 + 4 + 1) << made;
    EXPECT_EQ(made.substr(made.size() - 5), L".tmp\\");
    EXPECT_FALSE(IsFolder(made)); // only the name is reserved
}

TEST(Path, LongPathOfAnExistingFolder)
{
    TempFolder folder;
    CPath path(folder.Directory());
    EXPECT_TRUE(path.ToLongPath());
    EXPECT_TRUE(path.IsDirectory());
    CPath missing(folder.File(L"nothing\\here"));
    EXPECT_FALSE(missing.ToLongPath());
    EXPECT_EQ(missing.GetPath(), folder.File(L"nothing\\here"));
}
