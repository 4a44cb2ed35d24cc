#include "notifications/GUIObjects.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GUIObjects, FontsAreMadeAsTheirNamesSay)
{
    struct Case
    {
        const char* name;
        HFONT font;
        LONG height;
        LONG weight;
        const wchar_t* face;
        bool underline;
    };
    const CGUIObjects& g = GUIObjects();
    const Case cases[] = {
        {"Arial 14 bold", g.GetArial14Bold(), 14, FW_BOLD, L"Arial", false},
        {"Arial 14", g.GetArial14(), 14, 0, L"Arial", false},
        {"Arial 15 bold", g.GetArial15Bold(), 15, FW_BOLD, L"Arial", false},
        {"Arial 16 bold", g.GetArial16Bold(), 16, FW_BOLD, L"Arial", false},
        {"Arial 18 bold", g.GetArial18Bold(), 18, FW_BOLD, L"Arial", false},
        {"Arial 22", g.GetArial22(), 22, 0, L"Arial", false},
        {"Tahoma 11", g.GetTahoma11(), 11, 0, L"Tahoma", false},
        {"Tahoma 13", g.GetTahoma13(), 13, 0, L"Tahoma", false},
        {"Tahoma 13 bold", g.GetTahoma13Bold(), 13, FW_BOLD, L"Tahoma", false},
        {"Tahoma 13 underlined", g.GetTahoma13Underline(), 13, 0, L"Tahoma", true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        LOGFONTW font = {};
        ASSERT_TRUE(GetObjectW(c.font, sizeof(font), &font));
        EXPECT_EQ(font.lfHeight, c.height);
        EXPECT_EQ(font.lfWeight, c.weight);
        EXPECT_STREQ(font.lfFaceName, c.face);
        EXPECT_EQ(font.lfUnderline != 0, c.underline);
        EXPECT_EQ(font.lfItalic, 0);
        EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(font.lfQuality, ANTIALIASED_QUALITY);
    }
}

TEST(GUIObjects, BrushAndButtonCaptionColours)
{
    LOGBRUSH brush = {};
    ASSERT_TRUE(GetObjectW(GUIObjects().GetWhiteBrush(), sizeof(brush), &brush));
    EXPECT_EQ(brush.lbColor, 0xFFFFFFu);
    const COLORREF expected[] = {0, 0, 0, 0x646464, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(GUIObjects().GetButtonTextColour(i), expected[i]) << i;
    EXPECT_EQ(GUIObjects().GetButtonTextColour(-1), 0u);
    EXPECT_EQ(GUIObjects().GetButtonTextColour(5), 0u);
}

} // namespace
