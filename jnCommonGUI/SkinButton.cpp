#include "jnCommonGUI/SkinButton.h"

#include "jnCommonGUI/DialogKeys.h"
#include "jnCommonGUI/DibInfo.h"
#include "jnCommonGUI/Imaging.h"
#include "jnCommonGUI/KeyRuns.h"
#include "jnCommonGUI/NinePartStretch.h"
#include "jnCommonGUI/NonSkinnable.h"
#include "jnCommonGUI/SkinButtonTrace.h"
#include "logvane/include/Logvane.h"
#include "winframe/ModuleInstance.h"
#include "winframe/PaintWindow.h"
#include "winframe/WindowText.h"

#include <cstring>
#include <vector>

namespace {

constexpr LONG kButtonTypeMask = 0x0F;

HBITMAP LoadBitmapResource(UINT id, int width, int height)
{
    if (!id)
        return nullptr;
    return static_cast<HBITMAP>(
        LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, width, height, 0));
}

int BitmapHeight(HBITMAP bitmap)
{
    BITMAP info{};
    return GetObjectW(bitmap, sizeof info, &info) ? info.bmHeight : 0;
}

// The click of a button as its parent hears it.
WPARAM ClickCommand(HWND button)
{
    return MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED);
}

} // namespace

CSkinButton::CSkinButton()
{
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    for (int i = 0; i < kButtonStateCount; ++i)
    {
        m_captionColours[i] = kButtonCaptionColours[i];
        m_secondTextColours[i] = windowText;
    }
}

CSkinButton::~CSkinButton() = default;

bool CSkinButton::SubclassWindow(HWND button)
{
    if (!CWindowSubclass::SubclassWindow(button))
        return false;
    if (!MarkNonSkinnable(m_hWnd))
        WriteTraceEx(TRACE_ERROR, L"CSkinButton::SubclassWindow - cannot create window property NON_SKINABLE_STR",
                     kSkinButtonTraceSource, kSkinButtonMarkFailedTraceLine);
    TakeOverStyle();
    return true;
}

HWND CSkinButton::Create(HWND parent, const RECT& rect, const wchar_t* text, DWORD style, DWORD exStyle, UINT id)
{
    if (m_hWnd)
        return nullptr;
    HWND button = CreateWindowExW(exStyle, L"BUTTON", text ? text : L"", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ModuleInstance(), nullptr);
    if (!button)
        return nullptr;
    if (!SubclassWindow(button))
    {
        DestroyWindow(button);
        return nullptr;
    }
    return button;
}

// The button draws itself from now on. A default push button gets its look only when the
// dialog says so (BM_SETSTYLE), as the dialog manager moves the default between buttons.
void CSkinButton::TakeOverStyle()
{
    const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
    SetWindowLongW(m_hWnd, GWL_STYLE, (style & ~kButtonTypeMask) | BS_OWNERDRAW);
    if (style & WS_DISABLED)
        UpdateState(FlagDisabled, true, false);
    GetClientRect(m_hWnd, &m_captionRect);
}

bool CSkinButton::SetBitmapStrip(HBITMAP strip, WORD width, WORD height, WORD border, WORD focusInset,
                                 BYTE resizeFlag)
{
    PrepareForImages(width, height, border, focusInset, resizeFlag);
    if (!strip || !m_hWnd)
        return false;
    ScopedWindowDC screen(nullptr);
    if (!screen)
        return false;
    ScopedMemoryDC stripDC(screen.Get());
    ScopedMemoryDC frameDC(screen.Get());
    if (!stripDC || !frameDC)
        return false;
    const int stripHeight = BitmapHeight(strip);
    ScopedSelection selectStrip(stripDC.Get(), strip);
    for (int i = 0; i < kButtonStateCount; ++i)
    {
        if (i * height + height > stripHeight)
            continue;
        ScopedBitmap frame(CreateCompatibleBitmap(screen.Get(), width, height));
        if (!frame)
            continue;
        {
            ScopedSelection selectFrame(frameDC.Get(), frame.Get());
            BitBlt(frameDC.Get(), 0, 0, width, height, stripDC.Get(), 0, i * height, SRCCOPY);
        }
        BuildStateImage(i, frame.Get(), width, height, border, resizeFlag == 1);
    }
    // A button disabled or focused before it had images shows them now.
    UpdateState(0, true, false);
    return true;
}

