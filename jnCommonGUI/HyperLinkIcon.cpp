#include "jnCommonGUI/HyperLinkIcon.h"

#include "jnCommonGUI/Imaging.h"
#include "jnCommonGUI/LinkColours.h"
#include "winframe/ModuleInstance.h"

CHyperLinkIcon::CHyperLinkIcon() = default;

CHyperLinkIcon::~CHyperLinkIcon() = default;

bool CHyperLinkIcon::SubclassWindow(HWND control)
{
    return CHyperLink::SubclassWindow(control, ReadLinkColours());
}

void CHyperLinkIcon::ReleaseIcon()
{
    m_ownedIcon.Reset();
    m_icon = nullptr;
    m_iconWidth = 0;
    m_iconHeight = 0;
}

bool CHyperLinkIcon::SetIcon(UINT id, BYTE width, BYTE height)
{
    HICON icon = static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, 0));
    return TakeIcon(icon, true, width, height);
}

bool CHyperLinkIcon::SetIcon(HICON icon, BYTE width, BYTE height)
{
    return TakeIcon(icon, false, width, height);
}

bool CHyperLinkIcon::TakeIcon(HICON icon, bool owned, BYTE width, BYTE height)
{
    ReleaseIcon();
    if (icon)
    {
        m_icon = icon;
        if (owned)
            m_ownedIcon.Reset(icon);
        m_iconWidth = width;
        m_iconHeight = height;
    }
    if (m_hWnd)
        CalcLinkRect();
    return icon != nullptr;
}

void CHyperLinkIcon::SetIconFlags(bool centreVertically, bool shiftTextByIconWidth)
{
    m_centreVertically = centreVertically;
    m_shiftTextByIconWidth = shiftTextByIconWidth;
    if (m_hWnd)
        CalcLinkRect();
}

void CHyperLinkIcon::SetIconPosition(int iconLeft, int centringReference, int textLeft, int top)
{
    m_iconLeft = iconLeft;
    m_centringReference = centringReference;
    m_textLeft = textLeft;
    m_top = top;
    if (m_hWnd)
        CalcLinkRect();
}

void CHyperLinkIcon::SetHoverColour(bool use, COLORREF colour)
{
    m_useHoverColour = use;
    m_hoverColour = colour;
}

void CHyperLinkIcon::SetShowIcon(bool show)
{
    m_showIcon = show;
    if (m_hWnd)
        Repaint();
}

void CHyperLinkIcon::SetLinkFontAndColour(HFONT font, COLORREF linkColour, COLORREF disabledColour)
{
    SetLinkFont(font, false);
    SetLinkColour(linkColour);
    m_disabledColour = disabledColour;
    if (m_hWnd)
        CalcLinkRect();
}

void CHyperLinkIcon::CalcLinkRect()
{
    if (!m_icon)
    {
        CHyperLink::CalcLinkRect();
        return;
    }
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int left = m_textLeft + (m_shiftTextByIconWidth ? m_iconWidth : 0);
    const SIZE text = MeasureText(client.right - left);
    const int top = m_centreVertically ? m_centringReference + m_iconHeight / 2 - text.cy / 2 : m_top;
    SetLinkRect({left, top, left + text.cx, top + text.cy});
}

void CHyperLinkIcon::DoPaint(HDC dc)
{
    PaintBackground(dc);
    if (m_showIcon && m_icon)
        DrawIconEx(dc, m_iconLeft, m_top, m_icon, m_iconWidth, m_iconHeight, 0, nullptr, DI_NORMAL);
    SetBkMode(dc, TRANSPARENT);
    COLORREF colour = GetLinkColour();
    if (!IsWindowEnabled(m_hWnd))
        colour = m_disabledColour;
    else if (IsVisited())
        colour = GetVisitedColour();
    else if (IsHovering() && m_useHoverColour)
        colour = m_hoverColour;
    SetTextColor(dc, colour);
    ScopedSelection select(dc, CurrentFont());
    const RECT& link = GetLinkRect();
    if (GetFocus() == m_hWnd && (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_TABSTOP))
        DrawFocusFrame(dc, link);
    const std::wstring& text = DisplayText();
    RECT area = link;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, TextAlignment() | DT_WORDBREAK);
}

void CHyperLinkIcon::SendHoverNotification(UINT code)
{
    NMHDR header{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd)), code};
    SendMessageW(GetParent(m_hWnd), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void CHyperLinkIcon::OnHoverEnter()
{
    SendHoverNotification(kLinkHoverEnter);
}

void CHyperLinkIcon::OnHoverLeave()
{
    SendHoverNotification(kLinkHoverLeave);
}

bool CHyperLinkIcon::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (m_accessible.ProcessWindowMessage(window, message, wParam, lParam, result))
        return true;
    if (message == kLinkDefaultActionMessage)
    {
        Navigate();
        result = 0;
        return true;
    }
    return CHyperLink::ProcessWindowMessage(window, message, wParam, lParam, result);
}

AccessibleFacts CHyperLinkIcon::DescribeAccessible() const
{
    LinkConditions conditions;
    conditions.window = WindowConditionsOf(m_hWnd);
    conditions.visited = IsVisited();
    return LinkFacts(GetLabel(), GetHyperLink(), conditions);
}

// Followed once the screen reader's call has returned.
void CHyperLinkIcon::StartDefaultAction()
{
    PostMessageW(m_hWnd, kLinkDefaultActionMessage, 0, 0);
}
