// The arithmetic behind the controls, on plain data.
#include "jnCommonGUI/ButtonStates.h"
#include "jnCommonGUI/GreyScale.h"
#include "jnCommonGUI/KeyRuns.h"
#include "jnCommonGUI/NinePartGrid.h"
#include "jnCommonGUI/ScrollBarDecision.h"
#include "winframe/LinkColours.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

// Rows of 24-bit pixels from a picture: '#' an opaque pixel, 'm' the magenta key.
std::vector<std::uint8_t> Rows(const std::vector<std::string>& picture, int& stride)
{
    const int width = static_cast<int>(picture[0].size());
    stride = Dib24Stride(width);
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * picture.size(), 0xEE);  // padding noise
    for (std::size_t y = 0; y < picture.size(); ++y)
        for (int x = 0; x < width; ++x)
        {
            std::uint8_t* pixel = &rows[y * stride + x * 3];
            const bool key = picture[y][x] == 'm';
            pixel[0] = key ? 255 : 10;  // blue
            pixel[1] = key ? 0 : 20;    // green
            pixel[2] = key ? 255 : 30;  // red
        }
    return rows;
}

std::string Describe(const std::vector<RECT>& runs)
{
    std::string text;
    for (const RECT& r : runs)
        text += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                std::to_string(r.bottom) + ")";
    return text;
}

} // namespace

TEST(KeyRuns, CutsRowsIntoRunsAroundKeyPixels)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> picture;
        const char* runs;
    } cases[] = {
        {"no key", {"####"}, "(0,0,4,1)"},
        {"all key", {"mmmm"}, ""},
        {"key at both ends", {"m##m"}, "(1,0,3,1)"},
        {"key in the middle splits", {"##m#"}, "(0,0,2,1)(3,0,4,1)"},
        {"adjacent keys make no empty run", {"#mm#"}, "(0,0,1,1)(3,0,4,1)"},
        {"rounded corners", {"mm###mm", "m#####m", "#######"}, "(2,0,5,1)(1,1,6,2)(0,2,7,3)"},
        {"odd width with padding", {"#####"}, "(0,0,5,1)"},
    };
    for (const Case& c : cases)
    {
        int stride = 0;
        const std::vector<std::uint8_t> rows = Rows(c.picture, stride);
        const auto runs = ScanKeyRuns(rows.data(), static_cast<int>(c.picture[0].size()),
                                      static_cast<int>(c.picture.size()), stride, RGB(255, 0, 255));
        EXPECT_EQ(Describe(runs), c.runs) << c.name;
    }
}

TEST(KeyRuns, ComparesAllThreeChannelsOfTheKey)
{
    // Pixels that share two channels with the key are not the key.
    const std::uint8_t row[12] = {255, 0, 255, /**/ 255, 1, 255, /**/ 254, 0, 255, /**/ 255, 0, 254};
    const auto runs = ScanKeyRuns(row, 4, 1, 12, RGB(255, 0, 255));
    EXPECT_EQ(Describe(runs), "(1,0,4,1)");
    EXPECT_TRUE(ScanKeyRuns(nullptr, 4, 1, 12, RGB(255, 0, 255)).empty());
}

TEST(NinePartGrid, KeepsCornersAndStretchesTheRest)
{
    // An 18 by 21 frame with a 3-pixel border drawn on a 75 by 23 button.
    const auto pieces = NinePartGrid(18, 21, 75, 23, 3);
    const GridPiece expected[9] = {
        {{3, 3, 69, 17}, {3, 3, 12, 15}},   // centre
        {{0, 0, 3, 3}, {0, 0, 3, 3}},       // top-left
        {{72, 0, 3, 3}, {15, 0, 3, 3}},     // top-right
        {{72, 20, 3, 3}, {15, 18, 3, 3}},   // bottom-right
        {{0, 20, 3, 3}, {0, 18, 3, 3}},     // bottom-left
        {{0, 3, 3, 17}, {0, 3, 3, 15}},     // left
        {{3, 0, 69, 3}, {3, 0, 12, 3}},     // top
        {{72, 3, 3, 17}, {15, 3, 3, 15}},   // right
        {{3, 20, 69, 3}, {3, 18, 12, 3}},   // bottom
    };
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_TRUE(pieces[i].target == expected[i].target) << "target of piece " << i;
        EXPECT_TRUE(pieces[i].source == expected[i].source) << "source of piece " << i;
    }
}

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
