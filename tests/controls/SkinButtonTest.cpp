// Skin buttons in a real dialog under real mouse and keyboard messages.
#include "TestSupport.h"
#include "support/GdiCount.h"
#include "support/TraceCapture.h"

#include "jnCommonGUI/NonSkinnable.h"
#include "jnCommonGUI/SkinButton.h"
#include "jnCommonGUI/SkinButtonGroup.h"

#include <gtest/gtest.h>

#include <memory>

using namespace testing_controls;
using testsupport::LiveGdiObjects;
using testsupport::TraceCapture;

namespace {

constexpr int kButtonId = 1381;
constexpr int kLeft = 20, kTop = 20, kWidth = 75, kHeight = 23;

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

bool IsGrey(COLORREF c)
{
    return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c);
}

class SkinButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog->Clear();
        // The real pointer stays away, so that only the test's messages move the buttons.
        SetCursorPos(1270, 1010);
        PumpMessages(1);
        m_font = CreateFontW(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    }
    void TearDown() override
    {
        dialog->Clear();
        DeleteObject(m_font);
    }

    // A push button of the dialog taken over as a skin button with a strip of frameCount frames.
    HWND MakeButton(CSkinButton& button, const wchar_t* caption, DWORD style = BS_PUSHBUTTON, int frameCount = 5,
                    int id = kButtonId, int left = kLeft)
    {
        HWND window = dialog->AddControl(L"BUTTON", caption, style, left, kTop, kWidth, kHeight, id);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        EXPECT_TRUE(button.SubclassWindow(window));
        ScopedBitmap strip(MakeStrip(18, 21, frameCount));
        EXPECT_TRUE(button.SetBitmapStrip(strip.Get(), 18, 21, 3, 2, 0));
        return window;
    }

    // The colour of the face (inside the 3-pixel border) as the button paints itself now.
    static COLORREF Face(HWND window)
    {
        Dib image(kWidth, kHeight, RGB(1, 2, 3));
        PrintClient(window, image);
        return image.At(6, 6);
    }

    static int CountPixels(HWND window, COLORREF colour)
    {
        RECT client{};
        GetClientRect(window, &client);
        Dib image(client.right, client.bottom, RGB(1, 2, 3));
        PrintClient(window, image);
        int count = 0;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                count += image.At(x, y) == colour;
        return count;
    }

    TestDialog* dialog = &TestDialog::Shared();
    HFONT m_font = nullptr;
};

} // namespace

TEST_F(SkinButtonTest, TakesOverTheButton)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK");
    EXPECT_EQ(GetPropW(window, kNonSkinnableProperty), reinterpret_cast<HANDLE>(1));
    EXPECT_STREQ(kNonSkinnableProperty, L"NON_SKINABLE_2809%s!fgj");
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & 0x0F, BS_OWNERDRAW);
    EXPECT_EQ(button.GetState(), StateNormal);
    EXPECT_EQ(Face(window), kStateColours[0]);
}

TEST_F(SkinButtonTest, RefusesWhatItCannotTakeOver)
{
    CSkinButton button;
    EXPECT_FALSE(button.SubclassWindow(nullptr));
    EXPECT_FALSE(button.SetBitmapStrip(nullptr, 18, 21, 3, 2, 0));
    HWND window = MakeButton(button, L"OK");
    CSkinButton second;
    EXPECT_FALSE(second.SubclassWindow(window)) << "a window has one skin";
    EXPECT_FALSE(button.SetBitmapStrip(nullptr, 18, 21, 3, 2, 0));
    EXPECT_FALSE(button.SetIcon(65000u, 16, 16)) << "no such icon resource";
}

