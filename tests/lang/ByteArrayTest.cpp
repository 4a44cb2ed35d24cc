#include <gtest/gtest.h>

#include "base/BaseException.h"
#include "lang/ByteArray.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

std::string Bytes(const ByteArray& array)
{
    return array.GetSize() ? std::string(reinterpret_cast<const char*>(array.GetPtr(0)), array.GetSize())
                           : std::string();
}

} // namespace

TEST(ByteArray, Construction)
{
    EXPECT_EQ(ByteArray().GetSize(), 0u);
    EXPECT_EQ(Bytes(ByteArray(static_cast<BYTE>('z'), 3)), "zzz");
    EXPECT_EQ(Bytes(ByteArray("abc")), "abc");
    EXPECT_EQ(ByteArray(static_cast<const char*>(nullptr)).GetSize(), 0u);
    const BYTE raw[] = {1, 0, 2};
    EXPECT_EQ(Bytes(ByteArray(raw, 3)), std::string("\1\0\2", 3));
    EXPECT_EQ(ByteArray(nullptr, 5).GetSize(), 0u);
}

TEST(ByteArray, CopiesAreDeep)
{
    ByteArray original("abc");
    ByteArray copy(original);
    ByteArray assigned("zz");
    assigned = original;
    original.Set(0, 'X');
    EXPECT_EQ(Bytes(copy), "abc");
    EXPECT_EQ(Bytes(assigned), "abc");
    assigned = assigned;
    EXPECT_EQ(Bytes(assigned), "abc");
}

TEST(ByteArray, GuardedAccessThrowsItsMessages)
{
    ByteArray array("ab");
    EXPECT_EQ(array.At(1), 'b');
    struct Case
    {
        const char* name;
        void (*call)(ByteArray&);
        const wchar_t* message;
    };
    const Case cases[] = {
        {"GetPtr", [](ByteArray& a) { a.GetPtr(2); }, L"Byte Array Exceptio"},
        {"At", [](ByteArray& a) { a.At(2); }, L"Byte Array , AT, Index out of bound error"},
        {"Set", [](ByteArray& a) { a.Set(2, 0); }, L"Byte Array,Set, Out of bound error"},
    };
    for (const Case& c : cases)
    {
        try
        {
            c.call(array);
            ADD_FAILURE() << c.name << ": no exception";
        }
        catch (const BaseException& e)
        {
            EXPECT_EQ(e.GetMessage(), c.message) << c.name;
            EXPECT_EQ(e.GetErrorCode(), BaseException::NoErrorCode);
            EXPECT_EQ(e.GetFile(), L".\\ByteArray");
        }
    }
    EXPECT_THROW(ByteArray().At(0), BaseException);
}

TEST(ByteArray, ResizeGrowsWithZerosAndShrinksTheSizeOnly)
{
    ByteArray array("abc");
    array.Resize(5);
    EXPECT_EQ(Bytes(array), std::string("abc\0\0", 5));
    array.Resize(2);
    EXPECT_EQ(Bytes(array), "ab");
    EXPECT_THROW(array.At(2), BaseException);
    array.Clear();
    EXPECT_EQ(array.GetSize(), 0u);
}

TEST(ByteArray, AppendingAndOperators)
{
    ByteArray array("ab");
    array += ByteArray("c");
    array += std::string("d\0", 2);
    array += "e";
    array += static_cast<BYTE>('f');
    EXPECT_EQ(Bytes(array), std::string("abcd\0ef", 7));
    array += array;
    EXPECT_EQ(array.GetSize(), 14u);

    const ByteArray base("x");
    EXPECT_EQ(Bytes(base + ByteArray("y")), "xy");
    EXPECT_EQ(Bytes(base + std::string("y")), "xy");
    EXPECT_EQ(Bytes(base + "y"), "xy");
    EXPECT_EQ(Bytes(base + static_cast<BYTE>('y')), "xy");
    EXPECT_EQ(Bytes(base), "x");

    EXPECT_EQ(Bytes(ByteArray("\x0F\xF0") ^ ByteArray("\xFF\xFF")), "\xF0\x0F");
    EXPECT_EQ((ByteArray("ab") ^ ByteArray("abc")).GetSize(), 0u);

    EXPECT_TRUE(ByteArray("abc") == "abc");
    EXPECT_TRUE(ByteArray("abc") != "abd");
    EXPECT_TRUE(ByteArray("abc") != ByteArray("ab"));
    EXPECT_TRUE(ByteArray() == ByteArray(""));
}

TEST(ByteArray, FileRoundTrip)
{
    TempFolder folder;
    const std::string content("bin\0ary\xFF", 8);
    const ByteArray written(reinterpret_cast<const BYTE*>(content.data()), 8);
    EXPECT_EQ(written.ToFile(folder.File(L"b.bin").c_str()), 0);
    EXPECT_EQ(ReadFileBytes(folder.File(L"b.bin")), content);

    ByteArray read("old");
    EXPECT_EQ(read.FromFile(folder.File(L"b.bin").c_str()), 0);
    EXPECT_TRUE(read == written);

    ASSERT_TRUE(WriteFileBytes(folder.File(L"empty.bin"), ""));
    EXPECT_EQ(read.FromFile(folder.File(L"empty.bin").c_str()), 0);
    EXPECT_EQ(read.GetSize(), 0u);
}

TEST(ByteArray, FileFailuresThrowAndEmpty)
{
    TempFolder folder;
    ByteArray array("keep?");
    try
    {
        array.FromFile(folder.File(L"missing.bin").c_str());
        FAIL() << "no exception";
    }
    catch (const BaseException& e)
    {
        EXPECT_EQ(e.GetMessage(), L"Byte Array, FromFile, Open File Error");
    }
    EXPECT_EQ(array.GetSize(), 0u);
    EXPECT_THROW(array.FromFile(nullptr), BaseException);

    try
    {
        ByteArray("x").ToFile(folder.File(L"no\\such\\dir.bin").c_str());
        FAIL() << "no exception";
    }
    catch (const BaseException& e)
    {
        EXPECT_EQ(e.GetMessage(), L"To File ByteArray Exception");
    }
    EXPECT_THROW(ByteArray("x").ToFile(nullptr), BaseException);
}
