#pragma once
// Where the skin button's trace lines say they come from. Fixed: readers of the product's trace
// logs know these lines by source and line number, whatever the file looks like today.
constexpr wchar_t kSkinButtonTraceSource[] = L"..\\jnCommonGUI\\SkinButton";
constexpr int kSkinButtonMarkFailedTraceLine = 531;
constexpr int kSkinButtonFontFailedTraceLine = 1037;
