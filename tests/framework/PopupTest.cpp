#include "framework/TestPopup.h"
#include "support/GdiCount.h"
#include "support/MessagePump.h"
#include "winframe/WindowSubclass.h"

#include <gtest/gtest.h>

namespace {

using testsupport::PumpMessagesUntil;

constexpr int kWidth = 242;   // bitmap 279
constexpr int kHeight = 274;

RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT RegionBox(HWND window)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box = {};
    if (GetWindowRgn(window, region) != ERROR)
        GetRgnBox(region, &box);
    DeleteObject(region);
    return box;
}

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

void Tick(CTestPopup& popup, UINT_PTR id)
{
    SendMessageW(popup.m_hWnd, WM_TIMER, id, 0);
}

// The part of the window that shows, in screen coordinates, as the window itself has it.
RECT ShownOnScreen(HWND window)
{
    RECT box = RegionBox(window);
    const RECT frame = WindowRect(window);
    OffsetRect(&box, frame.left, frame.top);
    return box;
}

// How far the shown part reaches out of the taskbar.
int Depth(int edge, const RECT& shown)
{
    return edge == kEdgeLeft || edge == kEdgeRight ? shown.right - shown.left : shown.bottom - shown.top;
}

// The inner edge of the taskbar that the shown part lies against.
LONG ShownSideAgainstTaskbar(int edge, const RECT& shown)
{
    switch (edge)
    {
    case kEdgeLeft: return shown.left;
    case kEdgeTop: return shown.top;
    case kEdgeRight: return shown.right;
    default: return shown.bottom;
    }
}

struct EdgeCase
{
    const char* name;
    int edge;
    LONG innerEdge;     // the taskbar's inner edge (a 40-pixel taskbar on 1280 x 1024)
    POINT start;        // window position at Show
    RECT startRegion;   // window region at Show
    int inTicks;        // slide-in ticks until fully out
    int lastStep;       // length of the last, shortened step
    POINT end;          // window position when fully out
};

const EdgeCase kEdges[] = {
    {"bottom", kEdgeBottom, 984, {1038, 974}, {0, 0, 242, 10}, 27, 4, {1038, 710}},
    {"left", kEdgeLeft, 40, {-192, 750}, {232, 0, 242, 274}, 24, 2, {40, 750}},
    {"top", kEdgeTop, 40, {1038, -224}, {0, 264, 242, 274}, 27, 4, {1038, 40}},
    {"right", kEdgeRight, 1240, {1230, 750}, {0, 0, 10, 274}, 24, 2, {998, 750}},
};

class PopupAtEdge : public testing::TestWithParam<EdgeCase>
{
};

