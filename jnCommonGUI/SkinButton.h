#pragma once
#include "jnCommonGUI/AccessibleServer.h"
#include "jnCommonGUI/ButtonStates.h"
#include "winframe/Owners.h"
#include "winframe/WindowSubclass.h"

#include <string>

// An image push button: takes over a button window, draws it from five state images (Normal,
// Hot, Pressed, Disabled, Focused) stretched to its size, with an optional icon, caption,
// second text and dotted focus frame. Pixels of the colour key (magenta) in the Normal image
// lie outside the window. The standard button procedure still runs behind it, so the parent
// gets BN_CLICKED as from any button. To a screen reader it is a push button named by its
// caption; where no dialog manager takes the keys, it answers Tab, Enter and Escape itself.
class CSkinButton : public CWindowSubclass, private CAccessibleSource
{
public:
    CSkinButton();
    ~CSkinButton() override;

    // Takes over a button; marks it non-skinnable and makes it owner-drawn.
    bool SubclassWindow(HWND button);
    // Creates a new button window under parent and takes it over.
    HWND Create(HWND parent, const RECT& rect, const wchar_t* text, DWORD style, DWORD exStyle, UINT id);

    // The five frames lie one below the other in the strip, in the order Normal, Hot, Pressed,
    // Disabled, Focused; frames the strip is too short for stay without an image.
    // border: the fixed edge of each frame that is not stretched; resizeFlag 1 gives the window
    // the frame size and copies the frames unscaled. Drops the second text and an owned icon.
    bool SetBitmapStrip(HBITMAP strip, WORD width, WORD height, WORD border, WORD focusInset, BYTE resizeFlag);
    bool SetBitmapStripResource(UINT id, WORD width, WORD height, WORD border, WORD focusInset, BYTE resizeFlag);
    // The same from separate bitmaps (any may be null); the button keeps copies of them.
    bool SetStateBitmaps(HBITMAP normal, HBITMAP hot, HBITMAP pressed, HBITMAP disabled, HBITMAP focused, WORD width,
                         WORD height, WORD border, WORD focusInset, BYTE resizeFlag);
    // Resource ids of 0 mean no image for that state.
    bool SetStateBitmapResources(UINT normal, UINT hot, UINT pressed, UINT disabled, UINT focused, WORD width,
                                 WORD height, WORD border, WORD focusInset, BYTE resizeFlag);

    void SetDrawFocusFrame(bool draw) { m_drawFocusFrame = draw; }
    void SetTextColours(COLORREF normal, COLORREF hot, COLORREF pressed, COLORREF disabled, COLORREF focused);
    void SetSecondTextColours(COLORREF normal, COLORREF hot, COLORREF pressed, COLORREF disabled, COLORREF focused);
    // A fixed caption position; -1 keeps the alignment of the button style on that axis.
    void SetTextOffset(int left, int top);

    void SetSecondText(const wchar_t* text);
    void SetSecondTextPosition(WORD left, WORD top);
    void SetSecondTextWordBreak(bool wordBreak);
    // The font is borrowed, not deleted by the button.
    void SetSecondTextFont(HFONT font, BOOL redraw);

    // Loads the icon from the module's resources; the button destroys it.
    bool SetIcon(UINT id, int width, int height);
    // A borrowed icon: the caller keeps it alive and destroys it.
    void SetIcon(HICON icon);
    void SetIconPosition(bool centreVertically, WORD left, WORD top);
    void SetNoGreyIcon(bool noGrey) { m_noGreyIcon = noGrey; }
    bool GetNoGreyIcon() const { return m_noGreyIcon; }
    // Centres icon and caption together as one group.
    void SetIconBesideText(bool beside) { m_iconBesideText = beside; }
    bool SetOverlayIcon(UINT id, WORD left, WORD top);

    // WM_NOTIFY codes sent to the parent when the button takes and loses the mouse capture.
    void SetHoverNotifications(int enterCode, int leaveCode);
    // A toggle button stays pressed after a click until the next one.
    void SetToggleMode(bool toggle) { m_toggleMode = toggle; }
    bool IsChecked() const { return (m_flags & FlagChecked) != 0; }

    // The ButtonState now shown.
    int GetState() const { return m_state; }

    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class SkinButtonGroup;

    void TakeOverStyle();
    void UpdateState(BYTE mask, bool set, bool leftButtonDown);
    void EndPress();
    void PrepareForImages(WORD width, WORD height, WORD border, WORD focusInset, BYTE resizeFlag);
    void FreeImages();
    void BuildStateImage(int index, HBITMAP frame, int frameWidth, int frameHeight, int border, bool noStretch);
    bool BuildWindowRegion();
    void SendNotification(int code);
    void ReleaseIcon();

    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnLeftButtonUp();
    void OnCaptureChanged(HWND newOwner);
    void OnSize();
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);

    // The keys a dialog answers (DialogKeys.h); false when the key is not one of them.
    bool AnswerDialogKey(WPARAM key, LPARAM keyData);
    AccessibleFacts DescribeAccessible() const override;
    void StartDefaultAction() override;

    void Paint(HDC dc);
    void PaintIcon(HDC dc, const RECT& client, int stateIndex, const std::wstring& caption, RECT& captionRect);
    void PaintCaption(HDC dc, const std::wstring& caption, int stateIndex, RECT captionRect, bool iconBesideText);
    void PaintSecondText(HDC dc, const RECT& client, int stateIndex);

    int m_state = StateNormal;
    COLORREF m_colourKey = RGB(255, 0, 255);
    int m_leaveCode = 0;
    int m_enterCode = 0;
    BYTE m_flags = 0;
    WORD m_focusInset = 0;
    WORD m_border = 0;
    WORD m_imageWidth = 0;
    WORD m_imageHeight = 0;
    int m_captionLeft = -1;
    int m_captionTop = -1;
    RECT m_captionRect{};
    bool m_toggleMode = false;
    bool m_mouseInside = false;
    bool m_capturedWithButtonDown = false;
    bool m_drawFocusFrame = true;
    bool m_focusedShowsDefault = false;
    bool m_secondTextWordBreak = false;
    HFONT m_secondTextFont = nullptr;
    std::wstring m_secondText;
    WORD m_secondTextLeft = 0;
    WORD m_secondTextTop = 0;
    HICON m_icon = nullptr;
    ScopedIcon m_ownedIcon;
    WORD m_iconLeft = 0;
    WORD m_iconTop = 0;
    bool m_centreIconVertically = false;
    bool m_noGreyIcon = false;
    bool m_iconBesideText = false;
    ScopedIcon m_overlayIcon;
    WORD m_overlayLeft = 0;
    WORD m_overlayTop = 0;
    int m_overlayWidth = 0;
    int m_overlayHeight = 0;
    ScopedBitmap m_stateImages[kButtonStateCount];
    ScopedBitmap m_sourceImages[kButtonStateCount];
    COLORREF m_captionColours[kButtonStateCount];
    COLORREF m_secondTextColours[kButtonStateCount];
    ScopedRegion m_clipRegion;
    CAccessibleServer m_accessible{*this};
};
