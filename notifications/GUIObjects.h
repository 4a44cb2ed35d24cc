#pragma once
#include "winframe/Owners.h"

// The fonts, brush, bitmaps, icon and button caption colours that every pop-up shares.
// Built once when the library loads, freed when it unloads; borrowers never delete them. A
// handle that could not be made stays null.
class CGUIObjects
{
public:
    CGUIObjects();
    virtual ~CGUIObjects();
    CGUIObjects(const CGUIObjects&) = delete;
    CGUIObjects& operator=(const CGUIObjects&) = delete;

    HFONT GetArial14Bold() const { return m_arial14Bold.Get(); }
    HFONT GetArial14() const { return m_arial14.Get(); }
    HFONT GetArial15Bold() const { return m_arial15Bold.Get(); }
    HFONT GetArial16Bold() const { return m_arial16Bold.Get(); }
    HFONT GetArial18Bold() const { return m_arial18Bold.Get(); }
    HFONT GetArial22() const { return m_arial22.Get(); }
    HFONT GetTahoma11() const { return m_tahoma11.Get(); }
    HFONT GetTahoma13() const { return m_tahoma13.Get(); }
    HFONT GetTahoma13Bold() const { return m_tahoma13Bold.Get(); }
    HFONT GetTahoma13Underline() const { return m_tahoma13Underline.Get(); }
    HBRUSH GetWhiteBrush() const { return m_whiteBrush.Get(); }
    HBITMAP GetButtonStrip() const { return m_buttonStrip.Get(); }
    HBITMAP GetEmblem() const { return m_emblem.Get(); }
    HBITMAP GetCloseButtonStrip() const { return m_closeButtonStrip.Get(); }
    HBITMAP GetCaptionSeparator() const { return m_captionSeparator.Get(); }
    HICON GetSmallInfoIcon() const { return m_smallInfoIcon.Get(); }
    // Skin-button caption colour by state index: Normal, Hot, Pressed, Disabled, Focused.
    COLORREF GetButtonTextColour(int stateIndex) const;

private:
    ScopedFont m_arial14Bold;
    ScopedFont m_arial14;
    ScopedFont m_arial15Bold;
    ScopedFont m_arial16Bold;
    ScopedFont m_arial18Bold;
    ScopedFont m_arial22;
    ScopedFont m_tahoma11;
    ScopedFont m_tahoma13;
    ScopedFont m_tahoma13Bold;
    ScopedFont m_tahoma13Underline;
    ScopedBrush m_whiteBrush;
    ScopedBitmap m_buttonStrip;
    ScopedBitmap m_emblem;
    ScopedBitmap m_closeButtonStrip;
    ScopedBitmap m_captionSeparator;
    ScopedIcon m_smallInfoIcon;
};

// The module-wide instance.
CGUIObjects& GUIObjects();