TEST_P(PopupAtEdge, SlidesOutOfTheTaskbarAndBackStepByStep)
{
    const EdgeCase& c = GetParam();
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(c.edge));
    popup.Show(nullptr);
    HWND window = popup.m_hWnd;
    ASSERT_TRUE(IsWindow(window));

    // The first strip, one step deep, against the taskbar beside the notification area.
    RECT frame = WindowRect(window);
    EXPECT_EQ(frame.left, c.start.x);
    EXPECT_EQ(frame.top, c.start.y);
    EXPECT_EQ(frame.right - frame.left, kWidth);
    EXPECT_EQ(frame.bottom - frame.top, kHeight);
    EXPECT_TRUE(Same(RegionBox(window), c.startRegion)) << Text(RegionBox(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetActiveWindow(), window) << "shown without taking the focus";

    // Slide-in: ten pixels a tick, the last step shorter, always against the taskbar.
    int ticks = 0;
    int depth = Depth(c.edge, ShownOnScreen(window));
    while (!popup.IsFullyShown() && ticks < 100)
    {
        Tick(popup, kSlideInTimer);
        ++ticks;
        const RECT shown = ShownOnScreen(window);
        EXPECT_EQ(ShownSideAgainstTaskbar(c.edge, shown), c.innerEdge) << "tick " << ticks;
        const int step = Depth(c.edge, shown) - depth;
        EXPECT_EQ(step, popup.IsFullyShown() ? c.lastStep : 10) << "tick " << ticks;
        depth = Depth(c.edge, shown);
        EXPECT_TRUE(Same(RegionBox(window), popup.Frame().visible));
    }
    EXPECT_EQ(ticks, c.inTicks);
    frame = WindowRect(window);
    EXPECT_EQ(frame.left, c.end.x);
    EXPECT_EQ(frame.top, c.end.y);
    EXPECT_TRUE(Same(RegionBox(window), RECT{0, 0, kWidth, kHeight}));

    // Slide-out: back into the taskbar, the shown part staying against it, until less than a
    // step shows; that step closes the window without moving it.
    ASSERT_TRUE(popup.Hide());
    int outTicks = 0;
    while (IsWindow(window) && outTicks < 100)
    {
        const RECT before = WindowRect(window);
        const int depthBefore = Depth(c.edge, ShownOnScreen(window));
        Tick(popup, kSlideOutTimer);
        ++outTicks;
        if (!IsWindow(window))
        {
            EXPECT_LT(depthBefore, 10);
            EXPECT_TRUE(Same(popup.Frame().visible, popup.Frame().visible));
            break;
        }
        const RECT shown = ShownOnScreen(window);
        EXPECT_EQ(Depth(c.edge, shown), depthBefore - 10);
        EXPECT_EQ(ShownSideAgainstTaskbar(c.edge, shown), c.innerEdge);
        const RECT after = WindowRect(window);
        EXPECT_EQ(abs(after.left - before.left) + abs(after.top - before.top), 10);
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(popup.closeCalls, 1);
    EXPECT_EQ(outTicks, (c.edge == kEdgeLeft || c.edge == kEdgeRight ? kWidth : kHeight) / 10 + 1);
    EXPECT_EQ(popup.m_hWnd, nullptr);
}

INSTANTIATE_TEST_SUITE_P(AllEdges, PopupAtEdge, testing::ValuesIn(kEdges),
                         [](const testing::TestParamInfo<EdgeCase>& info) { return std::string(info.param.name); });

TEST(Popup, IsAHiddenTopmostToolWindowMarkedNonSkinnable)
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    HWND window = popup.m_hWnd;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(popup.marked);
    EXPECT_EQ(GetPropW(window, L"NON_SKINABLE_2809%s!fgj"), reinterpret_cast<HANDLE>(1));
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, kWidth) << "the window has the size of its background bitmap";
    EXPECT_EQ(client.bottom, kHeight);
}

TEST(Popup, HideWhileSlidingInChangesNothing)
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    for (int i = 0; i < 3; ++i)
        Tick(popup, kSlideInTimer);
    const RECT before = WindowRect(popup.m_hWnd);
    EXPECT_FALSE(popup.Hide());
    Tick(popup, kSlideOutTimer);  // not sliding out: a stray tick moves nothing
    EXPECT_TRUE(Same(WindowRect(popup.m_hWnd), before));
    while (!popup.IsFullyShown())
        Tick(popup, kSlideInTimer);
    EXPECT_EQ(WindowRect(popup.m_hWnd).top, 984 - kHeight) << "the slide-in went on to the end";
    EXPECT_TRUE(popup.Hide()) << "once fully shown, Hide starts the slide-out";
}

TEST(Popup, AfterHideDuringTheSlideInTheDisplayTimeStillEndsIt)
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.SetDisplayTime(50);
    popup.Show(nullptr);
    HWND window = popup.m_hWnd;
    EXPECT_FALSE(popup.Hide());
    EXPECT_TRUE(PumpMessagesUntil([&] { return !IsWindow(window); }, 10000));
    EXPECT_EQ(popup.closeCalls, 1);
}

TEST(Popup, WithDisplayTimeZeroItStaysUntilHide)
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.SetDisplayTime(0);
    popup.Show(nullptr);
    HWND window = popup.m_hWnd;
    ASSERT_TRUE(PumpMessagesUntil([&] { return popup.IsFullyShown(); }, 10000));
    const DWORD shownAt = GetTickCount();
    PumpMessagesUntil([&] { return GetTickCount() - shownAt > 400; }, 1000);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(WindowRect(window).top, 984 - kHeight);
    EXPECT_FALSE(KillTimer(window, kDisplayTimer)) << "no display timer runs";
    ASSERT_TRUE(popup.Hide());
    EXPECT_TRUE(PumpMessagesUntil([&] { return !IsWindow(window); }, 10000));
}