bool CSkinButton::SetBitmapStripResource(UINT id, WORD width, WORD height, WORD border, WORD focusInset,
                                         BYTE resizeFlag)
{
    ScopedBitmap strip(LoadBitmapResource(id, 0, 0));
    if (!strip)
        return false;
    return SetBitmapStrip(strip.Get(), width, height, border, focusInset, resizeFlag);
}

bool CSkinButton::SetStateBitmaps(HBITMAP normal, HBITMAP hot, HBITMAP pressed, HBITMAP disabled, HBITMAP focused,
                                  WORD width, WORD height, WORD border, WORD focusInset, BYTE resizeFlag)
{
    PrepareForImages(width, height, border, focusInset, resizeFlag);
    if (!m_hWnd)
        return false;
    const HBITMAP frames[kButtonStateCount] = {normal, hot, pressed, disabled, focused};
    bool any = false;
    for (int i = 0; i < kButtonStateCount; ++i)
    {
        if (!frames[i])
            continue;
        BuildStateImage(i, frames[i], width, height, border, resizeFlag == 1);
        any = true;
    }
    UpdateState(0, true, false);
    return any;
}

bool CSkinButton::SetStateBitmapResources(UINT normal, UINT hot, UINT pressed, UINT disabled, UINT focused,
                                          WORD width, WORD height, WORD border, WORD focusInset, BYTE resizeFlag)
{
    ScopedBitmap loaded[kButtonStateCount];
    const UINT ids[kButtonStateCount] = {normal, hot, pressed, disabled, focused};
    for (int i = 0; i < kButtonStateCount; ++i)
        loaded[i].Reset(LoadBitmapResource(ids[i], width, height));
    return SetStateBitmaps(loaded[0].Get(), loaded[1].Get(), loaded[2].Get(), loaded[3].Get(), loaded[4].Get(), width,
                           height, border, focusInset, resizeFlag);
}

