#include "winframe/LinkColours.h"

#include <cwctype>
#include <vector>

namespace {

class ScopedKey
{
public:
    ScopedKey(HKEY parent, const wchar_t* path)
    {
        if (RegOpenKeyExW(parent, path, 0, KEY_QUERY_VALUE, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~ScopedKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// A REG_SZ value; false when it is missing or of another type.
bool ReadText(HKEY key, const wchar_t* name, std::wstring& text)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return false;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    text.assign(buffer.data());
    return true;
}

void ReadColour(HKEY key, const wchar_t* name, COLORREF& colour)
{
    std::wstring text;
    COLORREF parsed = 0;
    if (ReadText(key, name, text) && ParseColourTriple(text, parsed))
        colour = parsed;
}

} // namespace

bool ParseColourTriple(const std::wstring& text, COLORREF& colour)
{
    int parts[3] = {};
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i)
    {
        while (at < text.size() && std::iswspace(text[at]))
            ++at;
        const std::size_t digitsStart = at;
        int value = 0;
        while (at < text.size() && text[at] >= L'0' && text[at] <= L'9' && at - digitsStart < 3)
            value = value * 10 + (text[at++] - L'0');
        if (at == digitsStart || value > 255)
            return false;
        while (at < text.size() && std::iswspace(text[at]))
            ++at;
        parts[i] = value;
        if (i < 2)
        {
            if (at >= text.size() || text[at] != L',')
                return false;
            ++at;
        }
    }
    if (at != text.size())
        return false;
    colour = RGB(parts[0], parts[1], parts[2]);
    return true;
}

LinkColours ReadLinkColours()
{
    LinkColours colours;
    ScopedKey key(HKEY_CURRENT_USER, kLinkColoursKey);
    if (key.Get())
    {
        ReadColour(key.Get(), kLinkColourValue, colours.link);
        ReadColour(key.Get(), kVisitedColourValue, colours.visited);
    }
    return colours;
}
