#include "base/Registry.h"

#include "winframe/Owners.h"

#include <algorithm>
#include <cstring>

namespace {

// The registry calls of one character width; the operations below are written once over it.
template <class Char>
struct RegApi;

template <>
struct RegApi<wchar_t>
{
    static LONG Open(HKEY root, const wchar_t* subKey, REGSAM access, HKEY* key)
    {
        return RegOpenKeyExW(root, subKey, 0, access, key);
    }
    static LONG Create(HKEY root, const wchar_t* subKey, REGSAM access, HKEY* key)
    {
        return RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key, nullptr);
    }
    static LONG Query(HKEY key, const wchar_t* name, DWORD* type, void* data, DWORD* size)
    {
        return RegQueryValueExW(key, name, nullptr, type, static_cast<BYTE*>(data), size);
    }
    static LONG Set(HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        return RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    static LONG EnumKey(HKEY key, DWORD index, wchar_t* name, DWORD* length)
    {
        return RegEnumKeyExW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    }
    static LONG DeleteValue(HKEY key, const wchar_t* name) { return RegDeleteValueW(key, name); }
    static LONG DeleteKey(HKEY root, const wchar_t* subKey, REGSAM view)
    {
        return view ? RegDeleteKeyExW(root, subKey, view, 0) : RegDeleteKeyW(root, subKey);
    }
};

template <>
struct RegApi<char>
{
    static LONG Open(HKEY root, const char* subKey, REGSAM access, HKEY* key)
    {
        return RegOpenKeyExA(root, subKey, 0, access, key);
    }
    static LONG Create(HKEY root, const char* subKey, REGSAM access, HKEY* key)
    {
        return RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key, nullptr);
    }
    static LONG Query(HKEY key, const char* name, DWORD* type, void* data, DWORD* size)
    {
        return RegQueryValueExA(key, name, nullptr, type, static_cast<BYTE*>(data), size);
    }
    static LONG Set(HKEY key, const char* name, DWORD type, const void* data, DWORD size)
    {
        return RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    static LONG EnumKey(HKEY key, DWORD index, char* name, DWORD* length)
    {
        return RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    }
    static LONG DeleteValue(HKEY key, const char* name) { return RegDeleteValueA(key, name); }
    static LONG DeleteKey(HKEY root, const char* subKey, REGSAM view)
    {
        return view ? RegDeleteKeyExA(root, subKey, view, 0) : RegDeleteKeyA(root, subKey);
    }
};

// Subkey names are at most 255 characters; the buffer has room for that and more.
const DWORD kSubKeyNameChars = 261;

// The root and the view flag (0 or a KEY_WOW64_* flag) that every open adds to its access.
struct Place
{
    HKEY root;
    REGSAM view;
};

template <class Char>
bool OpenForRead(const Place& place, const std::basic_string<Char>& subKey, ScopedRegistryKey& key)
{
    return RegApi<Char>::Open(place.root, subKey.c_str(), KEY_READ | place.view, key.Receive()) == ERROR_SUCCESS;
}

template <class Char>
bool Create(const Place& place, const std::basic_string<Char>& subKey, ScopedRegistryKey& key)
{
    return RegApi<Char>::Create(place.root, subKey.c_str(), KEY_WRITE | place.view, key.Receive()) == ERROR_SUCCESS;
}

template <class Char>
bool OpenForWrite(const Place& place, const std::basic_string<Char>& subKey, bool create, ScopedRegistryKey& key)
{
    if (RegApi<Char>::Open(place.root, subKey.c_str(), KEY_WRITE | place.view, key.Receive()) == ERROR_SUCCESS)
        return true;
    return create && Create(place, subKey, key);
}

template <class Char>
bool KeyExistsT(const Place& place, const std::basic_string<Char>& subKey, bool create)
{
    ScopedRegistryKey key;
    if (OpenForRead(place, subKey, key))
        return true;
    ScopedRegistryKey created;
    return create && Create(place, subKey, created);
}

template <class Char>
bool ValueExistsT(const Place& place, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name)
{
    ScopedRegistryKey key;
    return OpenForRead(place, subKey, key) &&
           RegApi<Char>::Query(key.Get(), name.c_str(), nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

template <class Char>
bool EnumSubKeysT(const Place& place, const std::basic_string<Char>& subKey,
                  std::vector<std::basic_string<Char>>& names)
{
    ScopedRegistryKey key;
    if (!OpenForRead(place, subKey, key))
        return false;
    names.clear();
    for (DWORD index = 0;; ++index)
    {
        Char name[kSubKeyNameChars] = {};
        DWORD length = kSubKeyNameChars;
        if (RegApi<Char>::EnumKey(key.Get(), index, name, &length) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return true;
}

template <class Char>
bool GetStringValueT(const Place& place, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name,
                     std::basic_string<Char>& value)
{
    ScopedRegistryKey key;
    DWORD bytes = 0;
    if (!OpenForRead(place, subKey, key) ||
        RegApi<Char>::Query(key.Get(), name.c_str(), nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return false;
    // A character per stored byte and one more: the text ends even when the value has no zero.
    std::vector<Char> text(static_cast<size_t>(bytes) + 1, Char());
    DWORD size = bytes * static_cast<DWORD>(sizeof(Char));
    if (RegApi<Char>::Query(key.Get(), name.c_str(), nullptr, text.data(), &size) != ERROR_SUCCESS)
        return false;
    value.assign(text.data());
    return true;
}

template <class Char>
bool GetBinaryValueT(const Place& place, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name,
                     void* buffer, DWORD& size)
{
    ScopedRegistryKey key;
    DWORD needed = 0;
    if (!buffer || !OpenForRead(place, subKey, key) ||
        RegApi<Char>::Query(key.Get(), name.c_str(), nullptr, nullptr, &needed) != ERROR_SUCCESS ||
        size < needed)
        return false;
    DWORD read = size;
    if (RegApi<Char>::Query(key.Get(), name.c_str(), nullptr, buffer, &read) != ERROR_SUCCESS)
        return false;
    size = read;
    return true;
}

template <class Char>
bool GetValueT(const Place& place, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name,
               DWORD& type, std::vector<BYTE>& data, DWORD firstReadSize)
{
    ScopedRegistryKey key;
    if (!OpenForRead(place, subKey, key))
        return false;
    // At least one byte: without a buffer the query reports the size and reads nothing.
    std::vector<BYTE> bytes(std::max<DWORD>(firstReadSize, 1));
    DWORD readType = REG_NONE;
    DWORD size = static_cast<DWORD>(bytes.size());
    LONG status = RegApi<Char>::Query(key.Get(), name.c_str(), &readType, bytes.data(), &size);
    if (status == ERROR_MORE_DATA)
    {
        bytes.assign(size, 0);
        status = RegApi<Char>::Query(key.Get(), name.c_str(), &readType, bytes.data(), &size);
    }
    if (status != ERROR_SUCCESS)
        return false;
    bytes.resize(size);
    type = readType;
    data = std::move(bytes);
    return true;
}

template <class Char>
bool GetDWORDValueT(const Place& place, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name,
                    DWORD& value)
{
    ScopedRegistryKey key;
    DWORD type = REG_NONE;
    DWORD size = 0;
    // A REG_DWORD shorter than 4 bytes has no number in it: reading 4 bytes would run past it.
    if (!OpenForRead(place, subKey, key) ||
        RegApi<Char>::Query(key.Get(), name.c_str(), &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size < sizeof(DWORD))
        return false;
    std::vector<BYTE> data(size);
    if (RegApi<Char>::Query(key.Get(), name.c_str(), &type, data.data(), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size < sizeof(DWORD))
        return false;
    std::memcpy(&value, data.data(), sizeof(DWORD));
    return true;
}

template <class Char>
bool SetValueT(const Place& place, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name,
               DWORD type, const void* data, DWORD size, bool create)
{
    ScopedRegistryKey key;
    return OpenForWrite(place, subKey, create, key) &&
           RegApi<Char>::Set(key.Get(), name.c_str(), type, data, size) == ERROR_SUCCESS;
}

template <class Char>
bool SetStringValueT(const Place& place, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name,
                     const std::basic_string<Char>& value, bool multiString, bool create)
{
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(Char));
    return SetValueT(place, subKey, name, multiString ? REG_MULTI_SZ : REG_SZ, value.c_str(), bytes, create);
}

template <class Char>
bool DeleteValueT(const Place& place, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name)
{
    ScopedRegistryKey key;
    return RegApi<Char>::Open(place.root, subKey.c_str(), KEY_WRITE | place.view, key.Receive()) == ERROR_SUCCESS &&
           RegApi<Char>::DeleteValue(key.Get(), name.c_str()) == ERROR_SUCCESS;
}

} // namespace

Registry::Registry(HKEY root, REGSAM view) : m_root(root), m_view(view) {}

Registry::~Registry() = default;

void Registry::SetRootKey(HKEY root)
{
    m_root = root;
}

bool Registry::KeyExists(const std::wstring& subKey, bool create) const
{
    return KeyExistsT(Place{m_root, m_view}, subKey, create);
}

bool Registry::KeyExists(const std::string& subKey, bool create) const
{
    return KeyExistsT(Place{m_root, m_view}, subKey, create);
}

bool Registry::ValueExists(const std::wstring& subKey, const std::wstring& valueName) const
{
    return ValueExistsT(Place{m_root, m_view}, subKey, valueName);
}

bool Registry::ValueExists(const std::string& subKey, const std::string& valueName) const
{
    return ValueExistsT(Place{m_root, m_view}, subKey, valueName);
}

bool Registry::EnumSubKeys(const std::wstring& subKey, std::vector<std::wstring>& names) const
{
    return EnumSubKeysT(Place{m_root, m_view}, subKey, names);
}

bool Registry::EnumSubKeys(const std::string& subKey, std::vector<std::string>& names) const
{
    return EnumSubKeysT(Place{m_root, m_view}, subKey, names);
}

bool Registry::GetStringValue(const std::wstring& subKey, const std::wstring& valueName, std::wstring& value) const
{
    return GetStringValueT(Place{m_root, m_view}, subKey, valueName, value);
}

bool Registry::GetStringValue(const std::string& subKey, const std::string& valueName, std::string& value) const
{
    return GetStringValueT(Place{m_root, m_view}, subKey, valueName, value);
}

bool Registry::GetBinaryValue(const std::wstring& subKey, const std::wstring& valueName, void* buffer,
                              DWORD& size) const
{
    return GetBinaryValueT(Place{m_root, m_view}, subKey, valueName, buffer, size);
}

bool Registry::GetBinaryValue(const std::string& subKey, const std::string& valueName, void* buffer,
                              DWORD& size) const
{
    return GetBinaryValueT(Place{m_root, m_view}, subKey, valueName, buffer, size);
}

bool Registry::GetValue(const std::wstring& subKey, const std::wstring& valueName, DWORD& type,
                        std::vector<BYTE>& data, DWORD firstReadSize) const
{
    return GetValueT(Place{m_root, m_view}, subKey, valueName, type, data, firstReadSize);
}

bool Registry::GetValue(const std::string& subKey, const std::string& valueName, DWORD& type,
                        std::vector<BYTE>& data, DWORD firstReadSize) const
{
    return GetValueT(Place{m_root, m_view}, subKey, valueName, type, data, firstReadSize);
}

bool Registry::GetDWORDValue(const std::wstring& subKey, const std::wstring& valueName, DWORD& value) const
{
    return GetDWORDValueT(Place{m_root, m_view}, subKey, valueName, value);
}

bool Registry::GetDWORDValue(const std::string& subKey, const std::string& valueName, DWORD& value) const
{
    return GetDWORDValueT(Place{m_root, m_view}, subKey, valueName, value);
}

bool Registry::SetStringValue(const std::wstring& subKey, const std::wstring& valueName, const std::wstring& value,
                              bool multiString, bool create) const
{
    return SetStringValueT(Place{m_root, m_view}, subKey, valueName, value, multiString, create);
}

bool Registry::SetStringValue(const std::string& subKey, const std::string& valueName, const std::string& value,
                              bool multiString, bool create) const
{
    return SetStringValueT(Place{m_root, m_view}, subKey, valueName, value, multiString, create);
}

bool Registry::SetBinaryValue(const std::wstring& subKey, const std::wstring& valueName, const void* data,
                              DWORD size, bool create) const
{
    return SetValueT(Place{m_root, m_view}, subKey, valueName, REG_BINARY, data, size, create);
}

bool Registry::SetBinaryValue(const std::string& subKey, const std::string& valueName, const void* data, DWORD size,
                              bool create) const
{
    return SetValueT(Place{m_root, m_view}, subKey, valueName, REG_BINARY, data, size, create);
}

bool Registry::SetDWORDValue(const std::wstring& subKey, const std::wstring& valueName, DWORD value,
                             bool create) const
{
    return SetValueT(Place{m_root, m_view}, subKey, valueName, REG_DWORD, &value, sizeof(value), create);
}

bool Registry::SetDWORDValue(const std::string& subKey, const std::string& valueName, DWORD value,
                             bool create) const
{
    return SetValueT(Place{m_root, m_view}, subKey, valueName, REG_DWORD, &value, sizeof(value), create);
}

bool Registry::DeleteValue(const std::wstring& subKey, const std::wstring& valueName) const
{
    return DeleteValueT(Place{m_root, m_view}, subKey, valueName);
}

bool Registry::DeleteValue(const std::string& subKey, const std::string& valueName) const
{
    return DeleteValueT(Place{m_root, m_view}, subKey, valueName);
}

bool Registry::DeleteKey(const std::wstring& subKey) const
{
    return RegApi<wchar_t>::DeleteKey(m_root, subKey.c_str(), m_view) == ERROR_SUCCESS;
}

bool Registry::DeleteKey(const std::string& subKey) const
{
    return RegApi<char>::DeleteKey(m_root, subKey.c_str(), m_view) == ERROR_SUCCESS;
}
