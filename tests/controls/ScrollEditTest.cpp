// The scrolling text box on real edit and static controls.
#include "TestSupport.h"

#include "jnCommonGUI/ScrollEdit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace testing_controls;

namespace {

constexpr DWORD kEditStyle = ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL;

class ScrollEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog->Clear();
        m_font = CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
        m_lineHeight = Extent(L" ").cy;
    }
    void TearDown() override
    {
        dialog->Clear();
        DeleteObject(m_font);
    }

    SIZE Extent(const std::wstring& text) const
    {
        HDC dc = GetDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, m_font);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, previous);
        ReleaseDC(nullptr, dc);
        return size;
    }

    // A control whose client area (without its scroll bars) is width by height.
    HWND MakeBox(const wchar_t* className, DWORD style, int width, int height, bool withFont = true)
    {
        HWND window = dialog->AddControl(className, L"", style, 10, 10, 50, 50, 1208);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(withFont ? m_font : nullptr), FALSE);
        SetClientSize(window, width, height);
        return window;
    }

    static void SetClientSize(HWND window, int width, int height)
    {
        RECT window_rect{}, client{};
        GetWindowRect(window, &window_rect);
        GetClientRect(window, &client);
        SetWindowPos(window, nullptr, 0, 0, width + (window_rect.right - window_rect.left - client.right),
                     height + (window_rect.bottom - window_rect.top - client.bottom), SWP_NOMOVE | SWP_NOZORDER);
    }

    static bool Vertical(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL) != 0; }
    static bool Horizontal(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_HSCROLL) != 0; }

    TestDialog* dialog = &TestDialog::Shared();
    HFONT m_font = nullptr;
    int m_lineHeight = 0;
};

} // namespace

TEST_F(ScrollEditTest, ThreeLinesFitInFourFiveDoNot)
{
    struct Case
    {
        const wchar_t* text;
        bool vertical;
    } cases[] = {
        {L"one\r\ntwo\r\nthree", false},
        {L"one\r\ntwo\r\nthree\r\nfour\r\nfive", true},
        {L"one", false},
    };
    for (const Case& c : cases)
    {
        CScrollEdit box;
        box.Attach(MakeBox(L"EDIT", kEditStyle, 200, 4 * m_lineHeight + m_lineHeight / 2));
        box.SetTextAndScrollBars(c.text);
        EXPECT_EQ(Vertical(box.m_hWnd), c.vertical);
        EXPECT_FALSE(Horizontal(box.m_hWnd));
        wchar_t text[64] = {};
        GetWindowTextW(box.m_hWnd, text, 64);
        EXPECT_STREQ(text, c.text);
        DestroyWindow(box.m_hWnd);
    }
}

TEST_F(ScrollEditTest, ABoxExactlyAsTallAsTheLinesShowsTheBar)
{
    CScrollEdit box;
    box.Attach(MakeBox(L"EDIT", kEditStyle, 200, 3 * m_lineHeight));
    box.SetTextAndScrollBars(L"one\r\ntwo\r\nthree");
    EXPECT_TRUE(Vertical(box.m_hWnd));
}

TEST_F(ScrollEditTest, ALineExactlyAsWideAsTheBoxShowsTheHorizontalBar)
{
    const std::wstring line = L"A line of measured width";
    const int width = Extent(line).cx;
    CScrollEdit box;
    box.Attach(MakeBox(L"EDIT", kEditStyle, 300, 4 * m_lineHeight));
    box.UpdateScrollBars(L"");
    ASSERT_FALSE(Vertical(box.m_hWnd));
    SetClientSize(box.m_hWnd, width, 4 * m_lineHeight);
    box.UpdateScrollBars(line.c_str());
    EXPECT_TRUE(Horizontal(box.m_hWnd));
    SetClientSize(box.m_hWnd, width + 1, 4 * m_lineHeight);
    box.UpdateScrollBars(line.c_str());
    EXPECT_FALSE(Horizontal(box.m_hWnd));
}

TEST_F(ScrollEditTest, EmptyTextIsOneEmptyLine)
{
    struct Case
    {
        int height;
        bool vertical;
    } cases[] = {{4 * m_lineHeight, false}, {m_lineHeight + 1, false}, {m_lineHeight - 2, true}};
    for (const Case& c : cases)
    {
        CScrollEdit box;
        box.Attach(MakeBox(L"EDIT", kEditStyle, 200, c.height));
        box.SetTextAndScrollBars(L"");
        EXPECT_EQ(Vertical(box.m_hWnd), c.vertical) << c.height;
        EXPECT_FALSE(Horizontal(box.m_hWnd));
        DestroyWindow(box.m_hWnd);
    }
}

TEST_F(ScrollEditTest, WrappedLinesCountSeparately)
{
    CScrollEdit box;
    box.Attach(MakeBox(L"EDIT", kEditStyle, 120, 3 * m_lineHeight + m_lineHeight / 2));
    box.SetTextAndScrollBars(L"a long sentence that the narrow box has to wrap over several lines of text");
    EXPECT_GE(SendMessageW(box.m_hWnd, EM_GETLINECOUNT, 0, 0), 4);
    EXPECT_TRUE(Vertical(box.m_hWnd));
    EXPECT_FALSE(Horizontal(box.m_hWnd)) << "every wrapped line is narrower than the box";
}

TEST_F(ScrollEditTest, AStaticTextHasNoLinesAndNoBars)
{
    CScrollEdit box;
    box.Attach(MakeBox(L"STATIC", SS_CENTERIMAGE | WS_VSCROLL | WS_HSCROLL, 100, 10));
    box.SetTextAndScrollBars(L"Caption\r\nwith\r\nmany\r\nlines that are far too wide for it");
    EXPECT_FALSE(Vertical(box.m_hWnd));
    EXPECT_FALSE(Horizontal(box.m_hWnd));
    wchar_t text[16] = {};
    GetWindowTextW(box.m_hWnd, text, 16);
    EXPECT_STREQ(text, L"Caption\r\nwith\r\n");
}

TEST_F(ScrollEditTest, WithoutAFontNothingIsMeasured)
{
    CScrollEdit box;
    box.Attach(MakeBox(L"EDIT", kEditStyle, 60, 20, false));
    ASSERT_EQ(SendMessageW(box.m_hWnd, WM_GETFONT, 0, 0), 0);
    box.SetTextAndScrollBars(L"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8 and a long line");
    EXPECT_FALSE(Vertical(box.m_hWnd));
    EXPECT_FALSE(Horizontal(box.m_hWnd));
}

TEST_F(ScrollEditTest, SafeWithoutAWindowAndLeavesTheWindowOnDestruction)
{
    {
        CScrollEdit detached;
        detached.SetTextAndScrollBars(L"nothing to show");
        detached.UpdateScrollBars(nullptr);
    }
    HWND window = MakeBox(L"EDIT", kEditStyle, 100, 40);
    {
        auto box = std::make_unique<CScrollEdit>();
        box->Attach(window);
        box->SetTextAndScrollBars(nullptr);
    }
    EXPECT_TRUE(IsWindow(window));
}
