#include "jnCommonGUI/DialogTemplate.h"

#include <cstring>

namespace {

constexpr DWORD kExtendedSignature = 0xFFFF0001;  // dlgVer 1, signature 0xFFFF

// A bounded reader over the template's bytes; every read fails once the bytes run out.
class TemplateReader
{
public:
    TemplateReader(const void* data, size_t size) : m_data(static_cast<const BYTE*>(data)), m_size(data ? size : 0) {}

    template <class V>
    bool Read(V& value)
    {
        if (m_size - m_offset < sizeof(V))
            return false;
        std::memcpy(&value, m_data + m_offset, sizeof(V));
        m_offset += sizeof(V);
        return true;
    }

    bool Skip(size_t bytes)
    {
        if (m_size - m_offset < bytes)
            return false;
        m_offset += bytes;
        return true;
    }

    // Offsets count from the template's start, which a resource places on a 4-byte boundary.
    bool AlignToDword() { return Skip((4 - m_offset % 4) % 4); }

    bool ReadString(std::wstring& text)
    {
        text.clear();
        for (;;)
        {
            WORD ch = 0;
            if (!Read(ch))
                return false;
            if (ch == 0)
                return true;
            text.push_back(static_cast<wchar_t>(ch));
        }
    }

    bool ReadName(TemplateName& name)
    {
        name = TemplateName();
        WORD first = 0;
        if (!Read(first))
            return false;
        if (first == 0)
            return true;
        name.present = true;
        if (first == 0xFFFF)
            return Read(name.ordinal);
        name.text.push_back(static_cast<wchar_t>(first));
        std::wstring rest;
        if (!ReadString(rest))
            return false;
        name.text += rest;
        return true;
    }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_offset = 0;
};

bool ReadExtendedItem(TemplateReader& in, DialogTemplateItem& item)
{
    WORD extra = 0;
    return in.Read(item.helpId) && in.Read(item.exStyle) && in.Read(item.style) && in.Read(item.x) &&
           in.Read(item.y) && in.Read(item.cx) && in.Read(item.cy) && in.Read(item.id) &&
           in.ReadName(item.windowClass) && in.ReadName(item.title) && in.Read(extra) && in.Skip(extra);
}

bool ReadPlainItem(TemplateReader& in, DialogTemplateItem& item)
{
    WORD id = 0;
    WORD extra = 0;
    if (!(in.Read(item.style) && in.Read(item.exStyle) && in.Read(item.x) && in.Read(item.y) && in.Read(item.cx) &&
          in.Read(item.cy) && in.Read(id) && in.ReadName(item.windowClass) && in.ReadName(item.title) &&
          in.Read(extra)))
        return false;
    item.id = id;
    // Here the count includes its own word.
    return in.Skip(extra > sizeof(WORD) ? extra - sizeof(WORD) : 0);
}

} // namespace

bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate& out)
{
    out = DialogTemplate();
    TemplateReader in(data, size);
    DWORD first = 0;
    if (!in.Read(first))
        return false;
    out.extended = first == kExtendedSignature;
    WORD count = 0;
    if (out.extended)
    {
        if (!(in.Read(out.helpId) && in.Read(out.exStyle) && in.Read(out.style)))
            return false;
    }
    else
    {
        out.style = first;
        if (!in.Read(out.exStyle))
            return false;
    }
    if (!(in.Read(count) && in.Read(out.x) && in.Read(out.y) && in.Read(out.cx) && in.Read(out.cy) &&
          in.ReadName(out.menu) && in.ReadName(out.windowClass) && in.ReadString(out.title)))
        return false;
    out.hasFont = (out.style & DS_SETFONT) != 0;
    if (out.hasFont)
    {
        if (!in.Read(out.pointSize))
            return false;
        if (out.extended && !(in.Read(out.weight) && in.Read(out.italic) && in.Read(out.charset)))
            return false;
        if (!in.ReadString(out.faceName))
            return false;
    }
    // Items are taken one by one as the bytes hold them: a count that the bytes cannot back
    // (a damaged template says 65535) costs no block of that many items.
    out.items.clear();
    for (WORD i = 0; i < count; ++i)
    {
        DialogTemplateItem item;
        if (!in.AlignToDword())
            return false;
        if (!(out.extended ? ReadExtendedItem(in, item) : ReadPlainItem(in, item)))
            return false;
        out.items.push_back(std::move(item));
    }
    return true;
}

DialogTemplateFont FontOfTemplate(const DialogTemplate& dialog)
{
    DialogTemplateFont font;
    if (!dialog.hasFont)
        return font;
    font.pointSize = dialog.pointSize > 32767 ? (65536 - dialog.pointSize) % 65536 : dialog.pointSize;
    font.weight = dialog.extended ? dialog.weight : 0;
    font.italic = dialog.extended && dialog.italic != 0;
    font.faceName = dialog.faceName;
    return font;
}