// Drops what was drawn from earlier images and takes the sizes of the new ones.
void CSkinButton::PrepareForImages(WORD width, WORD height, WORD border, WORD focusInset, BYTE resizeFlag)
{
    FreeImages();
    for (ScopedBitmap& source : m_sourceImages)
        source.Reset();
    m_secondText.clear();
    if (m_ownedIcon.Get())
        ReleaseIcon();
    m_border = border;
    m_imageWidth = width;
    m_imageHeight = height;
    m_focusInset = focusInset;
    if (resizeFlag == 1 && m_hWnd)
    {
        SetWindowPos(m_hWnd, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        GetClientRect(m_hWnd, &m_captionRect);
    }
    InflateRect(&m_captionRect, -border, -border);
}

void CSkinButton::FreeImages()
{
    for (ScopedBitmap& image : m_stateImages)
        image.Reset();
    m_clipRegion.Reset();
}

void CSkinButton::BuildStateImage(int index, HBITMAP frame, int frameWidth, int frameHeight, int border,
                                  bool noStretch)
{
    // The frame may be the source image it replaces (a rebuild after resizing): copy it first.
    ScopedBitmap copy(static_cast<HBITMAP>(CopyImage(frame, IMAGE_BITMAP, 0, 0, 0)));
    if (!copy)
        return;
    m_sourceImages[index] = std::move(copy);

    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    {
        ScopedWindowDC windowDC(m_hWnd);
        if (!windowDC)
            return;
        ScopedBitmap image(CreateCompatibleBitmap(windowDC.Get(), width, height));
        ScopedMemoryDC sourceDC(windowDC.Get());
        ScopedMemoryDC imageDC(windowDC.Get());
        if (!image || !sourceDC || !imageDC)
            return;
        {
            ScopedSelection selectSource(sourceDC.Get(), m_sourceImages[index].Get());
            ScopedSelection selectImage(imageDC.Get(), image.Get());
            if (noStretch)
                BitBlt(imageDC.Get(), 0, 0, width, height, sourceDC.Get(), 0, 0, SRCCOPY);
            else
                StretchNinePart(imageDC.Get(), width, height, sourceDC.Get(), frameWidth, frameHeight, border);
        }
        m_stateImages[index] = std::move(image);
    }
    BuildWindowRegion();
}

// Cuts the window out of the Normal image: pixels of the colour key lie outside.
bool CSkinButton::BuildWindowRegion()
{
    HBITMAP normal = m_stateImages[0].Get();
    if (!normal)
        return false;
    BITMAP info{};
    if (!GetObjectW(normal, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    const int width = info.bmWidth, height = info.bmHeight;
    const int stride = Dib24Stride(width);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height);
    {
        ScopedWindowDC screen(nullptr, ScopedWindowDC::Whole);
        if (!screen)
            return false;
        BITMAPINFO header = DibInfo(width, -height, 24);
        if (GetDIBits(screen.Get(), normal, 0, height, pixels.data(), &header, DIB_RGB_COLORS) != height)
            return false;
    }
    const std::vector<RECT> runs = ScanKeyRuns(pixels.data(), width, height, stride, m_colourKey);

    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(runs.size());
    region->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    GetClientRect(m_hWnd, &region->rdh.rcBound);
    if (!runs.empty())
        std::memcpy(region->Buffer, runs.data(), runs.size() * sizeof(RECT));
    ScopedRegion windowRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region));
    if (!windowRegion || !HandRegionToWindow(m_hWnd, std::move(windowRegion), FALSE))
        return false;
    // The window owns its region now; painting and hit tests use a copy.
    ScopedRegion copy(CreateRectRgn(0, 0, 0, 0));
    if (copy && GetWindowRgn(m_hWnd, copy.Get()) != ERROR)
        m_clipRegion = std::move(copy);
    else
        m_clipRegion.Reset();
    return true;
}

void CSkinButton::SetTextColours(COLORREF normal, COLORREF hot, COLORREF pressed, COLORREF disabled,
                                 COLORREF focused)
{
    const COLORREF colours[kButtonStateCount] = {normal, hot, pressed, disabled, focused};
    std::memcpy(m_captionColours, colours, sizeof colours);
}

void CSkinButton::SetSecondTextColours(COLORREF normal, COLORREF hot, COLORREF pressed, COLORREF disabled,
                                       COLORREF focused)
{
    const COLORREF colours[kButtonStateCount] = {normal, hot, pressed, disabled, focused};
    std::memcpy(m_secondTextColours, colours, sizeof colours);
}

void CSkinButton::SetTextOffset(int left, int top)
{
    m_captionLeft = left;
    m_captionTop = top;
}

void CSkinButton::SetSecondText(const wchar_t* text)
{
    m_secondText = text ? text : L"";
}

void CSkinButton::SetSecondTextPosition(WORD left, WORD top)
{
    m_secondTextLeft = left;
    m_secondTextTop = top;
}

void CSkinButton::SetSecondTextWordBreak(bool wordBreak)
{
    m_secondTextWordBreak = wordBreak;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSkinButton::SetSecondTextFont(HFONT font, BOOL redraw)
{
    m_secondTextFont = font;
    if (redraw == 1 && m_hWnd)
    {
        InvalidateRect(m_hWnd, nullptr, TRUE);
        UpdateWindow(m_hWnd);
    }
}

void CSkinButton::ReleaseIcon()
{
    m_ownedIcon.Reset();
    m_icon = nullptr;
}

bool CSkinButton::SetIcon(UINT id, int width, int height)
{
    ReleaseIcon();
    HICON icon = static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, 0));
    if (!icon)
        return false;
    m_ownedIcon.Reset(icon);
    m_icon = icon;
    return true;
}

void CSkinButton::SetIcon(HICON icon)
{
    ReleaseIcon();
    m_icon = icon;
}

void CSkinButton::SetIconPosition(bool centreVertically, WORD left, WORD top)
{
    m_centreIconVertically = centreVertically;
    m_iconLeft = left;
    m_iconTop = top;
}

