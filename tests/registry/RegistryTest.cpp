// Registry against the real registry of the Wine prefix, in its wide and its narrow form.
#include "base/Registry.h"
#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using testsupport::RegistrySandbox;

// Test texts are ASCII, so one literal serves both character widths.
template <class Char>
std::basic_string<Char> Str(const char* ascii)
{
    return std::basic_string<Char>(ascii, ascii + std::strlen(ascii));
}

template <class Char>
class RegistryTest : public ::testing::Test
{
protected:
    using String = std::basic_string<Char>;

    RegistrySandbox sandbox{sizeof(Char) == 1 ? L"RegistryNarrow" : L"RegistryWide"};
    Registry registry{sandbox.Key()};
};

using CharTypes = ::testing::Types<wchar_t, char>;
TYPED_TEST_SUITE(RegistryTest, CharTypes);

struct RawValue
{
    const char* label;
    DWORD type;
    std::vector<BYTE> bytes;
};

std::vector<BYTE> DwordBytes(DWORD value)
{
    std::vector<BYTE> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

TYPED_TEST(RegistryTest, GetDWORDValueTakesOnlyADwordOfFourBytesOrMore)
{
    struct Case
    {
        RawValue raw;
        bool ok;
        DWORD value;
    };
    const Case cases[] = {
        {{"dword 5", REG_DWORD, DwordBytes(5)}, true, 5},
        {{"dword 0", REG_DWORD, DwordBytes(0)}, true, 0},
        {{"string \"5\"", REG_SZ, {'5', 0, 0, 0}}, false, 0},
        {{"binary of four bytes", REG_BINARY, DwordBytes(7)}, false, 0},
        {{"dword of two bytes", REG_DWORD, {1, 2}}, false, 0},
        {{"dword of no bytes", REG_DWORD, {}}, false, 0},
        {{"dword of eight bytes: the first four count", REG_DWORD, {9, 0, 0, 0, 1, 1, 1, 1}}, true, 9},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.raw.label);
        ASSERT_TRUE(this->sandbox.SetRaw(L"k", L"v", c.raw.type, c.raw.bytes.data(),
                                         static_cast<DWORD>(c.raw.bytes.size())));
        DWORD value = 0xDEADBEEF;
        EXPECT_EQ(this->registry.GetDWORDValue(Str<TypeParam>("k"), Str<TypeParam>("v"), value), c.ok);
        EXPECT_EQ(value, c.ok ? c.value : 0xDEADBEEF);
    }
    DWORD value = 0xDEADBEEF;
    EXPECT_FALSE(this->registry.GetDWORDValue(Str<TypeParam>("k"), Str<TypeParam>("missing"), value));
    EXPECT_FALSE(this->registry.GetDWORDValue(Str<TypeParam>("no such key"), Str<TypeParam>("v"), value));
    EXPECT_EQ(value, 0xDEADBEEF);
}

TYPED_TEST(RegistryTest, GetStringValueReadsWhateverIsStoredAsText)
{
    struct Case
    {
        RawValue raw;
        const wchar_t* wide;
        const char* narrow;
    };
    const Case cases[] = {
        {{"string", REG_SZ, {'h', 0, 'i', 0, 0, 0}}, L"hi", "hi"},
        {{"empty string", REG_SZ, {0, 0}}, L"", ""},
        {{"string without its terminating zero", REG_SZ, {'a', 0, 'b', 0, 'c', 0}}, L"abc", "abc"},
        {{"expandable string", REG_EXPAND_SZ, {'%', 0, 'x', 0, '%', 0, 0, 0}}, L"%x%", "%x%"},
        // Not a string at all: its bytes are read as text (narrow: "A", the 0 after it ends it).
        {{"dword", REG_DWORD, {'A', 0, 'B', 0}}, L"AB", "A"},
        {{"binary of no bytes", REG_BINARY, {}}, L"", ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.raw.label);
        ASSERT_TRUE(this->sandbox.SetRaw(L"k", L"v", c.raw.type, c.raw.bytes.data(),
                                         static_cast<DWORD>(c.raw.bytes.size())));
        typename TestFixture::String value = Str<TypeParam>("untouched");
        EXPECT_TRUE(this->registry.GetStringValue(Str<TypeParam>("k"), Str<TypeParam>("v"), value));
        if constexpr (sizeof(TypeParam) == 1)
            EXPECT_EQ(value, c.narrow);
        else
            EXPECT_EQ(value, c.wide);
    }
    typename TestFixture::String value = Str<TypeParam>("untouched");
    EXPECT_FALSE(this->registry.GetStringValue(Str<TypeParam>("k"), Str<TypeParam>("missing"), value));
    EXPECT_FALSE(this->registry.GetStringValue(Str<TypeParam>("no such key"), Str<TypeParam>("v"), value));
    EXPECT_EQ(value, Str<TypeParam>("untouched"));
}

