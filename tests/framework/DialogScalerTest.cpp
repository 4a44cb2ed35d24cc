#include "jnCommonGUI/DialogScaler.h"
#include "res/resource.h"
#include "support/FontBaseUnits.h"
#include "support/GdiCount.h"
#include "support/TemplateBuilder.h"
#include "winframe/ModuleInstance.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using testsupport::LiveGdiObjects;
using testsupport::TemplateBuilder;

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// A dialog window for one test, destroyed at the end.
class TestDialog
{
public:
    explicit TestDialog(WORD templateId)
        : m_window(CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId), nullptr, PlainDialogProc, 0))
    {
    }
    explicit TestDialog(const std::vector<BYTE>& bytes)
        : m_window(CreateDialogIndirectParamW(ModuleInstance(), reinterpret_cast<const DLGTEMPLATE*>(bytes.data()),
                                              nullptr, PlainDialogProc, 0))
    {
    }
    ~TestDialog()
    {
        if (IsWindow(m_window))
            DestroyWindow(m_window);
    }
    HWND Get() const { return m_window; }

private:
    HWND m_window;
};

RECT ChildRect(HWND dialog, int id)
{
    RECT rect = {};
    HWND control = GetDlgItem(dialog, id);
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::map<int, RECT> ChildRects(HWND dialog)
{
    std::map<int, RECT> rects;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        rects[GetDlgCtrlID(child)] = ChildRect(dialog, GetDlgCtrlID(child));
    return rects;
}

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

LOGFONTW FontOf(HFONT font)
{
    LOGFONTW log = {};
    GetObjectW(font, sizeof(log), &log);
    return log;
}

HFONT WindowFont(HWND window)
{
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

bool ScreenAt(int dpi)
{
    HDC screen = GetDC(nullptr);
    const bool at = GetDeviceCaps(screen, LOGPIXELSX) == dpi && GetDeviceCaps(screen, LOGPIXELSY) == dpi;
    ReleaseDC(nullptr, screen);
    return at;
}

// Template 666 in dialog units (x, y, cx, cy) and its size.
const std::map<int, RECT> kShutdownWarningUnits = {
    {IDC_SECOND_BUTTON, {85, 140, 65, 18}}, {IDC_INFO_LINK, {9, 119, 148, 11}}, {IDC_TITLE, {37, 25, 121, 14}},
    {IDC_MESSAGE, {8, 48, 149, 18}},        {IDC_SCROLL_TEXT, {8, 67, 149, 47}}, {IDC_FIRST_BUTTON, {12, 140, 65, 18}},
    {IDC_CAPTION, {5, 6, 121, 9}},
};
constexpr SIZE kShutdownWarningSize = {180, 194};

// Where template 666's controls lie (client pixels) with "Microsoft Sans Serif" of height -11,
// the font 8 points make at 96 DPI. Each length is rounded on its own, as the dialog manager does.
std::map<int, RECT> LayoutAt96()
{
    const SIZE u = testsupport::DialogBaseUnitsOf(-11, L"Microsoft Sans Serif");
    std::map<int, RECT> rects;
    for (const auto& [id, r] : kShutdownWarningUnits)
    {
        const int x = MulDiv(r.left, u.cx, 4), y = MulDiv(r.top, u.cy, 8);
        rects[id] = {x, y, x + MulDiv(r.right, u.cx, 4), y + MulDiv(r.bottom, u.cy, 8)};
    }
    return rects;
}

SIZE ClientAt96()
{
    const SIZE u = testsupport::DialogBaseUnitsOf(-11, L"Microsoft Sans Serif");
    return {MulDiv(kShutdownWarningSize.cx, u.cx, 4), MulDiv(kShutdownWarningSize.cy, u.cy, 8)};
}

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(DialogScalerArithmetic, FollowsTheDialogUnitRules)
{
    EXPECT_EQ(FontHeightAtDpi(8, 96.0), -11);  // 8 x 96 / 72 + 0.5 = 11.17
    EXPECT_EQ(FontHeightAtDpi(9, 96.0), -12);
    EXPECT_EQ(FontHeightAtDpi(8, 120.0), -13);
    EXPECT_EQ(DialogUnitsToPixels(12, 6, 4), 18);  // 12 x 6 / 4 + 0.5 = 18.5, truncated
    EXPECT_EQ(DialogUnitsToPixels(140, 13, 8), 228);
    EXPECT_EQ(DialogUnitsToPixels(0, 13, 8), 0);
    const SIZE units = DialogBaseUnits(286, 13);  // 286 / 26 = 11, (11 + 1) / 2 = 6
    EXPECT_EQ(units.cx, 6);
    EXPECT_EQ(units.cy, 13);
}

class DialogScaler96 : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!ScreenAt(96))
            GTEST_SKIP() << "the screen is not at 96 DPI";
    }
};

