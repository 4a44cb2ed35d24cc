#include "TestSupport.h"

#include "Screenshot.h"
#include "jnCommonGUI/DibInfo.h"
#include "support/FileBytes.h"
#include "support/MessagePump.h"
#include "support/TemplateBuilder.h"

#include <shlobj.h>

#include <algorithm>

namespace testing_controls {

const COLORREF kStateColours[5] = {RGB(40, 90, 200), RGB(60, 170, 60), RGB(200, 60, 40), RGB(150, 150, 150),
                                   RGB(230, 200, 40)};

COLORREF EdgeColour(COLORREF face)
{
    return RGB(GetRValue(face) / 2, GetGValue(face) / 2, GetBValue(face) / 2);
}

Dib::Dib(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    BITMAPINFO info = DibInfo(width, -height, 32);
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<std::uint32_t*>(bits);
    m_dc = CreateCompatibleDC(nullptr);
    m_previous = SelectObject(m_dc, m_bitmap);
    Fill(fill);
}

Dib::~Dib()
{
    if (m_dc)
    {
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
}

HBITMAP Dib::Detach()
{
    SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
    m_dc = nullptr;
    HBITMAP bitmap = m_bitmap;
    m_bitmap = nullptr;
    return bitmap;
}

COLORREF Dib::At(int x, int y) const
{
    GdiFlush();
    const std::uint32_t pixel = m_bits[y * m_width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::uint8_t Dib::AlphaAt(int x, int y) const
{
    GdiFlush();
    return static_cast<std::uint8_t>(m_bits[y * m_width + x] >> 24);
}

void Dib::Set(int x, int y, COLORREF colour, std::uint8_t alpha)
{
    GdiFlush();
    m_bits[y * m_width + x] = (static_cast<std::uint32_t>(alpha) << 24) | (GetRValue(colour) << 16) |
                              (GetGValue(colour) << 8) | GetBValue(colour);
}

void Dib::Fill(COLORREF colour, std::uint8_t alpha)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            Set(x, y, colour, alpha);
}

HBITMAP MakeStrip(int width, int frameHeight, int frameCount, int bitsPerPixel)
{
    const int height = frameHeight * frameCount;
    Dib strip(width, height);
    for (int frame = 0; frame < frameCount; ++frame)
    {
        const COLORREF face = kStateColours[frame % 5];
        const int top = frame * frameHeight;
        for (int y = 0; y < frameHeight; ++y)
            for (int x = 0; x < width; ++x)
            {
                const bool edge = x < 3 || y < 3 || x >= width - 3 || y >= frameHeight - 3;
                strip.Set(x, top + y, edge ? EdgeColour(face) : face);
            }
        for (int cornerY : {0, frameHeight - 1})
            for (int cornerX : {0, width - 1})
            {
                const int stepX = cornerX ? -1 : 1, stepY = cornerY ? -1 : 1;
                strip.Set(cornerX, top + cornerY, kMagenta);
                strip.Set(cornerX + stepX, top + cornerY, kMagenta);
                strip.Set(cornerX, top + cornerY + stepY, kMagenta);
            }
    }
    if (bitsPerPixel == 32)
        return strip.Detach();
    // A section of the requested depth, as an image loaded with its own format gives.
    BITMAPINFO info = DibInfo(width, -height, static_cast<WORD>(bitsPerPixel));
    void* bits = nullptr;
    HBITMAP result = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, result);
    BitBlt(dc, 0, 0, width, height, strip.Dc(), 0, 0, SRCCOPY);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return result;
}

HICON MakeIcon(int size, int border, COLORREF colour)
{
    Dib image(size, size, RGB(0, 0, 0));
    image.Fill(RGB(0, 0, 0), 0);
    for (int y = border; y < size - border; ++y)
        for (int x = border; x < size - border; ++x)
            image.Set(x, y, colour, 255);
    // An all-zero mask: the alpha channel alone says what is transparent.
    const std::vector<BYTE> maskBits(static_cast<std::size_t>((size + 15) / 16 * 2 * size), 0);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits.data());
    HBITMAP colourBitmap = image.Detach();
    ICONINFO info{TRUE, 0, 0, mask, colourBitmap};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colourBitmap);
    return icon;
}

TestDialog& TestDialog::Shared()
{
    static TestDialog dialog;
    return dialog;
}

TestDialog::TestDialog()
{
    // An empty template: the controls are added as windows at exact pixel places.
    const std::vector<BYTE> bytes =
        testsupport::TemplateBuilder(false, WS_POPUP | WS_VISIBLE, 0, 0).ExStyle(WS_EX_TOPMOST).Build();
    m_dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(bytes.data()),
                                          nullptr, &TestDialog::Proc, reinterpret_cast<LPARAM>(this));
    SetWindowPos(m_dialog, HWND_TOPMOST, 100, 100, 400, 300, SWP_SHOWWINDOW);
    SetForegroundWindow(m_dialog);
    PumpMessages();
}

TestDialog::~TestDialog()
{
    if (IsWindow(m_dialog))
        DestroyWindow(m_dialog);
}

void TestDialog::Clear()
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(m_dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children)
        DestroyWindow(child);
    PumpMessages(1);
    commands.clear();
    notifies.clear();
    staticBrush = nullptr;
    SetForegroundWindow(m_dialog);
    SetFocus(m_dialog);
}

HWND TestDialog::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width,
                            int height, int id)
{
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, m_dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

int TestDialog::CountNotifies(UINT code) const
{
    return static_cast<int>(std::count_if(notifies.begin(), notifies.end(),
                                          [code](const Notification& n) { return n.code == code; }));
}

INT_PTR CALLBACK TestDialog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<TestDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return FALSE;
    switch (message)
    {
    case WM_COMMAND:
        self->commands.push_back(LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
    {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        self->notifies.push_back({header->idFrom, header->code});
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(self->staticBrush);
    default:
        return FALSE;
    }
}

void PumpMessages(int rounds)
{
    for (int round = 0; round < rounds; ++round)
    {
        testsupport::DispatchWaitingMessages();
        Sleep(20);
    }
}

bool WriteMarkerScript(const std::wstring& script, const std::wstring& marker)
{
    // Temporary paths are ASCII: the batch file takes them byte for byte.
    const std::string target(marker.begin(), marker.end());
    return testsupport::WriteFileBytes(script, "@echo marked> \"" + target + "\"\r\n");
}

void PointAt(HWND window, int x, int y, int rounds)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    PumpMessages(rounds);
}

void PrintClient(HWND window, Dib& target)
{
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc()), PRF_CLIENT);
    GdiFlush();
}

bool SavePng(const Dib& image, const std::wstring& relativePath)
{
    wchar_t full[MAX_PATH] = {};
    if (!GetFullPathNameW(relativePath.c_str(), MAX_PATH, full, nullptr))
        return false;
    const std::wstring path(full);
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        SHCreateDirectoryExW(nullptr, path.substr(0, slash).c_str(), nullptr);
    const GdiPlusSession gdiPlus;
    GdiFlush();
    return gdiPlus.Started() && SaveBitmapPng(image.Bitmap(), path);
}

} // namespace testing_controls
