#include "notifications/DialogBase.h"
#include "res/resource.h"
#include "support/TemplateBuilder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using testsupport::TemplateBuilder;

// A page: a child dialog that answers the page protocol as the test tells it.
class TestPage : public CDialogImplBase
{
public:
    LRESULT canLeave = 1;
    LRESULT canEnter = 1;
    int asked = 0;

    bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        if (message == WM_PAGE_CAN_LEAVE || message == WM_PAGE_CAN_ENTER)
        {
            ++asked;
            result = message == WM_PAGE_CAN_LEAVE ? canLeave : canEnter;
            return true;
        }
        return false;
    }
};

const std::vector<BYTE>& PageTemplate()
{
    static const std::vector<BYTE> bytes = TemplateBuilder(false, WS_CHILD | DS_CONTROL, 60, 40).Position(5, 5).Build();
    return bytes;
}

// A plain dialog on the base, with the base's own message handlers.
class TestDialog : public CDialogBase<TestDialog>
{
public:
    enum { IDD = IDD_SHUTDOWN_WARNING };
    int privateHooks = 0;

    TestPage* AddTestPage(int key)
    {
        auto page = std::make_unique<TestPage>();
        page->CreateIndirect(ModuleInstance(), reinterpret_cast<const DLGTEMPLATE*>(PageTemplate().data()), m_hWnd, 0);
        TestPage* raw = page.get();
        AddPage(key, std::move(page));
        return raw;
    }
    void AddEmptyPage(int key) { AddPage(key, nullptr); }
    void SetMargins(int right, int bottom)
    {
        m_pageMarginRight = right;
        m_pageMarginBottom = bottom;
    }
    void HandlePrivateMessage() override { ++privateHooks; }
};

class DialogBaseTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(dialog.Create(nullptr), nullptr);
        ShowWindow(dialog.m_hWnd, SW_SHOWNA);
    }
    TestDialog dialog;
};

TEST_F(DialogBaseTest, SelectsAPageAndShowsIt)
{
    TestPage* first = dialog.AddTestPage(1);
    TestPage* second = dialog.AddTestPage(2);
    EXPECT_TRUE(dialog.SelectPage(1));
    EXPECT_EQ(dialog.ActivePageKey(), 1);
    EXPECT_EQ(dialog.ActivePage(), first);
    EXPECT_TRUE(IsWindowVisible(first->m_hWnd));
    EXPECT_TRUE(dialog.SelectPage(2));
    EXPECT_EQ(dialog.ActivePage(), second);
    EXPECT_FALSE(IsWindowVisible(first->m_hWnd));
    EXPECT_TRUE(IsWindowVisible(second->m_hWnd));
}

TEST_F(DialogBaseTest, RefusesWithoutChangingTheActivePage)
{
    TestPage* first = dialog.AddTestPage(1);
    TestPage* second = dialog.AddTestPage(2);
    dialog.AddEmptyPage(3);
    TestPage* windowless = dialog.AddTestPage(4);
    DestroyWindow(windowless->m_hWnd);
    ASSERT_TRUE(dialog.SelectPage(1));

    struct Case
    {
        const char* name;
        int key;
    };
    for (const Case& c : {Case{"unknown key", 99}, Case{"the active key", 1}, Case{"no page", 3},
                          Case{"a page without a window", 4}})
    {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(dialog.SelectPage(c.key));
        EXPECT_EQ(dialog.ActivePageKey(), 1);
        EXPECT_EQ(dialog.ActivePage(), first);
        EXPECT_TRUE(IsWindowVisible(first->m_hWnd));
    }

    first->canLeave = 0;
    EXPECT_FALSE(dialog.SelectPage(2)) << "the shown page vetoes";
    EXPECT_EQ(dialog.ActivePage(), first);
    EXPECT_TRUE(IsWindowVisible(first->m_hWnd));
    EXPECT_FALSE(IsWindowVisible(second->m_hWnd));
}

