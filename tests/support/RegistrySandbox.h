// Test keys in the real registry of the Wine prefix, removed again when the test ends.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// Writes a value with exactly these bytes and this type, creating the key as needed.
inline bool WriteRawValue(HKEY root, const std::wstring& subKey, const std::wstring& name, DWORD type,
                          const void* data, DWORD size, REGSAM view = 0)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr))
        return false;
    const bool ok = RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == 0;
    RegCloseKey(key);
    return ok;
}

// Reads a value back as stored: false when it or its key is absent.
inline bool ReadRawValue(HKEY root, const std::wstring& subKey, const std::wstring& name, DWORD& type,
                         std::vector<BYTE>& data, REGSAM view = 0)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ | view, &key))
        return false;
    DWORD size = 0;
    bool ok = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == 0;
    if (ok)
    {
        data.assign(size, 0);
        ok = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size) == 0;
        data.resize(size);
    }
    RegCloseKey(key);
    return ok;
}

inline bool KeyOpens(HKEY root, const std::wstring& subKey, REGSAM view = 0)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ | view, &key))
        return false;
    RegCloseKey(key);
    return true;
}

// A fresh key HKCU\Software\XJNTests\<name>-<pid> (or under another root), deleted with all its
// subkeys on destruction. Key() is an open handle that a Registry object can take as its root.
class RegistrySandbox
{
public:
    explicit RegistrySandbox(const std::wstring& name, HKEY root = HKEY_CURRENT_USER)
        : m_root(root), m_path(L"Software\\XJNTests\\" + name + L"-" + std::to_wstring(GetCurrentProcessId()))
    {
        RegDeleteTreeW(m_root, m_path.c_str());
        RegCreateKeyExW(m_root, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    }
    ~RegistrySandbox()
    {
        if (m_key)
            RegCloseKey(m_key);
        RegDeleteTreeW(m_root, m_path.c_str());
        RegDeleteKeyW(m_root, L"Software\\XJNTests");  // only succeeds once it is empty
    }
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    HKEY Key() const { return m_key; }
    HKEY Root() const { return m_root; }
    const std::wstring& Path() const { return m_path; }

    // Writes a value with exactly these bytes and this type, creating the subkey as needed.
    bool SetRaw(const std::wstring& subKey, const std::wstring& name, DWORD type, const void* data, DWORD size) const
    {
        return WriteRawValue(m_key, subKey, name, type, data, size);
    }
    bool SetDword(const std::wstring& subKey, const std::wstring& name, DWORD value) const
    {
        return SetRaw(subKey, name, REG_DWORD, &value, sizeof(value));
    }
    bool SetString(const std::wstring& subKey, const std::wstring& name, const std::wstring& text) const
    {
        return SetRaw(subKey, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    // Reads a value back as stored: false when it is absent.
    bool GetRaw(const std::wstring& subKey, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) const
    {
        return ReadRawValue(m_key, subKey, name, type, data);
    }
    bool HasKey(const std::wstring& subKey) const { return KeyOpens(m_key, subKey); }

private:
    HKEY m_root;
    std::wstring m_path;
    HKEY m_key = nullptr;
};

// Sets or removes one value at a fixed place in the registry (as the 32-bit library sees it, or
// in the given view) and puts back what was there before when it goes out of scope.
class RegistryValueOverride
{
public:
    RegistryValueOverride(HKEY root, const std::wstring& subKey, const std::wstring& name, REGSAM view = 0)
        : m_root(root), m_subKey(subKey), m_name(name), m_view(view),
          m_keyExisted(KeyOpens(root, subKey, view)),
          m_hadValue(ReadRawValue(root, subKey, name, m_oldType, m_oldData, view))
    {
    }
    ~RegistryValueOverride()
    {
        if (m_hadValue)
            Write(m_oldType, m_oldData.data(), static_cast<DWORD>(m_oldData.size()));
        else
            Remove();
        if (!m_keyExisted)
            RegDeleteKeyExW(m_root, m_subKey.c_str(), m_view, 0);  // only when we made it and it is empty again
    }
    RegistryValueOverride(const RegistryValueOverride&) = delete;
    RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

    bool Write(DWORD type, const void* data, DWORD size) const
    {
        return WriteRawValue(m_root, m_subKey, m_name, type, data, size, m_view);
    }
    bool SetDword(DWORD value) const { return Write(REG_DWORD, &value, sizeof(value)); }
    bool SetString(const std::wstring& text) const
    {
        return Write(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    // False when there was no value to remove.
    bool Remove() const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(m_root, m_subKey.c_str(), 0, KEY_ALL_ACCESS | m_view, &key))
            return false;
        const bool removed = RegDeleteValueW(key, m_name.c_str()) == 0;
        RegCloseKey(key);
        return removed;
    }

private:
    HKEY m_root;
    std::wstring m_subKey;
    std::wstring m_name;
    REGSAM m_view;
    DWORD m_oldType = REG_NONE;
    std::vector<BYTE> m_oldData;
    bool m_keyExisted;
    bool m_hadValue;
};

} // namespace testsupport
