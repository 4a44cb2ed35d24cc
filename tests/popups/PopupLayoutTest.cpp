// Where the real pop-ups' controls sit on their artwork: every control of templates 666 and 668
// in the pop-up's window, in client pixels. The layout is the one of 96 DPI at any resolution:
// this program runs at 96 DPI, where the dialog manager lays the template out, and again at
// 120 DPI, where the pop-ups lay it out again with the 8-point font of 96 DPI.
//
// The expected pixels follow from the template's dialog units and that font's base units, each
// length rounded on its own: x = trunc(x * Ux / 4 + 0.5), width = trunc(cx * Ux / 4 + 0.5), y and
// height alike with Uy / 8. Wine gives "Microsoft Sans Serif" of height -11 as Liberation Sans,
// whose base units are 6 x 12 (the test checks that first).
#include "notifications/DialogTrayMessage.h"
#include "notifications/DlgShutdownAfterTaskCompletion.h"
#include "popups/PopupTestSupport.h"
#include "support/FontBaseUnits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace popuptest;

constexpr SIZE kBaseUnits = {6, 12};

struct ControlRow
{
    int id;
    RECT units;   // the template's x, y, cx, cy
    RECT pixels;  // where it lies: left, top, right, bottom
    bool shown;
    bool placedByThePopup;  // moved and sized by the pop-up after the layout
};

const std::vector<ControlRow> kShutdownWarning = {
    {1382, {85, 140, 65, 18}, {128, 210, 226, 237}, true, false},
    {1347, {9, 119, 148, 11}, {14, 179, 236, 196}, false, false},
    {1383, {37, 25, 121, 14}, {56, 38, 238, 59}, true, false},
    {1384, {8, 48, 149, 18}, {12, 72, 236, 99}, true, false},
    {1208, {8, 67, 149, 47}, {12, 101, 236, 172}, true, false},
    {1381, {12, 140, 65, 18}, {18, 210, 116, 237}, true, false},
    {1385, {5, 6, 121, 9}, {8, 9, 190, 23}, true, false},
};

// The close button takes the size of its frame (39 x 17) and moves to 75 pixels left of the
// right edge of the laid-out dialog (180 units: 270 pixels), 7 down; then it is hidden.
const std::vector<ControlRow> kShutdownAfterTasks = {
    {1095, {143, 3, 12, 10}, {195, 7, 234, 24}, false, true},
    {1382, {85, 140, 65, 18}, {128, 210, 226, 237}, true, false},
    {1383, {37, 25, 121, 14}, {56, 38, 238, 59}, true, false},
    {1384, {8, 48, 149, 25}, {12, 72, 236, 110}, true, false},
    {1381, {12, 140, 65, 18}, {18, 210, 116, 237}, true, false},
    {1001, {51, 74, 15, 13}, {77, 111, 100, 131}, false, false},
    {1208, {5, 6, 121, 9}, {8, 9, 190, 23}, true, false},
};

int ByTheRule(int units, int baseUnit, int divisor)
{
    return static_cast<int>(units * baseUnit / static_cast<double>(divisor) + 0.5);
}

RECT LaidOut(const RECT& units)
{
    const int x = ByTheRule(units.left, kBaseUnits.cx, 4), y = ByTheRule(units.top, kBaseUnits.cy, 8);
    return {x, y, x + ByTheRule(units.right, kBaseUnits.cx, 4), y + ByTheRule(units.bottom, kBaseUnits.cy, 8)};
}

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void ExpectLayout(HWND popup, const std::vector<ControlRow>& rows)
{
    RECT client = {};
    GetClientRect(popup, &client);
    EXPECT_EQ(client.right, 242) << "the artwork's size";
    EXPECT_EQ(client.bottom, 274);
    for (const ControlRow& row : rows)
    {
        SCOPED_TRACE(row.id);
        const RECT byTheRule = LaidOut(row.units);
        if (!row.placedByThePopup)
        {
            EXPECT_TRUE(EqualRect(&row.pixels, &byTheRule))
                << "the table's " << Text(row.pixels) << " against the rule's " << Text(byTheRule);
        }
        HWND control = GetDlgItem(popup, row.id);
        ASSERT_NE(control, nullptr);
        RECT rect = {};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, popup, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(EqualRect(&rect, &row.pixels)) << Text(rect) << " against " << Text(row.pixels);
        EXPECT_EQ(IsWindowVisible(control) != FALSE, row.shown);
    }
}

TEST(PopupLayout, TheControlsSitOnTheArtworkAsLaidOutAt96Dpi)
{
    SCOPED_TRACE("at " + std::to_string(ScreenDpi()) + " DPI");
    // The template's font at 96 DPI: 8 points, height -11.
    const SIZE units = testsupport::DialogBaseUnitsOf(-11, L"Microsoft Sans Serif");
    ASSERT_EQ(units.cx, kBaseUnits.cx) << "the table assumes other base units";
    ASSERT_EQ(units.cy, kBaseUnits.cy) << "the table assumes other base units";
    {
        SCOPED_TRACE("shutdown warning, template 666");
        DialogTrayMessage dialog;
        PopupWatch watch(WhenShown([&](HWND popup) {
            DriveSlideIn(popup);
            ExpectLayout(popup, kShutdownWarning);
            AnswerAndDriveOut(popup, 1382);
        }));
        EXPECT_EQ(dialog.ShowModal(), 1);
        EXPECT_TRUE(watch.Done());
    }
    {
        SCOPED_TRACE("shutdown after tasks, template 668");
        CDlgShutdownAfterTaskCompletion dialog;
        PopupWatch watch(WhenShown([&](HWND popup) {
            DriveSlideIn(popup);
            ExpectLayout(popup, kShutdownAfterTasks);
            AnswerAndDriveOut(popup, 1381);
        }));
        dialog.Show(nullptr);
        EXPECT_TRUE(watch.Done());
    }
}

} // namespace
