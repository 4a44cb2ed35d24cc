#include "jnCommonGUI/Imaging.h"
#include "jnCommonGUI/SkinButton.h"
#include "jnCommonGUI/SkinButtonTrace.h"
#include "logvane/include/Logvane.h"
#include "winframe/WindowText.h"

namespace {

constexpr int kIconTextGap = 4;

} // namespace

void CSkinButton::Paint(HDC dc)
{
    // Leave a DC that a caller lent us (WM_PRINTCLIENT) as it came.
    ScopedDCState keepState(dc);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    if (font)
    {
        const HGDIOBJ previous = SelectObject(dc, font);
        if (!previous || previous == HGDI_ERROR)
            WriteTraceEx(TRACE_ERROR, (L"Invalid font handle in button \"" + WindowText(m_hWnd)).c_str(),
                         kSkinButtonTraceSource, kSkinButtonFontFailedTraceLine);
    }

    RECT client{};
    GetClientRect(m_hWnd, &client);
    const std::wstring caption = WindowText(m_hWnd);
    const int index = ButtonStateIndex(m_state);
    if (index < 0)
        return;

    if (HBITMAP image = m_stateImages[index].Get())
    {
        SelectClipRgn(dc, m_clipRegion.Get());
        ScopedMemoryDC imageDC(dc);
        if (imageDC)
        {
            ScopedSelection select(imageDC.Get(), image);
            BitBlt(dc, 0, 0, client.right, client.bottom, imageDC.Get(), 0, 0, SRCCOPY);
        }
    }

    RECT captionRect = m_captionRect;
    if (m_icon)
        PaintIcon(dc, client, index, caption, captionRect);
    if (m_overlayIcon.Get())
        DrawIconEx(dc, m_overlayLeft, m_overlayTop, m_overlayIcon.Get(), m_overlayWidth, m_overlayHeight, 0, nullptr,
                   DI_NORMAL);
    if (!caption.empty())
        PaintCaption(dc, caption, index, captionRect, m_icon && m_iconBesideText);
    if (!m_secondText.empty())
        PaintSecondText(dc, client, index);

    if ((m_flags & FlagFocused) && m_drawFocusFrame && !m_focusedShowsDefault)
    {
        RECT frame = client;
        InflateRect(&frame, -static_cast<int>(m_focusInset), -static_cast<int>(m_focusInset));
        DrawFocusFrame(dc, frame);
    }
}

// Draws the icon; beside the text, it moves the caption's left edge behind the icon.
void CSkinButton::PaintIcon(HDC dc, const RECT& client, int stateIndex, const std::wstring& caption, RECT& captionRect)
{
    SIZE size{};
    if (!GetIconSize(m_icon, size))
        return;
    int left = m_iconLeft;
    if (m_iconBesideText)
    {
        RECT measured = captionRect;
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, DT_CALCRECT | DT_NOPREFIX);
        const int group = size.cx + kIconTextGap + (measured.right - measured.left);
        left = (captionRect.left + captionRect.right) / 2 - group / 2;
    }
    const int top = m_centreIconVertically ? (client.bottom - size.cy) / 2 : m_iconTop;
    if (stateIndex == ButtonStateIndex(StateDisabled) && !m_noGreyIcon)
        DrawGreyedIcon(dc, {left, top, left + size.cx, top + size.cy}, m_icon);
    else
        DrawIconEx(dc, left, top, m_icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    if (m_iconBesideText)
        captionRect.left = left + size.cx + kIconTextGap;
}

void CSkinButton::PaintCaption(HDC dc, const std::wstring& caption, int stateIndex, RECT captionRect,
                               bool iconBesideText)
{
    ScopedSelection selectFont(dc, reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_captionColours[stateIndex]);
    const bool fixedLeft = iconBesideText || m_captionLeft != -1;
    const bool fixedTop = m_captionTop != -1;
    if (!iconBesideText && fixedLeft)
        captionRect.left = m_captionLeft;
    if (fixedTop)
        captionRect.top = m_captionTop;
    const UINT format = CaptionAlignment(GetWindowLongW(m_hWnd, GWL_STYLE), fixedLeft, fixedTop);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &captionRect, format | DT_NOPREFIX);
}

void CSkinButton::PaintSecondText(HDC dc, const RECT& client, int stateIndex)
{
    ScopedSelection selectFont(dc, m_secondTextFont);
    RECT area{m_secondTextLeft, m_secondTextTop, client.right - (m_secondTextWordBreak ? 5 : 0), client.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_secondTextColours[stateIndex]);
    DrawTextW(dc, m_secondText.c_str(), static_cast<int>(m_secondText.size()), &area,
              DT_NOPREFIX | (m_secondTextWordBreak ? DT_WORDBREAK : DT_SINGLELINE));
}
