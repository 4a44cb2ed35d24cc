#pragma once
#include "jnCommonGUI/AccessibleServer.h"
#include "winframe/HyperLink.h"

// Hover notification codes sent to the parent in WM_NOTIFY.
constexpr UINT kLinkHoverEnter = 10591;
constexpr UINT kLinkHoverLeave = 10592;

// Posted to the link's own window by its accessible object: follow the link. Private to the
// link's window (a static control, which uses no WM_APP message).
constexpr UINT kLinkDefaultActionMessage = WM_APP + 0x100;

// A hyperlink with a small icon in front of its text. Beyond the plain link it draws a grey
// text while disabled, an optional hover colour and a dotted focus frame, and tells the parent
// when the pointer enters and leaves the text. To a screen reader it is a link named by its text.
class CHyperLinkIcon : public CHyperLink, private CAccessibleSource
{
public:
    CHyperLinkIcon();
    ~CHyperLinkIcon() override;

    // Takes over a static control in the link colours the user chose for the system's browser.
    bool SubclassWindow(HWND control);

    // Loads the icon from the module's resources at width by height; the link destroys it.
    // False (and no icon) when the resource is missing.
    bool SetIcon(UINT id, BYTE width, BYTE height);
    // A borrowed icon; false for a null icon.
    bool SetIcon(HICON icon, BYTE width, BYTE height);
    void SetIconFlags(bool centreVertically, bool shiftTextByIconWidth);
    // The text starts at textLeft (plus the icon width when shifting); with centring on, the
    // text's middle lies at centringReference + half the icon height, else its top at top.
    void SetIconPosition(int iconLeft, int centringReference, int textLeft, int top);
    void SetHoverColour(bool use, COLORREF colour);
    void SetShowIcon(bool show);
    // The font is borrowed.
    void SetLinkFontAndColour(HFONT font, COLORREF linkColour, COLORREF disabledColour);

    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CalcLinkRect() override;
    void DoPaint(HDC dc) override;
    void OnHoverEnter() override;
    void OnHoverLeave() override;

private:
    void ReleaseIcon();
    // Replaces the icon (destroying the one before when it was ours) and places the text again.
    bool TakeIcon(HICON icon, bool owned, BYTE width, BYTE height);
    void SendHoverNotification(UINT code);
    AccessibleFacts DescribeAccessible() const override;
    void StartDefaultAction() override;

    HICON m_icon = nullptr;      // drawn; borrowed or the one below
    ScopedIcon m_ownedIcon;      // the icon loaded from the resources
    BYTE m_iconWidth = 0;
    BYTE m_iconHeight = 0;
    int m_iconLeft = 0;
    int m_centringReference = 0;
    int m_textLeft = 0;
    int m_top = 0;
    bool m_centreVertically = true;
    bool m_shiftTextByIconWidth = true;
    bool m_useHoverColour = false;
    COLORREF m_hoverColour = 0;
    COLORREF m_disabledColour = RGB(100, 100, 100);
    bool m_showIcon = true;
    CAccessibleServer m_accessible{*this};
};
