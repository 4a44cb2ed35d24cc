#pragma once
#include "jnCommonGUI/ScrollEdit.h"
#include "jnCommonGUI/SkinButton.h"

#include <initializer_list>
#include <string>

// What the notification pop-ups share when they set up and colour their controls.

// The text of a key in the pop-ups' section "XJNTrayNotifications" of the language table.
std::wstring PopupText(const wchar_t* key);

// Gives a control a font and redraws it.
void SetControlFont(HWND control, HFONT font);

// Gives a static control its text and font.
void SetStaticText(HWND control, const std::wstring& text, HFONT font);

// The three texts of the pop-ups on template 668's frame: the title (1383, bold Arial 18), the
// message (1384, bold Arial 14) and the caption line (1208, bold Arial 14). Hands back the
// title's and the message's windows.
void InitHeaderTexts(HWND dialog, const std::wstring& title, const std::wstring& message,
                     const std::wstring& caption, HWND& titleWindow, HWND& messageWindow, CScrollEdit& captionLine);

// Takes over one of a pop-up's two push buttons (ids 1381, 1382) as a skin button drawn from the
// shared button strip, and gives it its caption.
void PreparePushButton(CSkinButton& button, HWND dialog, int id, const std::wstring& caption);

// Takes over the close button (1095) as a skin button of the close-button strip, puts it into the
// top-right corner and hides it: its command still counts, but the pop-up never shows it.
void PrepareHiddenCloseButton(CSkinButton& button, HWND dialog);

// One static control and the colour of its text.
struct StaticColour
{
    HWND control;
    COLORREF colour;
};

// WM_CTLCOLORSTATIC for texts that lie on a pop-up's background bitmap: the control's colour
// from the list (a control not listed keeps the DC's), a transparent background and the hollow
// brush, so that the artwork shows through.
HBRUSH ColourPopupStatic(HDC dc, HWND control, std::initializer_list<StaticColour> colours);
