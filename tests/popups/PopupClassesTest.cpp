// The two pop-up classes in this process, where their state can be read: the countdown and its
// animation, what they paint and where, the fonts they borrow, the hidden information link.
#include "notifications/DialogTrayMessage.h"
#include "notifications/DlgShutdownAfterTaskCompletion.h"
#include "notifications/GUIObjects.h"
#include "popups/PopupTestSupport.h"
#include "support/EnglishTexts.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace popuptest;

testing::Environment* const g_englishTexts = testing::AddGlobalTestEnvironment(new testsupport::EnglishTexts);

// A window's client area as 0x00RRGGBB pixels, row by row.
struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;

    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool SameIn(const Picture& other, const RECT& area) const
    {
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y) != other.At(x, y))
                    return false;
        return true;
    }
    int CountIn(const RECT& area, DWORD colour) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += At(x, y) == colour;
        return count;
    }
};

DWORD Pixel(COLORREF colour)
{
    return (static_cast<DWORD>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

const COLORREF kFill = RGB(0, 255, 0);

// Draws into a picture of the window's client size: filled with kFill first, then draw(dc).
template <class Draw>
Picture Capture(HWND window, Draw draw)
{
    RECT client = {};
    GetClientRect(window, &client);
    Picture picture;
    picture.width = client.right;
    picture.height = client.bottom;
    picture.pixels.resize(static_cast<size_t>(client.right) * client.bottom);
    HDC windowDC = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH fill = CreateSolidBrush(kFill);
    FillRect(memory, &client, fill);
    DeleteObject(fill);
    draw(memory, windowDC);
    SelectObject(memory, previous);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(memory, bitmap, 0, client.bottom, picture.pixels.data(), &info, DIB_RGB_COLORS);
    for (DWORD& pixel : picture.pixels)
        pixel &= 0x00FFFFFF;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDC);
    return picture;
}

// What DrawContent paints into a DC of its own.
Picture ContentOf(CDlgShutdownAfterTaskCompletion& popup)
{
    return Capture(popup.m_hWnd, [&](HDC memory, HDC) { popup.DrawContent(memory); });
}

// What the window itself shows now.
Picture WindowPicture(HWND window)
{
    return Capture(window, [&](HDC memory, HDC windowDC) {
        RECT client = {};
        GetClientRect(window, &client);
        BitBlt(memory, 0, 0, client.right, client.bottom, windowDC, 0, 0, SRCCOPY);
    });
}

TEST(ShutdownAfterTasksPopup, CountsDownOverItsAnimatedIconAndPaintsOnlyThere)
{
    CDlgShutdownAfterTaskCompletion dialog;
    bool visited = false;
    PopupWatch watch(WhenShown([&](HWND popup) {
        visited = true;
        ASSERT_EQ(popup, dialog.m_hWnd);
        EXPECT_EQ(dialog.SecondsLeft(), 29) << "29 when it comes";
        EXPECT_EQ(dialog.FrameCount(), 23u);

        // The icon takes the place of the hidden control 1001, at the frames' size.
        HWND place = GetDlgItem(popup, 1001);
        EXPECT_FALSE(IsWindowVisible(place));
        RECT placeRect = {};
        GetWindowRect(place, &placeRect);
        MapWindowPoints(nullptr, popup, reinterpret_cast<POINT*>(&placeRect), 2);
        EXPECT_EQ(dialog.IconPosition().x, placeRect.left);
        EXPECT_EQ(dialog.IconPosition().y, placeRect.top);
        EXPECT_EQ(dialog.IconSize().cx, 85);
        EXPECT_EQ(dialog.IconSize().cy, 84);
        const RECT icon = {dialog.IconPosition().x, dialog.IconPosition().y,
                           dialog.IconPosition().x + dialog.IconSize().cx,
                           dialog.IconPosition().y + dialog.IconSize().cy};

        // It paints the icon area and nothing else, with the counter in its colour.
        Picture before = ContentOf(dialog);
        RECT whole = {0, 0, before.width, before.height};
        const int outside = before.width * before.height - (icon.right - icon.left) * (icon.bottom - icon.top);
        EXPECT_EQ(before.CountIn(whole, Pixel(kFill)), outside);
        EXPECT_EQ(before.CountIn(icon, Pixel(kFill)), 0);
        EXPECT_GT(before.CountIn(icon, Pixel(CDlgShutdownAfterTaskCompletion::kCounterColour)), 20)
            << "the seconds are drawn over the icon";

        // One less each second, down to 0, where it stays.
        for (int expected = 28; expected >= 0; --expected)
        {
            SendMessageW(popup, WM_TIMER, kCountdownTimer, 0);
            EXPECT_EQ(dialog.SecondsLeft(), expected);
            const Picture after = ContentOf(dialog);
            EXPECT_FALSE(after.SameIn(before, icon)) << "the counter at " << expected << " was not repainted";
            before = after;
        }
        for (int tick = 0; tick < 3; ++tick)
        {
            SendMessageW(popup, WM_TIMER, kCountdownTimer, 0);
            EXPECT_EQ(dialog.SecondsLeft(), 0);
            EXPECT_TRUE(ContentOf(dialog).SameIn(before, icon));
        }

        // The animation steps through the 23 frames and wraps from 22 to 0.
        int frame = dialog.FrameIndex();
        Picture framePicture = ContentOf(dialog);
        bool wrapped = false;
        for (int tick = 0; tick < 30; ++tick)
        {
            SendMessageW(popup, WM_TIMER, kAnimationTimer, 0);
            const int expected = frame == 22 ? 0 : frame + 1;
            wrapped = wrapped || (frame == 22 && dialog.FrameIndex() == 0);
            EXPECT_EQ(dialog.FrameIndex(), expected);
            frame = dialog.FrameIndex();
            const Picture next = ContentOf(dialog);
            EXPECT_FALSE(next.SameIn(framePicture, icon)) << "frame " << frame << " looks like the one before";
            framePicture = next;
        }
        EXPECT_TRUE(wrapped);

        // The timers paint straight onto the window, without waiting for a WM_PAINT.
        DriveSlideIn(popup);
        SendMessageW(popup, WM_TIMER, kAnimationTimer, 0);
        EXPECT_TRUE(WindowPicture(popup).SameIn(ContentOf(dialog), icon));

        AnswerAndDriveOut(popup, 1381);
    }));
    dialog.Show(nullptr);
    EXPECT_TRUE(visited);
    EXPECT_TRUE(dialog.GetResult());
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.FrameCount(), 0u) << "the frames go with the window";
}

