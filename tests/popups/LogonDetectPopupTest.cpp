// The logon-detect notice: its look through the loaded library, the class in this process (its
// slide at each taskbar edge, its timer, a hide while it slides in, its GDI objects over many
// cycles), and its graph repainting when our engine notifies from its own thread.
#include "framework/TestPopup.h"
#include "notifications/DialogTrayMessageLogonDetect.h"
#include "notifications/GUIObjects.h"
#include "popups/PopupTestSupport.h"
#include "support/GdiCount.h"
#include "support/MessagePump.h"
#include "support/RegistrySandbox.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

using namespace popuptest;
using testsupport::PumpMessagesUntil;

const wchar_t kLanguageKey[] = L"Software\\Orvanta\\Orvanta Utilities\\Language";

HWND NoticeWindow()
{
    return xjnhost::FindMarkedWindow(GetCurrentThreadId(), false);
}

class LogonDetectNotice : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(language.SetString(L"English")); }

    testsupport::RegistryValueOverride language{HKEY_CURRENT_USER, kLanguageKey, L"default"};
};

TEST_F(LogonDetectNotice, ShowsItsTextsGraphAndButtonsOnTheSkin)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    ASSERT_EQ(library.showLogonDetect(nullptr, 0), TRUE);
    HWND popup = NoticeWindow();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(PumpMessagesUntil([popup] { return IsFullyOut(popup); }, 10000)) << "it never came fully out";

    EXPECT_EQ(GetPropW(popup, L"NON_SKINABLE_2809%s!fgj"), reinterpret_cast<HANDLE>(1));
    const LONG exStyle = GetWindowLongW(popup, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    RECT client = {};
    GetClientRect(popup, &client);
    EXPECT_EQ(client.right, 242);
    EXPECT_EQ(client.bottom, 274);

    struct StaticRow
    {
        int id;
        const wchar_t* text;
        COLORREF colour;
        LONG fontHeight;
    };
    const StaticRow statics[] = {
        {1208, L"Lumeris", 0x000000, 14},
        {1383, L"Logon Detecting", 0x222222, 18},
        {1384, L"Please wait when your system completely starts.\nPlease do not run any programs.", 0x222222, 14},
    };
    for (const StaticRow& row : statics)
    {
        SCOPED_TRACE(row.id);
        HWND control = GetDlgItem(popup, row.id);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_EQ(WindowText(control), row.text);
        const LOGFONTW font = FontOf(control);
        EXPECT_STREQ(font.lfFaceName, L"Arial");
        EXPECT_EQ(font.lfHeight, row.fontHeight);
        EXPECT_EQ(font.lfWeight, FW_BOLD);
        const StaticColouring colouring = ColouringOf(popup, control);
        EXPECT_EQ(colouring.textColour, row.colour);
        EXPECT_EQ(colouring.backgroundMode, TRANSPARENT);
        EXPECT_EQ(colouring.brush, GetStockObject(HOLLOW_BRUSH));
    }
    const StaticColouring graphColouring = ColouringOf(popup, GetDlgItem(popup, 1014));
    EXPECT_EQ(graphColouring.textColour, kUntouchedColour);

    const struct
    {
        int id;
        const wchar_t* caption;
    } buttons[] = {{1381, L"Stop"}, {1382, L"Hide"}};
    for (const auto& row : buttons)
    {
        SCOPED_TRACE(row.id);
        HWND button = GetDlgItem(popup, row.id);
        EXPECT_TRUE(IsWindowVisible(button));
        EXPECT_EQ(WindowText(button), row.caption);
        EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & 0x0F, BS_OWNERDRAW) << "drawn as a skin button";
    }
    HWND close = GetDlgItem(popup, 1095);
    ASSERT_NE(close, nullptr);
    EXPECT_FALSE(IsWindowVisible(close));

    // The graph has taken over its place-holder: the static's own procedure no longer answers it.
    HWND graph = GetDlgItem(popup, 1014);
    ASSERT_NE(graph, nullptr);
    EXPECT_TRUE(IsWindowVisible(graph));
    EXPECT_NE(GetWindowLongPtrW(graph, GWLP_WNDPROC), GetClassLongPtrW(graph, GCLP_WNDPROC));
    EXPECT_EQ(GetWindowLongW(graph, GWL_STYLE) & WS_BORDER, 0);

    library.hideLogonDetect();
    EXPECT_FALSE(IsWindow(popup));
}

// Our engine notifies from its own thread once a second; the graph's window hears it through a
// message sent across threads and repaints on its own thread.
struct GraphWatch
{
    std::atomic<int> crossThreadNotifications{0};
    std::atomic<int> paintsAfterNotification{0};
};