TYPED_TEST(RegistryTest, GetStringValueReadsTheDefaultValueThroughAnEmptyName)
{
    ASSERT_TRUE(this->sandbox.SetString(L"k", L"", L"default text"));
    typename TestFixture::String value;
    EXPECT_TRUE(this->registry.GetStringValue(Str<TypeParam>("k"), Str<TypeParam>(""), value));
    EXPECT_EQ(value, Str<TypeParam>("default text"));
}

TYPED_TEST(RegistryTest, GetBinaryValueNeedsABufferLargeEnough)
{
    const BYTE stored[4] = {1, 2, 3, 4};
    ASSERT_TRUE(this->sandbox.SetRaw(L"k", L"v", REG_BINARY, stored, 4));
    const auto k = Str<TypeParam>("k");
    const auto v = Str<TypeParam>("v");

    BYTE small[3] = {9, 9, 9};
    DWORD size = 3;
    EXPECT_FALSE(this->registry.GetBinaryValue(k, v, small, size));
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(small[0], 9);

    for (DWORD capacity : {4u, 8u})
    {
        SCOPED_TRACE(capacity);
        BYTE buffer[8] = {};
        size = capacity;
        EXPECT_TRUE(this->registry.GetBinaryValue(k, v, buffer, size));
        EXPECT_EQ(size, 4u);
        EXPECT_EQ(std::memcmp(buffer, stored, 4), 0);
    }

    size = 8;
    EXPECT_FALSE(this->registry.GetBinaryValue(k, v, nullptr, size));
    EXPECT_FALSE(this->registry.GetBinaryValue(k, Str<TypeParam>("missing"), small, size));
    EXPECT_EQ(size, 8u);
}

TYPED_TEST(RegistryTest, GetValueReadsAnyValueWithItsTypeAndAllItsBytes)
{
    std::vector<BYTE> long400(400);
    for (size_t i = 0; i < long400.size(); ++i)
        long400[i] = static_cast<BYTE>(i * 7);
    const RawValue values[] = {
        {"binary of no bytes", REG_BINARY, {}},
        {"binary of 3 bytes", REG_BINARY, {1, 2, 3}},
        {"binary of 40 bytes", REG_BINARY, std::vector<BYTE>(40, 0xAB)},
        {"binary of 41 bytes", REG_BINARY, std::vector<BYTE>(41, 0xCD)},
        {"binary of 400 bytes", REG_BINARY, long400},
        {"dword", REG_DWORD, DwordBytes(0x01020304)},
        {"no type", REG_NONE, {9, 8}},
    };
    for (const RawValue& stored : values)
        for (DWORD firstReadSize : {0u, 4u, 40u})
        {
            SCOPED_TRACE(std::string(stored.label) + ", first read of " + std::to_string(firstReadSize));
            ASSERT_TRUE(this->sandbox.SetRaw(L"k", L"v", stored.type, stored.bytes.data(),
                                             static_cast<DWORD>(stored.bytes.size())));
            DWORD type = 0xDEAD;
            std::vector<BYTE> data{7};
            EXPECT_TRUE(this->registry.GetValue(Str<TypeParam>("k"), Str<TypeParam>("v"), type, data, firstReadSize));
            EXPECT_EQ(type, stored.type);
            EXPECT_EQ(data, stored.bytes);
        }
    DWORD type = 0xDEAD;
    std::vector<BYTE> data{7};
    EXPECT_FALSE(this->registry.GetValue(Str<TypeParam>("k"), Str<TypeParam>("missing"), type, data, 40));
    EXPECT_FALSE(this->registry.GetValue(Str<TypeParam>("no such key"), Str<TypeParam>("v"), type, data, 40));
    EXPECT_EQ(type, 0xDEADu);
    EXPECT_EQ(data, std::vector<BYTE>{7});
}

