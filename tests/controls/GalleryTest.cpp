// Screenshots of each control in each state, for a person to look at:
// written to screenshots/controls/ beside the test program.
#include "TestSupport.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include "jnCommonGUI/HyperLinkIcon.h"
#include "jnCommonGUI/ScrollEdit.h"
#include "jnCommonGUI/SkinButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace testing_controls;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

const std::wstring kFolder = L"screenshots\\controls\\";

// A button strip with some depth: a vertical gradient per state, a dark outline and rounded
// (magenta) corners, like the product's artwork.
HBITMAP MakeShadedStrip(int width, int frameHeight, int frameCount)
{
    const COLORREF tops[5] = {RGB(250, 250, 250), RGB(255, 244, 214), RGB(200, 210, 225), RGB(235, 235, 235),
                              RGB(235, 244, 255)};
    const COLORREF bottoms[5] = {RGB(205, 210, 218), RGB(250, 205, 120), RGB(235, 240, 248), RGB(215, 215, 215),
                                 RGB(170, 200, 240)};
    const COLORREF outlines[5] = {RGB(110, 120, 135), RGB(200, 140, 40), RGB(80, 95, 120), RGB(170, 170, 170),
                                  RGB(60, 110, 190)};
    Dib strip(width, frameHeight * frameCount);
    for (int f = 0; f < frameCount; ++f)
        for (int y = 0; y < frameHeight; ++y)
            for (int x = 0; x < width; ++x)
            {
                const int t = y * 255 / (frameHeight - 1);
                const COLORREF a = tops[f], b = bottoms[f];
                COLORREF colour = RGB((GetRValue(a) * (255 - t) + GetRValue(b) * t) / 255,
                                      (GetGValue(a) * (255 - t) + GetGValue(b) * t) / 255,
                                      (GetBValue(a) * (255 - t) + GetBValue(b) * t) / 255);
                const bool outline = x == 0 || y == 0 || x == width - 1 || y == frameHeight - 1;
                const bool corner = (x == 0 || x == width - 1) && (y == 0 || y == frameHeight - 1);
                const bool cornerNeighbour = ((x == 1 || x == width - 2) && (y == 0 || y == frameHeight - 1)) ||
                                             ((x == 0 || x == width - 1) && (y == 1 || y == frameHeight - 2));
                if (corner)
                    colour = kMagenta;
                else if (cornerNeighbour || outline)
                    colour = outlines[f];
                strip.Set(x, f * frameHeight + y, colour);
            }
    return strip.Detach();
}

// A close-button strip: a cross on a plain face, three frames.
HBITMAP MakeCloseStrip()
{
    const COLORREF faces[3] = {RGB(225, 228, 235), RGB(232, 90, 70), RGB(170, 50, 40)};
    Dib strip(39, 51);
    for (int f = 0; f < 3; ++f)
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 39; ++x)
            {
                const int cx = x - 19, cy = y - 8;
                const bool cross = (cx == cy || cx == -cy || cx == cy + 1 || cx == -cy + 1) && cy >= -4 && cy <= 4;
                const bool corner = (x == 0 || x == 38) && (y == 0 || y == 16);
                COLORREF colour = faces[f];
                if (corner)
                    colour = kMagenta;
                else if (cross)
                    colour = f ? RGB(255, 255, 255) : RGB(60, 60, 60);
                strip.Set(x, f * 17 + y, colour);
            }
    return strip.Detach();
}

// Captures each control after preparing its state and lays the pictures out in a sheet.
class Sheet
{
public:
    explicit Sheet(const std::wstring& name) : m_name(name) {}