bool CSkinButton::SetOverlayIcon(UINT id, WORD left, WORD top)
{
    HICON icon = static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, 0));
    if (!icon)
        return false;
    m_overlayIcon.Reset(icon);
    m_overlayLeft = left;
    m_overlayTop = top;
    SIZE size{};
    if (GetIconSize(icon, size))
    {
        m_overlayWidth = size.cx;
        m_overlayHeight = size.cy;
    }
    return true;
}

void CSkinButton::SetHoverNotifications(int enterCode, int leaveCode)
{
    m_enterCode = enterCode;
    m_leaveCode = leaveCode;
}

void CSkinButton::UpdateState(BYTE mask, bool set, bool leftButtonDown)
{
    const BYTE oldFlags = m_flags;
    if (set)
        m_flags |= mask;
    else
        m_flags &= ~mask;
    const ButtonStateResult next = ComputeButtonState(
        {m_flags, m_mouseInside, leftButtonDown, m_stateImages[3].Get() != nullptr, m_stateImages[4].Get() != nullptr});
    m_focusedShowsDefault = next.focusedShowsDefault;
    if (next.state == m_state && m_flags == oldFlags)
        return;
    m_state = next.state;
    if (m_hWnd)
    {
        InvalidateRect(m_hWnd, nullptr, TRUE);
        UpdateWindow(m_hWnd);
    }
}

// The end of a click or a space press: a toggle button flips, any other is released.
void CSkinButton::EndPress()
{
    if (m_toggleMode && !(m_flags & FlagGrouped))
        UpdateState(FlagChecked | FlagPressed, !IsChecked(), false);
    else
        UpdateState(FlagPressed, false, false);
}

void CSkinButton::SendNotification(int code)
{
    HWND parent = GetParent(m_hWnd);
    if (!parent)
        return;
    NMHDR header{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd)), static_cast<UINT>(code)};
    SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void CSkinButton::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    const bool leftButtonDown = (wParam & MK_LBUTTON) != 0;
    if (!(m_flags & FlagHot))
        UpdateState(FlagHot, true, leftButtonDown);
    if (GetCapture() != m_hWnd)
    {
        SetCapture(m_hWnd);
        m_capturedWithButtonDown = leftButtonDown;
        SendNotification(m_enterCode);
    }
    if (GetCapture() != m_hWnd)
        return;
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    m_mouseInside = m_clipRegion && PtInRegion(m_clipRegion.Get(), x, y);
    // Holding the button pressed keeps the capture outside, so that coming back shows it pressed.
    if (!m_mouseInside && !(leftButtonDown && !m_capturedWithButtonDown))
        ReleaseCapture();
    UpdateState(0, true, leftButtonDown);
}

void CSkinButton::OnLeftButtonUp()
{
    if (!m_mouseInside)
    {
        UpdateState(FlagHot | FlagPressed, false, false);
        return;
    }
    m_flags |= FlagHot;
    if (!m_capturedWithButtonDown)
        EndPress();
}

void CSkinButton::OnCaptureChanged(HWND newOwner)
{
    m_capturedWithButtonDown = false;
    // The standard procedure takes the capture again on a press: the pointer has not left,
    // so the parent hears of a leave only once, when the capture really goes.
    if (newOwner != m_hWnd)
        SendNotification(m_leaveCode);
    m_flags &= m_mouseInside ? ~FlagHot : ~(FlagHot | FlagPressed);
    UpdateState(0, true, false);
}

void CSkinButton::OnSize()
{
    if (!m_sourceImages[0])
        return;
    FreeImages();
    for (int i = 0; i < kButtonStateCount; ++i)
        if (m_sourceImages[i])
            BuildStateImage(i, m_sourceImages[i].Get(), m_imageWidth, m_imageHeight, m_border, false);
}

