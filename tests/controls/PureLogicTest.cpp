// The arithmetic behind the controls, on plain data.
#include "jnCommonGUI/ButtonStates.h"
#include "jnCommonGUI/GreyScale.h"
#include "jnCommonGUI/ScrollBarDecision.h"
#include "jnCommonGUI/LinkColours.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

TEST(GreyScale, WeightsThePrimaries)
{
    EXPECT_EQ(GreyValue(255, 0, 0), 76);
    EXPECT_EQ(GreyValue(0, 255, 0), 150);
    EXPECT_EQ(GreyValue(0, 0, 255), 27);
    EXPECT_EQ(GreyValue(255, 255, 255), 255);
    EXPECT_EQ(GreyValue(0, 0, 0), 0);

    std::uint32_t pixels[] = {0x80FF0000u, 0x0000FF00u, 0xFF0000FFu};  // alpha, red, green, blue
    GreyPixels(pixels, 3);
    EXPECT_EQ(pixels[0], 0x804C4C4Cu);
    EXPECT_EQ(pixels[1], 0x00969696u);
    EXPECT_EQ(pixels[2], 0xFF1B1B1Bu);
}

TEST(ButtonStateRules, FirstMatchingRuleWins)
{
    const std::uint8_t hot = FlagHot, pressed = FlagPressed, disabled = FlagDisabled, focused = FlagFocused,
                       checked = FlagChecked, def = FlagDefault;
    struct Case
    {
        const char* name;
        ButtonStateInput input;
        int state;
        bool showsDefault;
    } cases[] = {
        {"nothing", {0, false, false, true, true}, StateNormal, false},
        {"disabled with image", {static_cast<std::uint8_t>(disabled | hot | pressed), true, true, true, true},
         StateDisabled, false},
        {"disabled without image", {disabled, false, false, false, true}, StateNormal, false},
        {"pressed inside with button down", {static_cast<std::uint8_t>(hot | pressed), true, true, true, true},
         StatePressed, false},
        {"pressed, pointer outside", {static_cast<std::uint8_t>(hot | pressed), false, true, true, true}, StateHot,
         false},
        {"pressed inside, button up", {static_cast<std::uint8_t>(hot | pressed), true, false, true, true}, StateHot,
         false},
        {"hot", {static_cast<std::uint8_t>(hot | focused), true, false, true, true}, StateHot, false},
        {"pressed by the space key", {static_cast<std::uint8_t>(pressed | focused), false, false, true, true},
         StatePressed, false},
        {"checked", {checked, false, false, true, true}, StatePressed, false},
        {"focused", {static_cast<std::uint8_t>(focused | def), false, false, true, true}, StateFocused, false},
        {"focused without image", {focused, false, false, true, false}, StateNormal, false},
        {"default", {def, false, false, true, true}, StateFocused, true},
        {"default without image", {def, false, false, true, false}, StateNormal, false},
    };
    for (const Case& c : cases)
    {
        const ButtonStateResult result = ComputeButtonState(c.input);
        EXPECT_EQ(result.state, c.state) << c.name;
        EXPECT_EQ(result.focusedShowsDefault, c.showsDefault) << c.name;
    }
}

TEST(ButtonStateRules, StateIndexes)
{
    EXPECT_EQ(ButtonStateIndex(StateNormal), 0);
    EXPECT_EQ(ButtonStateIndex(StateHot), 1);
    EXPECT_EQ(ButtonStateIndex(StatePressed), 2);
    EXPECT_EQ(ButtonStateIndex(StateDisabled), 3);
    EXPECT_EQ(ButtonStateIndex(StateFocused), 4);
    EXPECT_EQ(ButtonStateIndex(3), -1);
    EXPECT_EQ(ButtonStateIndex(0), -1);
}