// Checks the measured layout against the dialog manager's own, which the 120-DPI run relies on.
TEST_F(DialogScaler96, TheExpectedLayoutIsTheDialogManagers)
{
    TestDialog dialog(IDD_SHUTDOWN_WARNING);
    ASSERT_NE(dialog.Get(), nullptr);
    const std::map<int, RECT> rects = ChildRects(dialog.Get());
    const std::map<int, RECT> expected = LayoutAt96();
    ASSERT_EQ(rects.size(), expected.size());
    for (const auto& [id, rect] : expected)
        EXPECT_TRUE(Same(rects.at(id), rect)) << id << ": " << Text(rects.at(id)) << " against " << Text(rect);
    RECT client = {};
    GetClientRect(dialog.Get(), &client);
    EXPECT_EQ(client.right, ClientAt96().cx);
    EXPECT_EQ(client.bottom, ClientAt96().cy);
}

TEST_F(DialogScaler96, ChangesNothing)
{
    TestDialog dialog(IDD_SHUTDOWN_WARNING);
    ASSERT_NE(dialog.Get(), nullptr);
    const std::map<int, RECT> before = ChildRects(dialog.Get());
    RECT frameBefore = {};
    GetWindowRect(dialog.Get(), &frameBefore);
    const HFONT fontBefore = WindowFont(dialog.Get());
    const int objects = LiveGdiObjects(OBJ_FONT);
    {
        CDialogScaler scaler;
        scaler.Apply(ModuleInstance(), dialog.Get(), IDD_SHUTDOWN_WARNING, 96.0, 0);
        EXPECT_FALSE(scaler.IsApplied());
        EXPECT_EQ(scaler.ScaledFont(), nullptr);
        EXPECT_EQ(LiveGdiObjects(OBJ_FONT), objects);
        EXPECT_EQ(WindowFont(dialog.Get()), fontBefore);
        for (const auto& [id, rect] : ChildRects(dialog.Get()))
            EXPECT_TRUE(Same(rect, before.at(id))) << id;
        RECT frame = {};
        GetWindowRect(dialog.Get(), &frame);
        EXPECT_TRUE(Same(frame, frameBefore));
    }
    EXPECT_EQ(WindowFont(dialog.Get()), fontBefore) << "restoring nothing changes nothing";
}

class DialogScaler120 : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!ScreenAt(120))
            GTEST_SKIP() << "runs in the 120-DPI prefix only";
    }
};

TEST_F(DialogScaler120, LaysTheShippedTemplateOutAsAt96Dpi)
{
    TestDialog dialog(IDD_SHUTDOWN_WARNING);
    ASSERT_NE(dialog.Get(), nullptr);
    const LONG windowsFont = FontOf(WindowFont(dialog.Get())).lfHeight;
    EXPECT_LT(windowsFont, -11) << "the dialog manager made a larger font at 120 DPI";

    CDialogScaler scaler;
    scaler.Apply(ModuleInstance(), dialog.Get(), IDD_SHUTDOWN_WARNING, 96.0, 0);
    ASSERT_TRUE(scaler.IsApplied());
    const LOGFONTW scaled = FontOf(scaler.ScaledFont());
    EXPECT_EQ(scaled.lfHeight, -11);
    EXPECT_EQ(scaled.lfWeight, 400);
    EXPECT_STREQ(scaled.lfFaceName, L"Microsoft Sans Serif");

    const std::map<int, RECT> rects = ChildRects(dialog.Get());
    for (const auto& [id, rect] : LayoutAt96())
    {
        SCOPED_TRACE(id);
        EXPECT_TRUE(Same(rects.at(id), rect)) << Text(rects.at(id)) << " against " << Text(rect);
        HFONT controlFont = WindowFont(GetDlgItem(dialog.Get(), id));
        EXPECT_EQ(controlFont, scaler.ControlFont(id));
        EXPECT_EQ(FontOf(controlFont).lfHeight, -11);
        EXPECT_STREQ(FontOf(controlFont).lfFaceName, L"Microsoft Sans Serif");
    }
    RECT client = {};
    GetClientRect(dialog.Get(), &client);
    EXPECT_EQ(client.right, ClientAt96().cx);
    EXPECT_EQ(client.bottom, ClientAt96().cy);
}

TEST_F(DialogScaler120, ATemplateWithoutTheSetFontBitGetsEightPointTahoma)
{
    TemplateBuilder::Item button;
    button.id = 10;
    button.windowClass = WORD(0x80);
    button.x = 12, button.y = 16, button.cx = 40, button.cy = 16;
    const std::vector<BYTE> bytes = TemplateBuilder(false, WS_POPUP, 100, 60).Add(button).Build();
    TestDialog dialog(bytes);
    ASSERT_NE(dialog.Get(), nullptr);
    CDialogScaler scaler;
    scaler.ApplyTemplate(dialog.Get(), bytes.data(), bytes.size(), 96.0, 0);
    ASSERT_TRUE(scaler.IsApplied());
    const LOGFONTW scaled = FontOf(scaler.ScaledFont());
    EXPECT_EQ(scaled.lfHeight, -11);
    EXPECT_EQ(scaled.lfWeight, 400);
    EXPECT_STREQ(scaled.lfFaceName, L"Tahoma");
    EXPECT_STREQ(FontOf(scaler.ControlFont(10)).lfFaceName, L"Tahoma");
}

