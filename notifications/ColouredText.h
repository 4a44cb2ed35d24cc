#pragma once
#include <windows.h>

#include <string>

// A static text of a pop-up and the colour it is drawn in (0x00BBGGRR).
struct ColouredText
{
    std::wstring text;
    COLORREF colour = 0x000000;
};

// Colours of the pop-ups' static texts.
constexpr COLORREF kBodyTextColour = 0x222222;
constexpr COLORREF kCaptionTextColour = 0x000000;

// The product's caption, the one text that no language file translates.
inline constexpr wchar_t kProductCaption[] = L"Lumeris";
