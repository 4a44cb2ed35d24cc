// The host-side screenshots: what the screen shows of a window, read back from the PNG file.
#include "Screenshot.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"
#include "winframe/Owners.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

using testsupport::TempFolder;

constexpr COLORREF kFill = RGB(30, 160, 90);

// A topmost window filled with one colour, at a fixed place on the screen.
class SolidWindow
{
public:
    SolidWindow(int x, int y, int width, int height) : m_brush(CreateSolidBrush(kFill))
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = m_brush.Get();
        windowClass.lpszClassName = L"XjnSolidWindow";
        RegisterClassW(&windowClass);
        m_window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"XjnSolidWindow", L"", WS_POPUP | WS_VISIBLE, x,
                                   y, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        UpdateWindow(m_window);
        for (int i = 0; i < 10; ++i)
        {
            testsupport::DispatchWaitingMessages();
            Sleep(10);
        }
    }
    ~SolidWindow()
    {
        DestroyWindow(m_window);
        UnregisterClassW(L"XjnSolidWindow", GetModuleHandleW(nullptr));
    }
    HWND Handle() const { return m_window; }

private:
    ScopedBrush m_brush;
    HWND m_window = nullptr;
};

TEST(Screenshot, SavesWhatTheScreenShowsOfTheWindow)
{
    const GdiPlusSession gdiPlus;
    ASSERT_TRUE(gdiPlus.Started());
    SolidWindow window(200, 150, 64, 40);
    TempFolder folder;
    const std::wstring path = folder.File(L"window.png");
    ASSERT_TRUE(SaveWindowPng(window.Handle(), path));

    auto picture = std::make_unique<Gdiplus::Bitmap>(path.c_str());
    ASSERT_EQ(picture->GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(picture->GetWidth(), 64u);
    EXPECT_EQ(picture->GetHeight(), 40u);
    for (const POINT at : {POINT{0, 0}, POINT{63, 39}, POINT{32, 20}})
    {
        Gdiplus::Color colour;
        ASSERT_EQ(picture->GetPixel(at.x, at.y, &colour), Gdiplus::Ok);
        EXPECT_EQ(RGB(colour.GetR(), colour.GetG(), colour.GetB()), kFill) << at.x << "," << at.y;
    }
    picture.reset();  // GDI+ keeps the file open while the image exists
}

TEST(Screenshot, NothingToSaveGivesFalse)
{
    const GdiPlusSession gdiPlus;
    TempFolder folder;
    EXPECT_EQ(CaptureScreenArea(RECT{10, 10, 10, 30}), nullptr) << "no width";
    EXPECT_EQ(CaptureScreenArea(RECT{10, 30, 40, 10}), nullptr) << "upside down";
    EXPECT_FALSE(SaveBitmapPng(nullptr, folder.File(L"none.png")));
    EXPECT_FALSE(SaveWindowPng(nullptr, folder.File(L"none.png")));

    ScopedBitmap shot(CaptureScreenArea(RECT{0, 0, 8, 8}));
    ASSERT_TRUE(shot);
    EXPECT_FALSE(SaveBitmapPng(shot.Get(), folder.File(L"no\\such\\folder\\shot.png")));
}

} // namespace