TEST_F(SkinButtonTest, StripsGiveTheStatesTheyHoldFramesFor)
{
    struct Case
    {
        const char* name;
        int width, frameHeight, frames, border;
        BYTE resize;
        WORD focusInset;
        int expectedFrame[5];  // the frame each state shows: Normal, Hot, Pressed, Disabled, Focused
    } cases[] = {
        {"18 by 105", 18, 21, 5, 3, 0, 2, {0, 1, 2, 3, 4}},
        {"18 by 84", 18, 21, 4, 3, 0, 2, {0, 1, 2, 3, 0}},
        {"39 by 51 close button", 39, 17, 3, 0, 1, 0xFFFF, {0, 1, 2, 0, 0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        dialog->Clear();
        CSkinButton button;
        HWND window = dialog->AddControl(L"BUTTON", L"", BS_PUSHBUTTON, kLeft, kTop, kWidth, kHeight, kButtonId);
        ASSERT_TRUE(button.SubclassWindow(window));
        ScopedBitmap strip(MakeStrip(c.width, c.frameHeight, c.frames));
        ASSERT_TRUE(button.SetBitmapStrip(strip.Get(), static_cast<WORD>(c.width), static_cast<WORD>(c.frameHeight),
                                          static_cast<WORD>(c.border), c.focusInset, c.resize));
        if (c.resize)
        {
            button.SetDrawFocusFrame(false);
            RECT rect{};
            GetWindowRect(window, &rect);
            EXPECT_EQ(rect.right - rect.left, c.width);
            EXPECT_EQ(rect.bottom - rect.top, c.frameHeight);
        }
        EXPECT_EQ(Face(window), kStateColours[c.expectedFrame[0]]) << "normal";

        SendMessageW(window, WM_MOUSEMOVE, 0, At(8, 8));
        EXPECT_EQ(button.GetState(), StateHot);
        EXPECT_EQ(Face(window), kStateColours[c.expectedFrame[1]]) << "hot";

        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(8, 8));
        EXPECT_EQ(button.GetState(), StatePressed);
        EXPECT_EQ(Face(window), kStateColours[c.expectedFrame[2]]) << "pressed";
        SendMessageW(window, WM_LBUTTONUP, 0, At(8, 8));
        SendMessageW(window, WM_MOUSEMOVE, 0, At(300, 300));
        PumpMessages(1);

        EnableWindow(window, FALSE);
        EXPECT_EQ(Face(window), kStateColours[c.expectedFrame[3]]) << "disabled";
        EnableWindow(window, TRUE);

        SetFocus(window);
        EXPECT_EQ(Face(window), kStateColours[c.expectedFrame[4]]) << "focused";
    }
}

TEST_F(SkinButtonTest, MagentaCornersAreOutsideTheWindow)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK");
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    const POINT outside[] = {{0, 0}, {1, 0}, {0, 1}, {74, 0}, {73, 0}, {74, 1}, {0, 22}, {74, 22}, {73, 22}};
    const POINT inside[] = {{2, 0}, {1, 1}, {37, 11}, {72, 0}, {73, 1}, {1, 21}, {72, 22}};
    for (const POINT& p : outside)
        EXPECT_FALSE(PtInRegion(region, p.x, p.y)) << p.x << "," << p.y;
    for (const POINT& p : inside)
        EXPECT_TRUE(PtInRegion(region, p.x, p.y)) << p.x << "," << p.y;
    DeleteObject(region);

    // The screen agrees: the corner belongs to the dialog under the button.
    UpdateWindow(dialog->Handle());
    POINT corner{0, 0}, middle{37, 11};
    ClientToScreen(window, &corner);
    ClientToScreen(window, &middle);
    EXPECT_EQ(WindowFromPoint(corner), dialog->Handle());
    EXPECT_EQ(WindowFromPoint(middle), window);
}

TEST_F(SkinButtonTest, ARealClickOnAMagentaCornerDoesNotReachTheButton)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK");
    const auto click = [&](int x, int y) {
        PointAt(window, x, y);
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, input, sizeof(INPUT));
        PumpMessages(4);
    };
    click(0, 0);
    click(74, 22);
    EXPECT_TRUE(dialog->commands.empty());
    click(37, 11);
    ASSERT_EQ(dialog->commands.size(), 1u);
    EXPECT_EQ(dialog->commands[0], kButtonId);
    SetCursorPos(1270, 1010);
    PumpMessages(2);
}

TEST_F(SkinButtonTest, PressMoveOutAndBackAndReleaseOutside)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK");
    button.SetHoverNotifications(111, 222);

    SendMessageW(window, WM_MOUSEMOVE, 0, At(30, 10));
    EXPECT_EQ(button.GetState(), StateHot);
    EXPECT_EQ(GetCapture(), window);
    EXPECT_EQ(dialog->CountNotifies(111), 1);

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 10));
    EXPECT_EQ(button.GetState(), StatePressed);

    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(150, 60));
    EXPECT_EQ(button.GetState(), StateHot) << "held outside";
    EXPECT_EQ(GetCapture(), window) << "a held button keeps the capture";

    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(30, 10));
    EXPECT_EQ(button.GetState(), StatePressed) << "back inside while held";

    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(150, 60));
    SendMessageW(window, WM_LBUTTONUP, 0, At(150, 60));
    PumpMessages(1);
    EXPECT_NE(GetCapture(), window);
    EXPECT_NE(button.GetState(), StatePressed);
    EXPECT_NE(button.GetState(), StateHot);
    EXPECT_TRUE(dialog->commands.empty()) << "no click when released outside";
    EXPECT_EQ(dialog->CountNotifies(111), 1);
    EXPECT_EQ(dialog->CountNotifies(222), 1);
}

