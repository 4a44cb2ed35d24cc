#include "notifications/PopupButtons.h"

#include "notifications/GUIObjects.h"

void PreparePushButton(CSkinButton& button, HWND dialog, int id, const std::wstring& caption)
{
    button.SubclassWindow(GetDlgItem(dialog, id));
    button.SetBitmapStrip(GUIObjects().GetButtonStrip(), 18, 21, 3, 2, 0);
    SetWindowTextW(button.m_hWnd, caption.c_str());
}
