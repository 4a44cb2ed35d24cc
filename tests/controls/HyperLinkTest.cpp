// The hyperlink control and the hyperlink with an icon, on static controls of a real dialog.
#include "TestSupport.h"
#include "support/FileBytes.h"
#include "support/RegistrySandbox.h"
#include "support/TempFolder.h"

#include "jnCommonGUI/HyperLinkIcon.h"
#include "jnCommonGUI/LinkColours.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

using namespace testing_controls;
using testsupport::FileExists;
using testsupport::RegistryValueOverride;
using testsupport::TempFolder;

namespace {

constexpr int kLinkId = 1347;
constexpr COLORREF kIconColour = RGB(220, 20, 20);
constexpr COLORREF kDisabledText = RGB(100, 100, 100);

class HyperLinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog->Clear();
        SetCursorPos(1270, 1010);
        PumpMessages(1);
        m_font = CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
        m_icon = MakeIcon(16, 0, kIconColour);
        dialog->staticBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    }
    void TearDown() override
    {
        dialog->Clear();
        DestroyIcon(m_icon);
        DeleteObject(m_font);
    }

    HWND MakeStatic(const wchar_t* text, DWORD style = 0, int width = 200, int height = 20)
    {
        HWND window = dialog->AddControl(L"STATIC", text, style, 20, 20, width, height, kLinkId);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        return window;
    }

    // The information link as the shutdown warning prepares it.
    HWND MakePopupLink(CHyperLinkIcon& link, const wchar_t* label, DWORD style = 0)
    {
        HWND window = MakeStatic(L"#Click here for more information", style);
        EXPECT_TRUE(link.SubclassWindow(window));
        link.SetLinkExtendedStyle(0x44);
        EXPECT_TRUE(link.SetIcon(m_icon, 16, 16));
        link.SetIconFlags(false, true);
        link.SetIconPosition(0, 0, 5, 0);
        link.SetLabel(label);
        return window;
    }

    static int CountPixels(HWND window, COLORREF colour, int fromX = 0)
    {
        RECT client{};
        GetClientRect(window, &client);
        Dib image(client.right, client.bottom, RGB(255, 255, 255));
        PrintClient(window, image);
        int count = 0;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = fromX; x < image.Width(); ++x)
                count += image.At(x, y) == colour;
        return count;
    }

    TestDialog* dialog = &TestDialog::Shared();
    HFONT m_font = nullptr;
    HICON m_icon = nullptr;
};

// The user's link colour values for one test; what was there before comes back afterwards.
struct LinkColourValues
{
    RegistryValueOverride link{HKEY_CURRENT_USER, kLinkColoursKey, kLinkColourValue};
    RegistryValueOverride visited{HKEY_CURRENT_USER, kLinkColoursKey, kVisitedColourValue};
};

bool WaitForFile(const std::wstring& path)
{
    for (int i = 0; i < 150 && !FileExists(path); ++i)
        PumpMessages(1);
    return FileExists(path);
}

} // namespace

TEST_F(HyperLinkTest, PopupSettingsPutTheIconAtTheOriginAndTheTextAfterIt)
{
    CHyperLinkIcon link;
    HWND window = MakePopupLink(link, L"More information");
    EXPECT_EQ(link.GetLinkRect().left, 21);
    EXPECT_EQ(link.GetLinkRect().top, 0);
    EXPECT_GT(link.GetLinkRect().right, 21);

    Dib image(200, 20);
    PrintClient(window, image);
    EXPECT_EQ(image.At(0, 0), kIconColour);
    EXPECT_EQ(image.At(15, 15), kIconColour);
    EXPECT_NE(image.At(16, 8), kIconColour);
    int firstText = -1;
    for (int x = 16; x < 200 && firstText < 0; ++x)
        for (int y = 0; y < 20; ++y)
            if (image.At(x, y) == link.GetLinkColour())
            {
                firstText = x;
                break;
            }
    EXPECT_GE(firstText, 21);
    EXPECT_LT(firstText, 25);
    EXPECT_EQ(link.GetTooltip(), nullptr) << "0x40: no tooltip";
}