    void Take(const std::wstring& label, HWND window, const std::function<void()>& prepare)
    {
        prepare();
        RedrawWindow(GetParent(window), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages(2);
        RECT area{};
        GetWindowRect(window, &area);
        InflateRect(&area, 4, 4);
        auto picture = std::make_unique<Dib>(area.right - area.left, area.bottom - area.top);
        HDC screen = GetDC(nullptr);
        BitBlt(picture->Dc(), 0, 0, picture->Width(), picture->Height(), screen, area.left, area.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        EXPECT_TRUE(SavePng(*picture, kFolder + m_name + L"_" + label + L".png"));
        m_pictures.push_back({label, std::move(picture)});
    }

    // Each picture enlarged three times (pixels stay sharp) with its label above it.
    bool Save() const
    {
        const int scale = 3, labelHeight = 16, gap = 10;
        int width = gap, height = 0;
        for (const auto& p : m_pictures)
        {
            width += p.picture->Width() * scale + gap;
            height = std::max(height, p.picture->Height() * scale);
        }
        Dib sheet(std::max(width, 200), height + labelHeight + 2 * gap, RGB(255, 255, 255));
        int x = gap;
        HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        HGDIOBJ previous = SelectObject(sheet.Dc(), font);
        for (const auto& p : m_pictures)
        {
            const int w = p.picture->Width() * scale;
            RECT text{x, 2, x + w, labelHeight};
            DrawTextW(sheet.Dc(), p.label.c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            StretchBlt(sheet.Dc(), x, labelHeight + gap / 2, w, p.picture->Height() * scale, p.picture->Dc(), 0, 0,
                       p.picture->Width(), p.picture->Height(), SRCCOPY);
            x += w + gap;
        }
        SelectObject(sheet.Dc(), previous);
        return SavePng(sheet, kFolder + m_name + L".png");
    }

private:
    struct Picture
    {
        std::wstring label;
        std::unique_ptr<Dib> picture;
    };
    std::wstring m_name;
    std::vector<Picture> m_pictures;
};

class Gallery : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog->Clear();
        SetCursorPos(1270, 1010);
        m_font = CreateFontW(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
        m_textFont = CreateFontW(14, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    }
    void TearDown() override
    {
        dialog->Clear();
        DeleteObject(m_font);
        DeleteObject(m_textFont);
    }

    HWND Button(CSkinButton& button, const wchar_t* caption, HBITMAP strip, int frameHeight, DWORD style = 0)
    {
        HWND window = dialog->AddControl(L"BUTTON", caption, BS_PUSHBUTTON | style, 40, 40, 75, 23, 1381);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        button.SubclassWindow(window);
        button.SetBitmapStrip(strip, 18, static_cast<WORD>(frameHeight), 3, 2, 0);
        return window;
    }

    void ButtonStates(const std::wstring& name, int frames)
    {
        Sheet sheet(name);
        ScopedBitmap strip(MakeShadedStrip(18, 21, frames));
        const auto fresh = [&](CSkinButton& button, const wchar_t* caption) {
            dialog->Clear();
            return Button(button, caption, strip.Get(), 21);
        };
        {
            CSkinButton b;
            HWND w = fresh(b, L"Yes");
            sheet.Take(L"normal", w, [] {});
        }
        {
            CSkinButton b;
            HWND w = fresh(b, L"Yes");
            sheet.Take(L"hot", w, [&] { PointAt(w, 30, 10); });
        }
        {
            CSkinButton b;
            HWND w = fresh(b, L"Yes");
            sheet.Take(L"pressed", w, [&] {
                PointAt(w, 30, 10);
                SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
                SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 10));
            });
            ReleaseCapture();
            SetCursorPos(1270, 1010);
        }
        {
            CSkinButton b;
            HWND w = fresh(b, L"Yes");
            sheet.Take(L"disabled", w, [&] { EnableWindow(w, FALSE); });
        }
        {
            CSkinButton b;
            HWND w = fresh(b, L"Yes");
            sheet.Take(L"focused", w, [&] { SetFocus(w); });
        }
        {
            CSkinButton b;
            HWND w = fresh(b, L"Yes");
            sheet.Take(L"default", w, [&] { SendMessageW(w, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); });
        }
        {
            CSkinButton b;
            HWND w = fresh(b, L"S&ave");
            sheet.Take(L"ampersand", w, [] {});
        }
        EXPECT_TRUE(sheet.Save());
    }

    TestDialog* dialog = &TestDialog::Shared();
    HFONT m_font = nullptr;
    HFONT m_textFont = nullptr;
};

} // namespace

TEST_F(Gallery, SkinButtonWithFiveFrames)
{
    ButtonStates(L"button_5_frames", 5);
}

TEST_F(Gallery, SkinButtonWithFourFrames)
{
    ButtonStates(L"button_4_frames", 4);
}

TEST_F(Gallery, CloseButton)
{
    Sheet sheet(L"close_button");
    ScopedBitmap strip(MakeCloseStrip());
    const char* states[] = {"normal", "hot", "pressed", "disabled", "focused"};
    for (const char* state : states)
    {
        dialog->Clear();
        CSkinButton button;
        HWND w = dialog->AddControl(L"BUTTON", L"", BS_PUSHBUTTON, 40, 40, 20, 20, 1095);
        button.SubclassWindow(w);
        button.SetBitmapStrip(strip.Get(), 39, 17, 0, 0xFFFF, 1);
        button.SetDrawFocusFrame(false);
        const std::string name(state);
        sheet.Take(std::wstring(name.begin(), name.end()), w, [&] {
            if (name == "hot" || name == "pressed")
                PointAt(w, 19, 8);
            if (name == "pressed")
            {
                SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(19, 8));
                SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(19, 8));
            }
            if (name == "disabled")
                EnableWindow(w, FALSE);
            if (name == "focused")
                SetFocus(w);
        });
        ReleaseCapture();
        SetCursorPos(1270, 1010);
    }
    EXPECT_TRUE(sheet.Save());
}