// The real timers drive the whole sequence; positions seen from outside after each message.
TEST(Popup, RealTimersRunTheWholeSequence)
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeLeft));
    popup.SetDisplayTime(100);
    const DWORD start = GetTickCount();
    popup.Show(nullptr);
    HWND window = popup.m_hWnd;
    std::vector<LONG> lefts;
    ASSERT_TRUE(PumpMessagesUntil(
        [&] {
            if (!IsWindow(window))
                return true;
            const LONG left = WindowRect(window).left;
            if (lefts.empty() || lefts.back() != left)
                lefts.push_back(left);
            return false;
        },
        20000));
    const DWORD took = GetTickCount() - start;
    ASSERT_FALSE(lefts.empty());
    EXPECT_EQ(lefts.front(), 40 - kWidth + 10);
    auto peak = std::max_element(lefts.begin(), lefts.end());
    EXPECT_EQ(*peak, 40) << "fully out, flush against the taskbar";
    EXPECT_TRUE(std::is_sorted(lefts.begin(), peak + 1));
    EXPECT_TRUE(std::is_sorted(peak, lefts.end(), std::greater<LONG>()));
    // 24 ticks in, the display time, 24 ticks out, at 10 ms or more each.
    EXPECT_GE(took, 24u * 10 + 100 + 24 * 10);
    EXPECT_EQ(popup.closeCalls, 1);
}

TEST(Popup, TheProductionTaskbarSearchPlacesItOnThisDesktop)
{
    const TaskbarProbes system = SystemTaskbarProbes();
    const RECT taskbar = FindTaskbarRect(system);
    const int edge = FindTaskbarEdge(system);
    CTestPopup popup;  // asks the shell, the taskbar window, the registry and the work area
    popup.Show(nullptr);
    HWND window = popup.m_hWnd;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Same(popup.Slide().taskbar, taskbar));
    EXPECT_EQ(popup.Slide().edge, edge);
    while (!popup.IsFullyShown())
        Tick(popup, kSlideInTimer);
    const RECT frame = WindowRect(window);
    switch (edge)
    {
    case kEdgeBottom:
        EXPECT_EQ(frame.bottom, taskbar.top);
        EXPECT_EQ(frame.right, taskbar.right);
        break;
    case kEdgeLeft:
        EXPECT_EQ(frame.left, taskbar.right);
        EXPECT_EQ(frame.bottom, taskbar.bottom);
        break;
    case kEdgeTop:
        EXPECT_EQ(frame.top, taskbar.bottom);
        EXPECT_EQ(frame.right, taskbar.right);
        break;
    default:
        EXPECT_EQ(frame.right, taskbar.left);
        EXPECT_EQ(frame.bottom, taskbar.bottom);
        break;
    }
}

TEST(Popup, PaintsBackgroundAndContentOffScreenAndCopiesOnce)
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HGDIOBJ old = SelectObject(target, canvas);
    SendMessageW(popup.m_hWnd, WM_PAINT, reinterpret_cast<WPARAM>(target), 0);
    EXPECT_EQ(popup.drawCalls, 1);
    EXPECT_NE(popup.lastDrawTarget, target) << "the content is drawn off screen";

    HDC skin = CreateCompatibleDC(screen);
    HGDIOBJ oldSkin = SelectObject(skin, popup.BackgroundBitmap());
    for (POINT p : {POINT{3, 3}, POINT{120, 150}, POINT{5, 270}, POINT{241, 0}})
        EXPECT_EQ(GetPixel(target, p.x, p.y), GetPixel(skin, p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(GetPixel(target, CTestPopup::kMarkLeft + 1, CTestPopup::kMarkTop + 1), CTestPopup::kMarkColour);
    SelectObject(skin, oldSkin);
    DeleteDC(skin);
    SelectObject(target, old);
    DeleteObject(canvas);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);

    EXPECT_EQ(SendMessageW(popup.m_hWnd, WM_ERASEBKGND, 0, 0), 1) << "nothing is erased";
}