TEST_F(HyperLinkTest, OnlyTheTextReactsAndHoverIsReportedOnceEachWay)
{
    CHyperLinkIcon link;
    HWND window = MakePopupLink(link, L"More information");
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(8, 8));  // over the icon
    EXPECT_FALSE(link.IsHovering());
    EXPECT_EQ(dialog->CountNotifies(kLinkHoverEnter), 0);

    for (int x = 25; x < 60; x += 5)
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, 6));
    EXPECT_TRUE(link.IsHovering());
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(8, 8));
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    PumpMessages(2);
    EXPECT_FALSE(link.IsHovering());
    EXPECT_EQ(dialog->CountNotifies(kLinkHoverEnter), 1);
    EXPECT_EQ(dialog->CountNotifies(kLinkHoverLeave), 1);
    for (const auto& n : dialog->notifies)
        EXPECT_EQ(n.id, static_cast<UINT_PTR>(kLinkId));
}

TEST_F(HyperLinkTest, RealPointerEntersAndLeavesTheText)
{
    CHyperLinkIcon link;
    HWND window = MakePopupLink(link, L"More information");
    const auto moveTo = [&](int x, int y) { PointAt(window, x, y, 3); };
    moveTo(8, 8);
    EXPECT_EQ(dialog->CountNotifies(kLinkHoverEnter), 0);
    moveTo(30, 6);
    moveTo(40, 7);
    EXPECT_TRUE(link.IsHovering());
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    moveTo(8, 8);
    moveTo(400, 300);  // out of the control altogether
    EXPECT_EQ(dialog->CountNotifies(kLinkHoverEnter), 1);
    EXPECT_EQ(dialog->CountNotifies(kLinkHoverLeave), 1);
    moveTo(30, 6);
    moveTo(600, 500);  // straight out of the window: WM_MOUSELEAVE ends the hover
    // The system notices the leave on its own timer.
    for (int i = 0; i < 100 && dialog->CountNotifies(kLinkHoverLeave) < 2; ++i)
        PumpMessages(1);
    EXPECT_FALSE(link.IsHovering());
    EXPECT_EQ(dialog->CountNotifies(kLinkHoverEnter), 2);
    EXPECT_EQ(dialog->CountNotifies(kLinkHoverLeave), 2);
    SetCursorPos(1270, 1010);
}

TEST_F(HyperLinkTest, ClickSendsTheCommandToTheDialog)
{
    CHyperLinkIcon link;
    HWND window = MakePopupLink(link, L"More information");
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 6));
    EXPECT_EQ(GetCapture(), window);
    EXPECT_EQ(GetFocus(), window);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(30, 6));
    EXPECT_NE(GetCapture(), window);
    ASSERT_EQ(dialog->commands.size(), 1u);
    EXPECT_EQ(dialog->commands[0], kLinkId);

    // Pressed on the text, released elsewhere: nothing.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 6));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(190, 6));
    EXPECT_EQ(dialog->commands.size(), 1u);
    // Pressed on the icon: not the link.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(dialog->commands.size(), 1u);
}

TEST_F(HyperLinkTest, KeyboardActivatesTheLink)
{
    CHyperLinkIcon link;
    HWND window = MakePopupLink(link, L"More information");
    EXPECT_EQ(SendMessageW(window, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS);
    SendMessageW(window, WM_CHAR, VK_RETURN, 0);
    SendMessageW(window, WM_CHAR, VK_SPACE, 0);
    SendMessageW(window, WM_CHAR, 'a', 0);
    EXPECT_EQ(dialog->commands.size(), 2u);
}

TEST_F(HyperLinkTest, NotifyStyleSendsAClickNotification)
{
    CHyperLinkIcon link;
    HWND window = MakePopupLink(link, L"More information");
    link.SetLinkExtendedStyle(kLinkNotifyButton);
    SendMessageW(window, WM_CHAR, VK_RETURN, 0);
    EXPECT_TRUE(dialog->commands.empty());
    EXPECT_EQ(dialog->CountNotifies(static_cast<UINT>(NM_CLICK)), 1);
}

TEST_F(HyperLinkTest, DisabledTextIsGreyWhateverItsState)
{
    CHyperLinkIcon link;
    HWND window = MakePopupLink(link, L"More information");
    link.SetHoverColour(true, RGB(0, 150, 0));
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(30, 6));
    ASSERT_TRUE(link.IsHovering());
    EXPECT_GT(CountPixels(window, RGB(0, 150, 0)), 10) << "hover colour while enabled";
    EnableWindow(window, FALSE);
    EXPECT_EQ(CountPixels(window, RGB(0, 150, 0)), 0);
    EXPECT_EQ(CountPixels(window, link.GetLinkColour()), 0);
    EXPECT_GT(CountPixels(window, kDisabledText), 10);
    EnableWindow(window, TRUE);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(190, 6));
    EXPECT_GT(CountPixels(window, link.GetLinkColour()), 10);
}