TEST_F(SkinButtonTest, MovingOutWithoutTheButtonReleasesTheCapture)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK");
    SendMessageW(window, WM_MOUSEMOVE, 0, At(30, 10));
    ASSERT_EQ(GetCapture(), window);
    SendMessageW(window, WM_MOUSEMOVE, 0, At(0, 0)) ;  // a magenta corner counts as outside
    EXPECT_NE(GetCapture(), window);
    EXPECT_EQ(button.GetState(), StateNormal);
}

TEST_F(SkinButtonTest, ClickInsideSendsOneClick)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK");
    SendMessageW(window, WM_MOUSEMOVE, 0, At(30, 10));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 10));
    SendMessageW(window, WM_LBUTTONUP, 0, At(30, 10));
    PumpMessages(1);
    ASSERT_EQ(dialog->commands.size(), 1u);
    EXPECT_EQ(dialog->commands[0], kButtonId);
    EXPECT_EQ(GetFocus(), window);
    EXPECT_EQ(button.GetState(), StateFocused);
}

TEST_F(SkinButtonTest, DoubleClickActsAsAPress)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK");
    SendMessageW(window, WM_MOUSEMOVE, 0, At(30, 10));
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, At(30, 10));
    EXPECT_EQ(button.GetState(), StatePressed);
    SendMessageW(window, WM_LBUTTONUP, 0, At(30, 10));
    PumpMessages(1);
    EXPECT_EQ(dialog->commands.size(), 1u);
}

TEST_F(SkinButtonTest, SpaceKeyPressesAndClicks)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK");
    SetFocus(window);
    EXPECT_EQ(button.GetState(), StateFocused);
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_EQ(button.GetState(), StatePressed);
    EXPECT_EQ(Face(window), kStateColours[2]);
    SendMessageW(window, WM_KEYUP, VK_SPACE, 0xC0390001);
    PumpMessages(1);
    EXPECT_EQ(button.GetState(), StateFocused);
    ASSERT_EQ(dialog->commands.size(), 1u);
    EXPECT_EQ(dialog->commands[0], kButtonId);
}

TEST_F(SkinButtonTest, DisabledShowsItsImageAndGreyCaption)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"Cancel");
    const COLORREF disabledText = RGB(100, 100, 100);
    EXPECT_EQ(CountPixels(window, disabledText), 0);
    EnableWindow(window, FALSE);
    EXPECT_EQ(button.GetState(), StateDisabled);
    EXPECT_EQ(Face(window), kStateColours[3]);
    EXPECT_GT(CountPixels(window, disabledText), 10);
    // The mouse does not wake a disabled button.
    SendMessageW(window, WM_MOUSEMOVE, 0, At(30, 10));
    EXPECT_EQ(button.GetState(), StateDisabled);
    EnableWindow(window, TRUE);
    SendMessageW(window, WM_MOUSEMOVE, 0, At(300, 300));
    EXPECT_EQ(button.GetState(), StateNormal);
    EXPECT_EQ(CountPixels(window, disabledText), 0);
}

TEST_F(SkinButtonTest, StartsDisabledWhenTheWindowIs)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK", BS_PUSHBUTTON | WS_DISABLED);
    EXPECT_EQ(button.GetState(), StateDisabled);
    EXPECT_EQ(Face(window), kStateColours[3]);
}

