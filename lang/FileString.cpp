#include "lang/FileString.h"

#include "base/BaseException.h"
#include "winframe/Owners.h"
#include "lang/ByteArray.h"
#include "lang/TextDecoding.h"

namespace {

const wchar_t kSource[] = L".\\FileString";

} // namespace

bool FileString::loadFile(const std::wstring& path, bool openAlways, DWORD byteLimit)
{
    m_fileName = path;
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                openAlways ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    const DWORD count = size < byteLimit ? size : byteLimit;
    if (count == 0)
        return true;

    ByteArray bytes(static_cast<BYTE>(0), count);
    // A read may stop short; keep reading until the count or the end of the file.
    DWORD total = 0;
    while (total < count)
    {
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.GetPtr(total), count - total, &read, nullptr))
            return false;
        if (read == 0)
            break;
        total += read;
    }
    file.Reset();
    if (total == 0)
        return true;
    const unsigned char* data = bytes.GetPtr(0);
    const bool utf16 = total >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    // A limit that cuts a character converts the characters before it.
    if (total < size && !utf16)
        total = static_cast<DWORD>(CompleteUtf8Length(data, total));
    if (total == 0)
        return true;
    return DecodeTextBytes(data, total, m_text);
}

bool FileString::createFile(const std::wstring& path)
{
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw BaseException(kSource, __LINE__, L"File String Exception", BaseException::NoErrorCode);
    file.Reset();
    m_fileName = path;
    return true;
}

bool FileString::saveFile(const std::wstring& path)
{
    const std::wstring& target = path.empty() ? m_fileName : path;
    if (target.empty())
        return false;
    ScopedFile file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw BaseException(kSource, __LINE__, L"FileString::saveFile(), OpenFile Failed",
                            BaseException::NoErrorCode);
    const std::string bytes = stdstr::fromUNICODE(m_text, CP_UTF8);
    DWORD written = 0;
    const BOOL ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    file.Reset();
    if (!ok || written != bytes.size())
        throw BaseException(kSource, __LINE__, L"FileString::saveFile(), WriteFile Failed",
                            BaseException::NoErrorCode);
    return true;
}

bool FileString::deleteFile(const std::wstring& path)
{
    const std::wstring& target = path.empty() ? m_fileName : path;
    if (target.empty())
        return false;
    return DeleteFileW(target.c_str()) != FALSE;
}
