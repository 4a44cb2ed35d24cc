#pragma once
#include "winframe/Owners.h"

#include <map>
#include <set>
#include <vector>

struct DialogTemplate;

// The arithmetic of the re-layout, on plain numbers.
// Font height (negative: a character height) of a point size at a resolution.
int FontHeightAtDpi(int pointSize, double dpi);
// Dialog base units of a font from the width of the 52 letters a..z A..Z and its tmHeight.
SIZE DialogBaseUnits(int alphabetWidth, int characterHeight);
// A horizontal (perBaseUnit 4) or vertical (perBaseUnit 8) dialog-unit length in pixels.
int DialogUnitsToPixels(int units, int baseUnit, int perBaseUnit);

// Lays a dialog out again at the pixel size its template has at 96 DPI, so that fixed-size artwork
// fits it whatever resolution Windows runs at: the dialog font is re-created at the template's
// point size for the reference resolution, and the dialog and each template control are moved and
// sized by that font's dialog units. At 96 DPI it changes nothing.
class CDialogScaler
{
public:
    CDialogScaler() = default;
    ~CDialogScaler();
    CDialogScaler(const CDialogScaler&) = delete;
    CDialogScaler& operator=(const CDialogScaler&) = delete;

    // templateId names an RT_DIALOG resource of instance; toParentClient 1 places the dialog in
    // its parent's client coordinates.
    void Apply(HINSTANCE instance, HWND dialog, WORD templateId, double referenceDpi, int toParentClient);
    // The same with the template's bytes at hand (a dialog made from an in-memory template).
    void ApplyTemplate(HWND dialog, const void* data, size_t size, double referenceDpi, int toParentClient);
    // Gives the dialog and its controls their first font back and deletes the fonts made here.
    void Restore();
    // The control keeps its position and size (it still gets the scaled font).
    void ExcludeControl(UINT controlId);

    bool IsApplied() const { return m_window != nullptr; }
    HFONT ScaledFont() const { return m_scaledFont.Get(); }
    HFONT ControlFont(UINT controlId) const;

private:
    void ApplyParsed(HWND dialog, const DialogTemplate& dialogTemplate, double referenceDpi, int toParentClient);

    std::map<UINT, ScopedFont> m_fonts;   // the font made for each control
    std::set<UINT> m_excluded;
    HWND m_window = nullptr;                    // null while nothing is applied
    ScopedFont m_scaledFont;             // the dialog's font made here
    HFONT m_initialFont = nullptr;              // the dialog's font before, not ours
    std::vector<UINT> m_controlIds;             // the template's controls, to give their font back
};

// True when the screen runs at 96 by 96 DPI: then nothing needs re-laying out.
bool ScreenIsAt96Dpi();