LRESULT CSkinButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    const WPARAM type = wParam & kButtonTypeMask;
    if (type == BS_DEFPUSHBUTTON)
        UpdateState(FlagDefault, true, false);
    else if (type == BS_PUSHBUTTON)
        UpdateState(FlagDefault, false, false);
    return CallDefaultProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(kButtonTypeMask)) | BS_OWNERDRAW, lParam);
}

bool CSkinButton::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (m_accessible.ProcessWindowMessage(window, message, wParam, lParam, result))
        return true;
    switch (message)
    {
    case WM_PAINT:
        PaintWindow(m_hWnd, reinterpret_cast<HDC>(wParam), [this](HDC dc) { Paint(dc); });
        result = 0;
        return true;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_SIZE:
        OnSize();
        return false;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return false;
    case WM_SETTEXT:
        result = CallDefaultProc(message, wParam, lParam);
        InvalidateRect(m_hWnd, nullptr, TRUE);
        return true;
    case WM_LBUTTONDOWN:
        SendMessageW(m_hWnd, BM_SETSTYLE, LOWORD(GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE);
        UpdateState(FlagPressed, true, true);
        return false;
    case WM_LBUTTONUP:
        OnLeftButtonUp();
        return false;
    case WM_LBUTTONDBLCLK:
        result = SendMessageW(m_hWnd, WM_LBUTTONDOWN, wParam, lParam);
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
            UpdateState(FlagPressed, true, false);
        else if (AnswerDialogKey(wParam, lParam))
        {
            result = 0;  // this button may be gone now: nothing after this
            return true;
        }
        return false;
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            EndPress();
        return false;
    case WM_SETFOCUS:
        UpdateState(FlagFocused, true, false);
        return false;
    case WM_KILLFOCUS:
        UpdateState(FlagFocused, false, false);
        return false;
    case WM_ENABLE:
        UpdateState(FlagDisabled, wParam == FALSE, false);
        return false;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return false;
    case WM_GETDLGCODE:
        result = (m_flags & FlagDefault) ? DLGC_BUTTON | DLGC_DEFPUSHBUTTON : DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        return true;
    case BM_SETSTYLE:
        result = OnSetStyle(wParam, lParam);
        return true;
    case WM_UPDATEUISTATE:
        CallDefaultProc(message, wParam, lParam);
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        result = 0;
        return true;
    default:
        return false;
    }
}

// Tab moves the focus as a dialog does (WM_NEXTDLGCTL); Enter sends the click's WM_COMMAND, Escape
// the dialog's IDCANCEL, as the dialog manager would. The parent may destroy this button while
// it answers.
bool CSkinButton::AnswerDialogKey(WPARAM key, LPARAM keyData)
{
    const bool repeated = (keyData & (1 << 30)) != 0;
    const DialogKey meaning = ClassifyDialogKey(static_cast<UINT>(key), GetKeyState(VK_SHIFT) < 0, repeated);
    HWND parent = GetParent(m_hWnd);
    if (meaning == DialogKey::None || !parent)
        return false;
    switch (meaning)
    {
    case DialogKey::Next:
    case DialogKey::Previous:
        SendMessageW(parent, WM_NEXTDLGCTL, meaning == DialogKey::Previous, FALSE);
        break;
    case DialogKey::Press:
        SendMessageW(parent, WM_COMMAND, ClickCommand(m_hWnd), reinterpret_cast<LPARAM>(m_hWnd));
        break;
    default:
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(parent, IDCANCEL)));
        break;
    }
    return true;
}

AccessibleFacts CSkinButton::DescribeAccessible() const
{
    ButtonConditions conditions;
    conditions.window = WindowConditionsOf(m_hWnd);
    conditions.pressed = (m_flags & (FlagPressed | FlagChecked)) != 0;
    conditions.isDefault = (m_flags & FlagDefault) != 0;
    return PushButtonFacts(WindowText(m_hWnd), conditions);
}

// A click's WM_COMMAND, posted: it runs after the screen reader's call has returned.
void CSkinButton::StartDefaultAction()
{
    if (HWND parent = GetParent(m_hWnd))
        PostMessageW(parent, WM_COMMAND, ClickCommand(m_hWnd), reinterpret_cast<LPARAM>(m_hWnd));
}