TEST_F(HyperLinkTest, ALinkWithoutLabelShowsAndOpensItsTarget)
{
    TempFolder folder;
    const std::wstring marker = folder.File(L"opened.txt");
    const std::wstring script = folder.File(L"open.bat");
    ASSERT_TRUE(WriteMarkerScript(script, marker));

    CHyperLinkIcon link;
    HWND window = MakeStatic(L"", 0, 600, 20);
    ASSERT_TRUE(link.SubclassWindow(window));
    link.SetHyperLink(script.c_str());
    EXPECT_EQ(link.GetLabel(), L"");
    EXPECT_GT(link.GetLinkRect().right, 100) << "measured from the target text";
    EXPECT_GT(CountPixels(window, link.GetLinkColour()), 20) << "the target is shown";
    ASSERT_NE(link.GetTooltip(), nullptr) << "a tooltip with the target";

    SendMessageW(window, WM_CHAR, VK_RETURN, 0);
    EXPECT_TRUE(WaitForFile(marker)) << "the shell opened the target";
    EXPECT_TRUE(link.IsVisited());
    EXPECT_GT(CountPixels(window, link.GetVisitedColour()), 20) << "drawn as visited";
}

TEST_F(HyperLinkTest, AFailedOpenLeavesTheLinkUnvisited)
{
    CHyperLinkIcon link;
    HWND window = MakeStatic(L"Nowhere");
    ASSERT_TRUE(link.SubclassWindow(window));
    link.SetHyperLink(L"C:\\no\\such\\folder\\file.xjnnothing");
    EXPECT_FALSE(link.Navigate());
    EXPECT_FALSE(link.IsVisited());
    CHyperLinkIcon empty;
    EXPECT_FALSE(empty.Navigate()) << "no window";
}

TEST_F(HyperLinkTest, CursorIsAHandOnlyOverAnActiveLink)
{
    CHyperLinkIcon link;
    HWND window = MakePopupLink(link, L"More information");
    PointAt(window, 30, 6);
    EXPECT_EQ(SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(30, 6));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    SetCursorPos(1270, 1010);
    PumpMessages(2);

    // Without a target and without the command style the text is only text.
    CHyperLinkIcon plain;
    HWND plainWindow = dialog->AddControl(L"STATIC", L"Plain", 0, 20, 60, 200, 20, 1348);
    ASSERT_TRUE(plain.SubclassWindow(plainWindow));
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(plainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(HyperLinkTest, FocusFrameAroundTheTextWhenFocusedTabStop)
{
    CHyperLinkIcon link;
    HWND window = MakePopupLink(link, L"More information", WS_TABSTOP);
    Dib before(200, 20);
    PrintClient(window, before);
    SetFocus(window);
    Dib focused(200, 20);
    PrintClient(window, focused);
    const RECT rect = link.GetLinkRect();
    // The dotted frame inverts every other pixel of the link rectangle's edges.
    for (int x = rect.left; x < rect.right; ++x)
    {
        const COLORREF plain = before.At(x, rect.top);
        ASSERT_EQ(focused.At(x, rect.top), (x + rect.top) % 2 ? plain ^ 0xFFFFFF : plain) << x;
    }
    EXPECT_EQ(focused.At(5, 5), before.At(5, 5)) << "the icon has no frame";
}

TEST_F(HyperLinkTest, CentredTextAndHiddenIcon)
{
    CHyperLinkIcon link;
    HWND window = MakeStatic(L"Centred");
    ASSERT_TRUE(link.SubclassWindow(window));
    ASSERT_TRUE(link.SetIcon(m_icon, 16, 16));
    link.SetIconFlags(true, false);
    link.SetIconPosition(2, 10, 30, 0);
    const RECT rect = link.GetLinkRect();
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ((rect.top + rect.bottom) / 2, 10 + 8) << "centred on the reference plus half the icon";
    EXPECT_GT(CountPixels(window, kIconColour), 100);
    link.SetShowIcon(false);
    EXPECT_EQ(CountPixels(window, kIconColour), 0);
}

TEST_F(HyperLinkTest, MissingIconResourceLeavesTheTextAtItsLeft)
{
    CHyperLinkIcon link;
    HWND window = MakeStatic(L"Text");
    ASSERT_TRUE(link.SubclassWindow(window));
    link.SetIconFlags(false, true);
    link.SetIconPosition(0, 0, 5, 0);
    EXPECT_FALSE(link.SetIcon(64998u, 16, 16));
    EXPECT_FALSE(link.SetIcon(static_cast<HICON>(nullptr), 16, 16));
    EXPECT_EQ(link.GetLinkRect().left, 0) << "measured by the plain link";
}

TEST_F(HyperLinkTest, UnderlineOnlyWhileHoveringWithThatStyle)
{
    CHyperLink link;
    HWND window = MakeStatic(L"Underline");
    ASSERT_TRUE(link.SubclassWindow(window));
    link.SetHyperLink(L"C:\\nothing");
    Dib underlined(200, 20);
    PrintClient(window, underlined);
    link.SetLinkExtendedStyle(kLinkUnderlineHover);
    Dib plain(200, 20);
    PrintClient(window, plain);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(link.IsHovering());
    Dib hovered(200, 20);
    PrintClient(window, hovered);
    int plainInk = 0, underlinedInk = 0, hoveredInk = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x)
        {
            plainInk += plain.At(x, y) == link.GetLinkColour();
            underlinedInk += underlined.At(x, y) == link.GetLinkColour();
            hoveredInk += hovered.At(x, y) == link.GetLinkColour();
        }
    EXPECT_LT(plainInk, underlinedInk);
    EXPECT_EQ(hoveredInk, underlinedInk);
}

TEST_F(HyperLinkTest, TooltipCarriesTheTargetUnlessSwitchedOff)
{
    CHyperLink link;
    HWND window = MakeStatic(L"Tip");
    ASSERT_TRUE(link.SubclassWindow(window));
    link.SetHyperLink(L"C:\\target.txt");
    HWND tooltip = link.GetTooltip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window;
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"C:\\target.txt");
    link.SetLinkExtendedStyle(kLinkNoTooltip, kLinkNoTooltip);
    EXPECT_EQ(link.GetTooltip(), nullptr);
    EXPECT_FALSE(IsWindow(tooltip));
}

