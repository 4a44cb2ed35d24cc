#include "lang/TextDecoding.h"

namespace {

constexpr wchar_t kReplacement = 0xFFFD;
constexpr unsigned long kInvalid = 0xFFFFFFFF;

bool IsContinuation(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0xBF;
}

// The continuation bytes a lead byte announces; 0 for a byte that starts no sequence (C0 and C1
// only start overlong forms, F5 and above only code points beyond U+10FFFF).
unsigned FollowersOf(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return 0;
}

// The next code point from index, which moves past the bytes that the system's conversion takes
// for it; kInvalid for bytes that it replaces by one U+FFFD. The system takes a lead byte and each
// continuation byte that still fits, and tests the value at fixed points: after the second byte
// of a four-byte form (no overlong form), before the next-to-last byte (nothing above U+10FFFF),
// after it (no overlong form, no surrogate) and after the last byte (no overlong two-byte form).
// A sequence that the end cuts takes the rest of the bytes with it.
unsigned long NextCodePoint(const unsigned char* bytes, size_t count, size_t& index)
{
    const unsigned char lead = bytes[index++];
    if (lead < 0x80)
        return lead;
    const unsigned followers = FollowersOf(lead);
    if (followers == 0)
        return kInvalid;
    if (count - index < followers)
    {
        index = count;
        return kInvalid;
    }
    unsigned long value = lead & (0x7Fu >> (followers + 1));
    for (unsigned left = followers; left > 0; --left)
    {
        const unsigned char next = bytes[index];
        if (!IsContinuation(next))
            return kInvalid;
        value = (value << 6) | (next & 0x3F);
        if (left == 2 && value >= (0x110000 >> 6))
            return kInvalid;
        ++index;
        if (left == 3 && value < 0x10)
            return kInvalid;
        if (left == 2 && (value < 0x20 || (value >= (0xD800 >> 6) && value <= (0xDFFF >> 6))))
            return kInvalid;
        if (left == 1 && value < 0x80)
            return kInvalid;
    }
    return value;
}

void AppendCodePoint(std::wstring& text, unsigned long code)
{
    if (code < 0x10000)
    {
        text += static_cast<wchar_t>(code);
        return;
    }
    code -= 0x10000;
    text += static_cast<wchar_t>(0xD800 + (code >> 10));
    text += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
}

} // namespace

std::wstring DecodeUtf8(const unsigned char* bytes, size_t count)
{
    std::wstring text;
    text.reserve(count);
    size_t index = 0;
    while (index < count)
    {
        const unsigned long code = NextCodePoint(bytes, count, index);
        if (code == kInvalid)
            text += kReplacement;
        else
            AppendCodePoint(text, code);
    }
    return text;
}

size_t CompleteUtf8Length(const unsigned char* bytes, size_t count)
{
    // A cut character is a lead byte within the last three bytes, followed by fewer
    // continuation bytes than it announces and nothing else.
    const size_t earliest = count > 3 ? count - 3 : 0;
    for (size_t i = count; i > earliest; --i)
    {
        const unsigned char byte = bytes[i - 1];
        if (IsContinuation(byte))
            continue;
        return FollowersOf(byte) > count - i ? i - 1 : count;
    }
    return count;
}

bool DecodeTextBytes(const unsigned char* bytes, size_t count, std::wstring& text)
{
    if (!bytes || count == 0)
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
    std::wstring decoded = DecodeUtf8(bytes, count);
    const size_t nul = decoded.find(L'\0');
    if (nul != std::wstring::npos)
        decoded.resize(nul);
    text.swap(decoded);
    return true;
}
