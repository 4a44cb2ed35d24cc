#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Reads and writes values under one root key. Every operation opens the subkey it needs, does
// its one job and closes it again, so the object holds nothing but its root and can live as long
// as the module. Each operation comes in a wide and a narrow (system code page) form.
//
// Reading opens with KEY_READ, writing with KEY_WRITE, without a view flag: a 32-bit process
// sees the 32-bit view. An object made with a view (KEY_WOW64_64KEY or KEY_WOW64_32KEY) adds
// it to every open and deletes keys of that view. No operation throws; a failure gives false
// and leaves the out arguments as they were.
class Registry
{
public:
    // root: a predefined root or an open key; the object never closes it. view: 0 or a
    // KEY_WOW64_* flag.
    explicit Registry(HKEY root, REGSAM view = 0);
    virtual ~Registry();
    Registry(const Registry&) = default;
    Registry& operator=(const Registry&) = default;

    void SetRootKey(HKEY root);
    HKEY GetRootKey() const { return m_root; }

    // True when the subkey opens for reading, or (create set) could be created.
    bool KeyExists(const std::wstring& subKey, bool create) const;
    bool KeyExists(const std::string& subKey, bool create) const;

    bool ValueExists(const std::wstring& subKey, const std::wstring& valueName) const;
    bool ValueExists(const std::string& subKey, const std::string& valueName) const;

    // Clears names once the key is open, then appends every direct subkey in index order.
    bool EnumSubKeys(const std::wstring& subKey, std::vector<std::wstring>& names) const;
    bool EnumSubKeys(const std::string& subKey, std::vector<std::string>& names) const;

    // Reads whatever is stored as text, up to its first zero; a value stored without a
    // terminating zero still ends. The type is not checked.
    bool GetStringValue(const std::wstring& subKey, const std::wstring& valueName, std::wstring& value) const;
    bool GetStringValue(const std::string& subKey, const std::string& valueName, std::string& value) const;

    // size: in, the buffer's capacity in bytes; out, the bytes read. A value larger than the
    // buffer gives false and leaves buffer and size alone.
    bool GetBinaryValue(const std::wstring& subKey, const std::wstring& valueName, void* buffer, DWORD& size) const;
    bool GetBinaryValue(const std::string& subKey, const std::string& valueName, void* buffer, DWORD& size) const;

    // The value as stored, whatever its type: its type and all its bytes. The first read offers
    // firstReadSize bytes; a longer value is read again at the size the system reports. (The
    // narrow form, like the system's, gives text values in the system code page.)
    bool GetValue(const std::wstring& subKey, const std::wstring& valueName, DWORD& type, std::vector<BYTE>& data,
                  DWORD firstReadSize) const;
    bool GetValue(const std::string& subKey, const std::string& valueName, DWORD& type, std::vector<BYTE>& data,
                  DWORD firstReadSize) const;

    // Only a REG_DWORD of at least 4 bytes; its first 4 bytes are the number.
    bool GetDWORDValue(const std::wstring& subKey, const std::wstring& valueName, DWORD& value) const;
    bool GetDWORDValue(const std::string& subKey, const std::string& valueName, DWORD& value) const;

    // Writes the text and one terminating zero, as REG_SZ or (multiString) REG_MULTI_SZ.
    bool SetStringValue(const std::wstring& subKey, const std::wstring& valueName, const std::wstring& value,
                        bool multiString, bool create) const;
    bool SetStringValue(const std::string& subKey, const std::string& valueName, const std::string& value,
                        bool multiString, bool create) const;

    bool SetBinaryValue(const std::wstring& subKey, const std::wstring& valueName, const void* data, DWORD size,
                        bool create) const;
    bool SetBinaryValue(const std::string& subKey, const std::string& valueName, const void* data, DWORD size,
                        bool create) const;

    bool SetDWORDValue(const std::wstring& subKey, const std::wstring& valueName, DWORD value, bool create) const;
    bool SetDWORDValue(const std::string& subKey, const std::string& valueName, DWORD value, bool create) const;

    bool DeleteValue(const std::wstring& subKey, const std::wstring& valueName) const;
    bool DeleteValue(const std::string& subKey, const std::string& valueName) const;

    // The subkey must have no subkeys of its own.
    bool DeleteKey(const std::wstring& subKey) const;
    bool DeleteKey(const std::string& subKey) const;

private:
    HKEY m_root;
    REGSAM m_view;
};
