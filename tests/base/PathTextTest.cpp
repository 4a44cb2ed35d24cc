#include <gtest/gtest.h>

#include "base/PathText.h"

TEST(PathText, SplitsLikeTheRuntimeAndRebuilds)
{
    struct Case
    {
        const wchar_t* path;
        PathParts parts;
    };
    const Case cases[] = {
        {L"C:\\a\\b\\file.txt", {L"C:", L"\\a\\b\\", L"file", L".txt"}},
        {L"C:\\a\\b\\", {L"C:", L"\\a\\b\\", L"", L""}},
        {L"file", {L"", L"", L"file", L""}},
        {L"dir.x\\name", {L"", L"dir.x\\", L"name", L""}},
        {L"a.b.c", {L"", L"", L"a.b", L".c"}},
        {L"\\\\server\\share\\x.y", {L"", L"\\\\server\\share\\", L"x", L".y"}},
        {L"D:rel", {L"D:", L"", L"rel", L""}},
        {L"", {L"", L"", L"", L""}},
    };
    for (const Case& c : cases)
    {
        const PathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.drive, c.parts.drive) << c.path;
        EXPECT_EQ(parts.directory, c.parts.directory) << c.path;
        EXPECT_EQ(parts.name, c.parts.name) << c.path;
        EXPECT_EQ(parts.extension, c.parts.extension) << c.path;
        EXPECT_EQ(MakePath(parts), c.path);
    }
}

TEST(PathText, RebuildAddsMissingSeparators)
{
    EXPECT_EQ(MakePath({L"C", L"\\a", L"n", L"txt"}), L"C:\\a\\n.txt");
    EXPECT_EQ(MakePath({L"", L"", L"", L"txt"}), L".txt");
}

TEST(PathText, LongPathsAreNotCut)
{
    const std::wstring longName(600, L'n');
    const std::wstring path = L"C:\\" + longName + L"\\" + longName + L".ext";
    EXPECT_EQ(MakePath(SplitPath(path)), path);
}

TEST(PathText, Normalisation)
{
    struct Case
    {
        const wchar_t* in;
        const wchar_t* out;
    };
    const Case cases[] = {
        {L"C:/a//b/file.txt", L"C:\\a\\b\\file.txt"},
        {L"\\\\server\\share\\x", L"\\\\server\\share\\x"},
        {L"//server/share//x", L"\\\\server\\share\\x"},
        {L"\\\\\\server", L"\\\\server"},
        {L"C:\\\\\\a\\\\", L"C:\\a\\"},
        {L"\\a", L"\\a"},
        {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalisePath(c.in), c.out) << c.in;
}

TEST(PathText, RelativeAndValid)
{
    struct Case
    {
        const wchar_t* path;
        bool relative;
        bool valid;
    };
    const Case cases[] = {
        {L"C:\\a\\b.txt", false, true},
        {L"\\\\server\\share", false, true},
        {L"a\\b", true, true},
        {L"\\a", true, true},
        {L"C:\\a*.txt", false, false},
        {L"C:\\a?", false, false},
        {L"C:\\a|b", false, false},
        {L"C:\\\"a\"", false, false},
        {L"C:\\<a>", false, false},
        {L"C:\\a//b", false, false},
        {L"C:\\a\\\\b", false, false},
        {L"C:\\a:b", false, false},
        {L"a:b", false, true},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(IsRelativePath(c.path), c.relative) << c.path;
        EXPECT_EQ(IsValidPath(c.path), c.valid) << c.path;
    }
    EXPECT_TRUE(IsValidPath(L"C:\\" + std::wstring(257, L'a')));
    EXPECT_FALSE(IsValidPath(L"C:\\" + std::wstring(258, L'a')));
}

TEST(PathText, Roots)
{
    EXPECT_EQ(PathRoot(L"C:\\a\\b"), L"C:\\");
    EXPECT_EQ(PathRoot(L"c:"), L"c:\\");
    EXPECT_EQ(PathRoot(L"\\\\srv\\share\\a\\b"), L"\\\\srv\\share\\");
    EXPECT_EQ(PathRoot(L"\\\\srv\\share"), L"\\\\srv\\share\\");
    EXPECT_EQ(PathRoot(L"a\\b"), L"");
}

TEST(PathText, RandomNamesComeFromTheTickAndEndInTheDigit)
{
    EXPECT_EQ(MakeRandomName(8, 0x00ab12cd, 7), L"00ab12c7");
    EXPECT_EQ(MakeRandomName(5, 0x00ab12cd, 13), L"00ab3");
    EXPECT_EQ(MakeRandomName(12, 0x1234abcd, 0), L"1234abcd1230");
    EXPECT_EQ(MakeRandomName(0, 1, 1), L"");
}

TEST(PathText, WindowsFamilies)
{
    EXPECT_EQ(ClassifyWindows(VER_PLATFORM_WIN32s, 3, 10), WindowsFamily::Win32s);
    EXPECT_EQ(ClassifyWindows(VER_PLATFORM_WIN32_WINDOWS, 4, 0), WindowsFamily::Windows95);
    EXPECT_EQ(ClassifyWindows(VER_PLATFORM_WIN32_WINDOWS, 4, 10), WindowsFamily::Windows98);
    EXPECT_EQ(ClassifyWindows(VER_PLATFORM_WIN32_WINDOWS, 4, 90), WindowsFamily::WindowsMe);
    EXPECT_EQ(ClassifyWindows(VER_PLATFORM_WIN32_NT, 3, 50), WindowsFamily::NTBefore351);
    EXPECT_EQ(ClassifyWindows(VER_PLATFORM_WIN32_NT, 3, 51), WindowsFamily::NT351AndLater);
    EXPECT_EQ(ClassifyWindows(VER_PLATFORM_WIN32_NT, 10, 0), WindowsFamily::NT351AndLater);
}
