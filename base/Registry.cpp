#include "base/Registry.h"

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
    static LONG Create(HKEY root, const wchar_t* subKey, HKEY* key)
    {
        return RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key, nullptr);
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
    static LONG DeleteKey(HKEY root, const wchar_t* subKey) { return RegDeleteKeyW(root, subKey); }
};

template <>
struct RegApi<char>
{
    static LONG Open(HKEY root, const char* subKey, REGSAM access, HKEY* key)
    {
        return RegOpenKeyExA(root, subKey, 0, access, key);
    }
    static LONG Create(HKEY root, const char* subKey, HKEY* key)
    {
        return RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key, nullptr);
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
    static LONG DeleteKey(HKEY root, const char* subKey) { return RegDeleteKeyA(root, subKey); }
};

// One open key, closed when it goes out of scope.
class OpenKey
{
public:
    OpenKey() = default;
    ~OpenKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY* Receive() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// Subkey names are at most 255 characters; the buffer has room for that and more.
const DWORD kSubKeyNameChars = 261;

template <class Char>
bool OpenForRead(HKEY root, const std::basic_string<Char>& subKey, OpenKey& key)
{
    return RegApi<Char>::Open(root, subKey.c_str(), KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

template <class Char>
bool OpenForWrite(HKEY root, const std::basic_string<Char>& subKey, bool create, OpenKey& key)
{
    if (RegApi<Char>::Open(root, subKey.c_str(), KEY_WRITE, key.Receive()) == ERROR_SUCCESS)
        return true;
    return create && RegApi<Char>::Create(root, subKey.c_str(), key.Receive()) == ERROR_SUCCESS;
}

template <class Char>
bool KeyExistsT(HKEY root, const std::basic_string<Char>& subKey, bool create)
{
    OpenKey key;
    if (OpenForRead(root, subKey, key))
        return true;
    OpenKey created;
    return create && RegApi<Char>::Create(root, subKey.c_str(), created.Receive()) == ERROR_SUCCESS;
}

template <class Char>
bool ValueExistsT(HKEY root, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name)
{
    OpenKey key;
    return OpenForRead(root, subKey, key) &&
           RegApi<Char>::Query(key.Get(), name.c_str(), nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

template <class Char>
bool EnumSubKeysT(HKEY root, const std::basic_string<Char>& subKey, std::vector<std::basic_string<Char>>& names)
{
    OpenKey key;
    if (!OpenForRead(root, subKey, key))
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
bool GetStringValueT(HKEY root, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name,
                     std::basic_string<Char>& value)
{
    OpenKey key;
    DWORD bytes = 0;
    if (!OpenForRead(root, subKey, key) ||
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
bool GetBinaryValueT(HKEY root, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name,
                     void* buffer, DWORD& size)
{
    OpenKey key;
    DWORD needed = 0;
    if (!buffer || !OpenForRead(root, subKey, key) ||
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
bool GetDWORDValueT(HKEY root, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name,
                    DWORD& value)
{
    OpenKey key;
    DWORD type = REG_NONE;
    DWORD size = 0;
    // A REG_DWORD shorter than 4 bytes has no number in it: reading 4 bytes would run past it.
    if (!OpenForRead(root, subKey, key) ||
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
bool SetValueT(HKEY root, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name, DWORD type,
               const void* data, DWORD size, bool create)
{
    OpenKey key;
    return OpenForWrite(root, subKey, create, key) &&
           RegApi<Char>::Set(key.Get(), name.c_str(), type, data, size) == ERROR_SUCCESS;
}

template <class Char>
bool SetStringValueT(HKEY root, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name,
                     const std::basic_string<Char>& value, bool multiString, bool create)
{
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(Char));
    return SetValueT(root, subKey, name, multiString ? REG_MULTI_SZ : REG_SZ, value.c_str(), bytes, create);
}

template <class Char>
bool DeleteValueT(HKEY root, const std::basic_string<Char>& subKey, const std::basic_string<Char>& name)
{
    OpenKey key;
    return RegApi<Char>::Open(root, subKey.c_str(), KEY_WRITE, key.Receive()) == ERROR_SUCCESS &&
           RegApi<Char>::DeleteValue(key.Get(), name.c_str()) == ERROR_SUCCESS;
}

} // namespace

Registry::Registry(HKEY root) : m_root(root) {}

Registry::~Registry() = default;

void Registry::SetRootKey(HKEY root)
{
    m_root = root;
}

bool Registry::KeyExists(const std::wstring& subKey, bool create) const
{
    return KeyExistsT(m_root, subKey, create);
}

bool Registry::KeyExists(const std::string& subKey, bool create) const
{
    return KeyExistsT(m_root, subKey, create);
}

bool Registry::ValueExists(const std::wstring& subKey, const std::wstring& valueName) const
{
    return ValueExistsT(m_root, subKey, valueName);
}

bool Registry::ValueExists(const std::string& subKey, const std::string& valueName) const
{
    return ValueExistsT(m_root, subKey, valueName);
}

bool Registry::EnumSubKeys(const std::wstring& subKey, std::vector<std::wstring>& names) const
{
    return EnumSubKeysT(m_root, subKey, names);
}

bool Registry::EnumSubKeys(const std::string& subKey, std::vector<std::string>& names) const
{
    return EnumSubKeysT(m_root, subKey, names);
}

bool Registry::GetStringValue(const std::wstring& subKey, const std::wstring& valueName, std::wstring& value) const
{
    return GetStringValueT(m_root, subKey, valueName, value);
}

bool Registry::GetStringValue(const std::string& subKey, const std::string& valueName, std::string& value) const
{
    return GetStringValueT(m_root, subKey, valueName, value);
}

bool Registry::GetBinaryValue(const std::wstring& subKey, const std::wstring& valueName, void* buffer,
                              DWORD& size) const
{
    return GetBinaryValueT(m_root, subKey, valueName, buffer, size);
}

bool Registry::GetBinaryValue(const std::string& subKey, const std::string& valueName, void* buffer,
                              DWORD& size) const
{
    return GetBinaryValueT(m_root, subKey, valueName, buffer, size);
}

bool Registry::GetDWORDValue(const std::wstring& subKey, const std::wstring& valueName, DWORD& value) const
{
    return GetDWORDValueT(m_root, subKey, valueName, value);
}

bool Registry::GetDWORDValue(const std::string& subKey, const std::string& valueName, DWORD& value) const
{
    return GetDWORDValueT(m_root, subKey, valueName, value);
}

bool Registry::SetStringValue(const std::wstring& subKey, const std::wstring& valueName, const std::wstring& value,
                              bool multiString, bool create) const
{
    return SetStringValueT(m_root, subKey, valueName, value, multiString, create);
}

bool Registry::SetStringValue(const std::string& subKey, const std::string& valueName, const std::string& value,
                              bool multiString, bool create) const
{
    return SetStringValueT(m_root, subKey, valueName, value, multiString, create);
}

bool Registry::SetBinaryValue(const std::wstring& subKey, const std::wstring& valueName, const void* data,
                              DWORD size, bool create) const
{
    return SetValueT(m_root, subKey, valueName, REG_BINARY, data, size, create);
}

bool Registry::SetBinaryValue(const std::string& subKey, const std::string& valueName, const void* data, DWORD size,
                              bool create) const
{
    return SetValueT(m_root, subKey, valueName, REG_BINARY, data, size, create);
}

bool Registry::SetDWORDValue(const std::wstring& subKey, const std::wstring& valueName, DWORD value,
                             bool create) const
{
    return SetValueT(m_root, subKey, valueName, REG_DWORD, &value, sizeof(value), create);
}

bool Registry::SetDWORDValue(const std::string& subKey, const std::string& valueName, DWORD value,
                             bool create) const
{
    return SetValueT(m_root, subKey, valueName, REG_DWORD, &value, sizeof(value), create);
}

bool Registry::DeleteValue(const std::wstring& subKey, const std::wstring& valueName) const
{
    return DeleteValueT(m_root, subKey, valueName);
}

bool Registry::DeleteValue(const std::string& subKey, const std::string& valueName) const
{
    return DeleteValueT(m_root, subKey, valueName);
}

bool Registry::DeleteKey(const std::wstring& subKey) const
{
    return RegApi<wchar_t>::DeleteKey(m_root, subKey.c_str()) == ERROR_SUCCESS;
}

bool Registry::DeleteKey(const std::string& subKey) const
{
    return RegApi<char>::DeleteKey(m_root, subKey.c_str()) == ERROR_SUCCESS;
}
