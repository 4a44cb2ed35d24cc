#include "lang/ByteArray.h"

#include <cstdio>
#include <cstring>

#include "base/BaseException.h"

namespace {

const wchar_t kSource[] = L".\\ByteArray";

struct FileCloser
{
    void operator()(FILE* file) const { fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

[[noreturn]] void Throw(unsigned line, const wchar_t* message)
{
    throw BaseException(kSource, line, message, BaseException::NoErrorCode);
}

} // namespace

ByteArray::ByteArray(BYTE fill, DWORD size) : m_size(size), m_data(size ? new BYTE[size] : nullptr)
{
    if (size)
        std::memset(m_data.get(), fill, size);
}

ByteArray::ByteArray(const char* text) : ByteArray(reinterpret_cast<const BYTE*>(text), text ? std::strlen(text) : 0)
{
}

ByteArray::ByteArray(const BYTE* bytes, DWORD count)
{
    if (bytes)
        Append(bytes, count);
}

ByteArray::ByteArray(const ByteArray& other) : ByteArray(other.m_data.get(), other.m_size) {}

ByteArray& ByteArray::operator=(const ByteArray& other)
{
    if (this != &other)
    {
        Clear();
        Append(other.m_data.get(), other.m_size);
    }
    return *this;
}

ByteArray::~ByteArray() = default;

BYTE* ByteArray::GetPtr(DWORD index)
{
    if (index >= m_size)
        Throw(__LINE__, L"Byte Array Exceptio");
    return m_data.get() + index;
}

const BYTE* ByteArray::GetPtr(DWORD index) const
{
    if (index >= m_size)
        Throw(__LINE__, L"Byte Array Exceptio");
    return m_data.get() + index;
}

BYTE ByteArray::At(DWORD index) const
{
    if (index >= m_size)
        Throw(__LINE__, L"Byte Array , AT, Index out of bound error");
    return m_data[index];
}

void ByteArray::Set(DWORD index, BYTE value)
{
    if (index >= m_size)
        Throw(__LINE__, L"Byte Array,Set, Out of bound error");
    m_data[index] = value;
}

void ByteArray::Resize(DWORD size)
{
    if (size < m_size)
    {
        m_size = size;
        return;
    }
    std::unique_ptr<BYTE[]> block(size ? new BYTE[size]() : nullptr);
    if (m_size)
        std::memcpy(block.get(), m_data.get(), m_size);
    m_data = std::move(block);
    m_size = size;
}

void ByteArray::Clear()
{
    m_data.reset();
    m_size = 0;
}

void ByteArray::Append(const BYTE* bytes, DWORD count)
{
    if (count == 0)
        return;
    std::unique_ptr<BYTE[]> block(new BYTE[m_size + count]);
    if (m_size)
        std::memcpy(block.get(), m_data.get(), m_size);
    std::memcpy(block.get() + m_size, bytes, count);
    m_data = std::move(block);
    m_size += count;
}

ByteArray& ByteArray::operator+=(const ByteArray& other)
{
    // Copy first: the operand may be this array.
    const ByteArray operand(other);
    Append(operand.m_data.get(), operand.m_size);
    return *this;
}

ByteArray& ByteArray::operator+=(const std::string& text)
{
    Append(reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()));
    return *this;
}

ByteArray& ByteArray::operator+=(const char* text)
{
    if (text)
        Append(reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(std::strlen(text)));
    return *this;
}

ByteArray& ByteArray::operator+=(BYTE value)
{
    Append(&value, 1);
    return *this;
}

ByteArray ByteArray::operator+(const ByteArray& other) const
{
    ByteArray sum(*this);
    return sum += other;
}

ByteArray ByteArray::operator+(const std::string& text) const
{
    ByteArray sum(*this);
    return sum += text;
}

ByteArray ByteArray::operator+(const char* text) const
{
    ByteArray sum(*this);
    return sum += text;
}

ByteArray ByteArray::operator+(BYTE value) const
{
    ByteArray sum(*this);
    return sum += value;
}

ByteArray ByteArray::operator^(const ByteArray& other) const
{
    if (m_size != other.m_size)
        return ByteArray();
    ByteArray result(*this);
    for (DWORD i = 0; i < m_size; ++i)
        result.m_data[i] ^= other.m_data[i];
    return result;
}

bool ByteArray::operator==(const ByteArray& other) const
{
    return m_size == other.m_size && (m_size == 0 || std::memcmp(m_data.get(), other.m_data.get(), m_size) == 0);
}

bool ByteArray::operator==(const char* text) const
{
    return *this == ByteArray(text);
}

int ByteArray::FromFile(const wchar_t* path)
{
    Clear();
    FilePtr file(path ? _wfopen(path, L"rb") : nullptr);
    if (!file)
        Throw(__LINE__, L"Byte Array, FromFile, Open File Error");
    long size = -1;
    if (fseek(file.get(), 0, SEEK_END) == 0)
        size = ftell(file.get());
    if (size < 0)
        Throw(__LINE__, L"Byte Array, FromFile, Open File Error");
    rewind(file.get());
    try
    {
        Resize(static_cast<DWORD>(size));
    }
    catch (...)
    {
        Clear();
        Throw(__LINE__, L"Byte Array, From File, Allocation Memory Error");
    }
    // Keep reading until the end: a short read must not pass as the whole file.
    DWORD total = 0;
    while (total < m_size)
    {
        const size_t read = fread(m_data.get() + total, 1, m_size - total, file.get());
        if (read == 0)
            break;
        total += static_cast<DWORD>(read);
    }
    if (ferror(file.get()))
    {
        Clear();
        Throw(__LINE__, L"Byte Array, FromFile, Unable to read from file");
    }
    m_size = total; // the file may have shrunk since its size was taken
    return fclose(file.release());
}

int ByteArray::ToFile(const wchar_t* path) const
{
    FilePtr file(path ? _wfopen(path, L"w+b") : nullptr);
    if (!file)
        Throw(__LINE__, L"To File ByteArray Exception");
    if (m_size && fwrite(m_data.get(), 1, m_size, file.get()) != m_size)
        Throw(__LINE__, L"Byte Array, ToFile, Unable to write to file");
    return fclose(file.release());
}
