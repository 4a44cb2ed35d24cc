#include "jnCommonGUI/LinkColours.h"

#include "base/Registry.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace {

// A REG_SZ value as text up to its first zero; false when it is missing or of another type.
bool ReadText(const Registry& user, const wchar_t* name, std::wstring& text)
{
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (!user.GetValue(kLinkColoursKey, name, type, data, 64) || type != REG_SZ)
        return false;
    text.assign(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    text.resize(std::min(text.size(), text.find(L'\0')));
    return true;
}

void ReadColour(const Registry& user, const wchar_t* name, COLORREF& colour)
{
    std::wstring text;
    COLORREF parsed = 0;
    if (ReadText(user, name, text) && ParseColourTriple(text, parsed))
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
    const Registry user(HKEY_CURRENT_USER);
    LinkColours colours;
    ReadColour(user, kLinkColourValue, colours.link);
    ReadColour(user, kVisitedColourValue, colours.visited);
    return colours;
}