LRESULT CALLBACK WatchGraph(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* watch = reinterpret_cast<GraphWatch*>(data);
    if (message == WM_APP + 76 && wParam == 0 && (InSendMessageEx(nullptr) & ISMEX_SEND))
        ++watch->crossThreadNotifications;
    if (message == WM_PAINT && watch->crossThreadNotifications > 0)
        ++watch->paintsAfterNotification;
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(LogonDetectNotice, TheGraphRepaintsWhenTheEngineNotifiesFromItsThread)
{
    ASSERT_NE(GetFileAttributesW(L"aJNClient.dll"), INVALID_FILE_ATTRIBUTES) << "our engine is built beside the tests";
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    ASSERT_EQ(library.showLogonDetect(nullptr, 0), TRUE);
    HWND graph = GetDlgItem(NoticeWindow(), 1014);
    ASSERT_NE(graph, nullptr);
    GraphWatch watch;
    ASSERT_TRUE(SetWindowSubclass(graph, &WatchGraph, 1, reinterpret_cast<DWORD_PTR>(&watch)));
    EXPECT_TRUE(PumpMessagesUntil([&watch] { return watch.paintsAfterNotification >= 2; }, 10000))
        << watch.crossThreadNotifications << " notifications, " << watch.paintsAfterNotification << " paints";
    RemoveWindowSubclass(graph, &WatchGraph, 1);
    library.hideLogonDetect();
}

// The class in this process, where its slide can be driven tick by tick.
TEST(LogonDetectClass, SlidesOutOfTheTaskbarAtEachEdge)
{
    struct EdgeCase
    {
        const char* name;
        int edge;
        POINT start;  // window position at Show (a 40-pixel taskbar on 1280 x 1024)
        POINT end;    // window position when fully out
    };
    const EdgeCase edges[] = {
        {"bottom", kEdgeBottom, {1038, 974}, {1038, 710}},
        {"left", kEdgeLeft, {-192, 750}, {40, 750}},
        {"top", kEdgeTop, {1038, -224}, {1038, 40}},
        {"right", kEdgeRight, {1230, 750}, {998, 750}},
    };
    for (const EdgeCase& c : edges)
    {
        SCOPED_TRACE(c.name);
        CDialogTrayMessageLogonDetect popup(nullptr, 0);
        popup.SetTaskbarProbes(TaskbarAt(c.edge));
        popup.Show(nullptr);
        HWND window = popup.m_hWnd;
        ASSERT_TRUE(IsWindow(window));
        RECT frame = {};
        GetWindowRect(window, &frame);
        EXPECT_EQ(frame.left, c.start.x);
        EXPECT_EQ(frame.top, c.start.y);
        DriveSlideIn(window);
        EXPECT_TRUE(popup.IsFullyShown());
        GetWindowRect(window, &frame);
        EXPECT_EQ(frame.left, c.end.x);
        EXPECT_EQ(frame.top, c.end.y);
        EXPECT_TRUE(popup.Hide());
        EXPECT_FALSE(IsWindow(window)) << "gone at once, without a slide-out";
    }
}

TEST(LogonDetectClass, StaysUntilHiddenAndSwallowsItsIdleTimer)
{
    CDialogTrayMessageLogonDetect popup(nullptr, 0);
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    HWND window = popup.m_hWnd;
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(popup.DisplayTime(), 0xFFFFFFFFu);
    DriveSlideIn(window);
    RECT before = {};
    GetWindowRect(window, &before);
    for (int tick = 0; tick < 5; ++tick)
        EXPECT_EQ(SendMessageW(window, WM_TIMER, kLogonDetectIdleTimer, 0), 0);
    RECT after = {};
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(popup.IsFullyShown());
    popup.Hide();
}

TEST(LogonDetectClass, HiddenWhileSlidingInItGoesAtOnce)
{
    CDialogTrayMessageLogonDetect popup(nullptr, 0);
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    popup.Show(nullptr);
    HWND window = popup.m_hWnd;
    SendMessageW(window, WM_TIMER, kSlideInTimer, 0);
    ASSERT_FALSE(popup.IsFullyShown());
    EXPECT_TRUE(popup.Hide());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(popup.m_hWnd, nullptr);
}

// Shown and hidden a hundred times, the notice leaves no GDI object (region, bitmap, font,
// brush) behind.
TEST(LogonDetectClass, LeavesNoGdiObjectBehindOverAHundredCycles)
{
    auto cycle = [] {
        CDialogTrayMessageLogonDetect popup(nullptr, 0);
        popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
        popup.Show(nullptr);
        const bool shown = IsWindow(popup.m_hWnd);
        DriveSlideIn(popup.m_hWnd);
        testsupport::DispatchWaitingMessages();  // its paints
        popup.Hide();
        return shown;
    };
    ASSERT_TRUE(cycle());  // the first run makes what lasts (DCs, caches)
    const std::vector<int> before = testsupport::LiveGdiObjectsByKind();
    for (int run = 0; run < 100; ++run)
        ASSERT_TRUE(cycle());
    EXPECT_EQ(testsupport::GdiObjectsChangedSince(before), "");
}

} // namespace