TYPED_TEST(RegistryTest, KeyExistsCreatesTheKeyOnlyWhenAsked)
{
    const auto sub = Str<TypeParam>("a\\b");
    EXPECT_FALSE(this->registry.KeyExists(sub, false));
    EXPECT_FALSE(this->sandbox.HasKey(L"a\\b"));
    EXPECT_TRUE(this->registry.KeyExists(sub, true));
    EXPECT_TRUE(this->sandbox.HasKey(L"a\\b"));
    EXPECT_TRUE(this->registry.KeyExists(sub, false));
}

TYPED_TEST(RegistryTest, ValueExists)
{
    ASSERT_TRUE(this->sandbox.SetDword(L"k", L"v", 1));
    EXPECT_TRUE(this->registry.ValueExists(Str<TypeParam>("k"), Str<TypeParam>("v")));
    EXPECT_FALSE(this->registry.ValueExists(Str<TypeParam>("k"), Str<TypeParam>("w")));
    EXPECT_FALSE(this->registry.ValueExists(Str<TypeParam>("k"), Str<TypeParam>("")));
    EXPECT_FALSE(this->registry.ValueExists(Str<TypeParam>("no such key"), Str<TypeParam>("v")));
}

TYPED_TEST(RegistryTest, EnumSubKeysListsDirectSubkeysOnly)
{
    using String = typename TestFixture::String;
    ASSERT_TRUE(this->sandbox.SetDword(L"parent\\one", L"v", 1));
    ASSERT_TRUE(this->sandbox.SetDword(L"parent\\two\\deeper", L"v", 1));
    ASSERT_TRUE(this->sandbox.SetDword(L"parent\\three", L"v", 1));
    ASSERT_TRUE(this->sandbox.SetDword(L"leaf", L"v", 1));

    std::vector<String> names{Str<TypeParam>("stale")};
    EXPECT_TRUE(this->registry.EnumSubKeys(Str<TypeParam>("parent"), names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<String>{Str<TypeParam>("one"), Str<TypeParam>("three"), Str<TypeParam>("two")}));

    names = {Str<TypeParam>("stale")};
    EXPECT_TRUE(this->registry.EnumSubKeys(Str<TypeParam>("leaf"), names));
    EXPECT_TRUE(names.empty());

    names = {Str<TypeParam>("stale")};
    EXPECT_FALSE(this->registry.EnumSubKeys(Str<TypeParam>("no such key"), names));
    EXPECT_EQ(names, std::vector<String>{Str<TypeParam>("stale")});
}

TYPED_TEST(RegistryTest, SetStringValueWritesTheTextAndOneTerminatingZero)
{
    for (bool multi : {false, true})
    {
        SCOPED_TRACE(multi ? "multi-string" : "string");
        EXPECT_TRUE(this->registry.SetStringValue(Str<TypeParam>("k"), Str<TypeParam>("v"), Str<TypeParam>("abc"),
                                                  multi, true));
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(this->sandbox.GetRaw(L"k", L"v", type, data));
        EXPECT_EQ(type, static_cast<DWORD>(multi ? REG_MULTI_SZ : REG_SZ));
        // Stored as UTF-16 in either form: the narrow calls convert.
        EXPECT_EQ(data, (std::vector<BYTE>{'a', 0, 'b', 0, 'c', 0, 0, 0}));
    }
}