TEST_F(DialogBaseTest, NoSwitchWhileADialogOwnedByThisOneIsOpen)
{
    TestPage* first = dialog.AddTestPage(1);
    dialog.AddTestPage(2);
    ASSERT_TRUE(dialog.SelectPage(1));

    const std::vector<BYTE> popupBytes = TemplateBuilder(false, WS_POPUP | WS_CAPTION, 80, 40).Build();
    TestPage owned;
    ASSERT_NE(owned.CreateIndirect(ModuleInstance(), reinterpret_cast<const DLGTEMPLATE*>(popupBytes.data()),
                                   dialog.m_hWnd, 0),
              nullptr);
    ShowWindow(owned.m_hWnd, SW_SHOWNA);
    EXPECT_FALSE(dialog.SelectPage(2));
    EXPECT_EQ(dialog.ActivePage(), first);

    // A tool window does not count, nor a hidden one.
    SetWindowLongW(owned.m_hWnd, GWL_EXSTYLE, GetWindowLongW(owned.m_hWnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    EXPECT_TRUE(dialog.SelectPage(2));
    SetWindowLongW(owned.m_hWnd, GWL_EXSTYLE, GetWindowLongW(owned.m_hWnd, GWL_EXSTYLE) & ~WS_EX_TOOLWINDOW);
    ShowWindow(owned.m_hWnd, SW_HIDE);
    EXPECT_TRUE(dialog.SelectPage(1));
}

TEST_F(DialogBaseTest, TheComingPageCanRefuse)
{
    dialog.AddTestPage(1);
    TestPage* refusing = dialog.AddTestPage(2);
    refusing->canEnter = 0;
    EXPECT_FALSE(dialog.SelectPage(2));
    EXPECT_EQ(dialog.ActivePageKey(), -1);
    EXPECT_FALSE(IsWindowVisible(refusing->m_hWnd));
}

TEST_F(DialogBaseTest, LayoutStretchesThePageToTheMarginsWithoutMovingIt)
{
    TestPage* page = dialog.AddTestPage(1);
    dialog.SetMargins(7, 9);
    RECT before = {};
    GetWindowRect(page->m_hWnd, &before);
    ASSERT_TRUE(dialog.SelectPage(1));
    RECT after = {}, client = {};
    GetWindowRect(page->m_hWnd, &after);
    GetClientRect(dialog.m_hWnd, &client);
    MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&after), 2);
    MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&before), 2);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, client.right - 7);
    EXPECT_EQ(after.bottom, client.bottom - 9);
}

TEST_F(DialogBaseTest, ColourHandlersGiveTheWhiteBrushAndTransparentBlackText)
{
    HWND title = GetDlgItem(dialog.m_hWnd, IDC_TITLE);
    HDC dc = GetDC(title);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, RGB(1, 2, 3));
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(dialog.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(title)));
    EXPECT_EQ(brush, dialog.BackgroundBrush());
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetTextColor(dc), 0x000000u);
    ReleaseDC(title, dc);

    HDC own = GetDC(dialog.m_hWnd);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageW(dialog.m_hWnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(own),
                                                    reinterpret_cast<LPARAM>(dialog.m_hWnd))),
              dialog.BackgroundBrush());
    ReleaseDC(dialog.m_hWnd, own);

    LOGBRUSH white = {};
    ASSERT_TRUE(GetObjectW(dialog.BackgroundBrush(), sizeof(white), &white));
    EXPECT_EQ(white.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(white.lbColor, 0xFFFFFFu);
}

TEST_F(DialogBaseTest, ThePrivateMessageReachesItsHook)
{
    EXPECT_EQ(SendMessageW(dialog.m_hWnd, WM_APP + 0x43, 0, 0), 1);
    EXPECT_EQ(dialog.privateHooks, 1);
}

TEST_F(DialogBaseTest, DestroyingTheDialogDestroysThePagesWindows)
{
    TestPage* page = dialog.AddTestPage(1);
    HWND pageWindow = page->m_hWnd;
    dialog.DestroyWindow();
    EXPECT_FALSE(IsWindow(pageWindow));
}

TEST(DialogBaseLifetime, AnObjectDestroyedWithItsWindowStillOpenClosesItSafely)
{
    HWND window = nullptr;
    {
        TestDialog dialog;
        window = dialog.Create(nullptr);
        ASSERT_NE(window, nullptr);
        dialog.AddTestPage(1);
        dialog.SelectPage(1);
    }
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