TEST_F(SkinButtonTest, DefaultLookOnlyAfterTheDialogSetsTheStyle)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK", BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & 0x0F, BS_OWNERDRAW);
    EXPECT_EQ(button.GetState(), StateNormal);
    EXPECT_EQ(SendMessageW(window, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);

    SendMessageW(window, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(button.GetState(), StateFocused);
    EXPECT_EQ(SendMessageW(window, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & 0x0F, BS_OWNERDRAW) << "stays owner-drawn";
    // The default look has no focus frame: the top edge at the inset is plain.
    Dib image(kWidth, kHeight);
    PrintClient(window, image);
    EXPECT_EQ(image.At(3, 2), EdgeColour(kStateColours[4]));

    SendMessageW(window, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(button.GetState(), StateNormal);
    EXPECT_EQ(SendMessageW(window, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
}

TEST_F(SkinButtonTest, FocusFrameWhenFocusedUnlessSwitchedOff)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK");
    SetFocus(window);
    Dib image(kWidth, kHeight);
    PrintClient(window, image);
    const COLORREF edge = EdgeColour(kStateColours[4]);
    // The frame runs at the focus inset (2): odd pixels inverted, even ones untouched.
    EXPECT_EQ(image.At(3, 2), edge ^ 0xFFFFFF);
    EXPECT_EQ(image.At(4, 2), edge);
    EXPECT_EQ(image.At(72, 5), edge ^ 0xFFFFFF);

    button.SetDrawFocusFrame(false);
    PrintClient(window, image);
    EXPECT_EQ(image.At(3, 2), edge);
    EXPECT_EQ(image.At(72, 5), edge);
}

TEST_F(SkinButtonTest, AmpersandIsDrawnLiterally)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"&");
    EXPECT_GT(CountPixels(window, RGB(0, 0, 0)), 5) << "a lone & shows as a character";
}

TEST_F(SkinButtonTest, SettingTheTextRepaints)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"");
    EXPECT_EQ(CountPixels(window, RGB(0, 0, 0)), 0);
    SetWindowTextW(window, L"Stop");
    EXPECT_GT(CountPixels(window, RGB(0, 0, 0)), 10);
}

TEST_F(SkinButtonTest, InvalidFontIsTracedOnEveryPaint)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"Go");
    HFONT gone = CreateFontW(12, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    DeleteObject(gone);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(gone), FALSE);
    TraceCapture trace;
    Dib image(kWidth, kHeight);
    PrintClient(window, image);
    PrintClient(window, image);
    const auto records = trace.Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].type, TRACE_ERROR);
    EXPECT_EQ(records[0].message, L"Invalid font handle in button \"Go");
    EXPECT_EQ(records[0].source, L"..\\jnCommonGUI\\SkinButton");
    EXPECT_EQ(records[0].line, 1037u);
}

TEST_F(SkinButtonTest, StretchKeepsTheCornersOfTheFrames)
{
    // A frame whose every border pixel has its own colour.
    const auto colourAt = [](int x, int y) { return RGB(10 + x * 10, 20 + y * 10, 77); };
    Dib frameImage(18, 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 18; ++x)
            frameImage.Set(x, y, x >= 3 && x < 15 && y >= 3 && y < 18 ? RGB(240, 240, 200) : colourAt(x, y));
    ScopedBitmap frame(frameImage.Detach());

    HWND window = dialog->AddControl(L"BUTTON", L"", BS_PUSHBUTTON, kLeft, kTop, kWidth, kHeight, kButtonId);
    CSkinButton button;
    ASSERT_TRUE(button.SubclassWindow(window));
    ASSERT_TRUE(button.SetStateBitmaps(frame.Get(), nullptr, nullptr, nullptr, nullptr, 18, 21, 3, 2, 0));
    Dib image(kWidth, kHeight);
    PrintClient(window, image);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
        {
            EXPECT_EQ(image.At(x, y), colourAt(x, y)) << "top-left " << x << "," << y;
            EXPECT_EQ(image.At(72 + x, y), colourAt(15 + x, y)) << "top-right " << x << "," << y;
            EXPECT_EQ(image.At(x, 20 + y), colourAt(x, 18 + y)) << "bottom-left " << x << "," << y;
            EXPECT_EQ(image.At(72 + x, 20 + y), colourAt(15 + x, 18 + y)) << "bottom-right " << x << "," << y;
        }
    EXPECT_EQ(image.At(37, 11), RGB(240, 240, 200)) << "centre stretched";
    // Edges stretch along their length only: the left edge keeps its three columns.
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(GetRValue(image.At(x, 11)), GetRValue(colourAt(x, 10)));
}

TEST_F(SkinButtonTest, ResizingRebuildsImagesAndRegion)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK");
    SetWindowPos(window, nullptr, 0, 0, 120, 40, SWP_NOMOVE | SWP_NOZORDER);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 119, 39));
    EXPECT_TRUE(PtInRegion(region, 117, 39));
    EXPECT_TRUE(PtInRegion(region, 100, 30));
    DeleteObject(region);
    Dib image(120, 40);
    PrintClient(window, image);
    EXPECT_EQ(image.At(100, 30), kStateColours[0]);
    EXPECT_EQ(image.At(118, 20), EdgeColour(kStateColours[0]));
}