TYPED_TEST(RegistryTest, WritesCreateAMissingKeyOnlyWhenAsked)
{
    const auto sub = Str<TypeParam>("new\\key");
    const auto v = Str<TypeParam>("v");
    const BYTE bytes[2] = {1, 2};
    EXPECT_FALSE(this->registry.SetStringValue(sub, v, Str<TypeParam>("x"), false, false));
    EXPECT_FALSE(this->registry.SetBinaryValue(sub, v, bytes, 2, false));
    EXPECT_FALSE(this->registry.SetDWORDValue(sub, v, 1, false));
    EXPECT_FALSE(this->sandbox.HasKey(L"new\\key"));

    EXPECT_TRUE(this->registry.SetDWORDValue(sub, v, 1, true));
    EXPECT_TRUE(this->sandbox.HasKey(L"new\\key"));
}

TYPED_TEST(RegistryTest, SetBinaryAndDwordValuesWriteExactlyTheirBytes)
{
    const BYTE bytes[3] = {0, 0xFF, 7};
    EXPECT_TRUE(this->registry.SetBinaryValue(Str<TypeParam>("k"), Str<TypeParam>("bin"), bytes, 3, true));
    EXPECT_TRUE(this->registry.SetBinaryValue(Str<TypeParam>("k"), Str<TypeParam>("empty"), bytes, 0, true));
    EXPECT_TRUE(this->registry.SetDWORDValue(Str<TypeParam>("k"), Str<TypeParam>("num"), 0x01020304, true));

    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(this->sandbox.GetRaw(L"k", L"bin", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(data, (std::vector<BYTE>{0, 0xFF, 7}));
    ASSERT_TRUE(this->sandbox.GetRaw(L"k", L"empty", type, data));
    EXPECT_TRUE(data.empty());
    ASSERT_TRUE(this->sandbox.GetRaw(L"k", L"num", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, DwordBytes(0x01020304));
}

TYPED_TEST(RegistryTest, WhatIsWrittenReadsBack)
{
    const auto k = Str<TypeParam>("k");
    typename TestFixture::String text;
    DWORD number = 0;
    BYTE bytes[4] = {};
    DWORD size = sizeof(bytes);
    const BYTE written[2] = {5, 6};

    ASSERT_TRUE(this->registry.SetStringValue(k, Str<TypeParam>("s"), Str<TypeParam>("text"), false, true));
    ASSERT_TRUE(this->registry.SetDWORDValue(k, Str<TypeParam>("d"), 42, true));
    ASSERT_TRUE(this->registry.SetBinaryValue(k, Str<TypeParam>("b"), written, 2, true));
    EXPECT_TRUE(this->registry.GetStringValue(k, Str<TypeParam>("s"), text));
    EXPECT_TRUE(this->registry.GetDWORDValue(k, Str<TypeParam>("d"), number));
    EXPECT_TRUE(this->registry.GetBinaryValue(k, Str<TypeParam>("b"), bytes, size));
    EXPECT_EQ(text, Str<TypeParam>("text"));
    EXPECT_EQ(number, 42u);
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(bytes[1], 6);
}

TYPED_TEST(RegistryTest, DeleteValue)
{
    ASSERT_TRUE(this->sandbox.SetDword(L"k", L"v", 1));
    EXPECT_TRUE(this->registry.DeleteValue(Str<TypeParam>("k"), Str<TypeParam>("v")));
    EXPECT_FALSE(this->registry.ValueExists(Str<TypeParam>("k"), Str<TypeParam>("v")));
    EXPECT_FALSE(this->registry.DeleteValue(Str<TypeParam>("k"), Str<TypeParam>("v")));
    EXPECT_FALSE(this->registry.DeleteValue(Str<TypeParam>("no such key"), Str<TypeParam>("v")));
}

TYPED_TEST(RegistryTest, DeleteKeyOnlyDeletesAKeyWithoutSubkeys)
{
    ASSERT_TRUE(this->sandbox.SetDword(L"parent\\child", L"v", 1));
    EXPECT_FALSE(this->registry.DeleteKey(Str<TypeParam>("parent")));
    EXPECT_TRUE(this->sandbox.HasKey(L"parent\\child"));
    EXPECT_TRUE(this->registry.DeleteKey(Str<TypeParam>("parent\\child")));
    EXPECT_FALSE(this->sandbox.HasKey(L"parent\\child"));
    EXPECT_TRUE(this->registry.DeleteKey(Str<TypeParam>("parent")));
    EXPECT_FALSE(this->registry.DeleteKey(Str<TypeParam>("parent")));
}

// The same names in the two views of HKLM\Software: an object made with KEY_WOW64_64KEY reads,
// writes and deletes in the 64-bit view, one without a view in the 32-bit view.
TYPED_TEST(RegistryTest, AViewFlagKeepsEveryOperationInThatView)
{
    RegistrySandbox sandbox(sizeof(TypeParam) == 1 ? L"RegistryViewNarrow" : L"RegistryViewWide", HKEY_LOCAL_MACHINE);
    const std::wstring& path = sandbox.Path();
    const auto parent = typename TestFixture::String(path.begin(), path.end());
    const auto sub = parent + Str<TypeParam>("\\k");
    const auto v = Str<TypeParam>("v");
    const Registry view64(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY);
    const Registry plain(HKEY_LOCAL_MACHINE);

    ASSERT_TRUE(plain.SetDWORDValue(sub, v, 32, true));
    EXPECT_FALSE(view64.KeyExists(sub, false));
    ASSERT_TRUE(view64.SetDWORDValue(sub, v, 64, true));
    DWORD number = 0;
    EXPECT_TRUE(view64.GetDWORDValue(sub, v, number));
    EXPECT_EQ(number, 64u);
    EXPECT_TRUE(plain.GetDWORDValue(sub, v, number));
    EXPECT_EQ(number, 32u);
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_TRUE(view64.GetValue(sub, v, type, data, 40));
    EXPECT_EQ(data, DwordBytes(64));

    EXPECT_TRUE(view64.DeleteValue(sub, v));
    EXPECT_FALSE(view64.ValueExists(sub, v));
    EXPECT_TRUE(plain.ValueExists(sub, v));
    EXPECT_TRUE(view64.DeleteKey(sub));
    EXPECT_FALSE(view64.KeyExists(sub, false));
    EXPECT_TRUE(plain.KeyExists(sub, false));

    // The 64-bit view's share of the sandbox's path goes too (the sandbox cleans the 32-bit one).
    EXPECT_TRUE(view64.DeleteKey(parent));
    view64.DeleteKey(Str<TypeParam>("Software\\XJNTests"));  // only succeeds once it is empty
}

TEST(Registry, CopiesAndSetRootKeySwitchTheRoot)
{
    RegistrySandbox first(L"RegistryRootA");
    RegistrySandbox second(L"RegistryRootB");
    ASSERT_TRUE(first.SetDword(L"k", L"v", 1));
    ASSERT_TRUE(second.SetDword(L"k", L"v", 2));

    Registry registry(first.Key());
    Registry copy(registry);
    registry.SetRootKey(second.Key());
    DWORD a = 0, b = 0;
    EXPECT_TRUE(copy.GetDWORDValue(L"k", L"v", a));
    EXPECT_TRUE(registry.GetDWORDValue(L"k", L"v", b));
    EXPECT_EQ(a, 1u);
    EXPECT_EQ(b, 2u);
    EXPECT_EQ(registry.GetRootKey(), second.Key());
}

TEST(Registry, PredefinedRootsWork)
{
    RegistrySandbox sandbox(L"RegistryPredefined");
    Registry user(HKEY_CURRENT_USER);
    EXPECT_TRUE(user.SetDWORDValue(sandbox.Path() + L"\\k", L"v", 3, true));
    DWORD value = 0;
    EXPECT_TRUE(user.GetDWORDValue(sandbox.Path() + L"\\k", L"v", value));
    EXPECT_EQ(value, 3u);
}

// No view flag is added: a 32-bit process reads and writes the 32-bit view of HKLM\Software.
TEST(Registry, MachineKeysAreThoseOfThe32BitView)
{
    RegistrySandbox sandbox(L"RegistryView", HKEY_LOCAL_MACHINE);
    Registry machine(HKEY_LOCAL_MACHINE);
    const std::wstring sub = sandbox.Path() + L"\\k";
    ASSERT_TRUE(machine.SetDWORDValue(sub, L"v", 7, true));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, sub.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key), 0);
    RegCloseKey(key);
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, sub.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key), 0);
}

} // namespace
