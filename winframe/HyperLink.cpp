#include "winframe/HyperLink.h"

#include "winframe/ModuleInstance.h"
#include "winframe/PaintWindow.h"
#include "winframe/WindowText.h"

#include <algorithm>
#include <commctrl.h>
#include <shellapi.h>

namespace {

constexpr LONG kOwnerDrawnStatic = 0x0D;

// A copy of the font with an underline, owned by the caller.
HFONT MakeUnderlinedFont(HFONT font)
{
    LOGFONTW description{};
    if (!GetObjectW(font, sizeof description, &description))
        return nullptr;
    description.lfUnderline = TRUE;
    return CreateFontIndirectW(&description);
}

} // namespace

CHyperLink::CHyperLink()
{
    const LinkColours colours;
    m_linkColour = colours.link;
    m_visitedColour = colours.visited;
}

CHyperLink::~CHyperLink()
{
    if (m_tooltip && IsWindow(m_tooltip))
        DestroyWindow(m_tooltip);
}

bool CHyperLink::SubclassWindow(HWND control, const LinkColours& colours)
{
    if (!CWindowSubclass::SubclassWindow(control))
        return false;
    m_linkColour = colours.link;
    m_visitedColour = colours.visited;
    // A static control lets the pointer through to its parent unless it notifies.
    SetWindowLongW(m_hWnd, GWL_STYLE, GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    if (m_label.empty())
        m_label = WindowText(m_hWnd);
    HFONT font = reinterpret_cast<HFONT>(CallDefaultProc(WM_GETFONT, 0, 0));
    UseNormalFont(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    UpdateTooltip();
    return true;
}

DWORD CHyperLink::SetLinkExtendedStyle(DWORD style, DWORD mask)
{
    const DWORD previous = m_extendedStyle;
    m_extendedStyle = mask ? (m_extendedStyle & ~mask) | (style & mask) : style;
    UpdateTooltip();
    if (m_hWnd)
        Repaint();
    return previous;
}

void CHyperLink::SetLabel(const wchar_t* label)
{
    m_label = label ? label : L"";
    if (!m_hWnd)
        return;
    CalcLinkRect();
    UpdateTooltip();
}

void CHyperLink::SetHyperLink(const wchar_t* target)
{
    m_target = target ? target : L"";
    if (!m_hWnd)
        return;
    CalcLinkRect();
    UpdateTooltip();
}

bool CHyperLink::Navigate()
{
    if (!m_hWnd)
        return false;
    HWND parent = GetParent(m_hWnd);
    const int id = GetDlgCtrlID(m_hWnd);
    if ((m_extendedStyle & kLinkNotifyButton) == kLinkNotifyButton)
    {
        NMHDR header{m_hWnd, static_cast<UINT_PTR>(id), static_cast<UINT>(NM_CLICK)};
        SendMessageW(parent, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&header));
        return true;
    }
    if (m_extendedStyle & kLinkCommandButton)
    {
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(m_hWnd));
        return true;
    }
    if (m_target.empty())
        return false;
    const auto opened = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", m_target.c_str(), nullptr, nullptr,
                                                                SW_SHOWNORMAL));
    if (opened <= 32)
        return false;
    m_visited = true;
    Repaint();
    return true;
}

UINT CHyperLink::TextAlignment() const
{
    const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
    if ((style & kOwnerDrawnStatic) == kOwnerDrawnStatic)
        return DT_LEFT;
    if (style & SS_CENTER)
        return DT_CENTER;
    if (style & SS_RIGHT)
        return DT_RIGHT;
    return DT_LEFT;
}

SIZE CHyperLink::MeasureText(int maxWidth) const
{
    const std::wstring& text = DisplayText();
    ScopedWindowDC dc(m_hWnd);
    if (!dc || text.empty())
        return {0, 0};
    ScopedSelection select(dc.Get(), m_linkFont ? m_linkFont : m_normalFont);
    RECT area{0, 0, std::max(maxWidth, 1), 0};
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &area, DT_CALCRECT | DT_WORDBREAK);
    return {area.right - area.left, area.bottom - area.top};
}

void CHyperLink::CalcLinkRect()
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if ((GetWindowLongW(m_hWnd, GWL_STYLE) & kOwnerDrawnStatic) == kOwnerDrawnStatic)
    {
        SetLinkRect(client);
        return;
    }
    const SIZE text = MeasureText(client.right);
    int left = 0;
    const UINT alignment = TextAlignment();
    if (alignment == DT_CENTER)
        left = (client.right - text.cx) / 2;
    else if (alignment == DT_RIGHT)
        left = client.right - text.cx;
    SetLinkRect({left, 0, left + text.cx, text.cy});
}

void CHyperLink::SetLinkRect(const RECT& rect)
{
    m_linkRect = rect;
    UpdateTooltip();
}

HFONT CHyperLink::CurrentFont() const
{
    if (!m_linkFont || ((m_extendedStyle & kLinkUnderlineHover) && !m_hovering))
        return m_normalFont;
    return m_linkFont;
}

void CHyperLink::SetLinkFont(HFONT font, bool owned)
{
    m_ownedLinkFont.Reset(owned ? font : nullptr);
    m_linkFont = font;
}