TEST_F(SkinButtonTest, DisabledIconIsGreyAndFaint)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"");
    HICON icon = MakeIcon(12, 0, RGB(255, 0, 0));
    button.SetIcon(icon);
    button.SetIconPosition(false, 5, 5);
    Dib image(kWidth, kHeight);
    PrintClient(window, image);
    EXPECT_EQ(image.At(10, 10), RGB(255, 0, 0));

    EnableWindow(window, FALSE);
    PrintClient(window, image);
    const COLORREF greyed = image.At(10, 10);
    EXPECT_TRUE(IsGrey(greyed) || GetRValue(greyed) != 255) << std::hex << greyed;
    EXPECT_NE(greyed, RGB(255, 0, 0));
    EXPECT_NE(greyed, kStateColours[3]) << "the icon is faint, not invisible";

    button.SetNoGreyIcon(true);
    PrintClient(window, image);
    EXPECT_EQ(image.At(10, 10), RGB(255, 0, 0));
    button.SetIcon(static_cast<HICON>(nullptr));
    DestroyIcon(icon);
}

TEST_F(SkinButtonTest, IconBesideTextCentresBothAsAGroup)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"Go");
    HICON icon = MakeIcon(10, 0, RGB(255, 0, 0));
    button.SetIcon(icon);
    button.SetIconPosition(true, 0, 0);
    button.SetIconBesideText(true);
    Dib image(kWidth, kHeight);
    PrintClient(window, image);
    int iconLeft = -1, textLeft = -1;
    for (int x = 0; x < kWidth && (iconLeft < 0 || textLeft < 0); ++x)
        for (int y = 3; y < 20; ++y)
        {
            if (iconLeft < 0 && image.At(x, y) == RGB(255, 0, 0))
                iconLeft = x;
            if (textLeft < 0 && image.At(x, y) == RGB(0, 0, 0))
                textLeft = x;
        }
    ASSERT_GE(iconLeft, 0);
    ASSERT_GE(textLeft, 0);
    EXPECT_GT(iconLeft, 10) << "moved towards the middle";
    EXPECT_GE(textLeft, iconLeft + 10 + 4) << "the text follows the icon";
    EXPECT_EQ(image.At(iconLeft, (kHeight - 10) / 2), RGB(255, 0, 0)) << "centred vertically";
    button.SetIcon(static_cast<HICON>(nullptr));
    DestroyIcon(icon);
}

TEST_F(SkinButtonTest, SecondTextInItsOwnColour)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"");
    const COLORREF green = RGB(0, 160, 0);
    button.SetSecondText(L"More");
    button.SetSecondTextColours(green, green, green, green, green);
    button.SetSecondTextPosition(4, 4);
    button.SetSecondTextFont(m_font, TRUE);
    EXPECT_GT(CountPixels(window, green), 10);
    button.SetSecondText(nullptr);
    EXPECT_EQ(CountPixels(window, green), 0);
}

TEST_F(SkinButtonTest, FixedCaptionOffsetReplacesTheAlignment)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"I");
    button.SetTextOffset(5, 4);
    Dib image(kWidth, kHeight);
    PrintClient(window, image);
    int firstInk = -1;
    for (int x = 0; x < kWidth && firstInk < 0; ++x)
        for (int y = 0; y < kHeight; ++y)
            if (image.At(x, y) == RGB(0, 0, 0))
            {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 5);
    EXPECT_LT(firstInk, 10);
}

TEST_F(SkinButtonTest, GroupChecksOneButtonAtATime)
{
    CSkinButton first, second;
    HWND firstWindow = MakeButton(first, L"A", BS_PUSHBUTTON, 5, 1501, 20);
    HWND secondWindow = MakeButton(second, L"B", BS_PUSHBUTTON, 5, 1502, 120);
    SkinButtonGroup group;
    group.Add(&first);
    group.Add(&second);
    group.Add(&second);
    EXPECT_EQ(group.GetCount(), 2);

    group.Select(0);
    EXPECT_TRUE(first.IsChecked());
    EXPECT_EQ(Face(firstWindow), kStateColours[2]);
    group.Select(&second);
    EXPECT_FALSE(first.IsChecked());
    EXPECT_TRUE(second.IsChecked());
    EXPECT_EQ(Face(firstWindow), kStateColours[0]);
    EXPECT_EQ(Face(secondWindow), kStateColours[2]);

    // A click on a grouped button does not toggle it: the group decides.
    SendMessageW(secondWindow, WM_MOUSEMOVE, 0, At(30, 10));
    SendMessageW(secondWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 10));
    SendMessageW(secondWindow, WM_LBUTTONUP, 0, At(30, 10));
    PumpMessages(1);
    EXPECT_TRUE(second.IsChecked());

    group.Select(7);
    EXPECT_FALSE(second.IsChecked());
    EXPECT_EQ(group.GetSelected(), nullptr);
    group.Select(1);
    group.Remove(&second);
    EXPECT_EQ(group.GetSelected(), nullptr);
    EXPECT_EQ(group.GetCount(), 1);
}

