#pragma once
#include <cstdio>
#include <string>

// Writes and reads whole files byte for byte.
inline bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

inline std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return bytes;
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, read);
    fclose(file);
    return bytes;
}
