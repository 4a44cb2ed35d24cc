#pragma once
#include "base/PortableTypes.h"

#include <string>
#include <vector>

// A name-or-ordinal field of a dialog template (menu, window class, item class, item title).
struct TemplateName
{
    bool present = false; // the field is not 0
    WORD ordinal = 0;     // set when the field is 0xFFFF followed by an ordinal
    std::wstring text;    // otherwise the string (empty when the field is 0)
};

struct DialogTemplateItem
{
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    TemplateName windowClass;
    TemplateName title;
};

// What a dialog template says, in either layout (DLGTEMPLATE or the extended DLGTEMPLATEEX).
struct DialogTemplate
{
    bool extended = false;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu;
    TemplateName windowClass;
    std::wstring title;
    bool hasFont = false;       // DS_SETFONT: the font fields below come from the template
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring faceName;
    std::vector<DialogTemplateItem> items;
};

// Reads a template from its bytes. False when the bytes end before the template does.
bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate& out);

// The font a dialog made from the template asks for.
struct DialogTemplateFont
{
    int pointSize = 8;
    int weight = 400;
    bool italic = false;
    std::wstring faceName = L"Tahoma";
};

// Without DS_SETFONT: 8-point "Tahoma" of weight 400. A plain template's font has weight 0.
// A point size above 32767 (a negative 16-bit value) is taken as its negation.
DialogTemplateFont FontOfTemplate(const DialogTemplate& dialog);