TEST(ShutdownAfterTasksPopup, DrawsTheCounterInBoldArialOf38Pixels)
{
    CDlgShutdownAfterTaskCompletion dialog;
    LOGFONTW font = {};
    ASSERT_TRUE(GetObjectW(dialog.CounterFont(), sizeof(font), &font));
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    EXPECT_EQ(font.lfHeight, 38);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfQuality, CLEARTYPE_QUALITY);
}

TEST(ShutdownAfterTasksPopup, KeepsItsCloseButtonHiddenButHearsIt)
{
    CDlgShutdownAfterTaskCompletion dialog;
    PopupWatch watch(WhenShown([&](HWND popup) {
        HWND close = GetDlgItem(popup, 1095);
        ASSERT_NE(close, nullptr);
        EXPECT_FALSE(IsWindowVisible(close));
        RECT frame = {};
        GetWindowRect(close, &frame);
        EXPECT_EQ(frame.right - frame.left, 39) << "the size of one frame of the close-button strip";
        EXPECT_EQ(frame.bottom - frame.top, 17);
        DriveSlideIn(popup);
        AnswerAndDriveOut(popup, 1095);
    }));
    dialog.Show(nullptr);
    EXPECT_FALSE(dialog.GetResult());
}

// The static texts borrow the shared fonts; none is made for one pop-up.
TEST(PopupFonts, TheStaticsUseTheSharedFonts)
{
    struct Row
    {
        int id;
        HFONT font;
    };
    const CGUIObjects& gui = GUIObjects();
    const std::vector<Row> warningRows = {{1383, gui.GetArial18Bold()},
                                          {1384, gui.GetArial14Bold()},
                                          {1208, gui.GetArial14()},
                                          {1385, gui.GetArial14Bold()}};
    const std::vector<Row> afterTasksRows = {
        {1383, gui.GetArial18Bold()}, {1384, gui.GetArial14Bold()}, {1208, gui.GetArial14Bold()}};
    auto check = [](const std::vector<Row>& rows) {
        return WhenShown([rows](HWND popup) {
            for (const Row& row : rows)
                EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(popup, row.id), WM_GETFONT, 0, 0)), row.font)
                    << "control " << row.id;
            DriveSlideIn(popup);
            AnswerAndDriveOut(popup, 1382);
        });
    };
    {
        DialogTrayMessage dialog;
        PopupWatch watch(check(warningRows));
        dialog.ShowModal();
        EXPECT_TRUE(watch.Done());
    }
    {
        CDlgShutdownAfterTaskCompletion dialog;
        PopupWatch watch(check(afterTasksRows));
        dialog.Show(nullptr);
        EXPECT_TRUE(watch.Done());
    }
}

// Prepared as a command link with its icon and label, but never shown.
TEST(ShutdownWarningPopup, PreparesTheInformationLinkButLeavesItHidden)
{
    DialogTrayMessage dialog;
    PopupWatch watch(WhenShown([&](HWND popup) {
        const CHyperLinkIcon& link = dialog.InfoLink();
        EXPECT_EQ(link.m_hWnd, GetDlgItem(popup, 1347));
        EXPECT_FALSE(IsWindowVisible(link.m_hWnd));
        EXPECT_EQ(link.GetLinkExtendedStyle(), 0x44u) << "a click would be a command, with no tooltip";
        EXPECT_EQ(link.GetLabel(), L"Click here for more information");
        EXPECT_EQ(link.GetLinkRect().left, 21) << "the text starts after the 16-pixel icon and 5 pixels";
        DriveSlideIn(popup);
        AnswerAndDriveOut(popup, 1382);
    }));
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_TRUE(watch.Done());
    EXPECT_EQ(dialog.GetResult(), 0);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

} // namespace
