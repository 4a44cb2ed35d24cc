// Test keys in the real registry of the Wine prefix, removed again when the test ends.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

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
        HKEY key = nullptr;
        if (RegCreateKeyExW(m_key, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
            return false;
        const bool ok = RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == 0;
        RegCloseKey(key);
        return ok;
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
        HKEY key = nullptr;
        if (RegOpenKeyExW(m_key, subKey.c_str(), 0, KEY_READ, &key))
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
    bool HasKey(const std::wstring& subKey) const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(m_key, subKey.c_str(), 0, KEY_READ, &key))
            return false;
        RegCloseKey(key);
        return true;
    }

private:
    HKEY m_root;
    std::wstring m_path;
    HKEY m_key = nullptr;
};

// Sets or removes one value at a fixed place in the registry (as the 32-bit library sees it) and
// puts back what was there before when it goes out of scope.
class RegistryValueOverride
{
public:
    RegistryValueOverride(HKEY root, const std::wstring& subKey, const std::wstring& name)
        : m_root(root), m_subKey(subKey), m_name(name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(m_root, m_subKey.c_str(), 0, KEY_READ, &key) == 0)
        {
            m_keyExisted = true;
            DWORD size = 0;
            if (RegQueryValueExW(key, m_name.c_str(), nullptr, &m_oldType, nullptr, &size) == 0)
            {
                m_oldData.assign(size, 0);
                m_hadValue = RegQueryValueExW(key, m_name.c_str(), nullptr, &m_oldType, m_oldData.data(), &size) == 0;
                m_oldData.resize(size);
            }
            RegCloseKey(key);
        }
    }
    ~RegistryValueOverride()
    {
        if (m_hadValue)
            Write(m_oldType, m_oldData.data(), static_cast<DWORD>(m_oldData.size()));
        else
            Remove();
        if (!m_keyExisted)
            RegDeleteKeyW(m_root, m_subKey.c_str());  // only when we made it and it is empty again
    }
    RegistryValueOverride(const RegistryValueOverride&) = delete;
    RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

    bool Write(DWORD type, const void* data, DWORD size) const
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(m_root, m_subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
            return false;
        const bool ok = RegSetValueExW(key, m_name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == 0;
        RegCloseKey(key);
        return ok;
    }
    bool SetDword(DWORD value) const { return Write(REG_DWORD, &value, sizeof(value)); }
    bool SetString(const std::wstring& text) const
    {
        return Write(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    void Remove() const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(m_root, m_subKey.c_str(), 0, KEY_ALL_ACCESS, &key) == 0)
        {
            RegDeleteValueW(key, m_name.c_str());
            RegCloseKey(key);
        }
    }

private:
    HKEY m_root;
    std::wstring m_subKey;
    std::wstring m_name;
    bool m_keyExisted = false;
    bool m_hadValue = false;
    DWORD m_oldType = REG_NONE;
    std::vector<BYTE> m_oldData;
};

} // namespace testsupport
