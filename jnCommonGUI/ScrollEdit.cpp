#include "jnCommonGUI/ScrollEdit.h"

#include "jnCommonGUI/ScrollBarDecision.h"
#include "winframe/Owners.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The control's visual lines (those it wraps count separately), each ended by CR LF.
std::wstring VisualLines(HWND edit)
{
    std::wstring joined;
    const LRESULT count = SendMessageW(edit, EM_GETLINECOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
    {
        const LRESULT first = SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(i), 0);
        const LRESULT length = first < 0 ? 0 : SendMessageW(edit, EM_LINELENGTH, static_cast<WPARAM>(first), 0);
        // EM_GETLINE reads the room it has from the buffer's first word.
        std::vector<wchar_t> buffer(static_cast<std::size_t>(std::max<LRESULT>(length, 1)) + 1, L'\0');
        buffer[0] = static_cast<wchar_t>(std::min<LRESULT>(length, 0xFFFF));
        const LRESULT copied =
            length > 0 ? SendMessageW(edit, EM_GETLINE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()))
                       : 0;
        joined.append(buffer.data(), static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
        joined += L"\r\n";
    }
    return joined;
}

} // namespace

void CScrollEdit::SetTextAndScrollBars(const wchar_t* text)
{
    SetWindowTextW(m_hWnd, text ? text : L"");
    UpdateScrollBars(VisualLines(m_hWnd).c_str());
}

void CScrollEdit::UpdateScrollBars(const wchar_t* text)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    ScrollBarNeeds needs{false, false};
    {
        ScopedWindowDC dc(m_hWnd);
        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
        if (dc && font)
        {
            ScopedSelection select(dc.Get(), font);
            const auto extent = [&](const std::wstring& line) {
                SIZE size{};
                GetTextExtentPoint32W(dc.Get(), line.c_str(), static_cast<int>(line.size()), &size);
                return size;
            };
            const int lineHeight = extent(L" ").cy;
            needs = DecideScrollBars(text ? text : L"", client.right, client.bottom, lineHeight,
                                     [&](const std::wstring& line) { return static_cast<int>(extent(line).cx); });
        }
        else
        {
            // Nothing is measured without a font: no line, no width.
            needs = DecideScrollBars(L"", client.right, client.bottom, 0, [](const std::wstring&) { return 0; });
        }
    }
    const BOOL horizontal = needs.horizontal ? TRUE : FALSE;
    const BOOL vertical = needs.vertical ? TRUE : FALSE;
    if (horizontal != m_horizontalShown)
    {
        ShowScrollBar(m_hWnd, SB_HORZ, horizontal);
        m_horizontalShown = horizontal;
    }
    if (vertical != m_verticalShown)
    {
        ShowScrollBar(m_hWnd, SB_VERT, vertical);
        m_verticalShown = vertical;
    }
}
