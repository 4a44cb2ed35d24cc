// The focus frame, the greyed icon and the icon bitmap, read back pixel by pixel.
#include "TestSupport.h"

#include "jnCommonGUI/Imaging.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace testing_controls;

namespace {

COLORREF Inverted(COLORREF colour)
{
    return colour ^ 0x00FFFFFF;
}

bool Near(int value, int expected, int tolerance = 2)
{
    return std::abs(value - expected) <= tolerance;
}

} // namespace

TEST(FocusFrame, DottedOnTheEdgesOfA75By23Rectangle)
{
    Dib image(75, 23, RGB(200, 120, 40));
    const COLORREF face = image.At(0, 0);
    DrawFocusFrame(image.Dc(), RECT{0, 0, 75, 23});
    GdiFlush();
    int inverted = 0, untouched = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 75; ++x)
        {
            const bool onFrame = x == 0 || x == 74 || y == 0 || y == 22;
            // The pattern alternates: pixels where x + y is odd are inverted, the others stay.
            const COLORREF expected = onFrame && (x + y) % 2 ? Inverted(face) : face;
            ASSERT_EQ(image.At(x, y), expected) << "at " << x << "," << y;
            if (onFrame)
                ++((x + y) % 2 ? inverted : untouched);
        }
    EXPECT_GT(inverted, 0);
    EXPECT_GT(untouched, 0);
}

TEST(FocusFrame, DrawnTwiceIsGone)
{
    Dib image(75, 23, RGB(10, 200, 90));
    DrawFocusFrame(image.Dc(), RECT{2, 2, 73, 21});
    DrawFocusFrame(image.Dc(), RECT{2, 2, 73, 21});
    GdiFlush();
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 75; ++x)
            ASSERT_EQ(image.At(x, y), RGB(10, 200, 90)) << "at " << x << "," << y;
}

TEST(FocusFrame, LeavesTheDcAsItWas)
{
    Dib image(20, 20);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HGDIOBJ previous = SelectObject(image.Dc(), pen);
    SetROP2(image.Dc(), R2_COPYPEN);
    DrawFocusFrame(image.Dc(), RECT{0, 0, 20, 20});
    EXPECT_EQ(GetCurrentObject(image.Dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetROP2(image.Dc()), R2_COPYPEN);
    SelectObject(image.Dc(), previous);
    DeleteObject(pen);
}

TEST(GreyedIcon, GreyAndFaintInsideTransparentBorderUntouched)
{
    struct Case
    {
        COLORREF colour;
        int grey;
    } cases[] = {{RGB(255, 0, 0), 76}, {RGB(0, 255, 0), 150}, {RGB(0, 0, 255), 27}};
    for (const Case& c : cases)
    {
        HICON icon = MakeIcon(16, 3, c.colour);
        ASSERT_NE(icon, nullptr);
        Dib image(24, 24, RGB(255, 255, 255));
        DrawGreyedIcon(image.Dc(), RECT{4, 4, 20, 20}, icon);
        GdiFlush();
        // 96 of 255 of the grey over white.
        const int expected = (c.grey * 96 + 255 * (255 - 96)) / 255;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
            {
                const bool inside = x >= 7 && x < 17 && y >= 7 && y < 17;
                const COLORREF pixel = image.At(x, y);
                if (!inside)
                {
                    ASSERT_EQ(pixel, RGB(255, 255, 255)) << "border at " << x << "," << y;
                    continue;
                }
                ASSERT_TRUE(GetRValue(pixel) == GetGValue(pixel) && GetGValue(pixel) == GetBValue(pixel))
                    << "not grey at " << x << "," << y;
                ASSERT_TRUE(Near(GetRValue(pixel), expected)) << int(GetRValue(pixel)) << " vs " << expected;
            }
        DestroyIcon(icon);
    }
}

TEST(GreyedIcon, NothingForAnEmptyRectangle)
{
    HICON icon = MakeIcon(16, 0, RGB(255, 0, 0));
    Dib image(8, 8, RGB(9, 9, 9));
    DrawGreyedIcon(image.Dc(), RECT{4, 4, 4, 8}, icon);
    GdiFlush();
    EXPECT_EQ(image.At(4, 4), RGB(9, 9, 9));
    DestroyIcon(icon);
}

TEST(IconBitmap, IconOverTheBackgroundAtTheIconsWidth)
{
    HICON icon = MakeIcon(16, 4, RGB(0, 128, 0));
    struct Case
    {
        COLORREF background;
        COLORREF expected;
    } cases[] = {{static_cast<COLORREF>(-1), RGB(220, 230, 250)}, {RGB(1, 2, 3), RGB(1, 2, 3)}};
    for (const Case& c : cases)
    {
        HBITMAP bitmap = IconToBitmap(icon, c.background);
        ASSERT_NE(bitmap, nullptr);
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 16);
        EXPECT_EQ(info.bmHeight, 16);
        Dib copy(16, 16);
        HDC source = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(source, bitmap);
        BitBlt(copy.Dc(), 0, 0, 16, 16, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
        EXPECT_EQ(copy.At(1, 1), c.expected);
        EXPECT_EQ(copy.At(8, 8), RGB(0, 128, 0));
        DeleteObject(bitmap);
    }
    DestroyIcon(icon);
}

TEST(IconBitmap, NullWhenTheIconCannotBeRead)
{
    EXPECT_EQ(IconToBitmap(nullptr, RGB(0, 0, 0)), nullptr);
}