TEST(Popup, ThePopupsOwnHandlersComeFirst)
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    const RECT before = WindowRect(popup.m_hWnd);
    popup.swallow = WM_TIMER;
    popup.seen.clear();
    Tick(popup, kSlideInTimer);
    EXPECT_EQ(popup.seen, std::vector<UINT>{WM_TIMER});
    EXPECT_TRUE(Same(WindowRect(popup.m_hWnd), before)) << "the template never saw the tick";
    popup.swallow = 0;
    Tick(popup, kSlideInTimer);
    EXPECT_FALSE(Same(WindowRect(popup.m_hWnd), before));
}

// Records what reaches a control, to see the pop-up reflect notifications back to it.
class Recorder : public CWindowSubclass
{
public:
    std::vector<UINT> messages;
    bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT&) override
    {
        messages.push_back(message);
        return false;
    }
};

TEST(Popup, ReflectsControlNotificationsBackToTheControl)
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    HWND edit = GetDlgItem(popup.m_hWnd, IDC_SCROLL_TEXT);
    Recorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(edit));
    SendMessageW(popup.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SCROLL_TEXT, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
    ASSERT_FALSE(recorder.messages.empty());
    EXPECT_EQ(recorder.messages.back(), OCM_BASE + WM_COMMAND);
    recorder.UnsubclassWindow();
}

TEST(Popup, ACommandStartsTheWayOutOnceFullyShown)
{
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    HWND window = popup.m_hWnd;
    while (!popup.IsFullyShown())
        Tick(popup, kSlideInTimer);
    SendMessageW(GetDlgItem(window, IDC_FIRST_BUTTON), BM_CLICK, 0, 0);
    EXPECT_EQ(popup.commands, std::vector<WORD>{IDC_FIRST_BUTTON});
    EXPECT_TRUE(PumpMessagesUntil([&] { return !IsWindow(window); }, 10000));
}

TEST(Popup, RepeatedAndEarlyCallsAreHarmless)
{
    CTestPopup popup;
    EXPECT_FALSE(popup.Hide()) << "nothing shown yet";
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    HWND first = popup.m_hWnd;
    popup.Show(nullptr);
    EXPECT_EQ(popup.m_hWnd, first) << "a second Show makes no second window";
    popup.Close();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(popup.Hide()) << "the window is gone";
    popup.Show(nullptr);
    EXPECT_TRUE(IsWindow(popup.m_hWnd)) << "shown again after closing";
}

TEST(Popup, DestroyedWhileSlidingItLeavesNoWindowAndNoGdiObject)
{
    CTestPopup warmUp;
    warmUp.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    warmUp.Show(nullptr);
    warmUp.Close();
    const std::vector<int> before = testsupport::LiveGdiObjectsByKind();
    HWND window = nullptr;
    {
        CTestPopup popup;
        popup.SetTaskbarProbes(TaskbarAt(kEdgeTop));
        popup.Show(nullptr);
        window = popup.m_hWnd;
        Tick(popup, kSlideInTimer);
    }
    EXPECT_FALSE(IsWindow(window));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);  // a timer tick for the gone window must find nothing to do
    EXPECT_EQ(testsupport::GdiObjectsChangedSince(before), "");
}

} // namespace

namespace {

// A pop-up whose template is missing, and one that never loads a background.
class CMissingTemplatePopup : public CTrayNotification<CMissingTemplatePopup>
{
public:
    enum { IDD = 4711 };
    void DrawContent(HDC) override {}
};

class CBarePopup : public CTrayNotification<CBarePopup>
{
public:
    enum { IDD = IDD_SHUTDOWN_WARNING };
    void DrawContent(HDC) override {}
};

TEST(PopupWithoutItsResources, AMissingTemplateShowsNothing)
{
    CMissingTemplatePopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    EXPECT_EQ(popup.Show(nullptr), 0);
    EXPECT_EQ(popup.m_hWnd, nullptr);
    EXPECT_FALSE(popup.Hide());
}

TEST(PopupWithoutItsResources, NoBackgroundMeansNothingToSlide)
{
    CBarePopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    ASSERT_NE(popup.m_hWnd, nullptr);
    EXPECT_EQ(popup.BackgroundBitmap(), nullptr);
    SendMessageW(popup.m_hWnd, WM_TIMER, kSlideInTimer, 0);
    EXPECT_TRUE(popup.IsFullyShown());
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    SendMessageW(popup.m_hWnd, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);  // paints without a background
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(popup.Hide());
}

} // namespace
