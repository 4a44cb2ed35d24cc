#include "jnCommonGUI/ButtonStates.h"

int ButtonStateIndex(int state)
{
    switch (state)
    {
    case StateNormal: return 0;
    case StateHot: return 1;
    case StatePressed: return 2;
    case StateDisabled: return 3;
    case StateFocused: return 4;
    default: return -1;
    }
}

ButtonStateResult ComputeButtonState(const ButtonStateInput& in)
{
    const auto has = [&](std::uint8_t bits) { return (in.flags & bits) != 0; };
    if (has(FlagDisabled))
        return {in.hasDisabledImage ? StateDisabled : StateNormal, false};
    if (has(FlagHot) && has(FlagPressed))
        return {in.mouseInside && in.leftButtonDown ? StatePressed : StateHot, false};
    if (has(FlagHot))
        return {StateHot, false};
    if (has(FlagPressed) || has(FlagChecked))
        return {StatePressed, false};
    if (has(FlagFocused))
        return {in.hasFocusedImage ? StateFocused : StateNormal, false};
    if (has(FlagDefault))
        return in.hasFocusedImage ? ButtonStateResult{StateFocused, true} : ButtonStateResult{StateNormal, false};
    return {StateNormal, false};
}

UINT CaptionAlignment(LONG style, bool fixedLeft, bool fixedTop)
{
    UINT format = DT_SINGLELINE;
    if (!fixedLeft)
    {
        const LONG horizontal = style & (BS_LEFT | BS_RIGHT);
        if (horizontal == BS_RIGHT)
            format |= DT_RIGHT;
        else if (horizontal != BS_LEFT)
            format |= DT_CENTER;
    }
    if (!fixedTop)
    {
        const LONG vertical = style & (BS_TOP | BS_BOTTOM);
        if (vertical == BS_BOTTOM)
            format |= DT_BOTTOM;
        else if (vertical != BS_TOP)
            format |= DT_VCENTER;
    }
    return format;
}
