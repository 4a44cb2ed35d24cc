// Pictures of the test pop-up for people to look at: fully out at each edge of a stand-in taskbar,
// and the slide-in step by step. Written as PNG files into the folder XJN_SCREENSHOT_DIR names;
// skipped when it is not set.
#include "framework/TestPopup.h"
#include "support/MessagePump.h"
#include "winframe/Owners.h"

#include "Screenshot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring ShotFolder()
{
    const wchar_t* folder = _wgetenv(L"XJN_SCREENSHOT_DIR");
    return folder ? folder : L"";
}

// A dark bar where the fake taskbar is, so that the pictures show what the pop-up slides out of.
class StandInTaskbar
{
public:
    explicit StandInTaskbar(const RECT& rect)
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = ModuleInstance();
        windowClass.hbrBackground = CreateSolidBrush(RGB(32, 40, 52));
        windowClass.lpszClassName = L"XjnStandInTaskbar";
        RegisterClassW(&windowClass);
        m_window = CreateWindowExW(WS_EX_TOOLWINDOW, L"XjnStandInTaskbar", L"", WS_POPUP | WS_VISIBLE, rect.left,
                                   rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                   ModuleInstance(), nullptr);
        UpdateWindow(m_window);
    }
    ~StandInTaskbar() { DestroyWindow(m_window); }

private:
    HWND m_window;
};

void Settle(HWND window)
{
    for (int i = 0; i < 20; ++i)
    {
        testsupport::DispatchWaitingMessages();
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(5);
    }
}

RECT Around(const RECT& a, const RECT& b, const RECT& screen)
{
    RECT both = {};
    UnionRect(&both, &a, &b);
    InflateRect(&both, 30, 30);
    IntersectRect(&both, &both, &screen);
    return both;
}

TEST(PopupScreenshots, FullyOutAtEachEdge)
{
    const std::wstring folder = ShotFolder();
    if (folder.empty())
        GTEST_SKIP() << "set XJN_SCREENSHOT_DIR to write the pictures";
    const GdiPlusSession gdiPlus;
    const RECT screen = {0, 0, 1280, 1024};
    const struct
    {
        int edge;
        const wchar_t* name;
    } edges[] = {{kEdgeBottom, L"bottom"}, {kEdgeLeft, L"left"}, {kEdgeTop, L"top"}, {kEdgeRight, L"right"}};
    for (const auto& e : edges)
    {
        CTestPopup popup;
        popup.SetTaskbarProbes(TaskbarAt(e.edge));
        const RECT taskbar = FindTaskbarRect(TaskbarAt(e.edge));
        StandInTaskbar bar(taskbar);
        popup.Show(nullptr);
        while (!popup.IsFullyShown())
            SendMessageW(popup.m_hWnd, WM_TIMER, kSlideInTimer, 0);
        Settle(popup.m_hWnd);
        RECT frame = {};
        GetWindowRect(popup.m_hWnd, &frame);
        // The corner where the pop-up meets the taskbar's end.
        RECT corner = frame;
        if (e.edge == kEdgeLeft || e.edge == kEdgeRight)
            corner = {std::min(frame.left, taskbar.left), frame.top, std::max(frame.right, taskbar.right), frame.bottom};
        else
            corner = {frame.left, std::min(frame.top, taskbar.top), frame.right, std::max(frame.bottom, taskbar.bottom)};
        ScopedBitmap shot(CaptureScreenArea(Around(corner, frame, screen)));
        EXPECT_TRUE(SaveBitmapPng(shot.Get(), folder + L"\\popup_" + e.name + L".png"));
    }
}

TEST(PopupScreenshots, SlideInSeries)
{
    const std::wstring folder = ShotFolder();
    if (folder.empty())
        GTEST_SKIP() << "set XJN_SCREENSHOT_DIR to write the pictures";
    const GdiPlusSession gdiPlus;
    CTestPopup popup;
    popup.SetTaskbarProbes(TaskbarAt(kEdgeBottom));
    const RECT taskbar = FindTaskbarRect(TaskbarAt(kEdgeBottom));
    StandInTaskbar bar(taskbar);
    popup.Show(nullptr);
    KillTimer(popup.m_hWnd, kSlideInTimer);
    // Every third step side by side: the area above the taskbar's right end.
    const RECT area = {1280 - 260, taskbar.top - 290, 1280, taskbar.top + 20};
    const int width = area.right - area.left, height = area.bottom - area.top, columns = 10;
    HDC screen = GetDC(nullptr);
    HDC sheet = CreateCompatibleDC(screen);
    HBITMAP sheetBitmap = CreateCompatibleBitmap(screen, width * columns, height);
    HGDIOBJ old = SelectObject(sheet, sheetBitmap);
    int step = 0, column = 0;
    do
    {
        SendMessageW(popup.m_hWnd, WM_TIMER, kSlideInTimer, 0);
        if (step++ % 3 != 0 && !popup.IsFullyShown())
            continue;
        Settle(popup.m_hWnd);
        if (column < columns)
            BitBlt(sheet, width * column++, 0, width, height, screen, area.left, area.top, SRCCOPY);
    } while (!popup.IsFullyShown());
    SelectObject(sheet, old);
    EXPECT_TRUE(SaveBitmapPng(sheetBitmap, folder + L"\\popup_slide_in.png"));
    DeleteObject(sheetBitmap);
    DeleteDC(sheet);
    ReleaseDC(nullptr, screen);
}

} // namespace