void CHyperLink::UseNormalFont(HFONT font)
{
    m_normalFont = font;
    // Only a link font of our own follows the normal font; one given to us stays.
    if (m_ownedLinkFont || !m_linkFont)
        SetLinkFont(MakeUnderlinedFont(font), true);
    CalcLinkRect();
}

void CHyperLink::PaintBackground(HDC dc)
{
    HWND parent = GetParent(m_hWnd);
    if (!parent)
        return;
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hWnd)));
    if (!brush)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, brush);
}

void CHyperLink::DoPaint(HDC dc)
{
    PaintBackground(dc);
    SetBkMode(dc, TRANSPARENT);
    COLORREF colour = m_visited ? m_visitedColour : m_linkColour;
    if (!IsWindowEnabled(m_hWnd))
        colour = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, colour);
    ScopedSelection select(dc, CurrentFont());
    const std::wstring& text = DisplayText();
    RECT area = m_linkRect;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, TextAlignment() | DT_WORDBREAK);
    if (GetFocus() == m_hWnd && (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_TABSTOP))
        DrawFocusRect(dc, &m_linkRect);
}

void CHyperLink::Paint(HDC dc)
{
    ScopedDCState keepState(dc);
    DoPaint(dc);
}

void CHyperLink::Repaint()
{
    HWND parent = GetParent(m_hWnd);
    if (parent)
    {
        RECT area{};
        GetWindowRect(m_hWnd, &area);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        InvalidateRect(parent, &area, TRUE);
        UpdateWindow(parent);
    }
    InvalidateRect(m_hWnd, nullptr, TRUE);
    UpdateWindow(m_hWnd);
}

void CHyperLink::UpdateTooltip()
{
    if (!m_hWnd)
        return;
    const std::wstring& tip = m_target.empty() ? m_label : m_target;
    if ((m_extendedStyle & kLinkNoTooltip) || tip.empty())
    {
        if (m_tooltip)
            DestroyWindow(m_tooltip);
        m_tooltip = nullptr;
        return;
    }
    if (!m_tooltip)
    {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&classes);
        m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, ModuleInstance(),
                                    nullptr);
        if (!m_tooltip)
            return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = m_hWnd;
    tool.uId = 1;
    SendMessageW(m_tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.rect = m_linkRect;
    tool.hinst = nullptr;
    tool.lpszText = const_cast<wchar_t*>(tip.c_str());
    SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool CHyperLink::IsActive() const
{
    return !m_target.empty() || (m_extendedStyle & kLinkCommandButton);
}

bool CHyperLink::PointInLink(LPARAM lParam) const
{
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&m_linkRect, point) != FALSE;
}

void CHyperLink::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (m_tooltip)
    {
        MSG relayed{m_hWnd, WM_MOUSEMOVE, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        SendMessageW(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    const bool inside = PointInLink(lParam);
    if (inside && !m_hovering)
    {
        m_hovering = true;
        Repaint();
        OnHoverEnter();
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
        TrackMouseEvent(&track);
    }
    else if (!inside && m_hovering)
    {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_CANCEL, m_hWnd, 0};
        TrackMouseEvent(&track);
        EndHover();
    }
    if (inside && IsActive())
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
}

void CHyperLink::EndHover()
{
    // A leave can be reported twice (a move outside, then WM_MOUSELEAVE): report it once.
    if (!m_hovering)
        return;
    m_hovering = false;
    Repaint();
    OnHoverLeave();
}

bool CHyperLink::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
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
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return false;
    case WM_MOUSELEAVE:
        EndHover();
        return false;
    case WM_SETCURSOR:
    {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(m_hWnd, &point);
        if (IsActive() && PtInRect(&m_linkRect, point))
        {
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_LBUTTONDOWN:
        if (PointInLink(lParam))
        {
            SetFocus(m_hWnd);
            SetCapture(m_hWnd);
        }
        result = 0;
        return true;
    case WM_LBUTTONUP:
        if (GetCapture() == m_hWnd)
        {
            ReleaseCapture();
            if (PointInLink(lParam))
                Navigate();
        }
        result = 0;
        return true;
    case WM_CHAR:
        if (wParam == VK_RETURN || wParam == VK_SPACE)
        {
            Navigate();
            result = 0;
            return true;
        }
        return false;
    case WM_GETDLGCODE:
        result = DLGC_WANTCHARS;
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        Repaint();
        result = 0;
        return true;
    case WM_SETFONT:
        // The static keeps the font too, for whoever draws it after us; we draw, so no redraw there.
        CallDefaultProc(WM_SETFONT, wParam, FALSE);
        UseNormalFont(wParam ? reinterpret_cast<HFONT>(wParam) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        if (LOWORD(lParam))
            Repaint();
        result = 0;
        return true;
    case WM_GETFONT:
        result = reinterpret_cast<LRESULT>(m_normalFont);
        return true;
    case WM_DESTROY:
        if (m_tooltip)
            DestroyWindow(m_tooltip);
        m_tooltip = nullptr;
        return false;
    default:
        return false;
    }
}
