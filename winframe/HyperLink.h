#pragma once
#include "winframe/Owners.h"
#include "winframe/WindowSubclass.h"

#include <string>

// Extended link styles (SetLinkExtendedStyle).
constexpr DWORD kLinkUnderlineHover = 0x02;  // underlined only while the pointer is over the text
constexpr DWORD kLinkCommandButton = 0x04;   // a click sends WM_COMMAND to the parent instead of opening
constexpr DWORD kLinkNotifyButton = 0x0C;    // a click sends WM_NOTIFY NM_CLICK to the parent
constexpr DWORD kLinkNoTooltip = 0x40;       // no tooltip with the target

// The colours of a link's text before and after it was followed.
struct LinkColours
{
    COLORREF link = RGB(0, 0, 255);
    COLORREF visited = RGB(128, 0, 128);
};

// A hyperlink over a static text control: the label drawn underlined in the link (or visited)
// colour, a hand cursor over the text, and a click, Enter or Space that opens the target in
// the user's default handler (or reports to the parent, by the extended style).
class CHyperLink : public CWindowSubclass
{
public:
    CHyperLink();
    ~CHyperLink() override;

    // Takes over a static control, drawn in the given colours; its text becomes the label unless
    // one was set before.
    bool SubclassWindow(HWND control, const LinkColours& colours = LinkColours());

    DWORD GetLinkExtendedStyle() const { return m_extendedStyle; }
    // Changes the bits of mask (all bits when mask is 0); returns the previous style.
    DWORD SetLinkExtendedStyle(DWORD style, DWORD mask = 0);

    const std::wstring& GetLabel() const { return m_label; }
    void SetLabel(const wchar_t* label);
    const std::wstring& GetHyperLink() const { return m_target; }
    void SetHyperLink(const wchar_t* target);

    // The area of the text: the only part that reacts to the pointer.
    const RECT& GetLinkRect() const { return m_linkRect; }
    bool IsVisited() const { return m_visited; }
    bool IsHovering() const { return m_hovering; }
    COLORREF GetLinkColour() const { return m_linkColour; }
    COLORREF GetVisitedColour() const { return m_visitedColour; }
    HFONT GetLinkFont() const { return m_linkFont; }
    HWND GetTooltip() const { return m_tooltip; }

    // Opens the target or reports the click, as the extended style says. False when nothing happened.
    bool Navigate();

    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    // Places the link rectangle; the default measures the text within the client area.
    virtual void CalcLinkRect();
    virtual void DoPaint(HDC dc);
    virtual void OnHoverEnter() {}
    virtual void OnHoverLeave() {}

    // The label, or the target when there is no label.
    const std::wstring& DisplayText() const { return m_label.empty() ? m_target : m_label; }
    // DrawTextW alignment from the static style: centre, right or left.
    UINT TextAlignment() const;
    // The size of the text word-wrapped within maxWidth, in the link font.
    SIZE MeasureText(int maxWidth) const;
    // The font the text is drawn in now (plain while not hovered when underlining on hover).
    HFONT CurrentFont() const;
    void SetLinkRect(const RECT& rect);
    // The link font is borrowed unless owned.
    void SetLinkFont(HFONT font, bool owned);
    void SetLinkColour(COLORREF colour) { m_linkColour = colour; }
    // Fills the background as the parent colours static controls (WM_CTLCOLORSTATIC).
    void PaintBackground(HDC dc);
    // Redraws the parent under the control, then the control: the text is drawn transparently.
    void Repaint();

private:
    void UseNormalFont(HFONT font);
    void UpdateTooltip();
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void EndHover();
    bool IsActive() const;
    bool PointInLink(LPARAM lParam) const;
    void Paint(HDC dc);

    std::wstring m_label;
    std::wstring m_target;
    RECT m_linkRect{};
    COLORREF m_linkColour;
    COLORREF m_visitedColour;
    HFONT m_normalFont = nullptr;
    HFONT m_linkFont = nullptr;
    ScopedFont m_ownedLinkFont;
    DWORD m_extendedStyle = 0;
    bool m_visited = false;
    bool m_hovering = false;
    HWND m_tooltip = nullptr;
};
