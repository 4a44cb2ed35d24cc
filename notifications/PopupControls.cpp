#include "notifications/PopupControls.h"

#include "lang/Language.h"
#include "notifications/GUIObjects.h"

std::wstring PopupText(const wchar_t* key)
{
    return Language::GetInstance()->GetString(key, L"XJNTrayNotifications");
}

void SetControlFont(HWND control, HFONT font)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void PreparePushButton(CSkinButton& button, HWND dialog, int id, const std::wstring& caption)
{
    button.SubclassWindow(GetDlgItem(dialog, id));
    button.SetBitmapStrip(GUIObjects().GetButtonStrip(), 18, 21, 3, 2, 0);
    SetWindowTextW(button.m_hWnd, caption.c_str());
}
