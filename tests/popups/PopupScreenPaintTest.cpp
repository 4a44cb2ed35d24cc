// What the two blocking pop-ups show on the screen after their own WM_PAINT (no DC given: the
// paint DC of BeginPaint), read back from the screen: the skin wherever no control lies over it,
// and the countdown's icon with its seconds. Once with an off-screen image to compose in, once
// without (the system refuses the bitmap to a process that has used up its GDI objects).
#include "notifications/DialogTrayMessage.h"
#include "notifications/DlgShutdownAfterTaskCompletion.h"
#include "popups/PopupTestSupport.h"
#include "support/RefusedBitmaps.h"
#include "support/ScreenPixels.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace popuptest;
using testsupport::ScreenPicture;

// Nothing the pop-ups paint has this colour: what still shows it was not painted.
constexpr COLORREF kCover = RGB(255, 0, 255);

// A picture the test paints itself, of a window's client size, read pixel by pixel.
class MemoryPicture
{
public:
    explicit MemoryPicture(HWND window)
    {
        RECT client = {};
        GetClientRect(window, &client);
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        ReleaseDC(nullptr, screen);
        m_previous = SelectObject(m_dc, m_bitmap);
    }
    ~MemoryPicture()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;

    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};

// The pop-up's skin, as its background bitmap has it.
class Skin
{
public:
    explicit Skin(HBITMAP background) : m_dc(CreateCompatibleDC(nullptr)), m_previous(SelectObject(m_dc, background)) {}
    ~Skin()
    {
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    Skin(const Skin&) = delete;
    Skin& operator=(const Skin&) = delete;

    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

bool Inside(const RECT& area, int x, int y)
{
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

// Covers the pop-up on the screen and lets it paint itself through its WM_PAINT, with or without
// off-screen bitmaps to be had.
void CoverAndRepaint(HWND popup, bool bitmapsRefused)
{
    std::unique_ptr<testsupport::RefusedBufferBitmaps> refused;
    if (bitmapsRefused)
        refused = std::make_unique<testsupport::RefusedBufferBitmaps>();
    testsupport::CoverOnScreen(popup, kCover);
    testsupport::RepaintNow(popup);
}

// The skin shows at every point (a grid of them) that no visible control covers and that lies
// outside painted (the pop-up's own content, checked by the caller).
void ExpectSkinOnScreen(HWND popup, HBITMAP background, const RECT& painted)
{
    RECT client = {};
    GetClientRect(popup, &client);
    const ScreenPicture screen(popup, client);
    const Skin skin(background);
    int checked = 0, differing = 0;
    for (int y = 0; y < client.bottom; y += 5)
        for (int x = 0; x < client.right; x += 5)
        {
            if (Inside(painted, x, y) || ChildWindowFromPointEx(popup, {x, y}, CWP_SKIPINVISIBLE) != popup)
                continue;
            ++checked;
            differing += screen.At(x, y) != skin.At(x, y);
        }
    EXPECT_GT(checked, 1000);
    EXPECT_EQ(differing, 0) << "of " << checked << " points of the skin";
}

struct BufferCase
{
    const char* name;
    bool bitmapsRefused;
};

const BufferCase kBuffers[] = {
    {"composed off screen", false},
    {"no off-screen image to be had", true},
};

TEST(PopupsOnScreen, TheShutdownWarningShowsItsSkinAfterItsOwnPaint)
{
    for (const BufferCase& c : kBuffers)
    {
        SCOPED_TRACE(c.name);
        DialogTrayMessage dialog;
        bool visited = false;
        PopupWatch watch(WhenShown([&](HWND popup) {
            visited = true;
            DriveSlideIn(popup);
            CoverAndRepaint(popup, c.bitmapsRefused);
            ExpectSkinOnScreen(popup, dialog.BackgroundBitmap(), RECT{});
            AnswerAndDriveOut(popup, 1382);
        }));
        EXPECT_EQ(dialog.ShowModal(), 1);
        EXPECT_TRUE(visited);
    }
}

TEST(PopupsOnScreen, TheCountdownShowsItsSkinAndItsIconAfterItsOwnPaintAndItsTimers)
{
    for (const BufferCase& c : kBuffers)
    {
        SCOPED_TRACE(c.name);
        CDlgShutdownAfterTaskCompletion dialog;
        bool visited = false;
        PopupWatch watch(WhenShown([&](HWND popup) {
            visited = true;
            DriveSlideIn(popup);
            const POINT at = dialog.IconPosition();
            const RECT icon = {at.x, at.y, at.x + dialog.IconSize().cx, at.y + dialog.IconSize().cy};
            // The screen's icon area against the icon as the pop-up composes it off screen now.
            const auto expectIconAsComposed = [&](const char* when) {
                const ScreenPicture screen(popup, icon);
                const MemoryPicture composed(popup);
                dialog.DrawContent(composed.Dc());
                int differing = 0, counter = 0;
                for (int y = icon.top; y < icon.bottom; ++y)
                    for (int x = icon.left; x < icon.right; ++x)
                    {
                        differing += screen.At(x, y) != composed.At(x, y);
                        counter += screen.At(x, y) == CDlgShutdownAfterTaskCompletion::kCounterColour;
                    }
                EXPECT_EQ(differing, 0) << when;
                EXPECT_GT(counter, 20) << when << ": the seconds show over the icon";
            };

            CoverAndRepaint(popup, c.bitmapsRefused);
            ExpectSkinOnScreen(popup, dialog.BackgroundBitmap(), icon);
            expectIconAsComposed("after WM_PAINT");

            // The timers paint the next frame and second straight onto the window, without a WM_PAINT.
            {
                std::unique_ptr<testsupport::RefusedBufferBitmaps> refused;
                if (c.bitmapsRefused)
                    refused = std::make_unique<testsupport::RefusedBufferBitmaps>();
                SendMessageW(popup, WM_TIMER, kAnimationTimer, 0);
                SendMessageW(popup, WM_TIMER, kCountdownTimer, 0);
            }
            testsupport::LetTheScreenCatchUp();
            expectIconAsComposed("after the timers");
            AnswerAndDriveOut(popup, 1381);
        }));
        dialog.Show(nullptr);
        EXPECT_TRUE(visited);
    }
}

} // namespace
