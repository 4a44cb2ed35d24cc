#pragma once
#include <windows.h>

#include <cstdint>

// The look a skin button shows; each selects one image and one caption colour by its index.
enum ButtonState : int
{
    StateNormal = 1,
    StateHot = 2,
    StatePressed = 4,
    StateDisabled = 8,
    StateFocused = 16,  // focused, or the dialog's default button
};

constexpr int kButtonStateCount = 5;

// The skin buttons' caption colour by state index (Normal, Hot, Pressed, Disabled, Focused):
// black, and grey while disabled. The pop-ups' shared objects hand out the same table.
constexpr COLORREF kButtonCaptionColours[kButtonStateCount] = {0x000000, 0x000000, 0x000000, 0x646464, 0x000000};

// The image index of a state; -1 for a value that is no state.
int ButtonStateIndex(int state);

// The input conditions of a skin button, one bit each.
enum ButtonFlags : std::uint8_t
{
    FlagHot = 0x02,       // the pointer is over the button
    FlagPressed = 0x04,   // left button or space key down
    FlagDisabled = 0x08,
    FlagFocused = 0x10,   // has the keyboard focus
    FlagChecked = 0x20,   // toggle mode only
    FlagDefault = 0x40,   // the dialog's default push button
    FlagGrouped = 0x80,   // a group decides the checked state; clicks do not toggle
};

struct ButtonStateInput
{
    std::uint8_t flags;
    bool mouseInside;      // the last move under capture lay inside the window region
    bool leftButtonDown;
    bool hasDisabledImage;
    bool hasFocusedImage;
};

struct ButtonStateResult
{
    int state;
    bool focusedShowsDefault;  // the Focused image stands for the default button: no focus frame
};

// The state to show for the given conditions; the first rule that matches wins.
ButtonStateResult ComputeButtonState(const ButtonStateInput& input);

// DrawTextW alignment for a caption from the button style (BS_LEFT/BS_RIGHT/BS_TOP/BS_BOTTOM);
// fixedLeft / fixedTop say that a fixed position replaces the alignment on that axis.
UINT CaptionAlignment(LONG style, bool fixedLeft, bool fixedTop);
