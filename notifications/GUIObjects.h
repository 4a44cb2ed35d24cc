#pragma once
#include <windows.h>

// The fonts, brush, bitmaps, icon and button caption colours that every pop-up shares.
// Built once when the library loads, freed when it unloads; borrowers never delete them.
class CGUIObjects
{
public:
    CGUIObjects();
    virtual ~CGUIObjects();
    CGUIObjects(const CGUIObjects&) = delete;
    CGUIObjects& operator=(const CGUIObjects&) = delete;

    HFONT GetArial14Bold() const { return m_arial14Bold; }
    HFONT GetArial14() const { return m_arial14; }
    HFONT GetArial15Bold() const { return m_arial15Bold; }
    HFONT GetArial16Bold() const { return m_arial16Bold; }
    HFONT GetArial18Bold() const { return m_arial18Bold; }
    HFONT GetArial22() const { return m_arial22; }
    HFONT GetTahoma11() const { return m_tahoma11; }
    HFONT GetTahoma13() const { return m_tahoma13; }
    HFONT GetTahoma13Bold() const { return m_tahoma13Bold; }
    HFONT GetTahoma13Underline() const { return m_tahoma13Underline; }
    HBRUSH GetWhiteBrush() const { return m_whiteBrush; }
    HBITMAP GetButtonStrip() const { return m_buttonStrip; }        // bitmap 286
    HBITMAP GetBitmap281() const { return m_bitmap281; }
    HBITMAP GetCloseButtonStrip() const { return m_closeButtonStrip; }  // bitmap 282
    HBITMAP GetBitmap342() const { return m_bitmap342; }
    HICON GetIcon343() const { return m_icon343; }
    // Skin-button caption colour by state index: Normal, Hot, Pressed, Disabled, Focused.
    COLORREF GetButtonTextColour(int stateIndex) const;

private:
    HFONT m_arial14Bold = nullptr;
    HFONT m_arial14 = nullptr;
    HFONT m_arial15Bold = nullptr;
    HFONT m_arial16Bold = nullptr;
    HFONT m_arial18Bold = nullptr;
    HFONT m_arial22 = nullptr;
    HFONT m_tahoma11 = nullptr;
    HFONT m_tahoma13 = nullptr;
    HFONT m_tahoma13Bold = nullptr;
    HFONT m_tahoma13Underline = nullptr;
    HBRUSH m_whiteBrush = nullptr;
    HBITMAP m_buttonStrip = nullptr;
    HBITMAP m_bitmap281 = nullptr;
    HBITMAP m_closeButtonStrip = nullptr;
    HBITMAP m_bitmap342 = nullptr;
    HICON m_icon343 = nullptr;
    COLORREF m_buttonTextColours[5] = {0, 0, 0, 0x646464, 0};
};

// The module-wide instance.
CGUIObjects& GUIObjects();
