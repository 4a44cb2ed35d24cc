#include "lang/TextDecoding.h"

#include <climits>
#include <memory>

#include <windows.h>

bool DecodeTextBytes(const unsigned char* bytes, size_t count, std::wstring& text)
{
    if (!bytes)
        return false;
    if (count >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
    {
        const size_t units = (count - 2) / 2;
        std::wstring decoded(units, L'\0');
        for (size_t i = 0; i < units; ++i)
            decoded[i] = static_cast<wchar_t>(bytes[2 + 2 * i] | (bytes[3 + 2 * i] << 8));
        text.swap(decoded);
        return true;
    }
    if (count == 0 || count > static_cast<size_t>(INT_MAX) - 1)
        return false;
    std::unique_ptr<wchar_t[]> buffer(new wchar_t[count + 1]());
    const int converted = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                                              static_cast<int>(count), buffer.get(), static_cast<int>(count + 1));
    if (converted == 0)
        return false;
    text.assign(buffer.get());
    return true;
}
