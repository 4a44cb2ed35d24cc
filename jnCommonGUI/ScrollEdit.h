#pragma once
#include <windows.h>

// Sets the text of a text control and shows its scroll bars only when the text does not fit.
// It only borrows the window: no subclassing, and destroying the wrapper leaves the window alone.
class CScrollEdit
{
public:
    CScrollEdit() = default;
    virtual ~CScrollEdit() = default;
    CScrollEdit(const CScrollEdit&) = delete;
    CScrollEdit& operator=(const CScrollEdit&) = delete;

    void Attach(HWND window) { m_hWnd = window; }

    // Sets the text, then sizes the bars by the control's own (wrapped) lines.
    void SetTextAndScrollBars(const wchar_t* text);
    // Shows or hides the bars for the given text in the control's font and client area.
    void UpdateScrollBars(const wchar_t* text);

    HWND m_hWnd = nullptr;

private:
    BOOL m_horizontalShown = TRUE;
    BOOL m_verticalShown = TRUE;
};
