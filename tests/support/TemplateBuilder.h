#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// Builds dialog templates in memory, plain (DLGTEMPLATE) or extended (DLGTEMPLATEEX), so that
// tests can feed any layout to the template reader and to CreateDialogIndirectParamW.
class TemplateBuilder
{
public:
    struct Name
    {
        Name() = default;
        Name(WORD ordinalValue) : isOrdinal(true), ordinal(ordinalValue) {}
        Name(const wchar_t* textValue) : text(textValue) {}
        bool isOrdinal = false;
        WORD ordinal = 0;
        std::wstring text;
    };

    struct Item
    {
        DWORD id = 0;
        Name windowClass;
        DWORD style = WS_CHILD | WS_VISIBLE;
        short x = 0, y = 0, cx = 10, cy = 10;
        Name title = Name(L"");
        DWORD exStyle = 0;
        DWORD helpId = 0;
        std::vector<BYTE> extra;
    };

    TemplateBuilder(bool extended, DWORD style, short cx, short cy) : m_extended(extended), m_style(style), m_cx(cx), m_cy(cy) {}

    TemplateBuilder& ExStyle(DWORD exStyle) { m_exStyle = exStyle; return *this; }
    TemplateBuilder& Position(short x, short y) { m_x = x; m_y = y; return *this; }
    TemplateBuilder& Menu(Name menu) { m_menu = menu; return *this; }
    TemplateBuilder& Class(Name windowClass) { m_class = windowClass; return *this; }
    TemplateBuilder& Title(const wchar_t* title) { m_title = title; return *this; }
    // Only written when the style has DS_SETFONT; weight, italic and charset only when extended.
    TemplateBuilder& Font(WORD pointSize, const wchar_t* face, WORD weight = 400, BYTE italic = 0, BYTE charset = 1)
    {
        m_pointSize = pointSize;
        m_face = face;
        m_weight = weight;
        m_italic = italic;
        m_charset = charset;
        return *this;
    }
    TemplateBuilder& Add(const Item& item) { m_items.push_back(item); return *this; }

    std::vector<BYTE> Build() const
    {
        std::vector<BYTE> out;
        if (m_extended)
        {
            Put<WORD>(out, 1);
            Put<WORD>(out, 0xFFFF);
            Put<DWORD>(out, 0);
            Put<DWORD>(out, m_exStyle);
            Put<DWORD>(out, m_style);
        }
        else
        {
            Put<DWORD>(out, m_style);
            Put<DWORD>(out, m_exStyle);
        }
        Put<WORD>(out, static_cast<WORD>(m_items.size()));
        for (short v : {m_x, m_y, m_cx, m_cy})
            Put<short>(out, v);
        PutName(out, m_menu);
        PutName(out, m_class);
        PutString(out, m_title);
        if (m_style & DS_SETFONT)
        {
            Put<WORD>(out, m_pointSize);
            if (m_extended)
            {
                Put<WORD>(out, m_weight);
                Put<BYTE>(out, m_italic);
                Put<BYTE>(out, m_charset);
            }
            PutString(out, m_face);
        }
        for (const Item& item : m_items)
        {
            out.resize((out.size() + 3) / 4 * 4, 0);
            if (m_extended)
            {
                Put<DWORD>(out, item.helpId);
                Put<DWORD>(out, item.exStyle);
                Put<DWORD>(out, item.style);
            }
            else
            {
                Put<DWORD>(out, item.style);
                Put<DWORD>(out, item.exStyle);
            }
            for (short v : {item.x, item.y, item.cx, item.cy})
                Put<short>(out, v);
            if (m_extended)
                Put<DWORD>(out, item.id);
            else
                Put<WORD>(out, static_cast<WORD>(item.id));
            PutName(out, item.windowClass);
            PutName(out, item.title);
            if (item.extra.empty())
                Put<WORD>(out, 0);
            else
            {
                // A plain template counts the size word in; an extended one does not.
                Put<WORD>(out, static_cast<WORD>(item.extra.size() + (m_extended ? 0 : sizeof(WORD))));
                out.insert(out.end(), item.extra.begin(), item.extra.end());
            }
        }
        return out;
    }

private:
    template <class V>
    static void Put(std::vector<BYTE>& out, V value)
    {
        const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
        out.insert(out.end(), bytes, bytes + sizeof(V));
    }
    static void PutString(std::vector<BYTE>& out, const std::wstring& text)
    {
        for (wchar_t ch : text)
            Put<WORD>(out, static_cast<WORD>(ch));
        Put<WORD>(out, 0);
    }
    static void PutName(std::vector<BYTE>& out, const Name& name)
    {
        if (name.isOrdinal)
        {
            Put<WORD>(out, 0xFFFF);
            Put<WORD>(out, name.ordinal);
        }
        else
            PutString(out, name.text);
    }

    bool m_extended;
    DWORD m_style;
    DWORD m_exStyle = 0;
    short m_x = 0, m_y = 0, m_cx, m_cy;
    Name m_menu = Name(L"");
    Name m_class = Name(L"");
    std::wstring m_title;
    WORD m_pointSize = 8;
    std::wstring m_face = L"Tahoma";
    WORD m_weight = 400;
    BYTE m_italic = 0;
    BYTE m_charset = 1;
    std::vector<Item> m_items;
};

} // namespace testsupport