TEST_F(DialogScaler120, RestoreGivesTheFirstFontBackAndFreesEverything)
{
    TestDialog dialog(IDD_SHUTDOWN_WARNING);
    const HFONT first = WindowFont(dialog.Get());
    CDialogScaler scaler;
    const int objects = LiveGdiObjects(OBJ_FONT);
    scaler.Apply(ModuleInstance(), dialog.Get(), IDD_SHUTDOWN_WARNING, 96.0, 0);
    EXPECT_EQ(LiveGdiObjects(OBJ_FONT), objects + 8) << "one dialog font and one font per control";
    scaler.Apply(ModuleInstance(), dialog.Get(), IDD_SHUTDOWN_WARNING, 96.0, 0);
    EXPECT_EQ(LiveGdiObjects(OBJ_FONT), objects + 8) << "a second Apply restores the first";
    scaler.Restore();
    EXPECT_FALSE(scaler.IsApplied());
    EXPECT_EQ(LiveGdiObjects(OBJ_FONT), objects);
    EXPECT_EQ(WindowFont(dialog.Get()), first);
    EXPECT_EQ(WindowFont(GetDlgItem(dialog.Get(), IDC_TITLE)), first);
}

TEST_F(DialogScaler120, AWindowDestroyedBeforeTheScalerLeavesNothingBehind)
{
    const int objects = LiveGdiObjects(OBJ_FONT);
    {
        CDialogScaler scaler;
        {
            TestDialog dialog(IDD_SHUTDOWN_WARNING);
            scaler.Apply(ModuleInstance(), dialog.Get(), IDD_SHUTDOWN_WARNING, 96.0, 0);
        }
    }
    EXPECT_EQ(LiveGdiObjects(OBJ_FONT), objects);
}

TEST_F(DialogScaler120, AControlMissingFromTheWindowEndsTheControlPass)
{
    auto item = [](DWORD id, short x) {
        TemplateBuilder::Item i;
        i.id = id;
        i.windowClass = WORD(0x82);
        i.x = x, i.y = 10, i.cx = 20, i.cy = 10;
        return i;
    };
    const std::vector<BYTE> made =
        TemplateBuilder(true, DS_SETFONT | WS_POPUP, 150, 60).Font(8, L"Tahoma").Add(item(1, 10)).Add(item(3, 70)).Build();
    const std::vector<BYTE> applied = TemplateBuilder(true, DS_SETFONT | WS_POPUP, 150, 60)
                                          .Font(8, L"Tahoma")
                                          .Add(item(1, 40))
                                          .Add(item(2, 50))
                                          .Add(item(3, 100))
                                          .Build();
    TestDialog dialog(made);
    const RECT third = ChildRect(dialog.Get(), 3);
    const RECT firstBefore = ChildRect(dialog.Get(), 1);
    CDialogScaler scaler;
    scaler.ApplyTemplate(dialog.Get(), applied.data(), applied.size(), 96.0, 0);
    EXPECT_FALSE(Same(ChildRect(dialog.Get(), 1), firstBefore)) << "the control before the gap moved";
    EXPECT_TRUE(Same(ChildRect(dialog.Get(), 3), third)) << "the control after the gap stayed";
    EXPECT_EQ(scaler.ControlFont(3), nullptr);
}

TEST_F(DialogScaler120, AnExcludedControlKeepsItsPlaceButGetsTheFont)
{
    TestDialog dialog(IDD_SHUTDOWN_WARNING);
    const RECT title = ChildRect(dialog.Get(), IDC_TITLE);
    CDialogScaler scaler;
    scaler.ExcludeControl(IDC_TITLE);
    scaler.Apply(ModuleInstance(), dialog.Get(), IDD_SHUTDOWN_WARNING, 96.0, 0);
    EXPECT_TRUE(Same(ChildRect(dialog.Get(), IDC_TITLE), title));
    EXPECT_TRUE(Same(ChildRect(dialog.Get(), IDC_CAPTION), LayoutAt96().at(IDC_CAPTION)));
    EXPECT_NE(scaler.ControlFont(IDC_TITLE), nullptr);
}

TEST_F(DialogScaler120, AMissingTemplateChangesNothing)
{
    TestDialog dialog(IDD_SHUTDOWN_WARNING);
    const std::map<int, RECT> before = ChildRects(dialog.Get());
    const HFONT font = WindowFont(dialog.Get());
    const int objects = LiveGdiObjects(OBJ_FONT);
    CDialogScaler scaler;
    scaler.Apply(ModuleInstance(), dialog.Get(), 4242, 96.0, 0);
    EXPECT_FALSE(scaler.IsApplied());
    EXPECT_EQ(LiveGdiObjects(OBJ_FONT), objects);
    EXPECT_EQ(WindowFont(dialog.Get()), font);
    for (const auto& [id, rect] : ChildRects(dialog.Get()))
        EXPECT_TRUE(Same(rect, before.at(id))) << id;
}

} // namespace
