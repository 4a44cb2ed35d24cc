#pragma once
#include "winframe/HyperLink.h"

#include <string>

// The colours of links the user has chosen for the system's browser, stored as "red,green,blue"
// text values under the current user's key; a value that is missing or malformed keeps the default.

constexpr wchar_t kLinkColoursKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";
constexpr wchar_t kLinkColourValue[] = L"Anchor Color";
constexpr wchar_t kVisitedColourValue[] = L"Anchor Color Visited";

// "r,g,b" with each part 0..255 (spaces allowed around the numbers). False for anything else.
bool ParseColourTriple(const std::wstring& text, COLORREF& colour);

// The defaults, replaced by the user's values where they are present and well formed.
LinkColours ReadLinkColours();