TEST(ButtonStateRules, CaptionAlignmentFromStyle)
{
    struct Case
    {
        LONG style;
        bool fixedLeft, fixedTop;
        UINT format;
    } cases[] = {
        {0, false, false, DT_SINGLELINE | DT_CENTER | DT_VCENTER},
        {BS_LEFT | BS_RIGHT | BS_TOP | BS_BOTTOM, false, false, DT_SINGLELINE | DT_CENTER | DT_VCENTER},
        {BS_LEFT, false, false, DT_SINGLELINE | DT_LEFT | DT_VCENTER},
        {BS_RIGHT | BS_TOP, false, false, DT_SINGLELINE | DT_RIGHT | DT_TOP},
        {BS_BOTTOM, false, false, DT_SINGLELINE | DT_CENTER | DT_BOTTOM},
        {BS_RIGHT | BS_BOTTOM, true, true, DT_SINGLELINE},
        {0, true, false, DT_SINGLELINE | DT_VCENTER},
        {0, false, true, DT_SINGLELINE | DT_CENTER},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionAlignment(c.style, c.fixedLeft, c.fixedTop), c.format) << std::hex << c.style;
}

TEST(ScrollBarDecision, BarsOnlyWhenTheTextOverflows)
{
    // Every character 10 pixels wide, lines 10 pixels high.
    const auto measure = [](const std::wstring& line) { return static_cast<int>(line.size()) * 10; };
    struct Case
    {
        const char* name;
        const wchar_t* text;
        int width, height;
        bool horizontal, vertical;
    } cases[] = {
        {"three short lines in four", L"ab\r\ncd\r\nef\r\n", 100, 45, false, false},
        {"five lines in four", L"a\r\nb\r\nc\r\nd\r\ne\r\n", 100, 45, false, true},
        {"exactly as tall as the lines", L"a\r\nb\r\nc\r\n", 100, 30, false, true},
        {"a line exactly as wide", L"abcde", 50, 45, true, false},
        {"a line one pixel narrower", L"abcde", 51, 45, false, false},
        {"carriage return is not measured", L"abcd\r", 45, 45, false, false},
        {"trailing empty piece is no line", L"a\n", 100, 11, false, false},
        {"empty text in a box of a line", L"\r\n", 100, 11, false, false},
        {"empty text in a box under a line", L"\r\n", 100, 10, false, true},
        {"no text at all", L"", 100, 10, false, false},
        {"a blank line in the middle still counts", L"a\n\nb\nc\nd\n", 100, 45, false, true},
        {"lines after a wide one still count", L"abcdefghijkl\na\nb\nc\nd", 100, 45, true, true},
    };
    for (const Case& c : cases)
    {
        const ScrollBarNeeds needs = DecideScrollBars(c.text, c.width, c.height, 10, measure);
        EXPECT_EQ(needs.horizontal, c.horizontal) << c.name;
        EXPECT_EQ(needs.vertical, c.vertical) << c.name;
    }
}

TEST(ScrollBarDecision, StopsMeasuringOnceALineIsTooWide)
{
    int measured = 0;
    const auto measure = [&](const std::wstring& line) {
        ++measured;
        return static_cast<int>(line.size()) * 10;
    };
    DecideScrollBars(L"abcdefghijkl\na\nb\nc", 100, 100, 10, measure);
    EXPECT_EQ(measured, 1);
}

TEST(LinkColours, ParsesRedGreenBlueText)
{
    struct Case
    {
        const wchar_t* text;
        bool valid;
        COLORREF colour;
    } cases[] = {
        {L"0,0,255", true, RGB(0, 0, 255)},
        {L"128, 0, 128", true, RGB(128, 0, 128)},
        {L" 12 ,34,56 ", true, RGB(12, 34, 56)},
        {L"256,0,0", false, 0},
        {L"1,2", false, 0},
        {L"1,2,3,4", false, 0},
        {L"a,b,c", false, 0},
        {L"", false, 0},
        {L"1,,3", false, 0},
        {L"-1,2,3", false, 0},
        {L"0001,2,3", false, 0},
    };
    for (const Case& c : cases)
    {
        COLORREF colour = 0xABCDEF;
        EXPECT_EQ(ParseColourTriple(c.text, colour), c.valid) << std::string(c.text, c.text + wcslen(c.text));
        EXPECT_EQ(colour, c.valid ? c.colour : 0xABCDEFu);
    }
}