TEST_F(SkinButtonTest, ToggleButtonFlipsOnClickAndSpace)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"T");
    button.SetToggleMode(true);
    const auto click = [&] {
        SendMessageW(window, WM_MOUSEMOVE, 0, At(30, 10));
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 10));
        SendMessageW(window, WM_LBUTTONUP, 0, At(30, 10));
        PumpMessages(1);
    };
    click();
    EXPECT_TRUE(button.IsChecked());
    EXPECT_EQ(button.GetState(), StatePressed);
    click();
    EXPECT_FALSE(button.IsChecked());
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(window, WM_KEYUP, VK_SPACE, 0);
    PumpMessages(1);
    EXPECT_TRUE(button.IsChecked());
}

TEST_F(SkinButtonTest, CreateMakesASkinButton)
{
    CSkinButton button;
    HWND window = button.Create(dialog->Handle(), RECT{30, 60, 105, 83}, L"New", WS_CHILD | WS_VISIBLE, 0, 1400);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetDlgItem(dialog->Handle(), 1400), window);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & 0x0F, BS_OWNERDRAW);
    EXPECT_EQ(GetPropW(window, kNonSkinnableProperty), reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(button.Create(dialog->Handle(), RECT{0, 0, 10, 10}, L"Again", WS_CHILD, 0, 1401), nullptr);
}

TEST_F(SkinButtonTest, StateBitmapResourcesThatDoNotExistGiveNoImages)
{
    CSkinButton button;
    HWND window = dialog->AddControl(L"BUTTON", L"", BS_PUSHBUTTON, kLeft, kTop, kWidth, kHeight, kButtonId);
    ASSERT_TRUE(button.SubclassWindow(window));
    EXPECT_FALSE(button.SetStateBitmapResources(0, 0, 0, 0, 0, 18, 21, 3, 2, 0));
    EXPECT_FALSE(button.SetBitmapStripResource(64999, 18, 21, 3, 2, 0));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(window, region), ERROR) << "no Normal image, no region";
    DeleteObject(region);
}

TEST_F(SkinButtonTest, ALoadedStripOfAnyDepthWorks)
{
    for (int depth : {24, 32})
    {
        SCOPED_TRACE(depth);
        dialog->Clear();
        CSkinButton button;
        HWND window = dialog->AddControl(L"BUTTON", L"", BS_PUSHBUTTON, kLeft, kTop, kWidth, kHeight, kButtonId);
        ASSERT_TRUE(button.SubclassWindow(window));
        ScopedBitmap strip(MakeStrip(18, 21, 5, depth));
        ASSERT_TRUE(button.SetBitmapStrip(strip.Get(), 18, 21, 3, 2, 0));
        EXPECT_EQ(Face(window), kStateColours[0]);
    }
}

TEST_F(SkinButtonTest, LeavesNoGdiObjectsBehind)
{
    const auto cycle = [&] {
        CSkinButton button;
        HWND window = dialog->AddControl(L"BUTTON", L"OK", BS_PUSHBUTTON, kLeft, kTop, kWidth, kHeight, kButtonId);
        button.SubclassWindow(window);
        ScopedBitmap strip(MakeStrip(18, 21, 5));
        button.SetBitmapStrip(strip.Get(), 18, 21, 3, 2, 0);
        button.SetBitmapStrip(strip.Get(), 18, 21, 3, 2, 0);
        SetWindowPos(window, nullptr, 0, 0, 90, 30, SWP_NOMOVE | SWP_NOZORDER);
        SetFocus(window);
        Dib image(90, 30);
        PrintClient(window, image);
        dialog->Clear();
    };
    cycle();
    const int before = LiveGdiObjects();
    for (int i = 0; i < 5; ++i)
        cycle();
    EXPECT_EQ(LiveGdiObjects(), before);
}
