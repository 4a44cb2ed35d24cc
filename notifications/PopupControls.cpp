#include "notifications/PopupControls.h"

#include "lang/Language.h"
#include "notifications/GUIObjects.h"
#include "res/resource.h"

std::wstring PopupText(const wchar_t* key)
{
    return Language::GetInstance()->GetString(key, L"XJNTrayNotifications");
}

void SetControlFont(HWND control, HFONT font)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SetStaticText(HWND control, const std::wstring& text, HFONT font)
{
    SetWindowTextW(control, text.c_str());
    SetControlFont(control, font);
}

void InitHeaderTexts(HWND dialog, const std::wstring& title, const std::wstring& message,
                     const std::wstring& caption, HWND& titleWindow, HWND& messageWindow, CScrollEdit& captionLine)
{
    const CGUIObjects& gui = GUIObjects();
    titleWindow = GetDlgItem(dialog, IDC_TITLE);
    SetStaticText(titleWindow, title, gui.GetArial18Bold());
    messageWindow = GetDlgItem(dialog, IDC_MESSAGE);
    SetStaticText(messageWindow, message, gui.GetArial14Bold());
    captionLine.Attach(GetDlgItem(dialog, IDC_SCROLL_TEXT));
    captionLine.SetTextAndScrollBars(caption.c_str());
    SetControlFont(captionLine.m_hWnd, gui.GetArial14Bold());
}

void PreparePushButton(CSkinButton& button, HWND dialog, int id, const std::wstring& caption)
{
    button.SubclassWindow(GetDlgItem(dialog, id));
    button.SetBitmapStrip(GUIObjects().GetButtonStrip(), 18, 21, 3, 2, 0);
    SetWindowTextW(button.m_hWnd, caption.c_str());
}

void PrepareHiddenCloseButton(CSkinButton& button, HWND dialog)
{
    button.SubclassWindow(GetDlgItem(dialog, IDC_CLOSE_BUTTON));
    button.SetBitmapStrip(GUIObjects().GetCloseButtonStrip(), 39, 17, 0, 0xFFFF, 1);
    button.SetDrawFocusFrame(false);
    RECT client = {};
    GetClientRect(dialog, &client);
    SetWindowPos(button.m_hWnd, nullptr, client.right - 75, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(button.m_hWnd, SW_HIDE);
}

HBRUSH ColourPopupStatic(HDC dc, HWND control, std::initializer_list<StaticColour> colours)
{
    for (const StaticColour& entry : colours)
        if (entry.control && entry.control == control)
        {
            SetTextColor(dc, entry.colour);
            break;
        }
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}
