#pragma once
#include <memory>
#include <string>

#include <windows.h>

// A growable byte buffer with index-guarded access and whole-file load and store.
// Out-of-range access and file failures throw BaseException.
class ByteArray
{
public:
    ByteArray() = default;
    ByteArray(BYTE fill, DWORD size);
    // The bytes of a zero-terminated string, without the terminator; null gives an empty array.
    explicit ByteArray(const char* text);
    ByteArray(const BYTE* bytes, DWORD count);
    ByteArray(const ByteArray& other);
    ByteArray& operator=(const ByteArray& other);
    virtual ~ByteArray();

    // Replaces the content by the whole file; returns 0 on success.
    virtual int FromFile(const wchar_t* path);
    // Writes all bytes to the file, replacing it; returns 0 on success.
    virtual int ToFile(const wchar_t* path) const;

    DWORD GetSize() const { return m_size; }
    BYTE* GetPtr(DWORD index);
    const BYTE* GetPtr(DWORD index) const;
    BYTE At(DWORD index) const;
    void Set(DWORD index, BYTE value);
    // Growing copies into a new zero-filled block; shrinking only lowers the size.
    void Resize(DWORD size);
    void Clear();

    ByteArray& operator+=(const ByteArray& other);
    ByteArray& operator+=(const std::string& text);
    ByteArray& operator+=(const char* text);
    ByteArray& operator+=(BYTE value);
    ByteArray operator+(const ByteArray& other) const;
    ByteArray operator+(const std::string& text) const;
    ByteArray operator+(const char* text) const;
    ByteArray operator+(BYTE value) const;
    // Bytewise exclusive-or of two arrays of the same size; different sizes give an empty array.
    ByteArray operator^(const ByteArray& other) const;

    bool operator==(const ByteArray& other) const;
    bool operator==(const char* text) const;
    bool operator!=(const ByteArray& other) const { return !(*this == other); }
    bool operator!=(const char* text) const { return !(*this == text); }

private:
    void Append(const BYTE* bytes, DWORD count);

    DWORD m_size = 0;
    std::unique_ptr<BYTE[]> m_data;
};