TEST_F(HyperLinkTest, FontMessagesReplaceTheNormalFont)
{
    CHyperLinkIcon link;
    HWND window = MakeStatic(L"Fonts");
    ASSERT_TRUE(link.SubclassWindow(window));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), m_font);
    HFONT bigger = CreateFontW(20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    const LONG widthBefore = link.GetLinkRect().right;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(bigger), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), bigger);
    EXPECT_GT(link.GetLinkRect().right, widthBefore) << "measured again in the new font";
    LOGFONTW description{};
    GetObjectW(link.GetLinkFont(), sizeof description, &description);
    EXPECT_TRUE(description.lfUnderline);
    EXPECT_EQ(description.lfHeight, 20);
    dialog->Clear();
    DeleteObject(bigger);
}

TEST(LinkColoursFromRegistry, UserValuesReplaceTheDefaults)
{
    {
        LinkColours defaults = ReadLinkColours();
        EXPECT_EQ(defaults.link, RGB(0, 0, 255));
        EXPECT_EQ(defaults.visited, RGB(128, 0, 128));
    }
    LinkColourValues values;
    values.link.SetString(L"10,20,30");
    values.visited.SetString(L"40,50,60");
    LinkColours colours = ReadLinkColours();
    EXPECT_EQ(colours.link, RGB(10, 20, 30));
    EXPECT_EQ(colours.visited, RGB(40, 50, 60));

    values.link.SetString(L"garbage");
    values.visited.SetDword(0x123456);
    colours = ReadLinkColours();
    EXPECT_EQ(colours.link, RGB(0, 0, 255)) << "malformed text";
    EXPECT_EQ(colours.visited, RGB(128, 0, 128)) << "wrong value type";
}

TEST_F(HyperLinkTest, SubclassingTakesTheUsersLinkColour)
{
    LinkColourValues values;
    values.link.SetString(L"0,120,0");
    CHyperLinkIcon link;
    HWND window = MakeStatic(L"Green");
    ASSERT_TRUE(link.SubclassWindow(window));
    EXPECT_EQ(link.GetLinkColour(), RGB(0, 120, 0));
    link.SetHyperLink(L"C:\\x");
    EXPECT_GT(CountPixels(window, RGB(0, 120, 0)), 10);
}