TEST_F(Gallery, SkinButtonExtras)
{
    Sheet sheet(L"button_extras");
    ScopedBitmap strip(MakeShadedStrip(18, 21, 5));
    HICON icon = MakeIcon(16, 2, RGB(40, 150, 60));
    for (bool disabled : {false, true})
    {
        dialog->Clear();
        CSkinButton button;
        HWND w = dialog->AddControl(L"BUTTON", L"Icon", BS_PUSHBUTTON, 40, 40, 100, 30, 1381);
        SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        button.SubclassWindow(w);
        button.SetBitmapStrip(strip.Get(), 18, 21, 3, 2, 0);
        button.SetIcon(icon);
        button.SetIconPosition(true, 0, 0);
        button.SetIconBesideText(true);
        sheet.Take(disabled ? L"icon_disabled" : L"icon", w, [&] { EnableWindow(w, !disabled); });
        button.SetIcon(static_cast<HICON>(nullptr));
    }
    {
        dialog->Clear();
        CSkinButton button;
        HWND w = dialog->AddControl(L"BUTTON", L"Scan", BS_PUSHBUTTON | BS_LEFT | BS_TOP, 40, 40, 190, 40, 1381);
        SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        button.SubclassWindow(w);
        button.SetBitmapStrip(strip.Get(), 18, 21, 3, 2, 0);
        button.SetSecondText(L"and repair the disk now");
        button.SetSecondTextPosition(6, 20);
        button.SetSecondTextFont(m_textFont, FALSE);
        button.SetSecondTextColours(RGB(90, 90, 90), RGB(90, 90, 90), RGB(90, 90, 90), RGB(150, 150, 150),
                                    RGB(90, 90, 90));
        sheet.Take(L"second_text_left_top", w, [] {});
    }
    DestroyIcon(icon);
    EXPECT_TRUE(sheet.Save());
}

TEST_F(Gallery, HyperLinkWithIcon)
{
    Sheet sheet(L"hyperlink");
    HICON icon = MakeIcon(16, 1, RGB(30, 110, 200));
    const char* states[] = {"normal", "hover", "hover_colour", "disabled", "focused", "visited"};
    for (const char* state : states)
    {
        dialog->Clear();
        dialog->staticBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        CHyperLinkIcon link;
        HWND w = dialog->AddControl(L"STATIC", L"", WS_TABSTOP, 40, 40, 220, 18, 1347);
        SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(m_textFont), FALSE);
        link.SubclassWindow(w);
        const std::string name(state);
        // The visited look comes from a real open of a harmless target.
        TempFolder folder;
        const std::wstring target = folder.File(L"nothing.bat");
        if (name == "visited")
        {
            WriteFileBytes(target, "@rem\r\n");
            link.SetHyperLink(target.c_str());
        }
        else
        {
            link.SetLinkExtendedStyle(0x44);
        }
        link.SetIcon(icon, 16, 16);
        link.SetIconFlags(false, true);
        link.SetIconPosition(0, 0, 5, 0);
        link.SetLabel(L"Click here for more information");
        sheet.Take(std::wstring(name.begin(), name.end()), w, [&] {
            if (name == "hover_colour")
                link.SetHoverColour(true, RGB(230, 90, 0));
            if (name.rfind("hover", 0) == 0)
                PointAt(w, 40, 6);
            if (name == "disabled")
                EnableWindow(w, FALSE);
            if (name == "visited")
            {
                EXPECT_TRUE(link.Navigate());
            }
            if (name == "focused")
                SetFocus(w);
        });
        SetCursorPos(1270, 1010);
        PumpMessages(5);
    }
    DestroyIcon(icon);
    EXPECT_TRUE(sheet.Save());
}

TEST_F(Gallery, ScrollingTextBox)
{
    Sheet sheet(L"scroll_edit");
    const wchar_t* texts[] = {L"There are incomplete tasks in execution queue.",
                              L"There are incomplete tasks in execution queue. Windows is shutting down, and the "
                              L"tasks will stop where they are unless the shutdown is cancelled now."};
    const wchar_t* names[] = {L"fits", L"overflows"};
    for (int i = 0; i < 2; ++i)
    {
        dialog->Clear();
        CScrollEdit box;
        HWND w = dialog->AddControl(L"EDIT", L"",
                                    WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_TABSTOP, 40, 40,
                                    224, 70, 1208);
        SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(m_textFont), FALSE);
        box.Attach(w);
        sheet.Take(names[i], w, [&] { box.SetTextAndScrollBars(texts[i]); });
    }
    EXPECT_TRUE(sheet.Save());
}
